// A whole playfield frame into a 632 x 420 window surface: the 635 x 460 background and two
// 300 x 300 pictures through SetDIBitsToDevice, against memcpy of as many destination bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "Bitmap.h"
#include "Pictures.h"
#include "gdi/gdi_state.h"
#include "image/JpegToBmp.h"

namespace {

constexpr int kClientWidth = 632;
constexpr int kClientHeight = 420;
constexpr std::size_t kFrameBytes = (kClientWidth * kClientHeight + 2 * 300 * 300) * 4;

struct Frame {
  Frame() {
    window.Resize(kClientWidth, kClientHeight);
    dc = platform::gdi::CreateDcOver([this]() -> std::optional<platform::gdi::Target> {
      return platform::gdi::Target{&window, 0, 0, {0, 0, kClientWidth, kClientHeight}};
    });
    BindDibImage(&background, CreateBmpFromJpeg(g_BackgroundJpeg, g_BackgroundJpegSize));
    // A stage picture: the background's middle, cut out as a 300 x 300 image of its own.
    picture.assign(54 + 900 * 300, 0);
    std::memcpy(picture.data(), background.file, 54);
    const std::uint32_t size = 54 + 900 * 300;
    const std::int32_t side = 300;
    std::memcpy(&picture[2], &size, 4);
    std::memcpy(&picture[18], &side, 4);
    std::memcpy(&picture[22], &side, 4);
    for (int r = 0; r < 300; ++r)
      std::memcpy(&picture[54 + r * 900], background.bits + (r + 80) * 1908 + 300, 900);
    BindDibImage(&stage, picture.data());
  }
  ~Frame() {
    DeleteDC(dc);
    FreeBmp(background.file);
  }

  void Draw(const DibImage& image, int x, int y) {
    SetDIBitsToDevice(dc, x, y, image.info->biWidth, image.info->biHeight, 0, 0, 0,
                      image.info->biHeight, image.bits,
                      reinterpret_cast<const BITMAPINFO*>(image.info), DIB_RGB_COLORS);
  }

  platform::gdi::PixelBuffer window;
  HDC dc;
  DibImage background;
  std::vector<BYTE> picture;
  DibImage stage;
};

void BM_PaintFrame(benchmark::State& state) {
  Frame frame;
  for (auto _ : state) {
    frame.Draw(frame.background, 0, 0);
    frame.Draw(frame.stage, 13, 101);
    frame.Draw(frame.stage, 322, 101);
    benchmark::DoNotOptimize(frame.window.pixels.data());
  }
}

void BM_MemcpyFrameBytes(benchmark::State& state) {
  std::vector<std::uint8_t> from(kFrameBytes, 1), to(kFrameBytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), kFrameBytes);
    benchmark::DoNotOptimize(to.data());
  }
}

BENCHMARK(BM_PaintFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MemcpyFrameBytes)->Unit(benchmark::kMicrosecond);

}  // namespace
