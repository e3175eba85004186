// TextOutA, GetTextExtentPointA and GetTextMetricsA. A text's cell has its top-left corner at
// the given point (TA_LEFT | TA_TOP) and the baseline at y + ascent; in OPAQUE mode the cell
// is filled with the background colour first. Glyphs are blended in the text colour by their
// coverage, so text is smooth as on a desktop with font smoothing.
#include <cstring>

#include "../kernel/last_error.h"
#include "font_face.h"
#include "gdi_state.h"
#include "raster.h"

namespace platform::gdi {
namespace {

FontFace* FaceOf(DcObject& dc) {
  FontObject* font = SelectedFont(dc);
  if (font == nullptr) return nullptr;
  if (!font->face) font->face = FontFace::Open(font->logfont);
  return font->face.get();
}

int ExtentOf(FontFace& face, const char* text, int length) {
  int width = 0;
  for (int i = 0; i < length; ++i)
    width += face.GlyphOf(static_cast<unsigned char>(text[i])).advance;
  return width;
}

}  // namespace
}  // namespace platform::gdi

using namespace platform::gdi;

extern "C" BOOL WINAPI GetTextExtentPointA(HDC hdc, LPCSTR lpString, int c, LPSIZE lpsz) {
  DcObject* dc = FindDc(hdc);
  if (dc == nullptr) return platform::Fail(ERROR_INVALID_HANDLE, FALSE);
  if (lpsz == nullptr || c < 0 || (lpString == nullptr && c > 0))
    return platform::Fail(ERROR_INVALID_PARAMETER, FALSE);
  FontFace* face = FaceOf(*dc);
  if (face == nullptr) return FALSE;
  lpsz->cx = ExtentOf(*face, lpString, c);
  lpsz->cy = face->height();
  return TRUE;
}

extern "C" BOOL WINAPI GetTextMetricsA(HDC hdc, LPTEXTMETRICA lptm) {
  DcObject* dc = FindDc(hdc);
  if (dc == nullptr) return platform::Fail(ERROR_INVALID_HANDLE, FALSE);
  FontFace* face = FaceOf(*dc);
  if (face == nullptr || lptm == nullptr) return FALSE;
  std::memset(lptm, 0, sizeof *lptm);
  lptm->tmHeight = face->height();
  lptm->tmAscent = face->ascent();
  lptm->tmDescent = face->descent();
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  lptm->tmAveCharWidth = (ExtentOf(*face, kLetters, 52) / 26 + 1) / 2;
  lptm->tmMaxCharWidth = face->GlyphOf('W').advance;
  lptm->tmWeight = SelectedFont(*dc)->logfont.lfWeight;
  lptm->tmFirstChar = 0x20;
  lptm->tmLastChar = 0xFF;
  lptm->tmDefaultChar = '?';
  lptm->tmBreakChar = ' ';
  return TRUE;
}

extern "C" BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c) {
  DcObject* dc = FindDc(hdc);
  if (dc == nullptr) return platform::Fail(ERROR_INVALID_HANDLE, FALSE);
  if (c < 0 || (lpString == nullptr && c > 0))
    return platform::Fail(ERROR_INVALID_PARAMETER, FALSE);
  FontFace* face = FaceOf(*dc);
  const auto target = TargetOf(*dc);
  if (face == nullptr || !target) return FALSE;
  const int left = x + target->originX, top = y + target->originY;
  const Box& clip = target->clip;
  if (dc->bkMode == OPAQUE) {
    const Box cell =
        Box{left, top, left + ExtentOf(*face, lpString, c), top + face->height()}.Intersect(clip);
    if (!cell.Empty()) FillBox(*target->buffer, cell, CopyMasks(PixelFromColorref(dc->bkColor)));
  }
  const std::uint32_t ink = PixelFromColorref(dc->textColor);
  int penX = left;
  const int baseline = top + face->ascent();
  for (int i = 0; i < c; ++i) {
    const Glyph& glyph = face->GlyphOf(static_cast<unsigned char>(lpString[i]));
    for (int gy = 0; gy < glyph.height; ++gy) {
      const int py = baseline - glyph.top + gy;
      if (py < clip.top || py >= clip.bottom) continue;
      std::uint32_t* row = target->buffer->Row(py);
      for (int gx = 0; gx < glyph.width; ++gx) {
        const int px = penX + glyph.left + gx;
        const unsigned coverage = glyph.coverage[static_cast<std::size_t>(gy) * glyph.width + gx];
        if (px < clip.left || px >= clip.right || coverage == 0) continue;
        BlendPixel(row[px], ink, coverage);
      }
    }
    penX += glyph.advance;
  }
  return TRUE;
}
