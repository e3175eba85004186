// The kinds of scene the stage set is drawn from: a painted backdrop and rules for what stands
// where on it.
#pragma once

#include <vector>

#include "random.h"
#include "scene.h"

namespace content {

struct Placement {
  std::vector<Kind> kinds;
  int minCount;
  int maxCount;
  tools::Rect zone;  // where item centres may fall
  double minSize;
  double maxSize;
};

struct Theme {
  const char* name;
  Backdrop (*makeBackdrop)(Random& rng);
  std::vector<Placement> placements;
};

const std::vector<Theme>& Themes();

// A natural colour and accent for a thing of this kind.
void ColourItem(Item& item, Random& rng);

}  // namespace content
