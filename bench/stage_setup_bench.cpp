// A stage set up and painted whole for the first time (SetUpStage and PaintPlayfield), against
// LoadStage of the same stage alone: what choosing, composing, turning and drawing add.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "Tavrelo.h"
#include "TrackedAlloc.h"
#include "gdi/gdi_state.h"

namespace {

const std::string kStage = std::string(TAVRELO_FIXTURE_STAGES) + "/01-meadow.stg";

void SetUpAndPaint(benchmark::State& state, DWORD difficulty) {
  platform::gdi::PixelBuffer window;
  window.Resize(632, 420);
  HDC dc = platform::gdi::CreateDcOver([&window]() -> std::optional<platform::gdi::Target> {
    return platform::gdi::Target{&window, 0, 0, {0, 0, 632, 420}};
  });
  GameState game{};
  GameInit(&game);
  game.difficulty = difficulty;
  game.playOrder =
      static_cast<char**>(TrackedAlloc(game.stagesPerGame * sizeof(char*), &g_TrackedList, __FILE__, __LINE__));
  for (DWORD i = 0; i < game.stagesPerGame; ++i) {
    game.playOrder[i] = static_cast<char*>(TrackedAlloc(kStagePathChars, &g_TrackedList, __FILE__, __LINE__));
    std::snprintf(game.playOrder[i], kStagePathChars, "%s", kStage.c_str());
  }
  for (auto _ : state) {
    game.stageNumber = 0;
    SetUpStage(&game);
    PaintPlayfield(&game, dc);
    benchmark::DoNotOptimize(window.Row(200));
  }
  GameShutdown(&game);
  DeleteDC(dc);
}

void BM_SetUpAndPaintMedium(benchmark::State& state) { SetUpAndPaint(state, 1); }
void BM_SetUpAndPaintDifficult(benchmark::State& state) { SetUpAndPaint(state, 2); }

BENCHMARK(BM_SetUpAndPaintMedium)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SetUpAndPaintDifficult)->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

// One stage picture turned, for each orientation: where Difficult spends its extra time.
void BM_TurnPicture(benchmark::State& state) {
  StageData* stage = LoadStage(kStage.c_str());
  for (auto _ : state) {
    TransformPicture(&stage->picture, static_cast<DWORD>(state.range(0)));
    benchmark::DoNotOptimize(stage->picture.bits);
  }
  FreeStage(stage);
}
BENCHMARK(BM_TurnPicture)->DenseRange(1, 4)->Unit(benchmark::kMicrosecond);

}  // namespace
