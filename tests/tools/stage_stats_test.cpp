// The figures inspect --stats gives an author: how busy a picture is, and how much each
// difference changes.
#include <gtest/gtest.h>

#include <string>

#include "Stage.h"
#include "stage_file.h"
#include "stats.h"
#include "support/jpeg_fixtures.h"

namespace {

tools::Image Flat(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  tools::Image image = tools::MakeImage(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      image.Pixel(x, y)[0] = r;
      image.Pixel(x, y)[1] = g;
      image.Pixel(x, y)[2] = b;
    }
  return image;
}

void Paint(tools::Image& image, int left, int top, int right, int bottom, std::uint8_t value) {
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x)
      for (int c = 0; c < 3; ++c) image.Pixel(x, y)[c] = value;
}

TEST(ColourAreas, AreCountedOncePerRunOfCloseColours) {
  tools::Image image = Flat(60, 40, 200, 200, 200);
  EXPECT_EQ(tools::CountColourAreas(image), 1);

  // A smooth fade is one area, as a sky is: each step is small though the ends are far apart.
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 60; ++x) image.Pixel(x, y)[0] = static_cast<std::uint8_t>(4 * x);
  EXPECT_EQ(tools::CountColourAreas(image), 1);

  // Two squares of one colour that do not touch are two things to look at; so is the
  // background around them.
  image = Flat(60, 40, 200, 200, 200);
  Paint(image, 5, 5, 15, 15, 20);
  Paint(image, 30, 5, 40, 15, 20);
  EXPECT_EQ(tools::CountColourAreas(image), 3);

  // Squares meeting only at a corner stay apart; sharing an edge, they are one.
  image = Flat(60, 40, 200, 200, 200);
  Paint(image, 5, 5, 15, 15, 20);
  Paint(image, 15, 15, 25, 25, 20);
  EXPECT_EQ(tools::CountColourAreas(image), 3);
  Paint(image, 15, 5, 25, 15, 20);
  EXPECT_EQ(tools::CountColourAreas(image), 2);
}

TEST(ColourAreas, SpecksBelowTheSmallestAreaAreNotCounted) {
  tools::Image image = Flat(60, 40, 200, 200, 200);
  Paint(image, 5, 5, 8, 8, 0);      // 9 pixels: a soft edge's worth
  Paint(image, 20, 5, 23, 9, 0);    // 12 pixels: the smallest that counts
  Paint(image, 40, 5, 41, 6, 100);  // one pixel
  EXPECT_EQ(tools::CountColourAreas(image), 2);
}

TEST(DifferenceFigures, TellTheAreaAndThePixelsThatChange) {
  const tools::Image picture = Flat(300, 300, 128, 128, 128);
  tools::Image patch = Flat(30, 20, 128, 128, 128);
  Paint(patch, 10, 5, 20, 15, 0);  // 100 pixels go from grey to black
  tools::Image faint = Flat(24, 24, 128, 128, 128);
  Paint(faint, 4, 4, 20, 20, 140);  // a change the eye hardly sees
  const std::string path = fixtures::TempFile("figures.stg");
  fixtures::WriteFile(path, tools::BuildStageFile(picture, {{{100, 50, 130, 70}, patch},
                                                            {{10, 200, 34, 224}, faint}}));
  StageData* stage = LoadStage(path.c_str());
  ASSERT_NE(stage, nullptr);
  const tools::StageFigures figures = tools::FiguresOf(*stage);
  FreeStage(stage);

  EXPECT_EQ(figures.areas, 1);
  ASSERT_EQ(figures.differences.size(), 2u);
  const tools::DifferenceFigures& clear = figures.differences[0];
  EXPECT_EQ(clear.rect, (tools::Rect{100, 50, 130, 70}));
  EXPECT_NEAR(clear.percent, 100.0 * 600 / 90000, 1e-9);
  // JPEG blurs the square's edge a little either way.
  EXPECT_NEAR(clear.strong, 100, 16);
  EXPECT_GE(clear.changed, clear.strong);
  EXPECT_LE(clear.changed, 140);
  EXPECT_EQ(figures.differences[1].strong, 0);
  EXPECT_EQ(figures.differences[1].changed, 0);
}

}  // namespace
