// GDI's handle tables, stock objects, device contexts and the screen.
#include "gdi_state.h"

#include <strings.h>

#include <cstring>

#include "../common/never_destroyed.h"
#include "../kernel/last_error.h"

namespace platform::gdi {
namespace {

std::uintptr_t Value(const void* handle) { return reinterpret_cast<std::uintptr_t>(handle); }

LOGFONTA StockFont(const char* face, LONG height, LONG weight) {
  LOGFONTA font{};
  font.lfHeight = height;
  font.lfWeight = weight;
  font.lfCharSet = DEFAULT_CHARSET;
  std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
  return font;
}

struct ScreenState {
  int width = 1920;
  int height = 1080;
  ScreenPainter painter;
};

ScreenState& ScreenSetup() {
  static NeverDestroyed<ScreenState> state;
  return state.get();
}

void MakeStock(Gdi& gdi) {
  const auto brush = [&](int index, bool hollow, COLORREF colour) {
    gdi.stock[index] = gdi.brushes.Add({hollow, colour, 0, true});
  };
  brush(WHITE_BRUSH, false, RGB(255, 255, 255));
  brush(LTGRAY_BRUSH, false, RGB(192, 192, 192));
  brush(GRAY_BRUSH, false, RGB(128, 128, 128));
  brush(DKGRAY_BRUSH, false, RGB(64, 64, 64));
  brush(BLACK_BRUSH, false, RGB(0, 0, 0));
  brush(NULL_BRUSH, true, 0);
  gdi.stock[WHITE_PEN] = gdi.pens.Add({PS_SOLID, 1, RGB(255, 255, 255), 0, true});
  gdi.stock[BLACK_PEN] = gdi.pens.Add({PS_SOLID, 1, RGB(0, 0, 0), 0, true});
  gdi.stock[NULL_PEN] = gdi.pens.Add({PS_NULL, 1, 0, 0, true});
  gdi.stock[SYSTEM_FONT] = gdi.fonts.Add({StockFont("System", 16, FW_BOLD), nullptr, 0, true});
  // The GUI font: MS Shell Dlg at 8 points (11 pixels at 96 DPI), which Windows maps to Tahoma.
  gdi.stock[DEFAULT_GUI_FONT] =
      gdi.fonts.Add({StockFont("MS Shell Dlg", -11, FW_NORMAL), nullptr, 0, true});
  BitmapObject one;
  one.buffer.Resize(1, 1);
  one.stock = true;
  gdi.defaultBitmap = gdi.bitmaps.Add(std::move(one));
}

}  // namespace

Gdi& State() {
  static NeverDestroyed<Gdi> gdi;
  static bool made = false;
  if (!made) {
    made = true;
    MakeStock(gdi.get());
  }
  return gdi.get();
}

DcObject* FindDc(HDC hdc) { return State().dcs.Find(Value(hdc)); }

std::optional<Target> TargetOf(DcObject& dc, const Box* reads) {
  switch (dc.kind) {
    case DcKind::Memory: {
      BitmapObject* bitmap = State().bitmaps.Find(dc.bitmap);
      if (bitmap == nullptr) return std::nullopt;
      return Target{&bitmap->buffer, 0, 0, {0, 0, bitmap->buffer.width, bitmap->buffer.height}};
    }
    case DcKind::Display:
      return ScreenPart(reads != nullptr ? *reads : Box{0, 0, ScreenWidth(), ScreenHeight()});
    case DcKind::Window:
      return dc.windowTarget ? dc.windowTarget() : std::nullopt;
  }
  return std::nullopt;
}

FontObject* SelectedFont(DcObject& dc) { return State().fonts.Find(dc.font); }

void SetScreenSize(int width, int height) {
  ScreenSetup().width = width;
  ScreenSetup().height = height;
}

int ScreenWidth() { return ScreenSetup().width; }
int ScreenHeight() { return ScreenSetup().height; }

void SetScreenPainter(ScreenPainter painter) { ScreenSetup().painter = std::move(painter); }

PixelBuffer Screen() { return std::move(*ScreenPart({0, 0, ScreenWidth(), ScreenHeight()}).owned); }

Target ScreenPart(Box area) {
  area = area.Intersect({0, 0, ScreenWidth(), ScreenHeight()});
  if (area.Empty()) area = {};
  auto part = std::make_shared<PixelBuffer>();
  part->Resize(area.right - area.left, area.bottom - area.top,
               PixelFromColorref(GetSysColor(COLOR_DESKTOP)));
  if (ScreenSetup().painter) ScreenSetup().painter(*part, area.left, area.top);
  return Target{part.get(), -area.left, -area.top, {0, 0, part->width, part->height}, part};
}

namespace {

HDC NewDc(DcObject dc) {
  Gdi& gdi = State();
  dc.pen = gdi.stock[BLACK_PEN];
  dc.brush = gdi.stock[WHITE_BRUSH];
  dc.font = gdi.stock[SYSTEM_FONT];
  gdi.pens.Find(dc.pen)->selections++;
  gdi.brushes.Find(dc.brush)->selections++;
  gdi.fonts.Find(dc.font)->selections++;
  if (dc.kind == DcKind::Memory) {
    dc.bitmap = gdi.defaultBitmap;
    gdi.bitmaps.Find(dc.bitmap)->selections++;
  }
  const std::uintptr_t handle = gdi.dcs.Add(std::move(dc));
  if (handle == 0) return Fail(ERROR_NOT_ENOUGH_MEMORY, HDC{});
  return reinterpret_cast<HDC>(handle);
}

}  // namespace

HDC CreateDcOver(std::function<std::optional<Target>()> target) {
  DcObject dc;
  dc.kind = DcKind::Window;
  dc.windowTarget = std::move(target);
  return NewDc(std::move(dc));
}

}  // namespace platform::gdi

using namespace platform::gdi;

extern "C" HDC WINAPI CreateDCA(LPCSTR pwszDriver, LPCSTR, LPCSTR, const void*) {
  if (pwszDriver == nullptr || strcasecmp(pwszDriver, "Display") != 0)
    return platform::Fail(ERROR_INVALID_PARAMETER, HDC{});
  DcObject dc;
  dc.kind = DcKind::Display;
  return NewDc(std::move(dc));
}

extern "C" HDC WINAPI CreateCompatibleDC(HDC hdc) {
  if (hdc != nullptr && FindDc(hdc) == nullptr) return platform::Fail(ERROR_INVALID_HANDLE, HDC{});
  DcObject dc;
  dc.kind = DcKind::Memory;
  return NewDc(std::move(dc));
}

extern "C" BOOL WINAPI DeleteDC(HDC hdc) {
  Gdi& gdi = State();
  DcObject* dc = FindDc(hdc);
  if (dc == nullptr) return platform::Fail(ERROR_INVALID_HANDLE, FALSE);
  if (BitmapObject* b = gdi.bitmaps.Find(dc->bitmap)) b->selections--;
  if (PenObject* p = gdi.pens.Find(dc->pen)) p->selections--;
  if (BrushObject* b = gdi.brushes.Find(dc->brush)) b->selections--;
  if (FontObject* f = gdi.fonts.Find(dc->font)) f->selections--;
  gdi.dcs.Remove(reinterpret_cast<std::uintptr_t>(hdc));
  return TRUE;
}

extern "C" HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int cx, int cy) {
  if (FindDc(hdc) == nullptr) return platform::Fail(ERROR_INVALID_HANDLE, HBITMAP{});
  if (cx < 0 || cy < 0 || static_cast<long long>(cx) * cy > (1LL << 28))
    return platform::Fail(ERROR_INVALID_PARAMETER, HBITMAP{});
  // A zero-sized request gives the 1 x 1 stock bitmap, as on Windows.
  if (cx == 0 || cy == 0) return reinterpret_cast<HBITMAP>(State().defaultBitmap);
  BitmapObject bitmap;
  bitmap.buffer.Resize(cx, cy);
  return reinterpret_cast<HBITMAP>(State().bitmaps.Add(std::move(bitmap)));
}

namespace {

// Swaps the selected object of one kind; yields the previous one, or 0 when `handle` is not of
// that kind or not alive.
template <typename Table>
std::uintptr_t SwapIn(Table& table, std::uintptr_t& slot, std::uintptr_t handle) {
  auto* object = table.Find(handle);
  if (object == nullptr) return 0;
  const std::uintptr_t previous = slot;
  if (auto* old = table.Find(previous)) old->selections--;
  object->selections++;
  slot = handle;
  return previous;
}

}  // namespace

extern "C" HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h) {
  Gdi& gdi = State();
  DcObject* dc = FindDc(hdc);
  const std::uintptr_t handle = reinterpret_cast<std::uintptr_t>(h);
  if (dc == nullptr || h == nullptr) return platform::Fail(ERROR_INVALID_HANDLE, HGDIOBJ{});
  std::uintptr_t previous = 0;
  switch (platform::HandleBits::Kind(handle)) {
    case platform::HandleKind::Bitmap: {
      // A bitmap goes into one memory DC at a time.
      BitmapObject* bitmap = gdi.bitmaps.Find(handle);
      if (dc->kind != DcKind::Memory || bitmap == nullptr) break;
      if (bitmap->selections > 0 && !bitmap->stock && dc->bitmap != handle) break;
      previous = SwapIn(gdi.bitmaps, dc->bitmap, handle);
      break;
    }
    case platform::HandleKind::Pen:
      previous = SwapIn(gdi.pens, dc->pen, handle);
      break;
    case platform::HandleKind::Brush:
      previous = SwapIn(gdi.brushes, dc->brush, handle);
      break;
    case platform::HandleKind::Font:
      previous = SwapIn(gdi.fonts, dc->font, handle);
      break;
    default:
      break;
  }
  if (previous == 0) return platform::Fail(ERROR_INVALID_HANDLE, HGDIOBJ{});
  return reinterpret_cast<HGDIOBJ>(previous);
}

namespace {

template <typename Table>
BOOL Delete(Table& table, std::uintptr_t handle) {
  auto* object = table.Find(handle);
  if (object == nullptr) return platform::Fail(ERROR_INVALID_HANDLE, FALSE);
  if (object->stock) return TRUE;            // stock objects are never deleted
  if (object->selections > 0) return FALSE;  // still selected into a DC
  table.Remove(handle);
  return TRUE;
}

}  // namespace

extern "C" BOOL WINAPI DeleteObject(HGDIOBJ ho) {
  Gdi& gdi = State();
  const std::uintptr_t handle = reinterpret_cast<std::uintptr_t>(ho);
  switch (platform::HandleBits::Kind(handle)) {
    case platform::HandleKind::Bitmap:
      return Delete(gdi.bitmaps, handle);
    case platform::HandleKind::Pen:
      return Delete(gdi.pens, handle);
    case platform::HandleKind::Brush:
      return Delete(gdi.brushes, handle);
    case platform::HandleKind::Font:
      return Delete(gdi.fonts, handle);
    default:
      return platform::Fail(ERROR_INVALID_HANDLE, FALSE);
  }
}

extern "C" HGDIOBJ WINAPI GetStockObject(int i) {
  if (i < 0 || i >= 20) return nullptr;
  return reinterpret_cast<HGDIOBJ>(State().stock[i]);
}

extern "C" HPEN WINAPI CreatePen(int iStyle, int cWidth, COLORREF color) {
  if (iStyle != PS_SOLID && iStyle != PS_NULL)
    return platform::Fail(ERROR_INVALID_PARAMETER, HPEN{});
  PenObject pen{iStyle, cWidth < 1 ? 1 : cWidth, color & 0xFFFFFF, 0, false};
  return reinterpret_cast<HPEN>(State().pens.Add(pen));
}

extern "C" HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
  return reinterpret_cast<HBRUSH>(State().brushes.Add({false, color & 0xFFFFFF, 0, false}));
}

extern "C" HFONT WINAPI CreateFontIndirectA(const LOGFONTA* lplf) {
  if (lplf == nullptr) return platform::Fail(ERROR_INVALID_PARAMETER, HFONT{});
  FontObject font;
  font.logfont = *lplf;
  font.logfont.lfFaceName[LF_FACESIZE - 1] = '\0';
  return reinterpret_cast<HFONT>(State().fonts.Add(std::move(font)));
}

extern "C" HFONT WINAPI CreateFontA(int cHeight, int cWidth, int cEscapement, int cOrientation,
                                    int cWeight, DWORD bItalic, DWORD bUnderline, DWORD bStrikeOut,
                                    DWORD iCharSet, DWORD iOutPrecision, DWORD iClipPrecision,
                                    DWORD iQuality, DWORD iPitchAndFamily, LPCSTR pszFaceName) {
  LOGFONTA font{cHeight,
                cWidth,
                cEscapement,
                cOrientation,
                cWeight,
                static_cast<BYTE>(bItalic),
                static_cast<BYTE>(bUnderline),
                static_cast<BYTE>(bStrikeOut),
                static_cast<BYTE>(iCharSet),
                static_cast<BYTE>(iOutPrecision),
                static_cast<BYTE>(iClipPrecision),
                static_cast<BYTE>(iQuality),
                static_cast<BYTE>(iPitchAndFamily),
                {}};
  if (pszFaceName != nullptr) std::strncpy(font.lfFaceName, pszFaceName, LF_FACESIZE - 1);
  return CreateFontIndirectA(&font);
}

extern "C" int WINAPI SetROP2(HDC hdc, int rop2) {
  DcObject* dc = FindDc(hdc);
  if (dc == nullptr || rop2 < R2_BLACK || rop2 > R2_WHITE)
    return platform::Fail(ERROR_INVALID_PARAMETER, 0);
  const int previous = dc->rop2;
  dc->rop2 = rop2;
  return previous;
}

extern "C" int WINAPI GetROP2(HDC hdc) {
  DcObject* dc = FindDc(hdc);
  return dc != nullptr ? dc->rop2 : platform::Fail(ERROR_INVALID_HANDLE, 0);
}

extern "C" int WINAPI SetBkMode(HDC hdc, int mode) {
  DcObject* dc = FindDc(hdc);
  if (dc == nullptr || (mode != TRANSPARENT && mode != OPAQUE))
    return platform::Fail(ERROR_INVALID_PARAMETER, 0);
  const int previous = dc->bkMode;
  dc->bkMode = mode;
  return previous;
}

extern "C" COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color) {
  DcObject* dc = FindDc(hdc);
  if (dc == nullptr) return platform::Fail(ERROR_INVALID_HANDLE, COLORREF{CLR_INVALID});
  const COLORREF previous = dc->bkColor;
  dc->bkColor = color & 0xFFFFFF;
  return previous;
}

extern "C" COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color) {
  DcObject* dc = FindDc(hdc);
  if (dc == nullptr) return platform::Fail(ERROR_INVALID_HANDLE, COLORREF{CLR_INVALID});
  const COLORREF previous = dc->textColor;
  dc->textColor = color & 0xFFFFFF;
  return previous;
}

extern "C" COLORREF WINAPI GetPixel(HDC hdc, int x, int y) {
  DcObject* dc = FindDc(hdc);
  if (dc == nullptr) return CLR_INVALID;
  const Box reads{x, y, x + 1, y + 1};
  const auto target = TargetOf(*dc, &reads);
  if (!target) return CLR_INVALID;
  const int bx = x + target->originX, by = y + target->originY;
  const Box& c = target->clip;
  if (bx < c.left || by < c.top || bx >= c.right || by >= c.bottom) return CLR_INVALID;
  return ColorrefFromPixel(target->buffer->Row(by)[bx]);
}

extern "C" DWORD WINAPI GetSysColor(int nIndex) {
  switch (nIndex) {
    case COLOR_DESKTOP:
      return RGB(58, 110, 165);
    case COLOR_WINDOW:
      return RGB(255, 255, 255);
    case COLOR_WINDOWTEXT:
      return RGB(0, 0, 0);
    case COLOR_BTNFACE:
      return RGB(240, 240, 240);
    case COLOR_BTNSHADOW:
      return RGB(160, 160, 160);
    case COLOR_BTNTEXT:
      return RGB(0, 0, 0);
    case COLOR_BTNHIGHLIGHT:
      return RGB(255, 255, 255);
    default:
      return 0;
  }
}
