// Small drawing helpers the subset's own windows share (controls, menus, boxes, frames).
#pragma once

#include <windows.h>

namespace platform::user {

inline void FillSolid(HDC dc, const RECT& r, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

}  // namespace platform::user
