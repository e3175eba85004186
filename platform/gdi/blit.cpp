// BitBlt and AlphaBlend between device contexts.
#include <algorithm>

#include "../kernel/last_error.h"
#include "gdi_state.h"
#include "raster.h"

using namespace platform::gdi;

namespace {

// Moves the start of a span up to `low` and its end down to `high`, keeping the span it is
// copied from or to in step.
void Trim(int& start, int& size, int& other, int low, int high) {
  if (start < low) {
    size -= low - start;
    other += low - start;
    start = low;
  }
  if (start + size > high) size = high - start;
}

// Clips a copy of cx x cy pixels from (sx, sy) of `source` to (dx, dy) of `dest`, all in buffer
// coordinates, to both clips; false when nothing is left.
bool ClipCopy(const Target& dest, const Target& source, int& dx, int& dy, int& sx, int& sy, int& cx,
              int& cy) {
  const Box sourceClip = source.clip.Intersect({0, 0, source.buffer->width, source.buffer->height});
  Trim(sx, cx, dx, sourceClip.left, sourceClip.right);
  Trim(sy, cy, dy, sourceClip.top, sourceClip.bottom);
  Trim(dx, cx, sx, dest.clip.left, dest.clip.right);
  Trim(dy, cy, sy, dest.clip.top, dest.clip.bottom);
  return cx > 0 && cy > 0;
}

}  // namespace

extern "C" BOOL WINAPI BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1,
                              DWORD rop) {
  DcObject* dc = FindDc(hdc);
  if (dc == nullptr) return platform::Fail(ERROR_INVALID_HANDLE, FALSE);
  const auto dest = TargetOf(*dc);
  if (!dest) return FALSE;
  if (cx < 0) x += cx, cx = -cx;
  if (cy < 0) y += cy, cy = -cy;
  if (rop == BLACKNESS || rop == WHITENESS) {
    const Box box =
        Box{x, y, x + cx, y + cy}.Offset(dest->originX, dest->originY).Intersect(dest->clip);
    if (!box.Empty()) FillBox(*dest->buffer, box, CopyMasks(rop == BLACKNESS ? 0 : 0xFFFFFF));
    return TRUE;
  }
  if (rop != SRCCOPY)
    return platform::Fail(ERROR_INVALID_PARAMETER, FALSE);  // the subset copies only
  DcObject* sourceDc = FindDc(hdcSrc);
  if (sourceDc == nullptr) return platform::Fail(ERROR_INVALID_HANDLE, FALSE);
  const Box reads{x1, y1, x1 + cx, y1 + cy};
  const auto source = TargetOf(*sourceDc, &reads);
  if (!source) return FALSE;
  int dx = x + dest->originX, dy = y + dest->originY;
  int sx = x1 + source->originX, sy = y1 + source->originY;
  if (ClipCopy(*dest, *source, dx, dy, sx, sy, cx, cy))
    CopyBox(*dest->buffer, dx, dy, *source->buffer, {sx, sy, sx + cx, sy + cy});
  return TRUE;
}

extern "C" BOOL WINAPI AlphaBlend(HDC hdcDest, int xoriginDest, int yoriginDest, int wDest,
                                  int hDest, HDC hdcSrc, int xoriginSrc, int yoriginSrc, int wSrc,
                                  int hSrc, BLENDFUNCTION ftn) {
  DcObject* destDc = FindDc(hdcDest);
  DcObject* sourceDc = FindDc(hdcSrc);
  if (destDc == nullptr || sourceDc == nullptr) return platform::Fail(ERROR_INVALID_HANDLE, FALSE);
  if (ftn.BlendOp != AC_SRC_OVER || ftn.AlphaFormat != 0 || wDest < 0 || hDest < 0 || wSrc < 0 ||
      hSrc < 0)
    return platform::Fail(ERROR_INVALID_PARAMETER, FALSE);
  const Box reads{xoriginSrc, yoriginSrc, xoriginSrc + wSrc, yoriginSrc + hSrc};
  const auto dest = TargetOf(*destDc);
  const auto source = TargetOf(*sourceDc, &reads);
  if (!dest || !source) return FALSE;
  const int sx = xoriginSrc + source->originX, sy = yoriginSrc + source->originY;
  if (sx < 0 || sy < 0 || sx + wSrc > source->buffer->width || sy + hSrc > source->buffer->height)
    return platform::Fail(ERROR_INVALID_PARAMETER, FALSE);
  if (hdcDest == hdcSrc) {
    const Box a{xoriginDest, yoriginDest, xoriginDest + wDest, yoriginDest + hDest};
    const Box b{xoriginSrc, yoriginSrc, xoriginSrc + wSrc, yoriginSrc + hSrc};
    if (!a.Intersect(b).Empty()) return platform::Fail(ERROR_INVALID_PARAMETER, FALSE);
  }
  if (wDest == 0 || hDest == 0 || wSrc == 0 || hSrc == 0) return TRUE;

  const Box area = Box{xoriginDest, yoriginDest, xoriginDest + wDest, yoriginDest + hDest}
                       .Offset(dest->originX, dest->originY)
                       .Intersect(dest->clip);
  const int left = xoriginDest + dest->originX, top = yoriginDest + dest->originY;
  const unsigned alpha = ftn.SourceConstantAlpha;
  for (int y = area.top; y < area.bottom; ++y) {
    // Nearest source pixel when the sizes differ.
    const int row = sy + static_cast<int>(static_cast<long long>(y - top) * hSrc / hDest);
    const std::uint32_t* in = source->buffer->Row(row);
    std::uint32_t* out = dest->buffer->Row(y);
    for (int x = area.left; x < area.right; ++x)
      BlendPixel(out[x], in[sx + static_cast<int>(static_cast<long long>(x - left) * wSrc / wDest)],
                 alpha);
  }
  return TRUE;
}
