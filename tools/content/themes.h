// The kinds of scene the stage set is drawn from. A theme has several compositions, each a
// painted backdrop with its own detail and rules for what stands where on it: scenery behind,
// a middle ground of things, a foreground.
#pragma once

#include <vector>

#include "backdrops.h"
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
  bool scenery = false;  // drawn behind the rest, may overlap, never changed
  double baseline = 0;   // when set, things stand on this line (a shelf, the ground)
};

struct Composition {
  BackdropMaker makeBackdrop;
  std::vector<Placement> placements;
};

struct Theme {
  const char* name;
  std::vector<Composition> compositions;
};

const std::vector<Theme>& Themes();

// The places beyond the first sixteen (places.cpp).
std::vector<Theme> Places();

// A natural colour and accent for a thing of this kind.
void ColourItem(Item& item, Random& rng);

}  // namespace content
