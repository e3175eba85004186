// Pictures whose look is the point: compared pixel for pixel with PNGs kept in tests/golden.
// TAVRELO_UPDATE_GOLDEN=1 writes them anew from what the raster draws (look at them first).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "image.h"
#include "support/canvas.h"

namespace {

void ExpectGolden(const fixtures::Canvas& canvas, const std::string& name) {
  const std::string path = std::string(TAVRELO_GOLDEN_DIR) + "/" + name + ".png";
  std::string error;
  if (std::getenv("TAVRELO_UPDATE_GOLDEN") != nullptr) {
    tools::Image image = tools::MakeImage(canvas.width(), canvas.height());
    for (int y = 0; y < canvas.height(); ++y)
      for (int x = 0; x < canvas.width(); ++x) {
        const COLORREF c = canvas.At(x, y);
        image.Pixel(x, y)[0] = GetRValue(c), image.Pixel(x, y)[1] = GetGValue(c),
                       image.Pixel(x, y)[2] = GetBValue(c);
      }
    ASSERT_TRUE(tools::SavePng(path, image, &error)) << error;
  }
  const auto golden = tools::LoadImageFile(path, &error);
  ASSERT_TRUE(golden.has_value()) << error;
  ASSERT_EQ(golden->width, canvas.width());
  ASSERT_EQ(golden->height, canvas.height());
  EXPECT_TRUE(canvas.Matches(
      [&](int x, int y) {
        const std::uint8_t* p = golden->Pixel(x, y);
        return RGB(p[0], p[1], p[2]);
      },
      "golden-" + name));
}

// The status line as the playfield writes it: the GUI font, black, on the light plate.
TEST(Golden, StatusLineInTheGuiFont) {
  fixtures::Canvas canvas(200, 18, RGB(237, 232, 214));
  SelectObject(canvas.dc(), GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(canvas.dc(), TRANSPARENT);
  const char text[] = "Stage: 1 Hints: 5 Targets: 5";
  TextOutA(canvas.dc(), 4, 2, text, sizeof text - 1);
  ExpectGolden(canvas, "status-line");
}

// Found and missed differences outlined over a picture: 2-pixel pens under R2_MASKPENNOT.
TEST(Golden, OutlinesOverAPicture) {
  fixtures::Canvas canvas(60, 40);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 60; ++x) canvas.Set(x, y, RGB(80 + x * 2, 120 + y * 2, 200 - x));
  HPEN red = CreatePen(PS_SOLID, 2, RGB(255, 0, 0));
  HPEN yellow = CreatePen(PS_SOLID, 2, RGB(255, 255, 0));
  SelectObject(canvas.dc(), GetStockObject(NULL_BRUSH));
  HGDIOBJ previous = SelectObject(canvas.dc(), red);
  SetROP2(canvas.dc(), R2_MASKPENNOT);
  Rectangle(canvas.dc(), 5, 5, 25, 20);
  SelectObject(canvas.dc(), yellow);
  Rectangle(canvas.dc(), 30, 12, 55, 35);
  SelectObject(canvas.dc(), previous);
  DeleteObject(red);
  DeleteObject(yellow);
  ExpectGolden(canvas, "outlines");
}

}  // namespace
