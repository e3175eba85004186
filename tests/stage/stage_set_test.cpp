// The stage set the build draws: every file plays, and each is a fair puzzle that takes looking
// for, a picture of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "Stage.h"
#include "stats.h"
#include "support/jpeg_fixtures.h"
#include "support/tool_runner.h"

namespace {

namespace fs = std::filesystem;

// How busy the pictures are, in areas of one colour as `tavrelo-stage inspect --stats` counts
// them: the least of any picture, and the median of the set.
constexpr int kFewestAreas = 150;
constexpr int kMedianAreas = 250;

std::vector<std::string> ShippedStages() {
  std::vector<std::string> paths;
  for (const auto& entry : fs::directory_iterator(TAVRELO_STAGE_DIR))
    if (entry.path().extension() == ".stg") paths.push_back(entry.path().string());
  std::sort(paths.begin(), paths.end());
  return paths;
}

// The set's names: NNNN-place.stg, numbered from 0001 without a gap, as many stages as the build
// draws (a thousand, or three of each place in the sanitizers' build) in at least sixty places,
// each place with its share.
TEST(ShippedStages, AThousandStagesInSixtyPlacesNamedAfterThem) {
  const std::vector<std::string> paths = ShippedStages();
  ASSERT_EQ(paths.size(), static_cast<std::size_t>(TAVRELO_STAGE_COUNT));
#ifndef TAVRELO_SANITIZED_BUILD
  EXPECT_GE(paths.size(), 1000u);
#endif
  const std::regex name("([0-9]{4})-([a-z]+(-[a-z]+)*)\\.stg");
  std::map<std::string, int> places;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const std::string file = fs::path(paths[i]).filename().string();
    std::smatch parts;
    ASSERT_TRUE(std::regex_match(file, parts, name)) << file;
    EXPECT_EQ(std::stoul(parts[1].str()), i + 1) << file;
    ++places[parts[2].str()];
  }
  EXPECT_GE(places.size(), 60u);
  for (const auto& [place, stages] : places)
    EXPECT_GE(stages, static_cast<int>(paths.size() / places.size())) << place;
}

// A picture shrunk to a tenth each way: two stages whose thumbnails are this close would look
// alike to a player.
std::vector<int> Thumbnail(const tools::Image& picture) {
  std::vector<int> small;
  for (int y = 0; y < picture.height; y += 10)
    for (int x = 0; x < picture.width; x += 10)
      for (int c = 0; c < 3; ++c) {
        int sum = 0;
        for (int dy = 0; dy < 10; ++dy)
          for (int dx = 0; dx < 10; ++dx) sum += picture.Pixel(x + dx, y + dy)[c];
        small.push_back(sum / 100);
      }
  return small;
}

// Every stage of the set in one pass (a thousand JPEG pictures take a while to decode): a square
// colour picture with five to seven fair differences, a mix of small ones (1 % of the picture at
// most) and larger ones, no more than two large (over 3 %), each with enough pixels that change
// strongly to be seen side by side and a few pixels clear of the others; a busy scene; and no
// picture like another.
TEST(ShippedStages, EachIsABusyPictureOfItsOwnWithFiveToSevenFairDifferences) {
  std::vector<int> areas;
  // Pictures of one place are the ones that could look alike; each is compared with the others
  // of its place.
  std::map<std::string, std::vector<std::pair<std::string, std::vector<int>>>> thumbnails;
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
    const tools::StageFigures figures = tools::FiguresOf(*stage);
    const std::string file = fs::path(path).filename().string();
    thumbnails[file.substr(5)].push_back(
        {file, Thumbnail(tools::ImageFromBmp(stage->picture.file, tools::Orientation::UpsideDown))});
    int small = 0, large = 0;
    for (DWORD i = 0; i < stage->differenceCount; ++i) {
      const Difference& d = stage->differences[i];
      const tools::DifferenceFigures& f = figures.differences[i];
      EXPECT_GE(d.right - d.left, 12) << "difference " << i;
      EXPECT_GE(d.bottom - d.top, 12) << "difference " << i;
      // A copy: the header stands unaligned in the BMP file image.
      const BITMAPINFOHEADER patch = *d.patch.info;
      EXPECT_EQ(patch.biWidth, d.right - d.left) << "difference " << i;
      EXPECT_EQ(patch.biHeight, d.bottom - d.top) << "difference " << i;
      EXPECT_TRUE(d.left >= 0 && d.top >= 0 && d.right <= 300 && d.bottom <= 300) << i;
      EXPECT_GE(f.strong, 60) << "difference " << i;
      small += f.percent <= 1.0;
      large += f.percent > 3.0;
      for (DWORD j = i + 1; j < stage->differenceCount; ++j) {
        const Difference& e = stage->differences[j];
        const bool apart = e.left >= d.right + 4 || d.left >= e.right + 4 ||
                           e.top >= d.bottom + 4 || d.top >= e.bottom + 4;
        EXPECT_TRUE(apart) << "differences " << i << " and " << j;
      }
    }
    EXPECT_GE(small, 2);
    EXPECT_LE(large, 2);
    areas.push_back(figures.areas);
    EXPECT_GE(areas.back(), kFewestAreas);
    FreeStage(stage);
  }
  std::sort(areas.begin(), areas.end());
  EXPECT_GE(areas[areas.size() / 2], kMedianAreas);
  for (const auto& [place, pictures] : thumbnails)
    for (std::size_t a = 0; a < pictures.size(); ++a)
      for (std::size_t b = a + 1; b < pictures.size(); ++b) {
        const std::vector<int>& one = pictures[a].second;
        const std::vector<int>& other = pictures[b].second;
        long difference = 0;
        for (std::size_t k = 0; k < one.size(); ++k) difference += std::abs(one[k] - other[k]);
        EXPECT_GT(difference, 4L * static_cast<long>(one.size()))
            << pictures[a].first << " and " << pictures[b].first << " look alike";
      }
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
