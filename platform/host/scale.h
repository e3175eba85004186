// Integer scaling for large screens: the program keeps seeing its own pixel sizes (a 632 x 420
// client area), and the host shows each of its pixels as a square of N x N screen pixels.
#pragma once

#include <cstdint>
#include <string>

namespace platform::host {

constexpr int kMaxScale = 8;

// The scale for a desktop of `width` x `height` screen pixels: how many times a 1920 x 1080
// desktop fits into it each way, at least 1. `requested` is the user's choice (TAVRELO_SCALE),
// null or empty when there is none; a value that is not a whole number from 1 to kMaxScale is
// not used, and `*complaint` says why.
int ChooseScale(int width, int height, const char* requested, std::string* complaint);

// Each pixel of the `width` x `height` picture at `source` becomes a `scale` x `scale` square at
// `dest`; pitches are in pixels.
void UpscaleNearest(const std::uint32_t* source, int width, int height, int sourcePitch,
                    std::uint32_t* dest, int destPitch, int scale);

// The same for the part (left, top) to (right, bottom) of a picture whose rows are
// `sourcePitch` pixels apart, into its place in the picture `scale` times as large at `dest`.
void UpscalePart(const std::uint32_t* source, int sourcePitch, int left, int top, int right,
                 int bottom, std::uint32_t* dest, int destPitch, int scale);

}  // namespace platform::host
