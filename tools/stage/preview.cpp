// tavrelo-stage preview FILE OUT.png [--marks]: the stage as a player sees it, the picture on
// the left and the picture with every patch on the right; --marks outlines the differences.
#include <cstdio>
#include <cstring>

#include "Stage.h"
#include "commands.h"

namespace tools {
namespace {

void Outline(Image& image, int offsetX, const Rect& r) {
  const auto mark = [&](int x, int y) {
    x += offsetX;
    if (x < 0 || y < 0 || x >= image.width || y >= image.height) return;
    std::uint8_t* p = image.Pixel(x, y);
    p[0] = 255, p[1] = 0, p[2] = 0;
  };
  for (int x = r.left; x < r.right; ++x) mark(x, r.top), mark(x, r.bottom - 1);
  for (int y = r.top; y < r.bottom; ++y) mark(r.left, y), mark(r.right - 1, y);
}

}  // namespace

Image PreviewOf(const StageData* stage, bool marks) {
  const Image picture = ImageFromBmp(stage->picture.file, Orientation::UpsideDown);
  const int gap = 12;
  Image view = MakeImage(2 * picture.width + gap, picture.height);
  std::memset(view.rgb.data(), 0x40, view.rgb.size());
  for (int y = 0; y < picture.height; ++y) {
    std::memcpy(view.Pixel(0, y), picture.Pixel(0, y), picture.width * 3);
    std::memcpy(view.Pixel(picture.width + gap, y), picture.Pixel(0, y), picture.width * 3);
  }
  for (DWORD i = 0; i < stage->differenceCount; ++i) {
    const Difference& d = stage->differences[i];
    const Image patch = ImageFromBmp(d.patch.file, Orientation::UpsideDown);
    for (int y = 0; y < patch.height; ++y)
      std::memcpy(view.Pixel(picture.width + gap + d.left, d.top + y), patch.Pixel(0, y),
                  patch.width * 3);
    if (marks) {
      Outline(view, 0, {d.left, d.top, d.right, d.bottom});
      Outline(view, picture.width + gap, {d.left, d.top, d.right, d.bottom});
    }
  }
  return view;
}

int RunPreview(const Arguments& args) {
  const bool marks = args.size() == 3 && args[2] == "--marks";
  if (args.size() != 2 && !marks) {
    std::fputs("usage: tavrelo-stage preview FILE OUT.png [--marks]\n", stderr);
    return 2;
  }
  StageData* stage = LoadStageOrExplain(args[0]);
  if (stage == nullptr) return 1;
  const Image view = PreviewOf(stage, marks);
  FreeStage(stage);
  std::string error;
  if (!SavePng(args[1], view, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace tools
