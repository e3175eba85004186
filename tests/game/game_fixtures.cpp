#include "game_fixtures.h"

#include <unistd.h>

#include <cstring>

#include "Bitmap.h"
#include "TrackedAlloc.h"
#include "user/user_state.h"

namespace fixtures {

BYTE* MakeBmp(int width, int height, int bitsPerPixel, const PixelRule& rule) {
  const int bytes = bitsPerPixel / 8;
  const int stride = (width * bytes + 3) & ~3;
  const DWORD palette = bitsPerPixel == 8 ? 256 * 4 : 0;
  const DWORD offset = 14 + 40 + palette;
  const DWORD size = offset + static_cast<DWORD>(stride * height);
  BYTE* block = static_cast<BYTE*>(TrackedAlloc(size, &g_TrackedList, __FILE__, __LINE__));
  std::memset(block, 0, size);
  block[0] = 'B', block[1] = 'M';
  std::memcpy(block + 2, &size, 4);
  std::memcpy(block + 10, &offset, 4);
  const DWORD infoSize = 40;
  std::memcpy(block + 14, &infoSize, 4);
  const LONG w = width, h = height;
  std::memcpy(block + 18, &w, 4);
  std::memcpy(block + 22, &h, 4);
  block[26] = 1;
  block[28] = static_cast<BYTE>(bitsPerPixel);
  for (DWORD i = 0; i < palette / 4; ++i)
    block[54 + 4 * i] = block[55 + 4 * i] = block[56 + 4 * i] = static_cast<BYTE>(i);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const std::uint32_t c = rule(x, y);
      BYTE* p = block + offset + y * stride + x * bytes;
      if (bytes == 1) {
        p[0] = static_cast<BYTE>(c);
      } else {
        p[0] = static_cast<BYTE>(c), p[1] = static_cast<BYTE>(c >> 8), p[2] = static_cast<BYTE>(c >> 16);
      }
    }
  return block;
}

std::uint32_t StoredPixel(const DibImage& picture, int x, int y) {
  const int bytes = picture.info->biBitCount / 8;
  const int stride = (picture.info->biWidth * bytes + 3) & ~3;
  const BYTE* p = picture.bits + y * stride + x * bytes;
  if (bytes == 1) return p[0] * 0x010101u;
  return static_cast<std::uint32_t>(p[0]) | p[1] << 8 | p[2] << 16;
}

std::uint32_t ShownPixel(const DibImage& picture, int x, int y) {
  return StoredPixel(picture, x, picture.info->biHeight - 1 - y);
}

std::uint32_t BackgroundColour(int x, int y) {
  // Every pixel of a small picture tells its place; the blue byte stays below the patches'.
  return static_cast<std::uint32_t>((x * 7 + y * 13) & 0x7F) |
         static_cast<std::uint32_t>((y * 5) & 0x7F) << 8 | static_cast<std::uint32_t>((x * 3) & 0xFF) << 16;
}
std::uint32_t PatchColour(int i) { return 0x80FF00u + static_cast<std::uint32_t>(i) * 0x10; }

StageData* MakeStage(int width, int height, const std::vector<RECT>& rects, int bitsPerPixel) {
  auto* stage =
      static_cast<StageData*>(TrackedAlloc(sizeof(StageData), &g_TrackedList, __FILE__, __LINE__));
  std::memset(stage, 0, sizeof *stage);
  BindDibImage(&stage->picture, MakeBmp(width, height, bitsPerPixel, BackgroundColour));
  stage->differenceCount = static_cast<DWORD>(rects.size());
  stage->differences = static_cast<Difference*>(TrackedAlloc(
      static_cast<uint32_t>(rects.size() * sizeof(Difference)), &g_TrackedList, __FILE__, __LINE__));
  std::memset(stage->differences, 0, rects.size() * sizeof(Difference));
  for (std::size_t i = 0; i < rects.size(); ++i) {
    Difference& d = stage->differences[i];
    d.left = rects[i].left, d.top = rects[i].top, d.right = rects[i].right, d.bottom = rects[i].bottom;
    const std::uint32_t colour = PatchColour(static_cast<int>(i));
    BindDibImage(&d.patch, MakeBmp(d.right - d.left, d.bottom - d.top, bitsPerPixel,
                                   [colour](int, int) { return colour; }));
  }
  return stage;
}

GameFixture::GameFixture(StageData* stage, DWORD difficulty) {
  game.maxTargets = kMaxTargets;
  game.stagesPerGame = kStagesPerGame;
  game.stageTimeUnit = kStageTimeUnit;
  game.difficulty = difficulty;
  game.targets = static_cast<Target*>(
      TrackedAlloc(kMaxTargets * sizeof(Target), &g_TrackedList, __FILE__, __LINE__));
  std::memset(game.targets, 0, kMaxTargets * sizeof(Target));
  game.stage = stage;
  const DWORD size = stage->picture.file[2] | stage->picture.file[3] << 8 |
                     stage->picture.file[4] << 16 | static_cast<DWORD>(stage->picture.file[5]) << 24;
  for (DibImage* copy : {&game.leftPicture, &game.rightPicture}) {
    BYTE* block = static_cast<BYTE*>(TrackedAlloc(size, &g_TrackedList, __FILE__, __LINE__));
    std::memcpy(block, stage->picture.file, size);
    BindDibImage(copy, block);
  }
}

GameFixture::~GameFixture() { GameShutdown(&game); }

WorkFolder::WorkFolder(const std::string& name) : previous_(std::filesystem::current_path()) {
  path = std::filesystem::temp_directory_path() / (name + "-" + std::to_string(getpid()));
  std::filesystem::remove_all(path);
  std::filesystem::create_directories(path);
  std::filesystem::current_path(path);
}

WorkFolder::~WorkFolder() {
  std::filesystem::current_path(previous_);
  std::filesystem::remove_all(path);
}

bool PressEnterOnFocus() {
  const HWND focus = GetFocus();
  if (focus == nullptr) return false;
  platform::user::QueueInput({focus, WM_KEYDOWN, VK_RETURN, 0, 0, {}});
  platform::user::QueueInput({focus, WM_KEYUP, VK_RETURN, 0, 0, {}});
  return true;
}

FixedCounter::FixedCounter(std::uint32_t ticks) {
  // The counter runs at 10 MHz: a tick is 100 ns.
  platform::SetClockSource([ticks] { return static_cast<std::uint64_t>(ticks) * 100; });
}
FixedCounter::~FixedCounter() { platform::SetClockSource({}); }

}  // namespace fixtures
