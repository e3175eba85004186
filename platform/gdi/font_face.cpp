#include "font_face.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <map>
#include <tuple>

#include "../common/never_destroyed.h"
#include "font_files.h"

namespace platform::gdi {
namespace {

// Windows-1252's characters 0x80 to 0x9F; the rest of the code page is Latin-1.
const std::uint16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

FT_Library Library() {
  static FT_Library library = [] {
    FT_Library made = nullptr;
    FT_Init_FreeType(&made);
    return made;
  }();
  return library;
}

}  // namespace

struct FontFace::Impl {
  FT_Face face = nullptr;
};

std::shared_ptr<FontFace> FontFace::Open(const LOGFONTA& logfont) {
  // Windows' names for its dialog fonts, and "System", are names fontconfig need not know.
  std::string family = logfont.lfFaceName;
  if (family.empty() || family == "MS Shell Dlg" || family == "MS Shell Dlg 2" ||
      family == "System")
    family = "Tahoma";
  const bool bold = logfont.lfWeight >= 600;
  const FontFile match = FindFontFile(family, bold);
  if (match.path.empty() || Library() == nullptr) return nullptr;
  // A font made for one drawing (a caption, a message box) asks for a face that was opened
  // before: it is that one, its glyphs rendered already, not the file read again.
  static NeverDestroyed<std::map<std::tuple<std::string, int, LONG>, std::shared_ptr<FontFace>>> opened;
  std::shared_ptr<FontFace>& font = opened.get()[{match.path, match.index, logfont.lfHeight}];
  if (font) return font;

  font.reset(new FontFace);
  font->impl_ = std::make_unique<Impl>();
  font->file_ = match.path;
  if (FT_New_Face(Library(), match.path.c_str(), match.index, &font->impl_->face) != 0) {
    font.reset();
    return nullptr;
  }
  FT_Face face = font->impl_->face;
  // A negative height is the em size; a positive one the whole cell, ascent and descent.
  double em = 16;
  const double cellPerEm =
      static_cast<double>(face->ascender - face->descender) / face->units_per_EM;
  if (logfont.lfHeight < 0)
    em = -logfont.lfHeight;
  else if (logfont.lfHeight > 0)
    em = logfont.lfHeight / cellPerEm;
  FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(std::lround(em)));
  font->ascent_ = static_cast<int>((face->size->metrics.ascender + 63) >> 6);
  font->descent_ = static_cast<int>((-face->size->metrics.descender + 63) >> 6);
  return font;
}

FontFace::~FontFace() {
  if (impl_ && impl_->face != nullptr) FT_Done_Face(impl_->face);
}

const Glyph& FontFace::GlyphOf(unsigned char c) {
  if (auto found = glyphs_.find(c); found != glyphs_.end()) return found->second;
  Glyph& glyph = glyphs_[c];
  const FT_ULong code = c >= 0x80 && c < 0xA0 ? kCp1252High[c - 0x80] : c;
  FT_Face face = impl_->face;
  if (FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) return glyph;
  const FT_GlyphSlot slot = face->glyph;
  glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
  glyph.left = slot->bitmap_left;
  glyph.top = slot->bitmap_top;
  glyph.width = static_cast<int>(slot->bitmap.width);
  glyph.height = static_cast<int>(slot->bitmap.rows);
  glyph.coverage.resize(static_cast<std::size_t>(glyph.width) * glyph.height);
  for (int y = 0; y < glyph.height; ++y)
    for (int x = 0; x < glyph.width; ++x)
      glyph.coverage[static_cast<std::size_t>(y) * glyph.width + x] =
          slot->bitmap.buffer[y * slot->bitmap.pitch + x];
  return glyph;
}

}  // namespace platform::gdi
