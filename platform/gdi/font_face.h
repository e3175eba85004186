// A font as the raster draws it: the font file that stands in for a Windows face name ("Tahoma",
// "MS Shell Dlg"; font_files.h), its glyphs rendered by FreeType as coverage masks.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace platform::gdi {

struct Glyph {
  int advance = 0;  // pixels to the next glyph's origin
  int left = 0;     // of the mask, from the origin
  int top = 0;      // of the mask, up from the baseline
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> coverage;  // width x height, 0 to 255
};

class FontFace {
 public:
  // The face for a LOGFONT; null when no font at all can be opened.
  static std::shared_ptr<FontFace> Open(const LOGFONTA& logfont);
  ~FontFace();

  int ascent() const { return ascent_; }
  int descent() const { return descent_; }
  int height() const { return ascent_ + descent_; }
  const std::string& file() const { return file_; }

  // The glyph of one ANSI (Windows-1252) character.
  const Glyph& GlyphOf(unsigned char c);

 private:
  FontFace() = default;
  struct Impl;
  std::unique_ptr<Impl> impl_;
  int ascent_ = 0;
  int descent_ = 0;
  std::string file_;
  std::unordered_map<unsigned char, Glyph> glyphs_;
};

}  // namespace platform::gdi
