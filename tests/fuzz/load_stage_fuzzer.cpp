// libFuzzer target: any bytes as a stage file. The loader must yield a stage or null, read
// nothing out of bounds and leave no tracked block behind.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

#include "Stage.h"
#include "TrackedAlloc.h"

static const std::string& StagePath() {
  static const std::string path = [] {
    const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(dir) + "/tavrelo-fuzz-" + std::to_string(getpid()) + ".stg";
  }();
  return path;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FILE* file = fopen(StagePath().c_str(), "wb");
  if (file == nullptr) abort();
  if (size != 0 && fwrite(data, 1, size, file) != size) abort();
  fclose(file);

  StageData* stage = LoadStage(StagePath().c_str());
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
