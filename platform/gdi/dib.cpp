// SetDIBitsToDevice for bottom-up DIBs of 8 bits (with a colour table), 24 and 32 bits.
//
// The bits hold cLines rows from image row StartScan up, rows counted from the bottom. ySrc is
// the distance from the image's bottom row to the source rectangle's lower edge, so destination
// row yDest + j takes image row ySrc + h - 1 - j. Source pixels outside the image or the band
// leave the destination as it is.
#include <algorithm>

#include "../kernel/last_error.h"
#include "gdi_state.h"

using namespace platform::gdi;

extern "C" int WINAPI SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD w, DWORD h, int xSrc,
                                        int ySrc, UINT StartScan, UINT cLines, const VOID* lpvBits,
                                        const BITMAPINFO* lpbmi, UINT ColorUse) {
  DcObject* dc = FindDc(hdc);
  if (dc == nullptr) return platform::Fail(ERROR_INVALID_HANDLE, 0);
  if (lpvBits == nullptr || lpbmi == nullptr || ColorUse != DIB_RGB_COLORS)
    return platform::Fail(ERROR_INVALID_PARAMETER, 0);
  const BITMAPINFOHEADER header = lpbmi->bmiHeader;
  const int bits = header.biBitCount;
  if (header.biWidth <= 0 || header.biHeight <= 0 || header.biCompression != BI_RGB ||
      (bits != 8 && bits != 24 && bits != 32))
    return platform::Fail(ERROR_INVALID_PARAMETER, 0);
  const long long width = header.biWidth;
  const long long height = header.biHeight;
  if (cLines == 0 || StartScan >= height) return 0;
  const long long lines = std::min<long long>(cLines, height - StartScan);
  // The source rows that fall in the band.
  const long long firstRow = std::max<long long>(ySrc, StartScan);
  const long long endRow = std::min<long long>(static_cast<long long>(ySrc) + h, StartScan + lines);
  if (firstRow >= endRow) return 0;

  const auto target = TargetOf(*dc);
  if (!target) return static_cast<int>(lines);
  const std::size_t stride = static_cast<std::size_t>((width * bits + 31) / 32) * 4;
  const BYTE* band = static_cast<const BYTE*>(lpvBits);
  const RGBQUAD* table = lpbmi->bmiColors;
  const int tableSize = header.biClrUsed != 0 ? static_cast<int>(header.biClrUsed) : 256;

  // Columns: inside the image and, at the destination, inside the clip.
  const Box& clip = target->clip;
  const long long destLeft = static_cast<long long>(xDest) + target->originX;
  long long i0 = std::max<long long>({0, -static_cast<long long>(xSrc), clip.left - destLeft});
  long long i1 =
      std::min<long long>({static_cast<long long>(w), width - xSrc, clip.right - destLeft});
  if (i0 >= i1) return static_cast<int>(lines);

  for (long long row = firstRow; row < endRow; ++row) {
    const long long j = static_cast<long long>(ySrc) + h - 1 - row;  // destination row offset
    const long long destY = static_cast<long long>(yDest) + target->originY + j;
    if (destY < clip.top || destY >= clip.bottom) continue;
    const BYTE* source = band + static_cast<std::size_t>(row - StartScan) * stride;
    std::uint32_t* out = target->buffer->Row(static_cast<int>(destY)) + destLeft;
    for (long long i = i0; i < i1; ++i) {
      const long long x = xSrc + i;
      std::uint32_t pixel;
      if (bits == 24) {
        const BYTE* p = source + x * 3;
        pixel = static_cast<std::uint32_t>(p[2]) << 16 | p[1] << 8 | p[0];
      } else if (bits == 32) {
        const BYTE* p = source + x * 4;
        pixel = static_cast<std::uint32_t>(p[2]) << 16 | p[1] << 8 | p[0];
      } else {
        const int index = source[x];
        if (index >= tableSize) continue;
        const RGBQUAD& c = table[index];
        pixel = static_cast<std::uint32_t>(c.rgbRed) << 16 | c.rgbGreen << 8 | c.rgbBlue;
      }
      out[i] = pixel;
    }
  }
  return static_cast<int>(lines);
}
