// Choosing the differences in play, pasting the patches, orientations and the random numbers.
#include <gtest/gtest.h>

#include <set>

#include "Bitmap.h"
#include "Tavrelo.h"
#include "TrackedAlloc.h"
#include "game_fixtures.h"

namespace {

using fixtures::FixedCounter;
using fixtures::GameFixture;
using fixtures::MakeBmp;
using fixtures::MakeStage;
using fixtures::PatchColour;
using fixtures::ShownPixel;
using fixtures::StoredPixel;

std::vector<RECT> SevenRects() {
  return {{2, 2, 8, 6},     {12, 3, 18, 9},   {22, 2, 27, 8},  {2, 14, 9, 20},
          {13, 14, 19, 21}, {22, 15, 28, 22}, {5, 24, 12, 29}};
}

TEST(Random, FollowsTheLinearCongruentialRuleFromTheCounter) {
  FixedCounter counter(1);
  SeedRandom();
  EXPECT_EQ(NextRandom(), 41u);
  EXPECT_EQ(NextRandom(), 18467u);
  EXPECT_EQ(NextRandom(), 6334u);
  EXPECT_EQ(NextRandom(), 26500u);
}

TEST(Random, StaysWithinFifteenBits) {
  FixedCounter counter(0xDEADBEEF);
  SeedRandom();
  for (int i = 0; i < 10000; ++i) ASSERT_LE(NextRandom(), 32767u);
}

TEST(Orientation, PointsMoveAsTheTableSays) {
  // A 4 x 3 picture for the orientations any picture has; a 4 x 4 one for the quarter turns.
  EXPECT_EQ(TransformPoint(1, 2, 4, 3, 0).x, 1);
  EXPECT_EQ(TransformPoint(1, 2, 4, 3, 2).x, 2);
  EXPECT_EQ(TransformPoint(1, 2, 4, 3, 2).y, 0);
  EXPECT_EQ(TransformPoint(1, 2, 4, 3, 4).x, 2);
  EXPECT_EQ(TransformPoint(1, 2, 4, 3, 4).y, 2);
  EXPECT_EQ(TransformPoint(0, 0, 4, 4, 1).x, 0);
  EXPECT_EQ(TransformPoint(0, 0, 4, 4, 1).y, 3) << "counter-clockwise: top-left goes bottom-left";
  EXPECT_EQ(TransformPoint(0, 0, 4, 4, 3).x, 3);
  EXPECT_EQ(TransformPoint(0, 0, 4, 4, 3).y, 0) << "clockwise: top-left goes top-right";
}

// The pixels a rectangle covers, moved one by one, are exactly the pixels the moved rectangle
// covers: the exclusive corner is not a pixel and must not be turned like one.
TEST(Orientation, RectangleCoversExactlyTheMovedPixels) {
  const LONG w = 30, h = 30;
  for (DWORD t = 0; t < 5; ++t) {
    for (const RECT& original : SevenRects()) {
      RECT moved = original;
      TransformRect(&moved, w, h, t);
      ASSERT_LT(moved.left, moved.right);
      ASSERT_LT(moved.top, moved.bottom);
      std::set<std::pair<LONG, LONG>> expected, got;
      for (LONG y = original.top; y < original.bottom; ++y)
        for (LONG x = original.left; x < original.right; ++x) {
          const POINT p = TransformPoint(x, y, w, h, t);
          expected.insert({p.x, p.y});
        }
      for (LONG y = moved.top; y < moved.bottom; ++y)
        for (LONG x = moved.left; x < moved.right; ++x) got.insert({x, y});
      EXPECT_EQ(got, expected) << "orientation " << t;
    }
  }
}

// A difference whose rectangle holds no pixel can never be hit, and must stay so however the
// pictures are turned: the corner rule above would otherwise give it a row or column of pixels.
TEST(Orientation, EmptyAndInvertedRectanglesStayEmpty) {
  const RECT nothing[] = {{10, 10, 10, 20}, {10, 10, 20, 10}, {10, 10, 10, 10},
                          {20, 10, 10, 20}, {10, 20, 20, 10}, {0, 0, 0, 0}};
  for (DWORD t = 0; t < 5; ++t) {
    for (const RECT& original : nothing) {
      RECT moved = original;
      TransformRect(&moved, 30, 30, t);
      EXPECT_LE(moved.right - moved.left, 0) << "orientation " << t << " from " << original.left
                                             << "," << original.top << "," << original.right
                                             << "," << original.bottom;
      EXPECT_LE(moved.bottom - moved.top, 0) << "orientation " << t;
    }
  }
}

class PictureOrientation : public ::testing::TestWithParam<int> {};

TEST_P(PictureOrientation, EveryPixelGoesWhereItsPointGoes) {
  const int bits = GetParam();
  for (DWORD t = 0; t < 5; ++t) {
    // Five pixels wide, so that every row carries padding.
    const auto rule = [](int x, int y) { return static_cast<std::uint32_t>(x * 40 + y * 3 + 1); };
    BYTE* before = MakeBmp(5, 5, bits, rule);
    BYTE* after = MakeBmp(5, 5, bits, rule);
    DibImage a, b;
    BindDibImage(&a, before);
    BindDibImage(&b, after);
    ASSERT_TRUE(TransformPicture(&b, t));
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 5; ++x) {
        const POINT p = TransformPoint(x, y, 5, 5, t);
        ASSERT_EQ(StoredPixel(b, p.x, p.y), StoredPixel(a, x, y)) << "orientation " << t;
      }
    FreeBmp(before);
    FreeBmp(b.file);  // the turned picture may stand in a block of its own
  }
  EXPECT_EQ(g_TrackedList.liveCount, 0u);
}

INSTANTIATE_TEST_SUITE_P(ColourAndGray, PictureOrientation, ::testing::Values(24, 8));

TEST(Orientation, QuarterTurnOfAPictureThatIsNotSquareIsRefused) {
  BYTE* block = MakeBmp(6, 4, 24, fixtures::BackgroundColour);
  DibImage picture;
  BindDibImage(&picture, block);
  EXPECT_FALSE(TransformPicture(&picture, 1));
  EXPECT_FALSE(TransformPicture(&picture, 3));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x)
      ASSERT_EQ(StoredPixel(picture, x, y), fixtures::BackgroundColour(x, y)) << "left untouched";
  FreeBmp(block);
}

TEST(ChooseTargets, EasyPlaysTheFirstFiveInFileOrder) {
  GameFixture f(MakeStage(30, 30, SevenRects()), 0);
  ResetDifferences(&f.game);
  ChooseTargets(&f.game);
  ASSERT_EQ(f.game.targetCount, 5u);
  for (DWORD i = 0; i < 7; ++i) EXPECT_EQ(f.game.stage->differences[i].chosen, i < 5 ? 1u : 0u);
  for (DWORD i = 0; i < 5; ++i) EXPECT_EQ(f.game.targets[i].rect.left, SevenRects()[i].left);
}

TEST(ChooseTargets, MediumPlaysFiveDistinctOnesInFileOrderWithOneSideEach) {
  std::set<DWORD> everChosen;
  for (std::uint32_t seed = 1; seed < 40; ++seed) {
    FixedCounter counter(seed * 7919);
    GameFixture f(MakeStage(30, 30, SevenRects()), 1);
    ResetDifferences(&f.game);
    ChooseTargets(&f.game);
    ASSERT_EQ(f.game.targetCount, 5u);
    DWORD next = 0;
    for (DWORD i = 0; i < 7; ++i) {
      const Difference& d = f.game.stage->differences[i];
      if (!d.chosen) {
        EXPECT_EQ(d.patchLeft + d.patchRight, 0u) << "a difference not in play goes nowhere";
        continue;
      }
      everChosen.insert(i);
      EXPECT_EQ(d.patchLeft + d.patchRight, 1u) << "exactly one side";
      EXPECT_EQ(f.game.targets[next++].rect.left, d.left) << "targets keep file order";
    }
  }
  EXPECT_GT(everChosen.count(5) + everChosen.count(6), 0u) << "the last ones are drawn too";
}

TEST(ChooseTargets, ThreeDifferencesAreAllPlayedOnEveryLevel) {
  for (DWORD level = 0; level < 3; ++level) {
    GameFixture f(MakeStage(30, 30, {{1, 1, 5, 5}, {10, 10, 15, 15}, {20, 1, 25, 6}}), level);
    ResetDifferences(&f.game);
    ChooseTargets(&f.game);
    EXPECT_EQ(f.game.targetCount, 3u);
  }
}

TEST(ChooseTargets, PatchOfAnotherDepthIsLeftOut) {
  StageData* stage = MakeStage(30, 30, {{1, 1, 5, 5}, {10, 10, 15, 15}, {20, 1, 25, 6}, {1, 20, 6, 25}});
  Difference& gray = stage->differences[1];
  FreeBmp(gray.patch.file);
  BindDibImage(&gray.patch, MakeBmp(5, 5, 8, [](int, int) { return 0x80u; }));
  GameFixture f(stage, 1);
  ResetDifferences(&f.game);
  ChooseTargets(&f.game);
  EXPECT_EQ(stage->availableCount, 3u);
  EXPECT_EQ(f.game.targetCount, 3u);
  EXPECT_EQ(gray.chosen, 0u);
}

// What the player sees: each target's patch in exactly one picture, nothing else changed, and
// on Difficult both pictures turned alike with the targets following them.
void ExpectComposedAsSeen(GameFixture& f) {
  const DibImage& L = f.game.leftPicture;
  const DibImage& R = f.game.rightPicture;
  const LONG w = L.info->biWidth, h = L.info->biHeight;
  std::vector<int> inside(static_cast<std::size_t>(w * h), -1);
  for (DWORD i = 0; i < f.game.targetCount; ++i) {
    const RECT& r = f.game.targets[i].rect;
    ASSERT_GE(r.left, 0);
    ASSERT_GE(r.top, 0);
    ASSERT_LE(r.right, w);
    ASSERT_LE(r.bottom, h);
    for (LONG y = r.top; y < r.bottom; ++y)
      for (LONG x = r.left; x < r.right; ++x) inside[static_cast<std::size_t>(y * w + x)] = static_cast<int>(i);
  }
  std::set<std::uint32_t> patchColours;
  for (DWORD i = 0; i < f.game.stage->differenceCount; ++i)
    if (f.game.stage->differences[i].chosen) patchColours.insert(PatchColour(static_cast<int>(i)));
  for (LONG y = 0; y < h; ++y)
    for (LONG x = 0; x < w; ++x) {
      const std::uint32_t l = ShownPixel(L, x, y), r = ShownPixel(R, x, y);
      if (inside[static_cast<std::size_t>(y * w + x)] < 0) {
        ASSERT_EQ(l, r) << "outside the targets both pictures agree at " << x << "," << y;
        ASSERT_EQ(patchColours.count(l), 0u) << "no patch outside its target at " << x << "," << y;
      } else {
        ASSERT_NE(l, r) << "inside a target exactly one picture has the patch at " << x << "," << y;
        ASSERT_EQ(patchColours.count(l) + patchColours.count(r), 1u);
      }
    }
}

TEST(ComposePictures, EveryPatchShowsInExactlyOnePictureAndNowhereElse) {
  for (DWORD level = 0; level < 3; ++level)
    for (std::uint32_t seed = 1; seed < 25; ++seed) {
      FixedCounter counter(seed * 104729);
      GameFixture f(MakeStage(30, 30, SevenRects()), level);
      ResetDifferences(&f.game);
      ChooseTargets(&f.game);
      ASSERT_TRUE(ComposePictures(&f.game));
      ExpectComposedAsSeen(f);
      if (HasFatalFailure()) return;
    }
}

TEST(ComposePictures, PictureThatIsNotSquareIsOnlyTurnedHalfwayOrMirrored) {
  std::set<std::uint32_t> cornerColours;
  for (std::uint32_t seed = 1; seed < 60; ++seed) {
    FixedCounter counter(seed * 15485863u);
    GameFixture f(MakeStage(34, 30, SevenRects()), 2);
    ResetDifferences(&f.game);
    ChooseTargets(&f.game);
    ASSERT_TRUE(ComposePictures(&f.game));
    ExpectComposedAsSeen(f);
    if (HasFatalFailure()) return;
    const LONG width = f.game.leftPicture.info->biWidth;  // a packed field: read by value
    EXPECT_EQ(width, 34);
    cornerColours.insert(ShownPixel(f.game.leftPicture, 0, 0));
  }
  EXPECT_EQ(cornerColours.size(), 3u) << "as stored, turned halfway and mirrored all occur";
}

TEST(ComposePictures, HalfTurnPutsTheTopLeftDifferenceAtTheBottomRight) {
  // Counter values are tried until the draw gives a half turn; the rule is the generator's.
  for (std::uint32_t seed = 1;; ++seed) {
    FixedCounter counter(seed);
    SeedRandom();
    if (NextRandom() % 5 != 2) continue;
    GameFixture f(MakeStage(30, 30, {{0, 0, 4, 3}, {10, 10, 15, 15}, {20, 20, 25, 25}}), 2);
    f.game.stage->differenceCount = 3;
    ResetDifferences(&f.game);
    ChooseTargets(&f.game);
    ASSERT_TRUE(ComposePictures(&f.game));
    const RECT& r = f.game.targets[0].rect;
    EXPECT_EQ(r.left, 26);
    EXPECT_EQ(r.top, 27);
    EXPECT_EQ(r.right, 30);
    EXPECT_EQ(r.bottom, 30);
    ExpectComposedAsSeen(f);
    break;
  }
}

// On Difficult the player sees the stored picture turned by orientation t: every pixel outside
// the targets is the stage picture's pixel that t takes there. Checked for each orientation,
// for colour and gray, on an odd size.
TEST(ComposePictures, DifficultShowsTheStagePictureTurnedByTheDrawnOrientation) {
  for (const int bits : {24, 8}) {
    std::set<DWORD> seen;
    for (std::uint32_t seed = 1; seen.size() < 5 && seed < 500; ++seed) {
      FixedCounter counter(seed);
      SeedRandom();
      const DWORD t = NextRandom() % 5;
      if (!seen.insert(t).second) continue;
      GameFixture f(MakeStage(37, 37, {{1, 1, 6, 5}, {20, 3, 30, 9}, {4, 25, 9, 33}}, bits), 2);
      ResetDifferences(&f.game);
      ChooseTargets(&f.game);
      ASSERT_TRUE(ComposePictures(&f.game));
      std::vector<bool> inTarget(37 * 37, false);
      for (DWORD i = 0; i < f.game.targetCount; ++i) {
        const RECT& r = f.game.targets[i].rect;
        for (LONG y = r.top; y < r.bottom; ++y)
          for (LONG x = r.left; x < r.right; ++x) inTarget[static_cast<std::size_t>(y * 37 + x)] = true;
      }
      for (LONG y = 0; y < 37; ++y)
        for (LONG x = 0; x < 37; ++x) {
          const POINT p = TransformPoint(x, y, 37, 37, t);
          if (inTarget[static_cast<std::size_t>(p.y * 37 + p.x)]) continue;
          std::uint32_t expected = fixtures::BackgroundColour(x, y);
          if (bits == 8) expected = (expected & 0xFF) * 0x010101u;
          ASSERT_EQ(ShownPixel(f.game.leftPicture, p.x, p.y), expected)
              << bits << "-bit, orientation " << t << " at " << x << "," << y;
          ASSERT_EQ(ShownPixel(f.game.rightPicture, p.x, p.y), expected);
        }
      if (bits == 24) ExpectComposedAsSeen(f);
    }
    EXPECT_EQ(seen.size(), 5u);
  }
}

TEST(CentreRect, PlacesAPictureAroundItsCentre) {
  const RECT r = CentreRect({163, 251}, 150, 150);
  EXPECT_EQ(r.left, 13);
  EXPECT_EQ(r.top, 101);
  EXPECT_EQ(r.right, 313);
  EXPECT_EQ(r.bottom, 401);
}

}  // namespace
