// tavrelo-stage make -o OUT.stg ORIGINAL ALTERED: a stage from two pictures, as drawn in any
// paint program. Every region where ALTERED differs becomes a difference whose patch is
// ALTERED's pixels there.
#include <cstdio>
#include <cstdlib>

#include "commands.h"
#include "regions.h"
#include "stage_file.h"

namespace tools {

int RunMake(const Arguments& args) {
  if (args.size() != 4 || args[0] != "-o") {
    std::fputs("usage: tavrelo-stage make -o OUT.stg ORIGINAL ALTERED\n", stderr);
    return 2;
  }
  std::string error;
  auto original = LoadImageFile(args[2], &error);
  auto altered = original ? LoadImageFile(args[3], &error) : std::nullopt;
  if (!original || !altered) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  if (original->width != altered->width || original->height != altered->height) {
    std::fprintf(stderr, "the pictures differ in size: %d x %d and %d x %d\n", original->width,
                 original->height, altered->width, altered->height);
    return 1;
  }
  const std::vector<Rect> regions = FindChangedRegions(*original, *altered);
  if (regions.empty()) {
    std::fputs("the pictures do not differ\n", stderr);
    return 1;
  }
  std::vector<StageDifference> differences;
  for (const Rect& r : regions) {
    std::printf("difference %zu: (%d, %d)-(%d, %d)\n", differences.size(), r.left, r.top, r.right,
                r.bottom);
    differences.push_back({r, Crop(*altered, r.left, r.top, r.Width(), r.Height())});
  }
  if (!WriteStage(args[1], *original, differences, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace tools
