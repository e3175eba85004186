// SetDIBitsToDevice for bottom-up DIBs of 8 bits (with a colour table), 24 and 32 bits.
//
// The bits hold cLines rows from image row StartScan up, rows counted from the bottom. ySrc is
// the distance from the image's bottom row to the source rectangle's lower edge, so destination
// row yDest + j takes image row ySrc + h - 1 - j. Source pixels outside the image or the band
// leave the destination as it is.
#include <algorithm>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

#include "../kernel/last_error.h"
#include "gdi_state.h"

using namespace platform::gdi;

namespace {

#if defined(__x86_64__) || defined(__i386__)
// Four 24-bit pixels at a time with one byte shuffle. Each 16-byte load takes 12 bytes of
// pixels and looks 4 bytes ahead, so it stops while six pixels remain in the row.
__attribute__((target("ssse3"))) int ConvertBgrShuffled(const BYTE* in, std::uint32_t* out,
                                                        int count) {
  const __m128i order = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
  int i = 0;
  for (; i + 6 <= count; i += 4, in += 12)
    _mm_storeu_si128(
        reinterpret_cast<__m128i*>(out + i),
        _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(in)), order));
  return i;
}

bool HasShuffle() {
  static const bool has = __builtin_cpu_supports("ssse3");
  return has;
}
#endif

// One row of DIB pixels into buffer pixels; a palette index past the table leaves its pixel.
void ConvertRow(int bits, const BYTE* in, std::uint32_t* out, int count, const RGBQUAD* table,
                int tableSize) {
  switch (bits) {
    case 24: {
      // Blue, green, red in memory is 0x00RRGGBB read little-endian: four pixels are three
      // words, taken apart with shifts.
      int i = 0;
#if defined(__x86_64__) || defined(__i386__)
      if (HasShuffle()) {
        i = ConvertBgrShuffled(in, out, count);
        in += 3 * i;
      }
#endif
      for (; i + 4 <= count; i += 4, in += 12) {
        std::uint32_t w0, w1, w2;
        std::memcpy(&w0, in, 4);
        std::memcpy(&w1, in + 4, 4);
        std::memcpy(&w2, in + 8, 4);
        out[i] = w0 & 0xFFFFFF;
        out[i + 1] = w0 >> 24 | (w1 & 0xFFFF) << 8;
        out[i + 2] = w1 >> 16 | (w2 & 0xFF) << 16;
        out[i + 3] = w2 >> 8;
      }
      for (; i < count; ++i, in += 3)
        out[i] = static_cast<std::uint32_t>(in[2]) << 16 | in[1] << 8 | in[0];
      break;
    }
    case 32:
      for (int i = 0; i < count; ++i, in += 4)
        out[i] = static_cast<std::uint32_t>(in[2]) << 16 | in[1] << 8 | in[0];
      break;
    default:
      for (int i = 0; i < count; ++i) {
        if (in[i] >= tableSize) continue;
        const RGBQUAD& c = table[in[i]];
        out[i] = static_cast<std::uint32_t>(c.rgbRed) << 16 | c.rgbGreen << 8 | c.rgbBlue;
      }
  }
}

}  // namespace

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

  const int count = static_cast<int>(i1 - i0);
  for (long long row = firstRow; row < endRow; ++row) {
    const long long j = static_cast<long long>(ySrc) + h - 1 - row;  // destination row offset
    const long long destY = static_cast<long long>(yDest) + target->originY + j;
    if (destY < clip.top || destY >= clip.bottom) continue;
    const BYTE* in =
        band + static_cast<std::size_t>(row - StartScan) * stride + (xSrc + i0) * (bits / 8);
    std::uint32_t* out = target->buffer->Row(static_cast<int>(destY)) + destLeft + i0;
    ConvertRow(bits, in, out, count, table, tableSize);
  }
  return static_cast<int>(lines);
}
