// The shipped stage set: every file plays, and each is a fair puzzle that takes looking for.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "Stage.h"
#include "stats.h"
#include "support/jpeg_fixtures.h"
#include "support/tool_runner.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> ShippedStages() {
  std::vector<std::string> paths;
  for (const auto& entry : fs::directory_iterator(TAVRELO_STAGE_DIR))
    if (entry.path().extension() == ".stg") paths.push_back(entry.path().string());
  std::sort(paths.begin(), paths.end());
  return paths;
}

TEST(ShippedStages, EnoughThatNoFileRepeatsWithinAGame) { EXPECT_GE(ShippedStages().size(), 60u); }

TEST(ShippedStages, EachIsASquareColourPictureWithFiveToSevenFairDifferences) {
  for (const std::string& path : ShippedStages()) {
    SCOPED_TRACE(path);
    StageData* stage = LoadStage(path.c_str());
    ASSERT_NE(stage, nullptr);
    const BITMAPINFOHEADER info = *stage->picture.info;
    EXPECT_EQ(info.biWidth, 300);
    EXPECT_EQ(info.biHeight, 300);
    EXPECT_EQ(info.biBitCount, 24);
    EXPECT_GE(stage->differenceCount, 5u);
    EXPECT_LE(stage->differenceCount, 7u);
    for (DWORD i = 0; i < stage->differenceCount; ++i) {
      const Difference& d = stage->differences[i];
      const BITMAPINFOHEADER patch = *d.patch.info;
      EXPECT_GE(d.right - d.left, 12) << "difference " << i;
      EXPECT_GE(d.bottom - d.top, 12) << "difference " << i;
      EXPECT_EQ(patch.biWidth, d.right - d.left) << "difference " << i;
      EXPECT_EQ(patch.biHeight, d.bottom - d.top) << "difference " << i;
      EXPECT_EQ(patch.biBitCount, 24);
      EXPECT_TRUE(d.left >= 0 && d.top >= 0 && d.right <= 300 && d.bottom <= 300)
          << "difference " << i;
      for (DWORD j = i + 1; j < stage->differenceCount; ++j) {
        const Difference& e = stage->differences[j];
        const bool overlap =
            d.left < e.right && e.left < d.right && d.top < e.bottom && e.top < d.bottom;
        EXPECT_FALSE(overlap) << "differences " << i << " and " << j;
      }
    }
    FreeStage(stage);
  }
}

// Each difference takes looking for, and none is unfair: a mix of small ones (1 % of the
// picture at most) and larger ones, no more than two large (over 3 %), each with enough pixels
// that change strongly to be seen side by side, and each a few pixels clear of the others.
TEST(ShippedStages, DifferencesAreSmallYetFair) {
  for (const std::string& path : ShippedStages()) {
    SCOPED_TRACE(path);
    StageData* stage = LoadStage(path.c_str());
    ASSERT_NE(stage, nullptr);
    const tools::StageFigures figures = tools::FiguresOf(*stage);
    FreeStage(stage);
    int small = 0, large = 0;
    for (std::size_t i = 0; i < figures.differences.size(); ++i) {
      const tools::DifferenceFigures& d = figures.differences[i];
      small += d.percent <= 1.0;
      large += d.percent > 3.0;
      EXPECT_GE(d.strong, 60) << "difference " << i;
      for (std::size_t j = i + 1; j < figures.differences.size(); ++j) {
        const tools::Rect& e = figures.differences[j].rect;
        const bool apart = e.left >= d.rect.right + 4 || d.rect.left >= e.right + 4 ||
                           e.top >= d.rect.bottom + 4 || d.rect.top >= e.bottom + 4;
        EXPECT_TRUE(apart) << "differences " << i << " and " << j;
      }
    }
    EXPECT_GE(small, 2);
    EXPECT_LE(large, 2);
  }
}

// Full scenes: every picture has many areas of one colour for the eye to go over, and the set
// as a whole half again as many as the plain scenes it replaced (a median of 66, the least 29).
TEST(ShippedStages, PicturesAreBusy) {
  std::vector<int> areas;
  for (const std::string& path : ShippedStages()) {
    StageData* stage = LoadStage(path.c_str());
    ASSERT_NE(stage, nullptr) << path;
    areas.push_back(tools::FiguresOf(*stage).areas);
    FreeStage(stage);
    EXPECT_GE(areas.back(), 45) << path;
  }
  std::sort(areas.begin(), areas.end());
  EXPECT_GE(areas[areas.size() / 2], 100);
}

TEST(ShippedStages, InspectFindsNothingToFix) {
  std::string all;
  for (const std::string& path : ShippedStages()) all += " '" + path + "'";
  const fixtures::ToolRun run = fixtures::RunStageTool("inspect" + all);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.stdoutText.find("warning:"), std::string::npos) << run.stdoutText;
  EXPECT_EQ(run.stdoutText.find("problem:"), std::string::npos) << run.stdoutText;
}

TEST(StageGenerator, TheSameSeedDrawsTheSameFiles) {
  const std::string a = fixtures::TempFile("generated-a");
  const std::string b = fixtures::TempFile("generated-b");
  for (const std::string& dir : {a, b}) {
    fs::remove_all(dir);
    ASSERT_EQ(std::system(("'" TAVRELO_MAKE_STAGES "' '" + dir + "' 3 7").c_str()), 0);
  }
  int files = 0;
  for (const auto& entry : fs::directory_iterator(a)) {
    ++files;
    EXPECT_TRUE(fixtures::ReadFile(entry.path().string()) ==
                fixtures::ReadFile((fs::path(b) / entry.path().filename()).string()))
        << entry.path();
  }
  EXPECT_EQ(files, 3);
}

}  // namespace
