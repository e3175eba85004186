// Scenes for the stage pictures: a painted background and a set of things standing on it, each
// drawn with Cairo in a simple picture-book style. A difference changes one thing.
#pragma once

#include <cairo.h>

#include <functional>
#include <string>
#include <vector>

#include "image.h"
#include "stage_file.h"

namespace content {

struct Colour {
  double r = 0, g = 0, b = 0;
};

Colour FromHsv(double hue, double saturation, double value);
Colour Mix(const Colour& a, const Colour& b, double t);

enum class Kind {
  Tree,
  Pine,
  House,
  Sun,
  Cloud,
  Bird,
  Flower,
  Car,
  Boat,
  Fish,
  Planet,
  Star,
  Rocket,
  Apple,
  Pear,
  Bottle,
  Cup,
  Book,
  Lamp,
  Frame,
  Balloon,
  Butterfly,
  Snowman,
  Cactus,
  Mushroom,
  Lighthouse,
  Moon,
  Bush,
  Clock,
  Vase,
  Kite,
  Umbrella,
  Shell,
  Seaweed,
  Candle,
  Ball,
  Pyramid,
  Window,
};

struct KindInfo {
  const char* name;
  double aspect;    // width of the drawing box for a height of 1
  bool asymmetric;  // mirroring it is a visible change
  int variants;     // drawings of it that differ in a detail
};

const KindInfo& InfoOf(Kind kind);

struct Item {
  Kind kind = Kind::Tree;
  double x = 0, y = 0;  // centre of the drawing box
  double size = 40;     // height of the drawing box, in pixels
  Colour colour;        // the main colour
  Colour accent;        // roofs, sails, rims, ...
  bool mirrored = false;
  int variant = 0;
  bool removed = false;  // taken away by a difference: keeps its place, draws nothing
};

// The pixels an item may touch, outline and smoothing included.
tools::Rect BoxOf(const Item& item);

using Backdrop = std::function<void(cairo_t*)>;

struct Scene {
  int width = 300;
  int height = 300;
  Backdrop backdrop;
  std::vector<Item> items;
};

void DrawItem(cairo_t* cr, const Item& item);
tools::Image Render(const Scene& scene);

}  // namespace content
