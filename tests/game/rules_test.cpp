// Clicks, hits and misses, hints, the stage clock, and setting up stages from files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "../support/stage_builder.h"
#include "../support/test_heap.h"
#include "../support/test_host.h"
#include "Setting.h"
#include "Tavrelo.h"
#include "TrackedAlloc.h"
#include "game_fixtures.h"
#include "shell/Shell.h"
#include "kernel/debug_output.h"
#include "user/message_box.h"
#include "user/user_state.h"
#include "winmm/sound.h"

namespace {

namespace fs = std::filesystem;

// A stage in play: a 300 x 300 picture centred as the game centres it, three targets, the
// second overlapping the first. Sounds and message boxes are recorded; every box is answered
// with Enter.
class Rules : public ::testing::Test {
 protected:
  Rules() : f_(fixtures::MakeStage(300, 300, {{10, 10, 40, 40}, {30, 30, 60, 60}, {100, 100, 120, 130}}), 1) {
    platform::winmm::SetSoundSink(
        [this](const std::string& alias, const std::string&) { sounds_.push_back(alias); });
    platform::user::SetMessageBoxObserver(
        [this](const char*, const char* text, UINT) { boxes_.push_back(text); });
    host_.onIdle = fixtures::PressEnterOnFocus;
    LoadTexts(nullptr);
    GameState& g = f_.game;
    ResetDifferences(&g);
    ChooseTargets(&g);
    ComposePictures(&g);
    g.leftRect = CentreRect({163, 251}, 150, 150);
    g.rightRect = CentreRect({472, 251}, 150, 150);
    g.phase = kPlaying;
    g.lives = 5;
    g.hintsLeft = 5;
    g.timeLeft = 120;
    g.stageNumber = 1;
  }
  ~Rules() override {
    platform::winmm::SetSoundSink({});
    platform::user::SetMessageBoxObserver({});
  }
  void Click(LONG x, LONG y) {
    POINT p = {x, y};
    OnClick(&f_.game, &p);
  }
  GameState& game() { return f_.game; }

  fixtures::TestHost host_;
  platform::DebugOutputCapture debug_;
  fixtures::GameFixture f_;
  std::vector<std::string> sounds_, boxes_;
};

TEST_F(Rules, PictureEdgesFollowTheRectangleRule) {
  POINT p = {13, 101};
  EXPECT_EQ(FindPicture(&game(), &p), 1u) << "left and top edges are inside";
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 0);
  p = {313, 200};
  EXPECT_EQ(FindPicture(&game(), &p), 0u) << "the right edge is outside";
  p = {200, 401};
  EXPECT_EQ(FindPicture(&game(), &p), 0u) << "the bottom edge is outside";
  p = {621, 400};
  EXPECT_EQ(FindPicture(&game(), &p), 1u);
  EXPECT_EQ(p.x, 299);
  EXPECT_EQ(p.y, 299);
}

TEST_F(Rules, FindScoresInEitherPictureAndMissCostsALife) {
  Click(13 + 100, 101 + 100);
  EXPECT_EQ(game().score, 20u);
  EXPECT_EQ(game().foundCount, 1u);
  EXPECT_EQ(game().targets[2].marked, 1u);
  Click(322 + 15, 101 + 15);  // target 0, in the right picture
  EXPECT_EQ(game().foundCount, 2u);
  Click(13 + 200, 101 + 200);
  EXPECT_EQ(game().lives, 4u);
  EXPECT_EQ(game().score, 40u) << "a miss costs no points";
  EXPECT_EQ(sounds_, (std::vector<std::string>{"SystemExclamation", "SystemExclamation", "SystemHand"}));
}

TEST_F(Rules, ClicksThatCountForNothing) {
  Click(13 + 15, 101 + 15);
  sounds_.clear();
  Click(13 + 15, 101 + 15);  // found before
  Click(13 + 35, 101 + 35);  // found before, and overlapping an unfound one: the first decides
  Click(317, 250);           // between the pictures
  Click(5, 5);
  Click(-3, 250);
  EXPECT_TRUE(sounds_.empty());
  EXPECT_EQ(game().lives, 5u);
  EXPECT_EQ(game().foundCount, 1u);
  EXPECT_EQ(game().targets[1].found, 0u);
  for (DWORD phase : {kIdle, kLost, kWon}) {
    game().phase = phase;
    Click(13 + 200, 101 + 200);
    Click(13 + 110, 101 + 110);
  }
  EXPECT_TRUE(sounds_.empty()) << "nothing counts unless a stage is being played";
  EXPECT_EQ(game().lives, 5u);
  EXPECT_EQ(game().foundCount, 1u);
}

TEST_F(Rules, LastLifeRevealsTheRestAndLosesTheGame) {
  game().lives = 1;
  Click(13 + 15, 101 + 15);
  Click(13 + 200, 101 + 200);
  EXPECT_EQ(game().lives, 0u);
  EXPECT_EQ(game().phase, static_cast<DWORD>(kLost));
  EXPECT_EQ(game().stageOver, 1u);
  EXPECT_EQ(boxes_, (std::vector<std::string>{"Sorry, you failed to pass the game."}));
}

TEST_F(Rules, LastFindPassesTheStageWithTheTimeBonus) {
  game().stageNumber = game().stagesPerGame;  // the last stage: no next one to load
  const DWORD lowest = g_Settings.highScores.entries[kHighScoreCount - 1].score;
  g_Settings.highScores.entries[kHighScoreCount - 1].score = 0xFFFFFFFF;  // no name entry
  game().timeLeft = 75;
  Click(13 + 15, 101 + 15);
  Click(13 + 45, 101 + 45);
  const DWORD before = game().score;
  sounds_.clear();
  Click(13 + 110, 101 + 110);
  EXPECT_EQ(game().score, before + 20 + 3 * 75) << "20 for the find, 3 a second on Medium";
  EXPECT_EQ(sounds_, (std::vector<std::string>{"SystemAsterisk"}));
  EXPECT_EQ(game().phase, static_cast<DWORD>(kWon));
  EXPECT_EQ(boxes_, (std::vector<std::string>{"Congratulatioins, you pass the game!"}));
  g_Settings.highScores.entries[kHighScoreCount - 1].score = lowest;
}

TEST_F(Rules, HintsFindTheFirstUnfoundTargetFiveTimesAGame) {
  Click(13 + 15, 101 + 15);
  EXPECT_EQ(ShowMeOut(&game()), 4u);
  EXPECT_EQ(game().targets[1].found, 1u) << "the first one not found yet";
  EXPECT_EQ(game().score, 40u);
  game().hintsLeft = 0;
  EXPECT_EQ(ShowMeOut(&game()), 0u);
  EXPECT_EQ(game().targets[2].found, 0u);
  game().hintsLeft = 3;
  game().phase = kLost;
  EXPECT_EQ(ShowMeOut(&game()), 0u);
  EXPECT_EQ(game().hintsLeft, 3u) << "no hint after a lost game";
  game().phase = kWon;
  game().targets[2].found = 1;
  EXPECT_EQ(ShowMeOut(&game()), 2u) << "after a won game a hint is taken and finds nothing";
  EXPECT_EQ(game().score, 40u);
}

TEST_F(Rules, ClockRunsOnlyWhileAStageIsPlayed) {
  OnTimer(&game());
  EXPECT_EQ(game().timeLeft, 119u);
  game().stageOver = 1;
  OnTimer(&game());
  game().stageOver = 0;
  for (DWORD phase : {kIdle, kLost, kWon}) {
    game().phase = phase;
    OnTimer(&game());
  }
  EXPECT_EQ(game().timeLeft, 119u);
  game().phase = kPlaying;
  game().timeLeft = 1;
  OnTimer(&game());
  EXPECT_EQ(game().timeLeft, 0u);
  EXPECT_EQ(game().phase, static_cast<DWORD>(kLost));
  OnTimer(&game());
  EXPECT_EQ(game().timeLeft, 0u) << "no tick after the end";
}

// Stage set-up from real files in a Stage folder.
class StageFlow : public ::testing::Test {
 protected:
  StageFlow() {
    fs::create_directories(folder_.path / "Stage");
    fs::copy_file(fs::path(TAVRELO_FIXTURE_STAGES) / "01-meadow.stg",
                  folder_.path / "Stage" / "01-meadow.stg");
    host_.onIdle = fixtures::PressEnterOnFocus;
  }
  fixtures::WorkFolder folder_{"tavrelo-flow"};
  fixtures::TestHost host_;
  platform::DebugOutputCapture debug_;
};

TEST_F(StageFlow, NewGameStartsStageOneWithFullLivesHintsAndTime) {
  GameState game{};
  GameInit(&game);
  game.difficulty = 2;
  NewGame(&game, 0);
  EXPECT_EQ(game.phase, static_cast<DWORD>(kPlaying));
  EXPECT_EQ(game.stageNumber, 1u);
  EXPECT_EQ(game.lives, 5u);
  EXPECT_EQ(game.hintsLeft, 5u);
  EXPECT_EQ(game.timeLeft, 60u);
  EXPECT_EQ(game.targetCount, 5u);
  EXPECT_EQ(std::string(game.playOrder[49]), ".\\Stage\\01-meadow.stg");
  GameShutdown(&game);
  EXPECT_EQ(g_TrackedList.liveCount, 0u) << "shutdown gives everything back";
}

TEST_F(StageFlow, OutOfMemoryGivesTheStageUpCleanly) {
  // Every request of the set-up is refused in turn; each time the game is either playing a
  // whole stage or idle with nothing of one left, and nothing leaks.
  for (int grants = 0; grants < 60; ++grants) {
    GameState game{};
    GameInit(&game);
    {
      test_heap::Refusal refusal(grants);
      NewGame(&game, 0);
    }
    if (game.phase == kPlaying) {
      EXPECT_NE(game.stage, nullptr);
      EXPECT_NE(game.leftPicture.file, nullptr);
      EXPECT_NE(game.rightPicture.file, nullptr);
      EXPECT_EQ(game.targetCount, 5u);
    } else {
      EXPECT_EQ(game.stage, nullptr) << grants;
      EXPECT_EQ(game.targetCount, 0u);
      EXPECT_EQ(game.hintsLeft, 0u);
    }
    GameShutdown(&game);
    EXPECT_EQ(g_TrackedList.liveCount, 0u) << "after " << grants << " grants";
  }
}

}  // namespace

namespace {

// The lines written to the debugger output that contain `text`.
int LinesWith(const platform::DebugOutputCapture& debug, const std::string& text) {
  int count = 0;
  for (const std::string& line : debug.Lines()) count += line.find(text) != std::string::npos;
  return count;
}

// A stage file whose colour picture has only gray patches: each loads, none can be pasted.
void WriteGrayPatchedStage(const fs::path& path) {
  fixtures::StageRecipe recipe;
  recipe.picture = fixtures::EncodeJpeg(fixtures::MakePicture(300, 300, 3));
  for (int i = 0; i < 5; ++i) {
    recipe.records.push_back({20 + 50 * i, 20, 60 + 50 * i, 60});
    recipe.patches.push_back(fixtures::EncodeJpeg(fixtures::MakePicture(40, 40, 1, i + 2)));
  }
  recipe.countField = 3 + 2 * static_cast<std::uint32_t>(recipe.records.size());
  fixtures::WriteFile(path.string(), fixtures::BuildStage(recipe));
}

TEST_F(StageFlow, AStageWithoutAPlayableDifferenceGivesWayToTheNextThatPlays) {
  WriteGrayPatchedStage(folder_.path / "Stage" / "00-gray.stg");
  GameState game{};
  GameInit(&game);
  NewGame(&game, 0);
  ASSERT_EQ(game.phase, static_cast<DWORD>(kPlaying));
  MakeStagePath(game.playOrder[game.stageNumber], "00-gray.stg");  // the next stage
  debug_.Clear();
  ASSERT_TRUE(SetUpStage(&game));
  EXPECT_EQ(game.targetCount, 5u) << "a stage that can be won";
  EXPECT_EQ(LinesWith(debug_, "Stage .\\Stage\\00-gray.stg has no difference that can be played."), 1);
  EXPECT_EQ(LinesWith(debug_, "Stage .\\Stage\\01-meadow.stg is played in place of .\\Stage\\00-gray.stg."), 1);
  ShowMeOut(&game);
  EXPECT_EQ(game.foundCount, 1u) << "a hint finds something";
  GameShutdown(&game);
  EXPECT_EQ(g_TrackedList.liveCount, 0u);
}

TEST_F(StageFlow, WhenNoStagePlaysTheGameIsGivenUp) {
  fs::remove(folder_.path / "Stage" / "01-meadow.stg");
  WriteGrayPatchedStage(folder_.path / "Stage" / "00-gray.stg");
  GameState game{};
  GameInit(&game);
  NewGame(&game, 0);
  EXPECT_EQ(game.phase, static_cast<DWORD>(kIdle));
  EXPECT_EQ(game.stage, nullptr);
  EXPECT_EQ(game.targetCount, 0u);
  EXPECT_EQ(game.lives, 0u) << "nothing left to click";
  GameShutdown(&game);
  EXPECT_EQ(g_TrackedList.liveCount, 0u);
}

// The play order's list and its 50 paths are granted; drawing the order is refused. On a
// first game the paths are empty: the game must not go on with them.
TEST_F(StageFlow, ARefusedPlayOrderEndsTheAttemptIdle) {
  GameState game{};
  GameInit(&game);
  {
    test_heap::Refusal refusal(1 + kStagesPerGame);
    NewGame(&game, 0);
  }
  EXPECT_EQ(game.phase, static_cast<DWORD>(kIdle));
  EXPECT_EQ(game.stage, nullptr);
  EXPECT_EQ(game.targetCount, 0u);
  EXPECT_EQ(LinesWith(debug_, "the play order cannot be drawn"), 1);
  EXPECT_EQ(LinesWith(debug_, "is played in place of"), 0);
  // A later game still starts.
  NewGame(&game, 0);
  EXPECT_EQ(game.phase, static_cast<DWORD>(kPlaying));
  GameShutdown(&game);
  EXPECT_EQ(g_TrackedList.liveCount, 0u);
}

// A stage path shorter than ".\Stage\" (never made by the catalogue, but nothing stops it) is
// read to its end and no further: the sanitizer build sees any byte read past it.
TEST_F(StageFlow, AShortStagePathIsNeverReadPastItsEnd) {
  GameState game{};
  GameInit(&game);
  NewGame(&game, 0);
  char* kept = game.playOrder[game.stageNumber];
  std::unique_ptr<char[]> shortPath(new char[2]{'x', '\0'});
  game.playOrder[game.stageNumber] = shortPath.get();
  debug_.Clear();
  EXPECT_TRUE(SetUpStage(&game));
  game.playOrder[game.stageNumber - 1] = kept;
  EXPECT_EQ(LinesWith(debug_, "is played in place of x."), 1);
  GameShutdown(&game);
  EXPECT_EQ(g_TrackedList.liveCount, 0u);
}

}  // namespace
