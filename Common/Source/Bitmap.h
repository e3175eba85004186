// Pictures held as BMP file images in tracked blocks: made from JPEG bytes, released, turned
// upside down, and patched a rectangle at a time. Coordinates count stored rows from the
// first row in memory.
#pragma once

#include <windows.h>

BYTE* CreateBmpFromJpeg(const BYTE* jpeg, DWORD length);
void FreeBmp(BYTE* block);
void FlipBmp(BYTE* block);
void FlipBmpRows(BYTE* bits, DWORD width, DWORD height, DWORD bitsPerPixel);
// Bytes from one stored row to the next: a row's pixels rounded up to a multiple of 4.
DWORD BmpStride(DWORD width, DWORD bitsPerPixel);
// Copies w x h pixels from (sx, sy) of `source` to (dx, dy) of `dest`: 1 when copied, 0 when
// refused (a missing picture, different depths, or a rectangle not inside both pictures).
LONG CopyBmpRect(BYTE* dest, const BYTE* source, DWORD dx, DWORD dy, DWORD w, DWORD h, DWORD sx,
                 DWORD sy);
