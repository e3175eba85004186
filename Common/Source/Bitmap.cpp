#include "Bitmap.h"

#include <string.h>

#include "TrackedAlloc.h"
#include "image/JpegToBmp.h"

// The header fields the module reads, at their offsets in the file image.
static DWORD ReadDword(const BYTE* block, DWORD offset) {
  DWORD value;
  memcpy(&value, block + offset, sizeof value);
  return value;
}
static DWORD PixelOffset(const BYTE* block) { return ReadDword(block, 10); }
static DWORD Width(const BYTE* block) { return ReadDword(block, 18); }
static DWORD Height(const BYTE* block) { return ReadDword(block, 22); }
static DWORD BitsPerPixel(const BYTE* block) { return (DWORD)block[28] | (DWORD)block[29] << 8; }
DWORD BmpStride(DWORD width, DWORD bitsPerPixel) { return (width * bitsPerPixel / 8 + 3) & ~3u; }

BYTE* CreateBmpFromJpeg(const BYTE* jpeg, DWORD length) {
  return JpegToTrackedBmp(jpeg, length, &g_TrackedList, __FILE__, __LINE__);
}

void FreeBmp(BYTE* block) { TrackedFree(block, &g_TrackedList); }

void FlipBmp(BYTE* block) {
  FlipBmpRows(block + PixelOffset(block), Width(block), Height(block), BitsPerPixel(block));
}

void FlipBmpRows(BYTE* bits, DWORD width, DWORD height, DWORD bitsPerPixel) {
  if (height < 2) return;
  DWORD stride = BmpStride(width, bitsPerPixel);
  DWORD bytes = width * bitsPerPixel / 8;
  for (DWORD k = 0; k < height / 2; ++k) {
    BYTE* a = bits + (size_t)k * stride;
    BYTE* b = bits + (size_t)(height - 1 - k) * stride;
    // A piece at a time through a buffer: a byte at a time was most of a stage's set-up.
    BYTE piece[512];
    for (DWORD i = 0; i < bytes; i += sizeof piece) {
      size_t n = bytes - i < sizeof piece ? bytes - i : sizeof piece;
      memcpy(piece, a + i, n);
      memcpy(a + i, b + i, n);
      memcpy(b + i, piece, n);
    }
  }
}

// Whether the w x h rectangle at (x, y) lies inside the picture.
static bool Inside(const BYTE* block, DWORD x, DWORD y, DWORD w, DWORD h) {
  return (unsigned long long)x + w <= Width(block) && (unsigned long long)y + h <= Height(block);
}

LONG CopyBmpRect(BYTE* dest, const BYTE* source, DWORD dx, DWORD dy, DWORD w, DWORD h, DWORD sx,
                 DWORD sy) {
  if (dest == NULL || source == NULL) return 0;
  DWORD bitsPerPixel = BitsPerPixel(dest);
  if (bitsPerPixel != BitsPerPixel(source)) return 0;
  // Nothing is ever written outside a picture: a rectangle reaching out is refused whole.
  if (!Inside(dest, dx, dy, w, h) || !Inside(source, sx, sy, w, h)) return 0;
  DWORD bytesPerPixel = bitsPerPixel / 8;
  DWORD destStride = BmpStride(Width(dest), bitsPerPixel);
  DWORD sourceStride = BmpStride(Width(source), bitsPerPixel);
  BYTE* to = dest + PixelOffset(dest) + (size_t)dy * destStride + (size_t)dx * bytesPerPixel;
  const BYTE* from =
      source + PixelOffset(source) + (size_t)sy * sourceStride + (size_t)sx * bytesPerPixel;
  for (DWORD row = 0; row < h; ++row) {
    memmove(to, from, (size_t)w * bytesPerPixel);
    to += destStride;
    from += sourceStride;
  }
  return 1;
}
