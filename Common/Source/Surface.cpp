#include "Surface.h"

#include "Bitmap.h"
#include "Pictures.h"

Surface DigitGlyphs[kGlyphCount];

Surface::Surface(int cutWidth, int cutHeight, int cutX, int cutY)
    : width(cutWidth), height(cutHeight), srcX(cutX), srcY(cutY), dc(NULL), bitmap(NULL) {}

Surface::~Surface() { Release(); }

Surface& Surface::operator=(Surface&& other) {
  if (this != &other) {
    Release();
    width = other.width;
    height = other.height;
    srcX = other.srcX;
    srcY = other.srcY;
    dc = other.dc;
    bitmap = other.bitmap;
    other.dc = NULL;
    other.bitmap = NULL;
  }
  return *this;
}

void Surface::Create(const DibImage& picture) {
  HDC display = CreateDCA("Display", NULL, NULL, NULL);
  dc = CreateCompatibleDC(display);
  bitmap = CreateCompatibleBitmap(display, width, height);
  SelectObject(dc, bitmap);
  LONG lines = picture.info->biHeight;
  if (SetDIBitsToDevice(dc, 0, 0, width, height, srcX, srcY, 0, lines, picture.bits,
                        (const BITMAPINFO*)picture.info, DIB_RGB_COLORS) == 0)
    OutputDebugStringA("SetDIBitsToDeivce failed.\n");
  DeleteDC(display);
}

BOOL Surface::Draw(HDC target, int x, int y) {
  return BitBlt(target, x, y, width, height, dc, 0, 0, SRCCOPY);
}

void Surface::Release() {
  // The DC goes first, so that the bitmap is no longer selected when it is deleted.
  if (dc != NULL) DeleteDC(dc);
  if (bitmap != NULL) DeleteObject(bitmap);
  dc = NULL;
  bitmap = NULL;
}

void BuildDigitGlyphs() {
  BYTE* sheet = CreateBmpFromJpeg(g_DigitsJpeg, g_DigitsJpegSize);
  DibImage picture;
  BindDibImage(&picture, sheet);
  for (int i = 0; i < kGlyphCount; ++i) {
    // In the bottom-up sheet the top row of cells starts 57 rows up, the second 38.
    DigitGlyphs[i] =
        Surface(kGlyphWidth, kGlyphHeight, kGlyphWidth * (i % 8), kGlyphHeight * (3 - i / 8));
    if (sheet != NULL) DigitGlyphs[i].Create(picture);
  }
  FreeBmp(sheet);
}
