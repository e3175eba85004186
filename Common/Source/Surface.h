// Off-screen surfaces: a memory DC with a display-compatible bitmap, filled once from a cut-out
// of a picture and then copied to a window as often as needed. The only ones are the eleven
// digit glyphs.
#pragma once

#include <windows.h>

#include "image/JpegToBmp.h"

class Surface {
 public:
  Surface(int cutWidth = 0, int cutHeight = 0, int cutX = 0, int cutY = 0);
  ~Surface();
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;
  // Taking another surface's place gives back what this one held.
  Surface& operator=(Surface&& other);

  void Create(const DibImage& picture);
  BOOL Draw(HDC target, int x, int y);
  void Release();

  int width;
  int height;
  int srcX;  // left edge of the cut-out
  int srcY;  // lower edge of the cut-out, in rows from the picture's bottom row
  HDC dc;
  HBITMAP bitmap;
};

enum { kGlyphCount = 11, kLifeMark = 10, kGlyphWidth = 15, kGlyphHeight = 19 };

// Entries 0 to 9 are the digits, entry 10 the life mark.
extern Surface DigitGlyphs[kGlyphCount];

void BuildDigitGlyphs();
