// What the fuzzers found, kept as tests: each input in tests/fuzz/regressions is played as the
// pipeline target played it when it failed. The sanitizer build is where a relapse shows.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "../support/test_host.h"
#include "Tavrelo.h"
#include "TrackedAlloc.h"
#include "game_fixtures.h"
#include "kernel/debug_output.h"
#include "shell/Shell.h"

namespace {

namespace fs = std::filesystem;

TEST(FuzzFindings, EveryStageTheFuzzersFoundPlaysThroughAtEveryDifficulty) {
  fixtures::TestHost host;
  host.onIdle = fixtures::PressEnterOnFocus;
  platform::DebugOutputCapture debug;
  LoadTexts(nullptr);
  int played = 0;
  for (const auto& entry : fs::directory_iterator(TAVRELO_FUZZ_REGRESSIONS)) {
    if (entry.path().extension() != ".stg") continue;
    SCOPED_TRACE(entry.path().filename().string());
    fixtures::WorkFolder folder("tavrelo-finding");
    fs::create_directories(folder.path / "Stage");
    fs::copy_file(entry.path(), folder.path / "Stage" / entry.path().filename());
    for (DWORD difficulty = 0; difficulty < 3; ++difficulty) {
      GameState game{};
      GameInit(&game);
      game.difficulty = difficulty;
      NewGame(&game, 0);
      for (DWORD i = 0; game.phase == kPlaying && i < game.targetCount; ++i) {
        const RECT& r = game.targets[i].rect;
        EXPECT_TRUE(r.left >= 0 && r.right <= game.leftPicture.info->biWidth && r.top >= 0 &&
                    r.bottom <= game.leftPicture.info->biHeight)
            << "target " << i << " stands inside its picture";
      }
      POINT corner = {game.leftRect.left, game.leftRect.top};
      OnClick(&game, &corner);
      while (game.phase == kPlaying && ShowMeOut(&game)) {
      }
      GameShutdown(&game);
      EXPECT_EQ(g_TrackedList.liveCount, 0u);
    }
    ++played;
  }
  EXPECT_GT(played, 0) << "the findings are where the test looks";
}

}  // namespace
