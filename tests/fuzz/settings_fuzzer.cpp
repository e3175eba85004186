// libFuzzer target: any bytes as the registry file, through the game's settings: loaded,
// checked as at start-up, saved, and loaded again. After the check every value must be in its
// range (the window on the desktop, a difficulty and mode that exist, names that end, the board
// best first); what was saved must read back the same, and cleanly; every value the file held in
// a part that could be read, and that the game does not set itself, must still be there; and a
// file that was not ours, or had any line that could not be read, must have been kept aside,
// whole, and never written over, while a file that read cleanly must not.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
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

// The 23 values the game writes at every save, whatever the file held.
bool IsGameValue(const std::string& name) {
  if (strcasecmp(name.c_str(), "Pos_X") == 0 || strcasecmp(name.c_str(), "Pos_Y") == 0 ||
      strcasecmp(name.c_str(), "Option") == 0)
    return true;
  for (int i = 0; i < kHighScoreCount; ++i) {
    const std::string score = "Score" + std::to_string(i), name_ = "Name" + std::to_string(i);
    if (strcasecmp(name.c_str(), score.c_str()) == 0 || strcasecmp(name.c_str(), name_.c_str()) == 0)
      return true;
  }
  return false;
}

bool Holds(const std::vector<platform::registry::Key>& keys, const std::string& path,
           const platform::registry::Value& value) {
  for (const auto& key : keys)
    if (strcasecmp(key.path.c_str(), path.c_str()) == 0)
      for (const auto& candidate : key.values)
        if (strcasecmp(candidate.name.c_str(), value.name.c_str()) == 0)
          return candidate.type == value.type && candidate.data == value.data;
  return false;
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
  // A file set aside holds exactly what was there, and saving does not touch it; one that
  // read cleanly is never set aside.
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::vector<platform::registry::Key> kept;
  std::vector<platform::registry::DroppedLine> dropped;
  const bool ours = platform::registry::Parse(input, &kept, &dropped);
  const bool damaged = access(aside.c_str(), F_OK) == 0;
  if (damaged != (!ours || !dropped.empty())) Fail("set aside, or not, against the rules");
  if (damaged && ReadAll(aside) != std::vector<uint8_t>(data, data + size))
    Fail("the damaged file was not kept whole");
  SaveSettings(&settings);
  if (damaged && ReadAll(aside) != std::vector<uint8_t>(data, data + size))
    Fail("the damaged file was written over");

  // The saved file reads cleanly, and holds every value kept from the input that the game
  // does not set itself.
  const std::vector<uint8_t> saved = ReadAll(path);
  std::vector<platform::registry::Key> back;
  std::vector<platform::registry::DroppedLine> unread;
  if (!platform::registry::Parse(std::string(saved.begin(), saved.end()), &back, &unread) ||
      !unread.empty())
    Fail("the saved file does not read cleanly");
  for (const auto& key : kept)
    for (const auto& value : key.values) {
      if (strcasecmp(key.path.c_str(), SETTINGS_KEY) == 0 && IsGameValue(value.name)) continue;
      if (!Holds(back, key.path, value)) Fail("a value that could be read was lost");
    }

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
