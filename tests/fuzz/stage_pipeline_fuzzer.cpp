// libFuzzer target: any bytes as a stage file, through everything the game does with a stage.
// The file is loaded, then set up as the game sets up a stage on Easy, on Medium and on
// Difficult in each of the five orientations (the random draw is steered through the clock
// that seeds it); each time the playfield is painted, points taken from the input are hit
// tested and clicked, and hints are taken until none is left. Nothing may be read or written out
// of bounds, nothing undefined may happen, and no tracked block may be left afterwards.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>
#include <windows.h>

#include <string>

#include "Bitmap.h"
#include "Setting.h"
#include "Stage.h"
#include "Tavrelo.h"
#include "TrackedAlloc.h"
#include "fuzz_input.h"
#include "kernel/host.h"
#include "kernel/debug_output.h"
#include "registry/registry_store.h"
#include "shell/Shell.h"
#include "user/user_state.h"
#include "winmm/sound.h"

namespace {

// Answers every message box and dialog with Enter at once, as a player in a hurry would. Its
// clock stands where the test puts it: the game seeds its random numbers from it.
class PressingHost : public platform::host::Host {
 public:
  PressingHost() { platform::host::Install(this); }
  std::uint64_t Now() override { return now_; }
  bool Wait(std::uint64_t deadline) override {
    if (deadline != platform::host::kNoDeadline) return true;  // timers: none to wait for
    const HWND focus = GetFocus();
    if (focus == nullptr) return false;
    platform::user::QueueInput({focus, WM_KEYDOWN, VK_RETURN, 0, 0, {}});
    platform::user::QueueInput({focus, WM_KEYUP, VK_RETURN, 0, 0, {}});
    return true;
  }
  void SetCounter(std::uint64_t ticks) { now_ = ticks * 100; }  // 100 ns to the tick

 private:
  std::uint64_t now_ = 0;
};

// The counter value whose first random number picks orientation t of a square picture.
std::uint64_t CounterFor(DWORD t) {
  for (std::uint32_t c = 0;; ++c) {
    const std::uint32_t state = c * 214013u + 2531011u;
    if (((state >> 16) & 0x7FFF) % 5 == t) return c;
  }
}

struct World {
  PressingHost host;
  GameState game{};
  HWND window = nullptr;
  HDC paint = nullptr;
  std::string path;
  char* order[1] = {nullptr};
  char* files[1] = {nullptr};
};

World& TheWorld() {
  static World* world = [] {
    auto* w = new World;
    platform::SetDebugOutputSink([](std::string_view) {});
    platform::winmm::SetSoundSink([](const std::string&, const std::string&) {});
    w->path = fuzz::InputPath(".stg");
    platform::registry::UseFile(w->path + ".reg");
    LoadTexts(nullptr);
    // Nobody's score beats the board: a game that ends asks for no name.
    for (HighScoreEntry& entry : g_Settings.highScores.entries) entry.score = 0xFFFFFFFFu;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_OWNDC;
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "FuzzPlayfield";
    RegisterClassExA(&wc);
    w->window = CreateWindowExA(0, "FuzzPlayfield", "Tavrelo", WS_POPUP, 0, 0, 632, 420, nullptr,
                                nullptr, nullptr, nullptr);
    HDC screen = GetDC(nullptr);
    w->paint = CreateCompatibleDC(screen);
    SelectObject(w->paint, CreateCompatibleBitmap(screen, 632, 420));
    ReleaseDC(nullptr, screen);
    // The game record lives as long as the process: digits, background, targets, and a one-stage
    // play order and catalogue whose only file is the input.
    GameInit(&w->game);
    w->order[0] =
        static_cast<char*>(TrackedAlloc(kStagePathChars, &g_TrackedList, __FILE__, __LINE__));
    w->files[0] =
        static_cast<char*>(TrackedAlloc(kStageNameChars, &g_TrackedList, __FILE__, __LINE__));
    snprintf(w->order[0], kStagePathChars, "%s", w->path.c_str());
    snprintf(w->files[0], kStageNameChars, "%s", w->path.c_str());
    return w;
  }();
  return *world;
}

// A new one-stage game at the difficulty, as NewGame starts one.
void StartGame(World& w, DWORD difficulty) {
  GameState& game = w.game;
  game.hwnd = w.window;
  game.playOrder = w.order;
  game.stageFiles = w.files;
  game.stageFileCount = 1;
  game.stagesPerGame = 1;
  game.difficulty = difficulty;
  game.mode = 0;
  game.lives = kStartLives;
  game.hintsLeft = kStartHints;
  game.score = 0;
  game.stageNumber = 0;
  game.phase = kPlaying;
}

void Play(World& w, const uint8_t* data, size_t size) {
  GameState& game = w.game;
  if (!SetUpStage(&game)) return;
  PaintPlayfield(&game, w.paint);
  // Points from the input: anywhere on the playfield, and so in and around the pictures.
  for (size_t i = 0; i + 3 < size && i < 64; i += 4) {
    POINT point = {(LONG)((data[i] | data[i + 1] << 8) % 700) - 30,
                   (LONG)((data[i + 2] | data[i + 3] << 8) % 480) - 30};
    POINT inPicture = point;
    if (FindPicture(&game, &inPicture)) HitTestTargets(&game, inPicture);
    if (i < 16) OnClick(&game, &point);  // a few real clicks: marks, lives, maybe the end
  }
  while (game.phase == kPlaying && ShowMeOut(&game)) {
  }
}

// Everything the game holds of the stage goes, as at the end of the program; the record's
// own lists stay for the next input.
void ReleaseStage(World& w) {
  GameState& game = w.game;
  FreeStage(game.stage);
  game.stage = nullptr;
  FreeBmp(game.leftPicture.file);
  FreeBmp(game.rightPicture.file);
  BindDibImage(&game.leftPicture, nullptr);
  BindDibImage(&game.rightPicture, nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Up to 64 x 64: each input is set up seven times over. Larger ones are the loader's.
  if (fuzz::AnnouncesASideOver(data, size, 64)) return -1;  // -1: not kept in the corpus
  World& w = TheWorld();
  fuzz::WriteInput(w.path, data, size);

  const size_t before = g_TrackedList.liveCount;
  StageData* stage = LoadStage(w.path.c_str());
  if (stage == nullptr) {
    if (g_TrackedList.liveCount != before) abort();
    return 0;  // refused: the game would pass it over, which the set-up tests cover
  }
  FreeStage(stage);

  static const std::uint64_t kCounters[5] = {CounterFor(0), CounterFor(1), CounterFor(2),
                                            CounterFor(3), CounterFor(4)};
  for (DWORD difficulty = 0; difficulty < 3; ++difficulty) {
    for (DWORD t = 0; t < (difficulty == 2 ? 5u : 1u); ++t) {
      w.host.SetCounter(kCounters[t]);
      StartGame(w, difficulty);
      Play(w, data, size);
      ReleaseStage(w);
    }
  }
  if (g_TrackedList.liveCount != before) {
    fprintf(stderr, "the stage left %d tracked blocks\n",
            (int)g_TrackedList.liveCount - (int)before);
    abort();
  }
  return 0;
}
