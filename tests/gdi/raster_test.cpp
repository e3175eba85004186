// Pixel tests of the GDI raster: each expectation is computed here from the rules of Windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <vector>

#include "support/canvas.h"

namespace {

using fixtures::Canvas;

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);

// --- SetDIBitsToDevice -------------------------------------------------------------------------

// A bottom-up DIB whose every pixel has its own colour: (x, r) with r counted from the bottom.
struct TestDib {
  TestDib(int w, int h, int depth) : width(w), height(h), bits(depth) {
    info.resize(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(bits);
    std::memcpy(info.data(), &header, sizeof header);
    const int stride = (width * bits / 8 + 3) & ~3;
    pixels.assign(static_cast<std::size_t>(stride) * height, 0xEE);  // fill bytes show if ever read
    for (int r = 0; r < height; ++r)
      for (int x = 0; x < width; ++x) {
        BYTE* p = &pixels[static_cast<std::size_t>(r) * stride + x * bits / 8];
        if (bits == 24) {
          const COLORREF c = Colour(x, r);
          p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
        } else {
          p[0] = static_cast<BYTE>(Index(x, r));
        }
      }
    auto* table = reinterpret_cast<RGBQUAD*>(info.data() + sizeof header);
    for (int i = 0; i < 256; ++i)
      table[i] = {static_cast<BYTE>(i), static_cast<BYTE>(255 - i), static_cast<BYTE>(i / 2), 0};
  }
  int Index(int x, int r) const { return (x * 16 + r) & 0xFF; }
  COLORREF Colour(int x, int r) const {
    if (bits == 8) {
      const int i = Index(x, r);
      return RGB(i / 2, 255 - i, i);
    }
    return RGB(x * 20, r * 30, 100 + x + r);
  }
  const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(info.data()); }

  int width, height, bits;
  std::vector<BYTE> info;
  std::vector<BYTE> pixels;
};

class SetDIBits : public ::testing::TestWithParam<int> {};

TEST_P(SetDIBits, WholeImageLandsUprightAtItsCorner) {
  const TestDib dib(7, 5, GetParam());
  Canvas canvas(12, 9);
  EXPECT_EQ(SetDIBitsToDevice(canvas.dc(), 2, 3, 7, 5, 0, 0, 0, 5, dib.pixels.data(), dib.Info(),
                              DIB_RGB_COLORS),
            5);
  EXPECT_TRUE(canvas.Matches(
      [&](int x, int y) {
        const int i = x - 2, j = y - 3;
        return i >= 0 && i < 7 && j >= 0 && j < 5 ? dib.Colour(i, 4 - j) : kWhite;
      },
      "dib-whole"));
}

TEST_P(SetDIBits, PartialSourceRectangleCountsRowsFromTheBottom) {
  const TestDib dib(7, 5, GetParam());
  Canvas canvas(10, 10);
  // Three columns from x = 2 and two rows whose lower edge is one row above the bottom.
  SetDIBitsToDevice(canvas.dc(), 4, 6, 3, 2, 2, 1, 0, 5, dib.pixels.data(), dib.Info(),
                    DIB_RGB_COLORS);
  EXPECT_TRUE(canvas.Matches(
      [&](int x, int y) {
        const int i = x - 4, j = y - 6;
        return i >= 0 && i < 3 && j >= 0 && j < 2 ? dib.Colour(2 + i, 1 + 2 - 1 - j) : kWhite;
      },
      "dib-partial"));
}

TEST_P(SetDIBits, RestoringABoxFromABackgroundAtTheOriginPutsBackExactlyThatBox) {
  const TestDib dib(9, 8, GetParam());
  Canvas canvas(9, 8);
  SetDIBitsToDevice(canvas.dc(), 0, 0, 9, 8, 0, 0, 0, 8, dib.pixels.data(), dib.Info(),
                    DIB_RGB_COLORS);
  for (int y = 2; y <= 5; ++y)
    for (int x = 3; x <= 6; ++x) canvas.Set(x, y, kRed);  // a number drawn over it
  canvas.Set(0, 0, kRed);                                 // and something outside the box
  // The box (3, 2)-(6, 5), right and bottom included, as the playfield restores it.
  const RECT r{3, 2, 6, 5};
  SetDIBitsToDevice(canvas.dc(), r.left, r.top, r.right - r.left + 1, r.bottom - r.top + 1, r.left,
                    8 - r.bottom - 1, 0, 8, dib.pixels.data(), dib.Info(), DIB_RGB_COLORS);
  EXPECT_TRUE(canvas.Matches(
      [&](int x, int y) { return x == 0 && y == 0 ? kRed : dib.Colour(x, 7 - y); }, "dib-restore"));
}

TEST_P(SetDIBits, OnlyTheBandsRowsAreDrawn) {
  const TestDib dib(4, 6, GetParam());
  Canvas canvas(4, 6);
  // The bits hold image rows 2 and 3 only.
  const int stride = (4 * dib.bits / 8 + 3) & ~3;
  const BYTE* band = dib.pixels.data() + 2 * stride;
  EXPECT_EQ(
      SetDIBitsToDevice(canvas.dc(), 0, 0, 4, 6, 0, 0, 2, 2, band, dib.Info(), DIB_RGB_COLORS), 2);
  EXPECT_TRUE(canvas.Matches(
      [&](int x, int y) {
        const int r = 5 - y;
        return r == 2 || r == 3 ? dib.Colour(x, r) : kWhite;
      },
      "dib-band"));
  EXPECT_EQ(
      SetDIBitsToDevice(canvas.dc(), 0, 0, 4, 6, 0, 0, 0, 0, band, dib.Info(), DIB_RGB_COLORS), 0);
  EXPECT_EQ(
      SetDIBitsToDevice(canvas.dc(), 0, 0, 4, 6, 0, 0, 6, 2, band, dib.Info(), DIB_RGB_COLORS), 0);
  EXPECT_EQ(
      SetDIBitsToDevice(canvas.dc(), 0, 0, 4, 1, 0, 5, 0, 2, band, dib.Info(), DIB_RGB_COLORS), 0)
      << "the source rectangle misses the band";
  EXPECT_EQ(
      SetDIBitsToDevice(canvas.dc(), 0, 0, 4, 6, 0, 0, 4, 9, band, dib.Info(), DIB_RGB_COLORS), 2)
      << "no more lines than the image has above the start";
}

TEST_P(SetDIBits, SourceAndDestinationOutsideAreSkipped) {
  const TestDib dib(5, 5, GetParam());
  Canvas canvas(6, 6);
  // Reaching past the image's left and bottom, and past the canvas's right and top.
  SetDIBitsToDevice(canvas.dc(), 3, -2, 6, 6, -1, -1, 0, 5, dib.pixels.data(), dib.Info(),
                    DIB_RGB_COLORS);
  EXPECT_TRUE(canvas.Matches(
      [&](int x, int y) {
        const int i = x - 3, j = y + 2;
        const int sx = -1 + i, row = -1 + 6 - 1 - j;
        const bool drawn = i >= 0 && i < 6 && sx >= 0 && sx < 5 && row >= 0 && row < 5;
        return drawn ? dib.Colour(sx, row) : kWhite;
      },
      "dib-outside"));
}

INSTANTIATE_TEST_SUITE_P(Depths, SetDIBits, ::testing::Values(8, 24),
                         [](const auto& test) { return std::to_string(test.param) + "bit"; });

// --- Rectangle and the raster operations ------------------------------------------------------

// A background of varied colours, so that every operation's effect on every bit shows.
COLORREF Backdrop(int x, int y) { return RGB(x * 23 + 5, y * 41 + 3, (x * y * 7) ^ 0x5A); }

struct Pen {
  Pen(HDC target, int width, COLORREF colour)
      : dc(target), pen(CreatePen(PS_SOLID, width, colour)) {
    previous = SelectObject(dc, pen);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
  }
  ~Pen() {
    SelectObject(dc, previous);
    DeleteObject(pen);
  }
  HDC dc;
  HPEN pen;
  HGDIOBJ previous;
};

void PaintBackdrop(Canvas& canvas) {
  for (int y = 0; y < canvas.height(); ++y)
    for (int x = 0; x < canvas.width(); ++x) canvas.Set(x, y, Backdrop(x, y));
}

bool OnRing(int x, int y, int l, int t, int r, int b, int width) {
  const int ox0 = l - width / 2, oy0 = t - width / 2, ox1 = r - 1 - width / 2 + width,
            oy1 = b - 1 - width / 2 + width;
  const bool inOuter = x >= ox0 && x < ox1 && y >= oy0 && y < oy1;
  const bool inInner = x >= ox0 + width && x < ox1 - width && y >= oy0 + width && y < oy1 - width;
  return inOuter && !inInner;
}

TEST(Rectangle, OnePixelPenOutlinesColumnsLAndRMinusOne) {
  Canvas canvas(12, 10);
  PaintBackdrop(canvas);
  Pen pen(canvas.dc(), 1, kRed);
  ASSERT_TRUE(Rectangle(canvas.dc(), 2, 3, 9, 8));
  EXPECT_TRUE(canvas.Matches(
      [](int x, int y) {
        const bool ring =
            ((x == 2 || x == 8) && y >= 3 && y <= 7) || ((y == 3 || y == 7) && x >= 2 && x <= 8);
        EXPECT_EQ(ring, OnRing(x, y, 2, 3, 9, 8, 1));
        return ring ? kRed : Backdrop(x, y);
      },
      "rect-pen1"));
}

TEST(Rectangle, TwoPixelPenReachesOneOutsideLeftAndTopOnly) {
  Canvas canvas(12, 10);
  PaintBackdrop(canvas);
  Pen pen(canvas.dc(), 2, kRed);
  Rectangle(canvas.dc(), 2, 3, 9, 8);
  EXPECT_TRUE(canvas.Matches(
      [](int x, int y) {
        const bool columns = (x == 1 || x == 2 || x == 7 || x == 8) && y >= 2 && y <= 7;
        const bool rows = (y == 2 || y == 3 || y == 6 || y == 7) && x >= 1 && x <= 8;
        return columns || rows ? kRed : Backdrop(x, y);
      },
      "rect-pen2"));
}

TEST(Rectangle, MaskPenNotPaintsEveryRingPixelOnce) {
  for (int width : {1, 2}) {
    Canvas canvas(14, 12);
    PaintBackdrop(canvas);
    Pen pen(canvas.dc(), width, kRed);
    EXPECT_EQ(SetROP2(canvas.dc(), R2_MASKPENNOT), R2_COPYPEN);
    Rectangle(canvas.dc(), 3, 2, 11, 10);
    EXPECT_EQ(SetROP2(canvas.dc(), R2_COPYPEN), R2_MASKPENNOT);
    EXPECT_TRUE(canvas.Matches(
        [&](int x, int y) {
          const COLORREF d = Backdrop(x, y);
          return OnRing(x, y, 3, 2, 11, 10, width) ? (kRed & ~d & 0xFFFFFF) : d;
        },
        "rect-maskpennot-" + std::to_string(width)));
  }
}

TEST(Rectangle, EveryRopModeIsItsBitwiseFunction) {
  const COLORREF pen = RGB(0xC3, 0x5A, 0x0F);
  const auto expected = [&](int mode, COLORREF d) -> COLORREF {
    const COLORREF p = pen;
    switch (mode) {
      case R2_BLACK:
        return 0;
      case R2_NOTMERGEPEN:
        return ~(p | d);
      case R2_MASKNOTPEN:
        return ~p & d;
      case R2_NOTCOPYPEN:
        return ~p;
      case R2_MASKPENNOT:
        return p & ~d;
      case R2_NOT:
        return ~d;
      case R2_XORPEN:
        return p ^ d;
      case R2_NOTMASKPEN:
        return ~(p & d);
      case R2_MASKPEN:
        return p & d;
      case R2_NOTXORPEN:
        return ~(p ^ d);
      case R2_NOP:
        return d;
      case R2_MERGENOTPEN:
        return ~p | d;
      case R2_COPYPEN:
        return p;
      case R2_MERGEPENNOT:
        return p | ~d;
      case R2_MERGEPEN:
        return p | d;
      default:
        return 0xFFFFFF;
    }
  };
  for (int mode = R2_BLACK; mode <= R2_WHITE; ++mode) {
    Canvas canvas(6, 6);
    PaintBackdrop(canvas);
    Pen selected(canvas.dc(), 1, pen);
    SetROP2(canvas.dc(), mode);
    EXPECT_EQ(GetROP2(canvas.dc()), mode);
    Rectangle(canvas.dc(), 1, 1, 5, 5);
    EXPECT_TRUE(canvas.Matches(
        [&](int x, int y) {
          const COLORREF d = Backdrop(x, y);
          return OnRing(x, y, 1, 1, 5, 5, 1) ? expected(mode, d) & 0xFFFFFF : d;
        },
        "rop-" + std::to_string(mode)));
  }
  Canvas canvas(2, 2);
  EXPECT_EQ(SetROP2(canvas.dc(), 17), 0);
  EXPECT_EQ(GetROP2(canvas.dc()), R2_COPYPEN);
}

TEST(Rectangle, BrushFillsInsideThePenAndOneLessWithoutAPen) {
  Canvas canvas(10, 10);
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  HGDIOBJ oldBrush = SelectObject(canvas.dc(), blue);
  Rectangle(canvas.dc(), 1, 1, 6, 6);  // the default black pen
  HGDIOBJ oldPen = SelectObject(canvas.dc(), GetStockObject(NULL_PEN));
  Rectangle(canvas.dc(), 6, 6, 10, 10);
  EXPECT_TRUE(canvas.Matches(
      [](int x, int y) {
        if (x >= 1 && x <= 5 && y >= 1 && y <= 5)
          return x == 1 || x == 5 || y == 1 || y == 5 ? RGB(0, 0, 0) : RGB(0, 0, 255);
        if (x >= 6 && x <= 8 && y >= 6 && y <= 8) return RGB(0, 0, 255);
        return kWhite;
      },
      "rect-brush"));
  SelectObject(canvas.dc(), oldPen);
  SelectObject(canvas.dc(), oldBrush);
  EXPECT_TRUE(DeleteObject(blue));
}

TEST(FillRect, FillsTheRectangleWithABrushOrASystemColour) {
  Canvas canvas(6, 4, RGB(1, 2, 3));
  HBRUSH green = CreateSolidBrush(RGB(0, 200, 0));
  SetROP2(canvas.dc(), R2_XORPEN);  // FillRect does not use the mix mode
  const RECT a{0, 0, 3, 2}, b{3, 2, 6, 4};
  EXPECT_TRUE(FillRect(canvas.dc(), &a, green));
  EXPECT_TRUE(FillRect(canvas.dc(), &b, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)));
  EXPECT_TRUE(canvas.Matches(
      [](int x, int y) {
        return x < 3 && y < 2 ? RGB(0, 200, 0) : x >= 3 && y >= 2 ? kWhite : RGB(1, 2, 3);
      },
      "fillrect"));
  DeleteObject(green);
}

// --- BitBlt and AlphaBlend ---------------------------------------------------------------------

TEST(BitBlt, CopiesWhatLiesInsideBothSurfaces) {
  Canvas source(6, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) source.Set(x, y, RGB(x * 40, y * 50, 7));
  Canvas dest(8, 6, RGB(9, 9, 9));
  // From (-2, 1) of the source to (5, -1): clipped on the source's left, the destination's right
  // and top.
  ASSERT_TRUE(BitBlt(dest.dc(), 5, -1, 6, 5, source.dc(), -2, 1, SRCCOPY));
  EXPECT_TRUE(dest.Matches(
      [](int x, int y) {
        const int sx = x - 5 - 2, sy = y + 1 + 1;
        const bool inside =
            x >= 5 && y >= 0 && x - 5 < 6 && y + 1 < 5 && sx >= 0 && sx < 6 && sy < 5;
        return inside ? RGB(sx * 40, sy * 50, 7) : RGB(9, 9, 9);
      },
      "bitblt-clip"));
}

TEST(BitBlt, OverlappingCopyOnOneSurfaceMovesThePicture) {
  Canvas canvas(5, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x) canvas.Set(x, y, RGB(x, y, 0));
  BitBlt(canvas.dc(), 1, 1, 4, 4, canvas.dc(), 0, 0, SRCCOPY);
  EXPECT_TRUE(canvas.Matches(
      [](int x, int y) { return x >= 1 && y >= 1 ? RGB(x - 1, y - 1, 0) : RGB(x, y, 0); },
      "bitblt-overlap"));
}

TEST(AlphaBlend, HalfAlphaMixesEachChannelWithRounding) {
  Canvas source(4, 4, RGB(200, 100, 0));
  Canvas dest(6, 6, RGB(10, 255, 51));
  const BLENDFUNCTION half{AC_SRC_OVER, 0, 128, 0};
  ASSERT_TRUE(AlphaBlend(dest.dc(), 1, 1, 4, 4, source.dc(), 0, 0, 4, 4, half));
  const auto mix = [](int s, int d) { return (s * 128 + d * 127 + 127) / 255; };
  const COLORREF mixed = RGB(mix(200, 10), mix(100, 255), mix(0, 51));
  EXPECT_TRUE(dest.Matches(
      [&](int x, int y) { return x >= 1 && x < 5 && y >= 1 && y < 5 ? mixed : RGB(10, 255, 51); },
      "alphablend"));
  EXPECT_EQ(mixed, RGB(105, 177, 25));
}

TEST(AlphaBlend, RefusesSourcesOutsideNegativeSizesAndOverlapOnOneDc) {
  Canvas source(4, 4);
  Canvas dest(6, 6);
  const BLENDFUNCTION half{AC_SRC_OVER, 0, 128, 0};
  SetLastError(0);
  EXPECT_FALSE(AlphaBlend(dest.dc(), 0, 0, 4, 4, source.dc(), 1, 0, 4, 4, half));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(AlphaBlend(dest.dc(), 0, 0, -4, 4, source.dc(), 0, 0, 4, 4, half));
  EXPECT_FALSE(AlphaBlend(dest.dc(), 0, 0, 3, 3, dest.dc(), 2, 2, 3, 3, half));
  EXPECT_TRUE(AlphaBlend(dest.dc(), 0, 0, 2, 2, dest.dc(), 3, 3, 2, 2, half));
}

// --- Text --------------------------------------------------------------------------------------

TEST(Text, CellTopLeftIsThePointAndTheExtentBoundsTheInk) {
  Canvas canvas(200, 40);
  SelectObject(canvas.dc(), GetStockObject(DEFAULT_GUI_FONT));
  SIZE extent{};
  ASSERT_TRUE(GetTextExtentPointA(canvas.dc(), "Stage: 1 Hints: 5", 17, &extent));
  TEXTMETRICA metrics{};
  ASSERT_TRUE(GetTextMetricsA(canvas.dc(), &metrics));
  EXPECT_EQ(extent.cy, metrics.tmHeight);
  EXPECT_EQ(metrics.tmHeight, metrics.tmAscent + metrics.tmDescent);
  EXPECT_GE(metrics.tmHeight, 12);
  EXPECT_LE(metrics.tmHeight, 15);
  EXPECT_GT(extent.cx, 60);
  SIZE empty{};
  GetTextExtentPointA(canvas.dc(), "", 0, &empty);
  EXPECT_EQ(empty.cx, 0);

  SetBkMode(canvas.dc(), TRANSPARENT);
  ASSERT_TRUE(TextOutA(canvas.dc(), 20, 10, "Stage: 1 Hints: 5", 17));
  int inked = 0, inkedAboveBaseline = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 200; ++x) {
      if (canvas.At(x, y) == kWhite) continue;
      ++inked;
      EXPECT_TRUE(x >= 20 && x < 20 + extent.cx + 1 && y >= 10 && y < 10 + extent.cy)
          << x << "," << y;
      inkedAboveBaseline += y < 10 + metrics.tmAscent;
    }
  EXPECT_GT(inked, 100);
  EXPECT_GT(inkedAboveBaseline, inked / 2);
}

TEST(Text, OpaqueModeFillsTheCellWithTheBackgroundColour) {
  Canvas canvas(80, 30, RGB(0, 0, 255));
  SelectObject(canvas.dc(), GetStockObject(DEFAULT_GUI_FONT));
  SetBkColor(canvas.dc(), RGB(255, 255, 0));
  SetTextColor(canvas.dc(), RGB(0, 0, 0));
  SIZE extent{};
  GetTextExtentPointA(canvas.dc(), "Tavrelo", 7, &extent);
  TextOutA(canvas.dc(), 5, 6, "Tavrelo", 7);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 80; ++x) {
      const bool cell = x >= 5 && x < 5 + extent.cx && y >= 6 && y < 6 + extent.cy;
      // A glyph may overhang its advance by a pixel, as on Windows.
      const bool nearCell = x >= 4 && x <= 5 + extent.cx && y >= 6 && y < 6 + extent.cy;
      const COLORREF c = canvas.At(x, y);
      if (!nearCell) {
        ASSERT_EQ(c, RGB(0, 0, 255)) << x << "," << y;
      } else if (cell) {
        ASSERT_EQ(GetBValue(c), 0) << "text and yellow both have no blue, at " << x << "," << y;
      }
    }
  EXPECT_EQ(canvas.At(5, 6), RGB(255, 255, 0)) << "a corner of the cell, where no glyph reaches";
}

}  // namespace
