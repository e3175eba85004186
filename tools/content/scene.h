// Scenes for the stage pictures: a painted background with its own detail, and many things in
// front of it, each drawn with Cairo in a picture-book style, many with small parts of their own
// (windows, buttons, fruit, spots) and a pattern. A difference changes one thing or one part.
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
  Stone,
  Grass,
  Shirt,
  Jar,
  Cat,
  Bread,
  Croissant,
  Cake,
  Cupcake,
  Donut,
  Pie,
  Teddy,
  Robot,
  Block,
  Drum,
  Hammer,
  Wrench,
  Saw,
  Screwdriver,
  Nut,
  PaintCan,
  Bus,
  Suitcase,
  Bench,
  LampPost,
  Sign,
  Fountain,
  Dog,
  Tent,
  Campfire,
  Lantern,
  Backpack,
  Pencil,
  Globe,
  Hen,
  Pig,
  Sheep,
  Barn,
  Haybale,
  FerrisWheel,
  Flag,
  IceCream,
  Lollipop,
  Candy,
  Column,
  Statue,
  Gem,
  PlantPot,
  WateringCan,
  RubberDuck,
  Soap,
  Towel,
  Banana,
  Orange,
  Grapes,
  Cherries,
  Melon,
  Strawberry,
  Carrot,
  Pumpkin,
  Crate,
  Duck,
  Frog,
  LilyPad,
  Reed,
  Parrot,
  Palm,
  Leaf,
  Snake,
  Tower,
  Shield,
  Barrel,
  Sled,
  Present,
  Mitten,
  Snowflake,
  Spool,
  Button,
  Scissors,
  Pincushion,
  Yarn,
  Guitar,
  Trumpet,
  Note,
  ChessPiece,
  Dice,
  Card,
  Hourglass,
  Turtle,
  Crab,
  Bone,
  PetBowl,
  Hamster,
  Birdhouse,
  Robin,
  Sock,
  Trousers,
  Dress,
  Sandwich,
  Basket,
  Cheese,
  Anchor,
  Buoy,
  Acorn,
  Owl,
  Hedgehog,
  Boot,
  Satellite,
  Ship,
  Comet,
};

struct KindInfo {
  const char* name;
  double aspect;    // width of the drawing box for a height of 1
  bool asymmetric;  // mirroring it is a visible change
  int variants;     // drawings of it that differ in a detail
  int maxDetails;   // how many small parts it can carry (windows, fruit, buttons, spots); 0: none
  bool patterned;   // its cloth or paint can carry a pattern
  int parts;        // the parts of its own a player sees, besides its details
};

// Plain, stripes, dots, checks: what a patterned thing's main colour carries.
constexpr int kPatterns = 4;

const KindInfo& InfoOf(Kind kind);
// How many kinds there are: Kind 0 to KindCount() - 1.
int KindCount();

struct Item {
  Kind kind = Kind::Tree;
  double x = 0, y = 0;  // centre of the drawing box
  double size = 40;     // height of the drawing box, in pixels
  Colour colour;        // the main colour
  Colour accent;        // roofs, sails, rims, ...
  bool mirrored = false;
  int variant = 0;
  int details = 0;        // small parts: 0 to InfoOf(kind).maxDetails
  int pattern = 0;        // 0 to kPatterns - 1, for patterned kinds
  double angle = 0;       // turned about its centre, in degrees
  bool standing = false;  // stands on a shelf or the ground: moves only along it
  bool fixed = false;     // scenery: may stand behind or over others, and is never changed
  bool removed = false;   // taken away by a difference: keeps its place, draws nothing
};

// What a player counts as separate things and parts in the item.
int PartsOf(const Item& item);

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
