// Icons and cursors from the program's .ico and .cur files, and DrawIcon.
#include <cstdlib>
#include <cstring>

#include "../common/handle_table.h"
#include "../common/never_destroyed.h"
#include "../kernel/last_error.h"
#include "../kernel/resources.h"
#include "drawing.h"
#include "icons.h"

namespace platform::user {
namespace {

using IconTable = HandleTable<const resources::IconFile*>;

IconTable& Icons() {
  static NeverDestroyed<IconTable> icons(HandleKind::Icon);
  return icons.get();
}

std::uint32_t Le32(const unsigned char* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint16_t Le16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

HICON Load(LPCSTR name, bool cursor) {
  if (!IS_INTRESOURCE(name)) return Fail(DWORD{1814}, HICON{});
  const unsigned id = static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(name));
  const auto& table = resources::ProgramResources();
  for (unsigned i = 0; i < table.iconCount; ++i)
    if (table.icons[i].cursor == cursor && table.icons[i].id == id)
      return reinterpret_cast<HICON>(Icons().Add(&table.icons[i]));
  return Fail(DWORD{1814} /* ERROR_RESOURCE_NAME_NOT_FOUND */, HICON{});
}

}  // namespace

const resources::IconFile* IconFileOf(HICON icon) {
  const resources::IconFile* const* found = Icons().Find(reinterpret_cast<std::uintptr_t>(icon));
  return found != nullptr ? *found : nullptr;
}

bool PictureOf(HICON handle, int wanted, IconImage* image, int* hotX, int* hotY) {
  const resources::IconFile* icon = IconFileOf(handle);
  if (icon == nullptr || !DecodeIcon(icon->bytes, icon->size, wanted, image)) return false;
  // A cursor file keeps its hot spot where an icon file keeps planes and bit count.
  *hotX = icon->cursor && icon->size >= 14 ? icon->bytes[10] | icon->bytes[11] << 8 : 0;
  *hotY = icon->cursor && icon->size >= 14 ? icon->bytes[12] | icon->bytes[13] << 8 : 0;
  return true;
}

bool DecodeIcon(const unsigned char* file, unsigned size, int wanted, IconImage* image) {
  if (size < 6 || Le16(file + 2) < 1 || Le16(file + 2) > 2) return false;
  const unsigned count = Le16(file + 4);
  if (6 + 16ull * count > size) return false;
  // The image nearest the wanted size, the deeper one when two are as near.
  int best = -1, bestScore = 1 << 30;
  for (unsigned i = 0; i < count; ++i) {
    const unsigned char* entry = file + 6 + 16 * i;
    const std::uint32_t offset = Le32(entry + 12), bytes = Le32(entry + 8);
    if (offset + 40ull > size || offset + static_cast<unsigned long long>(bytes) > size) continue;
    const int width = static_cast<int>(Le32(file + offset + 4));
    const int bits = Le16(file + offset + 14);
    const int score = std::abs(width - wanted) * 64 - bits;
    if (score < bestScore) bestScore = score, best = static_cast<int>(i);
  }
  if (best < 0) return false;
  const unsigned char* entry = file + 6 + 16 * best;
  const unsigned char* bmp = file + Le32(entry + 12);
  const unsigned long long end =
      Le32(entry + 12) + static_cast<unsigned long long>(Le32(entry + 8));
  const int width = static_cast<int>(Le32(bmp + 4));
  const int height = static_cast<int>(Le32(bmp + 8)) / 2;
  const int bits = Le16(bmp + 14);
  if (width <= 0 || height <= 0 || width > 256 || height > 256 || (bits != 8 && bits != 32))
    return false;
  const unsigned char* palette = bmp + 40;
  const unsigned char* pixels = palette + (bits == 8 ? 256 * 4 : 0);
  const std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
  const std::size_t maskStride = ((static_cast<std::size_t>(width) + 31) / 32) * 4;
  const unsigned char* mask = pixels + stride * height;
  if (static_cast<unsigned long long>(mask + maskStride * height - file) > end) return false;
  image->width = width;
  image->height = height;
  image->bgra.assign(static_cast<std::size_t>(width) * height * 4, 0);
  for (int y = 0; y < height; ++y) {
    const int row = height - 1 - y;  // stored bottom-up
    for (int x = 0; x < width; ++x) {
      unsigned char* out = &image->bgra[(static_cast<std::size_t>(y) * width + x) * 4];
      if (bits == 32) {
        std::memcpy(out, pixels + row * stride + x * 4, 4);
      } else {
        std::memcpy(out, palette + pixels[row * stride + x] * 4, 3);
        const bool transparent = (mask[row * maskStride + x / 8] >> (7 - x % 8)) & 1;
        out[3] = transparent ? 0 : 255;
      }
    }
  }
  return true;
}

}  // namespace platform::user

extern "C" HICON WINAPI LoadIconA(HINSTANCE, LPCSTR lpIconName) {
  return platform::user::Load(lpIconName, false);
}

extern "C" HCURSOR WINAPI LoadCursorA(HINSTANCE, LPCSTR lpCursorName) {
  return platform::user::Load(lpCursorName, true);
}

// Draws the icon's 32-pixel image, blended by its transparency over what is there.
extern "C" BOOL WINAPI DrawIcon(HDC hDC, int X, int Y, HICON hIcon) {
  using namespace platform::user;
  const platform::resources::IconFile* const* icon =
      Icons().Find(reinterpret_cast<std::uintptr_t>(hIcon));
  IconImage image;
  if (icon == nullptr || !DecodeIcon((*icon)->bytes, (*icon)->size, 32, &image))
    return platform::Fail(ERROR_INVALID_HANDLE, FALSE);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      const unsigned char* p = &image.bgra[(static_cast<std::size_t>(y) * image.width + x) * 4];
      if (p[3] == 0) continue;
      COLORREF colour = RGB(p[2], p[1], p[0]);
      if (p[3] < 255) {
        const COLORREF under = GetPixel(hDC, X + x, Y + y);
        if (under == CLR_INVALID) continue;
        const auto mix = [&](int s, int d) { return (s * p[3] + d * (255 - p[3]) + 127) / 255; };
        colour = RGB(mix(p[2], GetRValue(under)), mix(p[1], GetGValue(under)),
                     mix(p[0], GetBValue(under)));
      }
      FillSolid(hDC, {X + x, Y + y, X + x + 1, Y + y + 1}, colour);
    }
  return TRUE;
}
