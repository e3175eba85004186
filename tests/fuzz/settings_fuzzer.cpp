// libFuzzer target: any bytes as the registry file, through the game's settings: loaded,
// checked as at start-up, saved, and loaded again. After the check every value must be in its
// range (the window on the desktop, a difficulty and mode that exist, names that end, the board
// best first); what was saved must read back the same; and a file that could not be read as a
// registry must have been kept aside, whole, and never written over.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>
#include <windows.h>

#include <string>
#include <vector>

#include "Setting.h"
#include "TrackedAlloc.h"
#include "fuzz_input.h"
#include "kernel/debug_output.h"
#include "registry/registry_store.h"

namespace {

const int kMaxX = 1282, kMaxY = 616;  // a 1920 x 1080 desktop less the main window


std::vector<uint8_t> ReadAll(const std::string& path) {
  std::vector<uint8_t> bytes;
  FILE* file = fopen(path.c_str(), "rb");
  if (file == nullptr) return bytes;
  uint8_t buffer[4096];
  for (size_t got; (got = fread(buffer, 1, sizeof buffer, file)) > 0;)
    bytes.insert(bytes.end(), buffer, buffer + got);
  fclose(file);
  return bytes;
}

[[noreturn]] void Fail(const char* what) {
  fprintf(stderr, "settings: %s\n", what);
  abort();
}

void CheckRanges(const Settings& s) {
  if (s.posX < 0 || s.posX > kMaxX || s.posY < 0 || s.posY > kMaxY) Fail("window off the desktop");
  if (s.option < 0 || s.option > 2) Fail("no such difficulty");
  for (int i = 0; i < kHighScoreCount; ++i) {
    if (memchr(s.highScores.entries[i].name, '\0', kMaxNameLen) == nullptr) Fail("name not ended");
    if (i > 0 && s.highScores.entries[i - 1].score < s.highScores.entries[i].score)
      Fail("board not best first");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool quiet = (platform::SetDebugOutputSink([](std::string_view) {}), true);
  (void)quiet;
  const std::string& path = fuzz::InputPath(".reg");
  const std::string aside = path + ".damaged";
  remove(aside.c_str());
  fuzz::WriteInput(path, data, size);
  platform::registry::UseFile(path);  // read afresh on first use

  Settings settings;
  memset(&settings, 0, sizeof settings);
  LoadSettings(&settings);
  ValidateSettings(&settings, kMaxX, kMaxY);
  CheckRanges(settings);
  // A file set aside holds exactly what was there, and saving does not touch it.
  const bool damaged = access(aside.c_str(), F_OK) == 0;
  if (damaged && ReadAll(aside) != std::vector<uint8_t>(data, data + size))
    Fail("the damaged file was not kept whole");
  SaveSettings(&settings);
  if (damaged && ReadAll(aside) != std::vector<uint8_t>(data, data + size))
    Fail("the damaged file was written over");

  platform::registry::UseFile(path);
  Settings again;
  memset(&again, 0, sizeof again);
  LoadSettings(&again);
  bool same = again.posX == settings.posX && again.posY == settings.posY &&
              again.option == settings.option;
  for (int i = 0; i < kHighScoreCount; ++i)
    same = same && again.highScores.entries[i].score == settings.highScores.entries[i].score &&
           strcmp(again.highScores.entries[i].name, settings.highScores.entries[i].name) == 0;
  if (!same) Fail("what was saved reads back otherwise");
  if (g_TrackedList.liveCount != 0) Fail("a tracked block was left");
  return 0;
}
