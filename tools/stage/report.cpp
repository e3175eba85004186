// tavrelo-stage inspect FILE...: what a stage file holds, and whether the game would play it.
#include <cstdio>

#include "Stage.h"
#include "Tavrelo.h"
#include "commands.h"
#include "file_io.h"
#include "kernel/debug_output.h"
#include "stage_checks.h"
#include "stage_file.h"
#include "stats.h"

namespace tools {
namespace {

PictureSize SizeOf(const DibImage& image) {
  return {image.info->biWidth, image.info->biHeight, image.info->biBitCount};
}

// Loads the file exactly as the game does; the refusal, if any, in `reason`.
StageData* LoadAsTheGame(const std::string& path, std::string* reason) {
  platform::DebugOutputCapture debug;
  StageData* stage = LoadStage(path.c_str());
  if (stage == nullptr && !debug.Lines().empty()) {
    *reason = debug.Lines().front();
    const std::string prefix = "refused: ";
    const std::size_t at = reason->find(prefix);
    if (at != std::string::npos) reason->erase(0, at + prefix.size());
    if (!reason->empty() && reason->back() == '\n') reason->pop_back();
  }
  return stage;
}

void PrintFigures(const StageData& stage) {
  const StageFigures figures = FiguresOf(stage);
  std::printf("  busy-ness: %d areas of one colour\n", figures.areas);
  for (std::size_t i = 0; i < figures.differences.size(); ++i) {
    const DifferenceFigures& d = figures.differences[i];
    std::printf("  difference %zu: %d x %d, %.2f %% of the picture (%s), %d pixels change, %d "
                "strongly\n",
                i, d.rect.Width(), d.rect.Height(), d.percent,
                d.percent <= 1.0 ? "small" : d.percent > 3.0 ? "large" : "medium", d.changed,
                d.strong);
  }
}

bool InspectOne(const std::string& path, bool stats) {
  std::string error;
  auto bytes = ReadFileBytes(path, &error);
  if (!bytes) {
    std::printf("%s\n  problem: %s\n  verdict: the game refuses this stage\n", path.c_str(),
                error.c_str());
    return false;
  }
  const StageLayout layout = ReadStageLayout(*bytes);
  std::string refusal;
  StageData* stage = LoadAsTheGame(path, &refusal);

  std::printf("%s\n", path.c_str());
  if (bytes->size() >= STAGE_HEADER_SIZE)
    std::printf("  count field %u: %zu difference%s\n", layout.countField, layout.rects.size(),
                layout.rects.size() == 1 ? "" : "s");
  StageFacts facts;
  facts.rects = layout.rects;
  facts.trailingBytes = layout.trailingBytes;
  if (!layout.chunkLengths.empty()) {
    std::printf("  picture: ");
    if (stage != nullptr) {
      facts.picture = SizeOf(stage->picture);
      std::printf("%d x %d, %d-bit, ", facts.picture.width, facts.picture.height,
                  facts.picture.bitsPerPixel);
    }
    std::printf("chunk of %u bytes\n", layout.chunkLengths[0]);
  }
  const std::size_t count = layout.rects.size();
  for (std::size_t i = 0; i < count; ++i) {
    const Rect& r = layout.rects[i];
    std::printf("  difference %zu: (%d, %d)-(%d, %d)", i, r.left, r.top, r.right, r.bottom);
    if (stage != nullptr) {
      facts.patches.push_back(SizeOf(stage->differences[i].patch));
      std::printf(", patch %d x %d", facts.patches.back().width, facts.patches.back().height);
    }
    const std::size_t chunk = count - i;  // patch chunks run in reverse record order
    if (chunk < layout.chunkLengths.size())
      std::printf(", chunk of %u bytes", layout.chunkLengths[chunk]);
    std::printf("\n");
  }
  // A stage that loads but has nothing to find could not be won: the game passes it over.
  const bool playable = stage != nullptr && StageHasPlayableDifference(stage);
  if (stage == nullptr)
    std::printf("  problem: %s\n", refusal.c_str());
  else if (!playable)
    std::printf("  problem: no difference can be played: every patch has another colour depth "
                "than the picture\n");
  for (const std::string& warning : AuthorWarnings(facts))
    std::printf("  warning: %s\n", warning.c_str());
  if (stats && stage != nullptr) PrintFigures(*stage);
  std::printf("  verdict: the game %s this stage\n",
              playable ? "plays" : stage != nullptr ? "passes over" : "refuses");
  FreeStage(stage);
  return playable;
}

}  // namespace

StageData* LoadStageOrExplain(const std::string& path) {
  std::string refusal;
  if (!ReadFileBytes(path, &refusal)) {  // a folder opens as a file on POSIX systems
    std::fprintf(stderr, "%s\n", refusal.c_str());
    return nullptr;
  }
  StageData* stage = LoadAsTheGame(path, &refusal);
  if (stage == nullptr) std::fprintf(stderr, "%s: the game refuses it: %s\n", path.c_str(), refusal.c_str());
  return stage;
}

int RunInspect(const Arguments& args) {
  const bool stats = !args.empty() && args[0] == "--stats";
  if (args.size() < (stats ? 2u : 1u)) {
    std::fputs("usage: tavrelo-stage inspect [--stats] FILE...\n", stderr);
    return 2;
  }
  bool all = true;
  for (std::size_t i = stats ? 1 : 0; i < args.size(); ++i) all = InspectOne(args[i], stats) && all;
  return all ? 0 : 1;
}

}  // namespace tools
