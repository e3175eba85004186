// libFuzzer target: any bytes as a stage file. The loader must yield a stage or null, read
// nothing out of bounds and leave no tracked block behind.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

#include "Stage.h"
#include "TrackedAlloc.h"
#include "fuzz_input.h"

// FUZZ_MAX_SIDE, when set, leaves out inputs announcing a larger picture: the fast job over
// small seeds sets it, the job over the shipped stages does not.
static unsigned MaxSide() {
  static const unsigned side = getenv("FUZZ_MAX_SIDE") ? (unsigned)atoi(getenv("FUZZ_MAX_SIDE")) : 0;
  return side;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (MaxSide() != 0 && fuzz::AnnouncesASideOver(data, size, MaxSide())) return -1;
  const std::string& path = fuzz::InputPath(".stg");
  fuzz::WriteInput(path, data, size);

  StageData* stage = LoadStage(path.c_str());
  if (stage != nullptr) {
    // Touch every pixel the game would draw, so a block shorter than its header says shows.
    const BITMAPINFOHEADER info = *stage->picture.info;
    const size_t stride = ((size_t)info.biWidth * info.biBitCount / 8 + 3) & ~(size_t)3;
    volatile uint8_t sink = stage->picture.bits[stride * info.biHeight - 1];
    (void)sink;
  }
  FreeStage(stage);
  if (g_TrackedList.liveCount != 0) {
    fprintf(stderr, "LoadStage left %u tracked blocks\n", (unsigned)g_TrackedList.liveCount);
    abort();
  }
  return 0;
}
