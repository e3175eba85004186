// Finding where two pictures of the same size differ, as a person would point at it: changed
// pixels close to each other form one region, and compression noise is no change at all.
#pragma once

#include <vector>

#include "image.h"
#include "stage_file.h"

namespace tools {

struct RegionOptions {
  int threshold = 48;  // a pixel changed when a channel moved by more than this
  int merge = 8;       // changed pixels this close belong to one region
  int margin = 2;      // added around each region
  int minPixels = 8;   // fewer changed pixels than this are noise
};

// The regions, ordered top to bottom, then left to right; none overlap.
std::vector<Rect> FindChangedRegions(const Image& original, const Image& altered,
                                     const RegionOptions& options = {});

}  // namespace tools
