// Game records and stages put together in memory, without files or JPEG streams, so that the
// game's rules can be tested on pictures whose every pixel is known.
#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <functional>
#include <vector>

#include "Stage.h"
#include "Tavrelo.h"
#include "kernel/clock.h"

namespace fixtures {

using PixelRule = std::function<std::uint32_t(int x, int y)>;  // 0xRRGGBB

// A BMP file image in a tracked block; `rule` gives the pixel of stored row y (gray pictures
// take the low byte).
BYTE* MakeBmp(int width, int height, int bitsPerPixel, const PixelRule& rule);

// The pixel at (x, y) of stored row y, as 0xRRGGBB (gray repeated).
std::uint32_t StoredPixel(const DibImage& picture, int x, int y);
// The pixel the player sees at (x, y) once the picture has been flipped into display order.
std::uint32_t ShownPixel(const DibImage& picture, int x, int y);

// A stage of a `width` x `height` picture of one colour per row, with a difference per
// rectangle whose patch is filled with PatchColour(i).
StageData* MakeStage(int width, int height, const std::vector<RECT>& rects, int bitsPerPixel = 24);
std::uint32_t BackgroundColour(int x, int y);
std::uint32_t PatchColour(int i);

// A game record holding `stage` as loaded and its two picture copies, ready for composing.
class GameFixture {
 public:
  explicit GameFixture(StageData* stage, DWORD difficulty);
  ~GameFixture();
  GameFixture(const GameFixture&) = delete;
  GameFixture& operator=(const GameFixture&) = delete;
  GameState game{};
};

// While alive, the current directory is a fresh, empty folder of its own (removed afterwards),
// where the game looks for its Stage folder.
class WorkFolder {
 public:
  explicit WorkFolder(const std::string& name);
  ~WorkFolder();
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;
  std::filesystem::path path;

 private:
  std::filesystem::path previous_;
};

// Presses Enter on the window with the focus, which answers any message box: a test host's
// idle step for tests whose game shows boxes. False when nothing has the focus.
bool PressEnterOnFocus();

// While alive, QueryPerformanceCounter reads `ticks`, and so SeedRandom seeds with it.
class FixedCounter {
 public:
  explicit FixedCounter(std::uint32_t ticks);
  ~FixedCounter();
};

}  // namespace fixtures
