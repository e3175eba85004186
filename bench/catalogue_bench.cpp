// The catalogue's scan and a New Game's draw of the play order, over the whole stage set the build
// drew and over the 64 stages of the earlier set: what a thousand files cost at start-up and at
// New Game.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "Tavrelo.h"

namespace {

namespace fs = std::filesystem;

// Runs the scan and the draw from a folder whose Stage is `stages`, as the game runs them.
void ScanAndDraw(benchmark::State& state, const char* stages) {
  const fs::path work = fs::temp_directory_path() / ("tavrelo-catalogue-" + std::to_string(getpid()));
  fs::remove_all(work);
  fs::create_directories(work);
  fs::create_directory_symlink(stages, work / "Stage");
  const fs::path before = fs::current_path();
  fs::current_path(work);
  std::vector<std::array<char, kStagePathChars>> paths(kMaxStagesPerGame);
  std::vector<char*> order;
  for (auto& path : paths) order.push_back(path.data());
  GameState game{};
  game.stagesPerGame = 50;
  game.playOrder = order.data();
  for (auto _ : state) {
    ScanStageFiles(&game);
    BuildPlayOrder(&game);
    benchmark::DoNotOptimize(game.playOrder[49][0]);
    FreeStageFiles(&game);
  }
  state.counters["files"] = static_cast<double>(std::distance(fs::directory_iterator(stages), {}));
  fs::current_path(before);
  fs::remove_all(work);
}

void BM_CatalogueOfTheSet(benchmark::State& state) { ScanAndDraw(state, TAVRELO_STAGE_DIR); }
void BM_CatalogueOfTheEarlierSet(benchmark::State& state) { ScanAndDraw(state, TAVRELO_FIXTURE_STAGES); }

BENCHMARK(BM_CatalogueOfTheSet)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CatalogueOfTheEarlierSet)->Unit(benchmark::kMillisecond);

}  // namespace
