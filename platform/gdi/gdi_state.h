// GDI's objects and device contexts, each in a typed handle table, and where a DC draws.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>

#include "../common/handle_table.h"
#include "pixels.h"

namespace platform::gdi {

class FontFace;

struct BitmapObject {
  PixelBuffer buffer;
  int selections = 0;  // DCs it is selected into: a selected bitmap cannot be deleted
  bool stock = false;
};

struct PenObject {
  int style = PS_SOLID;
  int width = 1;
  COLORREF colour = 0;
  int selections = 0;
  bool stock = false;
};

struct BrushObject {
  bool hollow = false;
  COLORREF colour = 0;
  int selections = 0;
  bool stock = false;
};

struct FontObject {
  LOGFONTA logfont{};
  std::shared_ptr<FontFace> face;  // opened on first use
  int selections = 0;
  bool stock = false;
};

// Where a DC's drawing lands: a pixel buffer, the DC's origin in it and the clip, in buffer
// coordinates.
struct Target {
  PixelBuffer* buffer = nullptr;
  int originX = 0;
  int originY = 0;
  Box clip;
  std::shared_ptr<PixelBuffer> owned;  // the display DC's: the screen put together for one call
};

enum class DcKind { Memory, Display, Window };

struct DcObject {
  DcKind kind = DcKind::Memory;
  std::uintptr_t bitmap = 0;  // memory DCs
  std::uintptr_t pen = 0;
  std::uintptr_t brush = 0;
  std::uintptr_t font = 0;
  int rop2 = R2_COPYPEN;
  int bkMode = OPAQUE;
  COLORREF bkColor = RGB(255, 255, 255);
  COLORREF textColor = RGB(0, 0, 0);
  std::function<std::optional<Target>()> windowTarget;  // window DCs: given by the window manager
};

struct Gdi {
  HandleTable<DcObject> dcs{HandleKind::Dc};
  HandleTable<BitmapObject> bitmaps{HandleKind::Bitmap};
  HandleTable<PenObject> pens{HandleKind::Pen};
  HandleTable<BrushObject> brushes{HandleKind::Brush};
  HandleTable<FontObject> fonts{HandleKind::Font};
  std::uintptr_t stock[20] = {};
  std::uintptr_t defaultBitmap = 0;  // the 1 x 1 bitmap of a new memory DC
};

// The process-wide state, with its stock objects; never destroyed.
Gdi& State();

DcObject* FindDc(HDC hdc);
// `reads`, when given, is the part of the DC (in its own coordinates) that a call reads from: the
// display DC then puts together only that part of the screen.
std::optional<Target> TargetOf(DcObject& dc, const Box* reads = nullptr);
FontObject* SelectedFont(DcObject& dc);

// The screen behind the display DC: its size, and a painter the window manager installs to
// put the windows on it before it is read. Without one, the screen is the bare desktop.
// The painter draws into a buffer whose top-left pixel is the screen's (left, top).
using ScreenPainter = std::function<void(PixelBuffer& buffer, int left, int top)>;
void SetScreenSize(int width, int height);
int ScreenWidth();
int ScreenHeight();
void SetScreenPainter(ScreenPainter painter);
// The whole screen, put together afresh.
PixelBuffer Screen();
// Only `area` of it (screen coordinates), which is all a read from the display DC needs: a
// whole screen is megabytes of memory to fill for a few hundred thousand pixels.
Target ScreenPart(Box area);

// Test hook, not Win32: creates a DC drawing into `buffer` (as a window DC does into its window).
HDC CreateDcOver(std::function<std::optional<Target>()> target);

}  // namespace platform::gdi
