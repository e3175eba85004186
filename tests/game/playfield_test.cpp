// The playfield's pixels: what each phase shows, where the numbers and lives sit, and the marks.
#include <gtest/gtest.h>

#include "../support/canvas.h"
#include "Surface.h"
#include "Tavrelo.h"
#include "game_fixtures.h"
#include "kernel/debug_output.h"

namespace {

COLORREF BackgroundAt(const GameState& g, int x, int y) {
  const std::uint32_t p = fixtures::StoredPixel(g.background, x, g.background.info->biHeight - 1 - y);
  return RGB(p >> 16, (p >> 8) & 0xFF, p & 0xFF);
}

// The game record as start-up leaves it (background and glyphs, no stage files here).
class Playfield : public ::testing::Test {
 protected:
  Playfield() : canvas_(632, 420, RGB(1, 2, 3)) { GameInit(&game_); }
  ~Playfield() override { GameShutdown(&game_); }
  COLORREF Glyph(int index, int x, int y) {
    return GetPixel(DigitGlyphs[index].dc, x, y);
  }
  platform::DebugOutputCapture debug_;
  GameState game_{};
  fixtures::Canvas canvas_;
};

TEST_F(Playfield, IdleShowsTheBackgroundAlone) {
  ASSERT_NE(game_.background.info, nullptr);
  game_.score = 123;  // not drawn while idle
  PaintPlayfield(&game_, canvas_.dc());
  EXPECT_TRUE(canvas_.Matches([&](int x, int y) { return BackgroundAt(game_, x, y); }, "idle"));
}

TEST_F(Playfield, SplitAndMeasureDigits) {
  DWORD digits[10];
  ASSERT_EQ(SplitDigits(-407, digits), 3u) << "no sign is drawn";
  EXPECT_EQ(digits[0], 4u);
  EXPECT_EQ(digits[1], 0u);
  EXPECT_EQ(digits[2], 7u);
  EXPECT_EQ(SplitDigits(0, digits), 1u);
  EXPECT_EQ(MeasureDigits(123, 2).cx, 49);
  EXPECT_EQ(MeasureDigits(123, 2).cy, 19);
  EXPECT_EQ(MeasureDigits(2147483647, 0).cx, 150);
}

TEST_F(Playfield, ScoreZeroSitsCentredOnItsAnchorOverRestoredBackground) {
  DrawNumber(&game_, canvas_.dc(), 0, 2, 160, 50);
  EXPECT_TRUE(canvas_.Matches(
      [&](int x, int y) {
        if (x >= 153 && x < 168 && y >= 41 && y < 60) return Glyph(0, x - 153, y - 41);
        // The erase box is that of the number 1 with its right and bottom edges included.
        if (x >= 153 && x <= 168 && y >= 41 && y <= 60) return BackgroundAt(game_, x, y);
        return RGB(1, 2, 3);
      },
      "score-zero"));
}

TEST_F(Playfield, ClockFromTenToNineErasesTheTwoDigitBox) {
  DrawNumber(&game_, canvas_.dc(), 10, 2, 360, 50);
  DrawNumber(&game_, canvas_.dc(), 9, 2, 360, 50);
  EXPECT_TRUE(canvas_.Matches(
      [&](int x, int y) {
        if (x >= 353 && x < 368 && y >= 41 && y < 60) return Glyph(9, x - 353, y - 41);
        if (x >= 344 && x <= 376 && y >= 41 && y <= 60) return BackgroundAt(game_, x, y);
        return RGB(1, 2, 3);
      },
      "clock-ten-to-nine"));
}

TEST_F(Playfield, LivesRowAndItsWiderEraseBox) {
  game_.lives = 5;
  DrawLifeMarks(&game_, canvas_.dc(), 0, 550, 50);
  EXPECT_TRUE(canvas_.Matches(
      [&](int x, int y) {
        if (x >= 513 && x < 588 && y >= 41 && y < 60) return Glyph(kLifeMark, (x - 513) % 15, y - 41);
        if (x >= 498 && x <= 603 && y >= 41 && y <= 60) return BackgroundAt(game_, x, y);
        return RGB(1, 2, 3);
      },
      "five-lives"));
  game_.lives = 0;
  DrawLifeMarks(&game_, canvas_.dc(), 0, 550, 50);
  for (int x = 535; x <= 565; ++x) EXPECT_EQ(canvas_.At(x, 50), BackgroundAt(game_, x, 50)) << x;
  EXPECT_EQ(canvas_.At(513, 50), Glyph(kLifeMark, 0, 9)) << "only the two-glyph box is erased";
}

TEST_F(Playfield, MarksAreRedForFoundAndYellowForRevealedInBothPictures) {
  fixtures::GameFixture f(
      fixtures::MakeStage(300, 300, {{10, 10, 40, 40}, {100, 100, 130, 120}, {200, 20, 230, 60}}), 0);
  GameState& g = f.game;
  g.background = game_.background;  // lent: game_ releases it
  g.leftRect = CentreRect({163, 251}, 150, 150);
  g.rightRect = CentreRect({472, 251}, 150, 150);
  ResetDifferences(&g);
  ChooseTargets(&g);
  ComposePictures(&g);
  g.targets[0].found = g.targets[0].marked = 1;
  g.foundCount = 1;
  g.phase = kLost;
  PaintPlayfield(&g, canvas_.dc());
  const auto shown = [&](const DibImage& p, int x, int y) {
    const std::uint32_t c = fixtures::ShownPixel(p, x, y);
    return RGB(c >> 16, (c >> 8) & 0xFF, c & 0xFF);
  };
  const auto maskPenNot = [](COLORREF pen, COLORREF screen) { return pen & ~screen & 0xFFFFFF; };
  for (const bool left : {true, false}) {
    const RECT& picture = left ? g.leftRect : g.rightRect;
    const DibImage& image = left ? g.leftPicture : g.rightPicture;
    // The left edge of target 0's outline (red) and of target 1's (yellow), and a pixel just
    // inside each, which keeps the picture.
    const int x0 = picture.left + 10, y0 = picture.top + 20;
    EXPECT_EQ(canvas_.At(x0, y0), maskPenNot(RGB(255, 0, 0), shown(image, 10, 20)));
    EXPECT_EQ(canvas_.At(x0 + 1, y0), shown(image, 11, 20));
    const int x1 = picture.left + 100, y1 = picture.top + 110;
    EXPECT_EQ(canvas_.At(x1, y1), maskPenNot(RGB(255, 255, 0), shown(image, 100, 110)));
    EXPECT_EQ(canvas_.At(x1 + 1, y1), shown(image, 101, 110));
  }
  g.phase = kPlaying;
  PaintPlayfield(&g, canvas_.dc());
  EXPECT_EQ(canvas_.At(g.leftRect.left + 100, g.leftRect.top + 110), shown(g.leftPicture, 100, 110))
      << "yellow marks only once the game is lost";
  g.background = DibImage{};
}

}  // namespace
