// The stage catalogue: listing the stage files and drawing a game's play order.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "Tavrelo.h"
#include "TrackedAlloc.h"
#include "game_fixtures.h"

namespace {

namespace fs = std::filesystem;

// A game record with `count` stage names "sNN.stg" and room for the play order.
struct Catalogue {
  explicit Catalogue(DWORD count) {
    game.stagesPerGame = kStagesPerGame;
    game.stageFileCount = count;
    game.stageFiles = static_cast<char**>(
        TrackedAlloc(count * sizeof(char*), &g_TrackedList, __FILE__, __LINE__));
    for (DWORD i = 0; i < count; ++i) {
      game.stageFiles[i] =
          static_cast<char*>(TrackedAlloc(kStageNameChars, &g_TrackedList, __FILE__, __LINE__));
      std::snprintf(game.stageFiles[i], kStageNameChars, "s%02u.stg", static_cast<unsigned>(i));
    }
    game.playOrder = static_cast<char**>(
        TrackedAlloc(kStagesPerGame * sizeof(char*), &g_TrackedList, __FILE__, __LINE__));
    for (DWORD j = 0; j < kStagesPerGame; ++j)
      game.playOrder[j] =
          static_cast<char*>(TrackedAlloc(kStagePathChars, &g_TrackedList, __FILE__, __LINE__));
  }
  ~Catalogue() { GameShutdown(&game); }
  // The file index of stage j.
  int FileOf(DWORD j) const {
    const std::string path = game.playOrder[j];
    EXPECT_EQ(path.rfind(".\\Stage\\", 0), 0u) << path;
    return std::atoi(path.c_str() + std::strlen(".\\Stage\\s"));
  }
  GameState game{};
};

class PlayOrder : public ::testing::TestWithParam<DWORD> {};

TEST_P(PlayOrder, NoFileRepeatsBeforeAllHaveBeenPlayed) {
  const DWORD files = GetParam();
  for (std::uint32_t seed = 1; seed < 30; ++seed) {
    fixtures::FixedCounter counter(seed * 2654435761u);
    Catalogue c(files);
    ASSERT_EQ(BuildPlayOrder(&c.game), 1u);
    for (DWORD block = 0; block * files < kStagesPerGame; ++block) {
      std::set<int> seen;
      for (DWORD j = block * files; j < std::min<DWORD>((block + 1) * files, kStagesPerGame); ++j) {
        const int file = c.FileOf(j);
        ASSERT_GE(file, 0);
        ASSERT_LT(file, static_cast<int>(files));
        ASSERT_TRUE(seen.insert(file).second) << "file " << file << " twice in block " << block;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(OneThreeAndSixtyFiles, PlayOrder, ::testing::Values(1u, 3u, 60u));

TEST(PlayOrder, SixtyFilesGiveFiftyDifferentStages) {
  fixtures::FixedCounter counter(12345);
  Catalogue c(60);
  BuildPlayOrder(&c.game);
  std::set<int> files;
  for (DWORD j = 0; j < kStagesPerGame; ++j) files.insert(c.FileOf(j));
  EXPECT_EQ(files.size(), 50u);
}

TEST(PlayOrder, TakenFileGivesWayToTheNextFreeOne) {
  // With the counter at 1 the draws are 41 and 18467: both odd. Stage 0 is file 1; file 1 is
  // then used up for the first block, so stage 1 wraps around to file 0.
  fixtures::FixedCounter counter(1);
  Catalogue c(2);
  BuildPlayOrder(&c.game);
  EXPECT_EQ(c.FileOf(0), 1);
  EXPECT_EQ(c.FileOf(1), 0);
}

TEST(PlayOrder, NeedsAStageFile) {
  Catalogue c(0);
  EXPECT_EQ(BuildPlayOrder(&c.game), 0u);
}

class StageFolder : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(g_TrackedList.liveCount, 0u); }
  void Touch(const std::string& name) { std::ofstream(folder_.path / "Stage" / name) << "x"; }
  fixtures::WorkFolder folder_{"tavrelo-catalogue"};
};

TEST_F(StageFolder, ListsTheStageFilesByName) {
  fs::create_directories(folder_.path / "Stage");
  Touch("b.stg");
  Touch("a.STG");
  Touch("notes.txt");
  Touch("c.stg.bak");
  GameState game{};
  EXPECT_EQ(ScanStageFiles(&game), 1u);
  ASSERT_EQ(game.stageFileCount, 2u);
  std::set<std::string> names{game.stageFiles[0], game.stageFiles[1]};
  EXPECT_EQ(names, (std::set<std::string>{"a.STG", "b.stg"}));
  FreeStageFiles(&game);
}

TEST_F(StageFolder, NoFolderMeansNoStageFiles) {
  GameState game{};
  EXPECT_EQ(ScanStageFiles(&game), 0u);
  EXPECT_EQ(game.stageFileCount, 0u);
  EXPECT_EQ(game.stageFiles, nullptr);
}

}  // namespace
