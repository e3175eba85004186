// Rectangle and FillRect: a call becomes a few boxes, clipped, then filled with the DC's masks.
#include <algorithm>

#include "../kernel/last_error.h"
#include "gdi_state.h"
#include "raster.h"

namespace platform::gdi {
namespace {

void FillClipped(const Target& target, const Box& box, RopMasks masks) {
  const Box clipped = box.Offset(target.originX, target.originY).Intersect(target.clip);
  if (!clipped.Empty()) FillBox(*target.buffer, clipped, masks);
}

}  // namespace
}  // namespace platform::gdi

using namespace platform::gdi;

// The outline is a ring of the pen's width centred on the rectangle's edges (for width w it
// starts w / 2 pixels outside the left and top edges), and the brush fills what the ring
// encloses: no pixel is painted twice, which matters for modes such as R2_MASKPENNOT.
extern "C" BOOL WINAPI Rectangle(HDC hdc, int left, int top, int right, int bottom) {
  Gdi& gdi = State();
  DcObject* dc = FindDc(hdc);
  if (dc == nullptr) return platform::Fail(ERROR_INVALID_HANDLE, FALSE);
  const auto target = TargetOf(*dc);
  if (!target) return FALSE;
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  const PenObject* pen = gdi.pens.Find(dc->pen);
  const BrushObject* brush = gdi.brushes.Find(dc->brush);
  const bool outline = pen != nullptr && pen->style != PS_NULL;
  const bool fill = brush != nullptr && !brush->hollow;

  if (!outline) {
    // Without a pen Windows fills one pixel less to the right and bottom.
    if (fill)
      FillClipped(*target, {left, top, right - 1, bottom - 1},
                  MasksFor(dc->rop2, PixelFromColorref(brush->colour)));
    return TRUE;
  }
  const int w = pen->width;
  const Box outer{left - w / 2, top - w / 2, right - 1 - w / 2 + w, bottom - 1 - w / 2 + w};
  const Box inner{outer.left + w, outer.top + w, outer.right - w, outer.bottom - w};
  if (fill && !inner.Empty())
    FillClipped(*target, inner, MasksFor(dc->rop2, PixelFromColorref(brush->colour)));

  const RopMasks ink = MasksFor(dc->rop2, PixelFromColorref(pen->colour));
  if (inner.Empty()) {  // too small for a hole: the ring is solid
    FillClipped(*target, outer, ink);
    return TRUE;
  }
  FillClipped(*target, {outer.left, outer.top, outer.right, inner.top}, ink);
  FillClipped(*target, {outer.left, inner.bottom, outer.right, outer.bottom}, ink);
  FillClipped(*target, {outer.left, inner.top, inner.left, inner.bottom}, ink);
  FillClipped(*target, {inner.right, inner.top, outer.right, inner.bottom}, ink);
  return TRUE;
}

extern "C" int WINAPI FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
  DcObject* dc = FindDc(hDC);
  if (dc == nullptr || lprc == nullptr) return platform::Fail(ERROR_INVALID_PARAMETER, 0);
  // A small number stands for a system colour: (HBRUSH)(COLOR_WINDOW + 1).
  const auto value = reinterpret_cast<std::uintptr_t>(hbr);
  COLORREF colour;
  if (value > 0 && value <= 31) {
    colour = GetSysColor(static_cast<int>(value - 1));
  } else {
    const BrushObject* brush = State().brushes.Find(value);
    if (brush == nullptr) return platform::Fail(ERROR_INVALID_HANDLE, 0);
    if (brush->hollow) return 1;
    colour = brush->colour;
  }
  const auto target = TargetOf(*dc);
  if (!target) return 0;
  FillClipped(*target, {lprc->left, lprc->top, lprc->right, lprc->bottom},
              CopyMasks(PixelFromColorref(colour)));
  return 1;
}
