#include "scene.h"

#include "paint.h"
#include "things.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

namespace content {
namespace {

// name, aspect, asymmetric, variants, details, patterned, parts
const KindInfo kKinds[] = {
    {"tree", 0.75, false, 2, 5, false, 2},     {"pine", 0.6, false, 1, 0, false, 2},
    {"house", 1.0, true, 2, 4, false, 3},      {"sun", 1.0, false, 1, 0, false, 1},
    {"cloud", 1.8, true, 1, 0, false, 1},      {"bird", 1.6, false, 1, 0, false, 1},
    {"flower", 0.6, false, 2, 0, false, 3},    {"car", 1.9, true, 1, 0, false, 4},
    {"boat", 1.1, true, 1, 0, true, 3},        {"fish", 1.7, true, 2, 0, false, 3},
    {"planet", 1.5, false, 1, 0, true, 2},     {"star", 1.0, false, 1, 0, false, 1},
    {"rocket", 0.55, false, 1, 3, false, 3},   {"apple", 0.9, true, 1, 0, false, 2},
    {"pear", 0.75, true, 1, 0, false, 1},      {"bottle", 0.4, false, 1, 0, true, 3},
    {"cup", 1.15, true, 1, 0, true, 2},        {"book", 0.75, false, 2, 0, true, 1},
    {"lamp", 0.65, false, 1, 0, true, 3},      {"frame", 1.25, false, 2, 0, false, 2},
    {"balloon", 0.65, false, 1, 0, true, 2},   {"butterfly", 1.3, false, 1, 4, false, 3},
    {"snowman", 0.6, false, 2, 3, false, 4},   {"cactus", 0.75, true, 1, 3, false, 3},
    {"mushroom", 0.95, false, 2, 5, false, 2}, {"lighthouse", 0.42, false, 1, 0, false, 3},
    {"moon", 1.0, true, 1, 0, false, 1},       {"bush", 1.5, true, 1, 5, false, 1},
    {"clock", 1.0, false, 4, 0, false, 3},     {"vase", 0.6, false, 2, 0, true, 1},
    {"kite", 0.75, false, 1, 0, true, 2},      {"umbrella", 1.15, true, 1, 0, true, 2},
    {"shell", 1.1, false, 1, 0, false, 1},     {"seaweed", 0.5, true, 1, 0, false, 1},
    {"candle", 0.35, false, 1, 0, false, 3},   {"ball", 1.0, false, 2, 0, true, 1},
    {"pyramid", 1.5, true, 1, 0, false, 2},    {"window", 0.9, false, 2, 0, false, 2},
    {"stone", 1.5, true, 1, 0, false, 1},      {"grass", 1.2, true, 1, 0, false, 1},
    {"shirt", 1.1, false, 1, 4, true, 3},      {"jar", 0.7, false, 2, 0, true, 3},
    {"cat", 1.0, true, 2, 4, false, 4},
    {"bread", 1.6, true, 2, 4, false, 2},
    {"croissant", 1.5, false, 1, 0, false, 3},
    {"cake", 1.1, false, 2, 5, true, 3},
    {"cupcake", 0.9, false, 2, 1, true, 2},
    {"donut", 1.0, false, 1, 5, false, 2},
    {"pie", 1.6, false, 2, 0, false, 2},
    {"teddy", 0.9, false, 2, 3, false, 4},
    {"robot", 0.8, false, 2, 3, false, 4},
    {"block", 1.0, false, 3, 0, true, 2},
    {"drum", 1.0, false, 1, 0, true, 3},
    {"hammer", 1.35, true, 1, 0, false, 2},
    {"wrench", 1.65, false, 1, 0, false, 1},
    {"saw", 1.8, true, 1, 0, false, 2},
    {"screwdriver", 1.8, true, 1, 0, true, 2},
    {"nut", 1.0, false, 2, 0, false, 1},
    {"paint-can", 0.85, true, 1, 0, true, 3},
    {"bus", 2.15, true, 1, 5, false, 4},
    {"suitcase", 1.3, false, 1, 2, true, 2},
    {"bench", 2.0, false, 2, 0, false, 2},
    {"lamp-post", 0.35, false, 2, 0, false, 2},
    {"sign", 0.55, false, 2, 0, false, 2},
    {"fountain", 1.3, false, 1, 0, false, 3},
    {"dog", 1.3, true, 2, 3, false, 4},
    {"tent", 1.45, true, 2, 0, true, 2},
    {"campfire", 0.95, false, 2, 0, false, 3},
    {"lantern", 0.55, false, 1, 0, false, 3},
    {"backpack", 0.75, false, 1, 2, true, 3},
    {"pencil", 1.9, true, 1, 0, true, 3},
    {"globe", 0.9, false, 1, 0, false, 3},
    {"hen", 1.05, true, 2, 0, false, 3},
    {"pig", 1.3, true, 1, 2, false, 3},
    {"sheep", 1.3, true, 2, 0, false, 2},
    {"barn", 1.12, false, 1, 0, false, 3},
    {"haybale", 1.35, false, 1, 0, false, 1},
    {"ferris-wheel", 1.0, false, 1, 0, false, 3},
    {"flag", 0.95, true, 2, 0, true, 2},
    {"ice-cream", 0.5, false, 2, 0, false, 2},
    {"lollipop", 0.5, false, 1, 0, true, 2},
    {"candy", 1.7, false, 1, 0, true, 3},
    {"column", 0.45, false, 1, 0, false, 2},
    {"statue", 0.7, false, 2, 0, false, 2},
    {"gem", 0.95, false, 2, 0, false, 2},
    {"plant-pot", 0.8, false, 2, 3, true, 3},
    {"watering-can", 1.45, true, 1, 0, false, 2},
    {"rubber-duck", 1.1, true, 1, 0, false, 3},
    {"soap", 1.2, false, 1, 3, false, 2},
    {"towel", 0.8, false, 1, 0, true, 2},
    {"banana", 1.5, true, 1, 0, false, 1},
    {"orange", 0.9, true, 1, 0, false, 2},
    {"grapes", 0.7, false, 1, 0, false, 2},
    {"cherries", 0.85, false, 1, 0, false, 3},
    {"melon", 1.55, false, 1, 5, false, 3},
    {"strawberry", 0.9, false, 1, 5, false, 2},
    {"carrot", 0.45, false, 1, 0, false, 2},
    {"pumpkin", 1.3, false, 1, 0, false, 2},
    {"crate", 1.45, false, 1, 0, false, 3},
    {"duck", 1.25, true, 2, 0, false, 3},
    {"frog", 1.0, false, 2, 3, false, 3},
    {"lily-pad", 1.7, true, 2, 0, false, 2},
    {"reed", 0.3, true, 1, 0, false, 2},
    {"parrot", 0.7, true, 1, 0, false, 4},
    {"palm", 1.0, true, 1, 3, false, 2},
    {"leaf", 1.0, false, 2, 0, false, 1},
    {"snake", 1.5, true, 1, 3, false, 2},
    {"tower", 0.6, false, 2, 3, false, 3},
    {"shield", 0.8, false, 2, 0, true, 2},
    {"barrel", 0.85, false, 1, 0, false, 2},
    {"sled", 1.55, true, 1, 0, false, 2},
    {"present", 0.9, false, 2, 0, true, 3},
    {"mitten", 0.8, true, 1, 0, true, 2},
    {"snowflake", 1.0, false, 2, 0, false, 1},
    {"spool", 0.7, false, 1, 0, false, 3},
    {"button", 1.0, false, 2, 0, false, 1},
    {"scissors", 1.0, false, 1, 0, false, 2},
    {"pincushion", 1.05, false, 1, 5, true, 2},
    {"yarn", 1.0, false, 1, 0, false, 1},
    {"guitar", 0.45, false, 1, 0, false, 3},
    {"trumpet", 1.7, true, 1, 0, false, 2},
    {"note", 1.0, true, 2, 0, false, 1},
    {"chess-piece", 0.6, false, 4, 0, false, 2},
    {"dice", 0.9, false, 1, 5, false, 1},
    {"card", 0.7, false, 2, 2, false, 2},
    {"hourglass", 0.65, false, 2, 0, false, 3},
    {"turtle", 1.45, true, 1, 4, false, 3},
    {"crab", 1.4, false, 1, 0, false, 3},
    {"bone", 1.6, false, 1, 0, false, 1},
    {"pet-bowl", 1.45, false, 2, 0, true, 2},
    {"hamster", 1.1, true, 1, 0, false, 3},
    {"birdhouse", 0.8, false, 2, 0, false, 3},
    {"robin", 1.0, true, 2, 0, false, 3},
    {"sock", 0.75, true, 1, 0, true, 2},
    {"trousers", 0.8, false, 1, 0, true, 2},
    {"dress", 0.9, false, 1, 3, true, 2},
    {"sandwich", 1.55, false, 2, 0, false, 3},
    {"basket", 1.25, false, 1, 0, true, 2},
    {"cheese", 1.4, true, 1, 4, false, 1},
    {"anchor", 0.8, false, 1, 0, false, 1},
    {"buoy", 0.85, false, 1, 0, true, 3},
    {"acorn", 0.75, false, 1, 0, false, 2},
    {"owl", 0.7, false, 2, 0, false, 4},
    {"hedgehog", 1.4, true, 1, 0, false, 2},
    {"boot", 0.95, true, 1, 0, true, 2},
    {"satellite", 1.65, false, 1, 0, false, 3},
    {"ship", 1.65, false, 1, 3, false, 2},
    {"comet", 1.75, true, 1, 0, false, 2},
};

// Each drawing fills the box [-aspect/2, aspect/2] x [-0.5, 0.5], y downwards.
void DrawTree(cairo_t* cr, const Item& it) {
  Box(cr, -0.07, 0.05, 0.07, 0.47);
  Paint(cr, kWood);
  if (it.variant == 0) {
    Circle(cr, 0, -0.14, 0.33);
  } else {
    Circle(cr, -0.17, -0.02, 0.19);
    Circle(cr, 0.17, -0.02, 0.19);
    Circle(cr, 0, -0.25, 0.22);
  }
  Paint(cr, it.colour);
  Circle(cr, -0.1, -0.22, 0.07);
  Set(cr, Lighter(it.colour, 0.25));
  cairo_fill(cr);
  Dots(cr, it.details, {{0.12, -0.02}, {-0.16, -0.04}, {0.16, -0.26}, {-0.02, -0.36}, {0.0, -0.12}},
       0.055, it.accent);
}

void DrawPine(cairo_t* cr, const Item& it) {
  Box(cr, -0.05, 0.3, 0.05, 0.47);
  Paint(cr, kWood);
  for (int i = 0; i < 3; ++i) {
    const double top = -0.47 + i * 0.22;
    const double half = 0.16 + i * 0.06;
    Poly(cr, {{0, top}, {half, top + 0.33}, {-half, top + 0.33}});
    Paint(cr, it.colour);
  }
}

void DrawHouse(cairo_t* cr, const Item& it) {
  if (it.variant == 1) {  // a chimney
    Box(cr, 0.18, -0.42, 0.3, -0.15);
    Paint(cr, Darker(it.accent, 0.85));
  }
  Box(cr, -0.38, -0.05, 0.38, 0.47);
  Paint(cr, it.colour);
  Poly(cr, {{-0.47, -0.03}, {0.47, -0.03}, {0, -0.47}});
  Paint(cr, it.accent);
  Box(cr, -0.27, 0.17, -0.07, 0.47);
  Paint(cr, kWood);
  static const double kWindows[4][2] = {{0.04, 0.2}, {0.04, 0.0}, {-0.3, -0.01}, {0.24, 0.2}};
  for (int i = 0; i < it.details && i < 4; ++i) {
    const double x = kWindows[i][0], y = kWindows[i][1];
    const double w = i == 3 ? 0.11 : 0.18;
    Box(cr, x, y, x + w, y + 0.16);
    Paint(cr, kLight);
    Box(cr, x + w / 2 - 0.01, y, x + w / 2 + 0.01, y + 0.16);
    Set(cr, Darker(it.colour, 0.6));
    cairo_fill(cr);
  }
}

void DrawSun(cairo_t* cr, const Item& it) {
  Set(cr, it.colour);
  cairo_set_line_width(cr, 0.05);
  for (int i = 0; i < 12; ++i) {
    const double a = i * kPi / 6;
    cairo_move_to(cr, 0.36 * std::cos(a), 0.36 * std::sin(a));
    cairo_line_to(cr, 0.46 * std::cos(a), 0.46 * std::sin(a));
  }
  cairo_stroke(cr);
  cairo_set_line_width(cr, 0.02);
  Circle(cr, 0, 0, 0.3);
  Paint(cr, it.colour);
}

void DrawCloud(cairo_t* cr, const Item& it) {
  Circle(cr, -0.5, 0.12, 0.3);
  Circle(cr, -0.1, -0.08, 0.4);
  Circle(cr, 0.35, 0.08, 0.33);
  Box(cr, -0.5, 0.12, 0.4, 0.42);
  Set(cr, it.colour);
  cairo_fill(cr);
}

void DrawBird(cairo_t* cr, const Item& it) {
  Set(cr, it.colour);
  cairo_set_line_width(cr, 0.12);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, -0.65, -0.1);
  cairo_curve_to(cr, -0.45, -0.4, -0.15, -0.35, 0, 0.2);
  cairo_curve_to(cr, 0.15, -0.35, 0.45, -0.4, 0.65, -0.1);
  cairo_stroke(cr);
}

void DrawFlower(cairo_t* cr, const Item& it) {
  Set(cr, kLeaf);
  cairo_set_line_width(cr, 0.06);
  cairo_move_to(cr, 0, 0.48);
  cairo_line_to(cr, 0, -0.1);
  cairo_stroke(cr);
  Ellipse(cr, 0.1, 0.25, 0.1, 0.05);
  Paint(cr, kLeaf);
  const int petals = it.variant == 0 ? 5 : 8;
  for (int i = 0; i < petals; ++i) {
    const double a = i * 2 * kPi / petals;
    Circle(cr, 0.16 * std::cos(a), -0.22 + 0.16 * std::sin(a), petals == 5 ? 0.12 : 0.085);
    Paint(cr, it.colour);
  }
  Circle(cr, 0, -0.22, 0.08);
  Paint(cr, it.accent);
}

void DrawCar(cairo_t* cr, const Item& it) {
  Poly(cr, {{-0.5, -0.05}, {0.1, -0.05}, {0.35, -0.42}, {-0.45, -0.42}});
  Paint(cr, it.colour);
  Poly(cr, {{-0.38, -0.1}, {0.04, -0.1}, {0.24, -0.36}, {-0.36, -0.36}});
  Paint(cr, kGlass);
  RoundBox(cr, -0.9, -0.08, 0.9, 0.28, 0.1);
  Paint(cr, it.colour);
  Box(cr, 0.75, 0.0, 0.88, 0.08);
  Paint(cr, kLight);
  for (double x : {-0.5, 0.5}) {
    Circle(cr, x, 0.28, 0.18);
    Paint(cr, kInk);
    Circle(cr, x, 0.28, 0.07);
    Paint(cr, {0.75, 0.75, 0.75});
  }
}

void DrawBoat(cairo_t* cr, const Item& it) {
  Set(cr, kInk);
  cairo_set_line_width(cr, 0.04);
  cairo_move_to(cr, -0.05, 0.2);
  cairo_line_to(cr, -0.05, -0.46);
  cairo_stroke(cr);
  Poly(cr, {{0.0, -0.44}, {0.42, 0.15}, {0.0, 0.15}});
  PaintPatterned(cr, it, it.colour);
  Poly(cr, {{-0.1, -0.3}, {-0.1, 0.15}, {-0.38, 0.15}});
  Paint(cr, Lighter(it.colour, 0.6));
  Poly(cr, {{-0.53, 0.18}, {0.53, 0.18}, {0.36, 0.46}, {-0.36, 0.46}});
  Paint(cr, it.accent);
}

void DrawFish(cairo_t* cr, const Item& it) {
  Poly(cr, {{0.4, 0}, {0.82, -0.32}, {0.82, 0.32}});
  Paint(cr, it.accent);
  Ellipse(cr, -0.08, 0, 0.55, 0.33);
  Paint(cr, it.colour);
  if (it.variant == 1) {  // stripes
    Set(cr, it.accent);
    for (double x : {-0.2, 0.1}) {
      Box(cr, x, -0.26, x + 0.09, 0.26);
      cairo_fill(cr);
    }
  }
  Circle(cr, -0.38, -0.07, 0.08);
  Paint(cr, kWhite);
  Circle(cr, -0.4, -0.07, 0.035);
  Set(cr, kInk);
  cairo_fill(cr);
}

void DrawPlanet(cairo_t* cr, const Item& it) {
  Circle(cr, 0, 0, 0.34);
  PaintPatterned(cr, it, it.colour);
  Set(cr, it.accent);
  cairo_set_line_width(cr, 0.07);
  cairo_save(cr);
  cairo_scale(cr, 1, 0.28);
  cairo_arc(cr, 0, 0, 0.66, 0, kPi);  // the front half of the ring
  cairo_restore(cr);
  cairo_stroke(cr);
}

void DrawStar(cairo_t* cr, const Item& it) {
  StarPath(cr, 0, 0.04, 0.47, 0.2, 5);
  Paint(cr, it.colour);
}

void DrawRocket(cairo_t* cr, const Item& it) {
  Poly(cr, {{-0.12, 0.2}, {-0.26, 0.47}, {-0.1, 0.4}});
  Paint(cr, it.accent);
  Poly(cr, {{0.12, 0.2}, {0.26, 0.47}, {0.1, 0.4}});
  Paint(cr, it.accent);
  cairo_move_to(cr, 0, -0.48);
  cairo_curve_to(cr, 0.2, -0.3, 0.16, 0.1, 0.12, 0.42);
  cairo_line_to(cr, -0.12, 0.42);
  cairo_curve_to(cr, -0.16, 0.1, -0.2, -0.3, 0, -0.48);
  cairo_close_path(cr);
  Paint(cr, it.colour);
  Dots(cr, it.details, {{0, -0.18}, {0, 0.0}, {0, 0.17}}, 0.065, kGlass);
}

void DrawApple(cairo_t* cr, const Item& it) {
  Set(cr, kWood);
  cairo_set_line_width(cr, 0.05);
  cairo_move_to(cr, 0, -0.2);
  cairo_line_to(cr, 0.04, -0.45);
  cairo_stroke(cr);
  Ellipse(cr, 0.17, -0.36, 0.12, 0.06);
  Paint(cr, kLeaf);
  Circle(cr, -0.15, 0.1, 0.3);
  Circle(cr, 0.15, 0.1, 0.3);
  Paint(cr, it.colour);
  Circle(cr, -0.2, 0.0, 0.07);
  Set(cr, Lighter(it.colour, 0.5));
  cairo_fill(cr);
}

void DrawPear(cairo_t* cr, const Item& it) {
  Set(cr, kWood);
  cairo_set_line_width(cr, 0.05);
  cairo_move_to(cr, 0, -0.3);
  cairo_line_to(cr, 0.06, -0.47);
  cairo_stroke(cr);
  Circle(cr, 0, 0.2, 0.27);
  Circle(cr, 0, -0.12, 0.17);
  Paint(cr, it.colour);
}

void DrawBottle(cairo_t* cr, const Item& it) {
  RoundBox(cr, -0.17, -0.1, 0.17, 0.48, 0.06);
  Paint(cr, it.colour);
  Box(cr, -0.06, -0.4, 0.06, -0.1);
  Paint(cr, it.colour);
  Box(cr, -0.08, -0.48, 0.08, -0.4);
  Paint(cr, it.accent);
  Box(cr, -0.14, 0.1, 0.14, 0.28);
  PaintPatterned(cr, it, kWhite);
}

void DrawCup(cairo_t* cr, const Item& it) {
  Set(cr, Darker(it.colour, 0.8));
  cairo_set_line_width(cr, 0.09);
  cairo_arc(cr, 0.3, 0.0, 0.17, -kPi / 2, kPi / 2);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 0.03);
  Poly(cr, {{-0.45, -0.3}, {0.33, -0.3}, {0.23, 0.4}, {-0.35, 0.4}});
  PaintPatterned(cr, it, it.colour);
  Box(cr, -0.42, -0.1, 0.3, 0.02);
  Set(cr, it.accent);
  cairo_fill(cr);
  Ellipse(cr, -0.06, 0.44, 0.5, 0.05);
  Paint(cr, kWhite);
}

void DrawBook(cairo_t* cr, const Item& it) {
  const int books = it.variant == 0 ? 1 : 3;
  for (int i = 0; i < books; ++i) {
    const double top = books == 1 ? -0.46 : 0.16 - i * 0.31;
    const double bottom = books == 1 ? 0.46 : top + 0.29;
    const Colour c = i == 1 ? it.accent : it.colour;
    Box(cr, -0.33, top, 0.33, bottom);
    PaintPatterned(cr, it, c);
    Box(cr, -0.33, top, -0.23, bottom);
    Set(cr, Darker(c, 0.75));
    cairo_fill(cr);
  }
}

void DrawLamp(cairo_t* cr, const Item& it) {
  Box(cr, -0.2, 0.4, 0.2, 0.48);
  Paint(cr, kInk);
  Box(cr, -0.03, -0.1, 0.03, 0.4);
  Paint(cr, kInk);
  Poly(cr, {{-0.16, -0.46}, {0.16, -0.46}, {0.3, -0.08}, {-0.3, -0.08}});
  PaintPatterned(cr, it, it.colour);
}

void DrawFrame(cairo_t* cr, const Item& it) {
  Box(cr, -0.6, -0.46, 0.6, 0.46);
  Paint(cr, it.accent);
  Box(cr, -0.5, -0.36, 0.5, 0.36);
  Paint(cr, Lighter(it.colour, 0.5));
  if (it.variant == 0) {
    Poly(cr, {{-0.5, 0.36}, {-0.15, -0.15}, {0.1, 0.15}, {0.25, 0.0}, {0.5, 0.36}});
    Paint(cr, it.colour);
  } else {
    Circle(cr, 0.0, 0.0, 0.22);
    Paint(cr, it.colour);
  }
}

void DrawBalloon(cairo_t* cr, const Item& it) {
  Set(cr, kInk);
  cairo_set_line_width(cr, 0.025);
  cairo_move_to(cr, 0, 0.12);
  cairo_curve_to(cr, -0.1, 0.25, 0.1, 0.35, 0, 0.48);
  cairo_stroke(cr);
  Ellipse(cr, 0, -0.18, 0.28, 0.3);
  PaintPatterned(cr, it, it.colour);
  Ellipse(cr, -0.1, -0.28, 0.05, 0.08);
  Set(cr, Lighter(it.colour, 0.6));
  cairo_fill(cr);
}

void DrawButterfly(cairo_t* cr, const Item& it) {
  for (double side : {-1.0, 1.0}) {
    Ellipse(cr, side * 0.3, -0.18, 0.3, 0.26);
    Paint(cr, it.colour);
    Ellipse(cr, side * 0.24, 0.22, 0.2, 0.2);
    Paint(cr, it.accent);
  }
  Ellipse(cr, 0, 0.02, 0.05, 0.4);
  Paint(cr, kInk);
  Dots(cr, it.details, {{-0.32, -0.2}, {0.32, -0.2}, {-0.24, 0.22}, {0.24, 0.22}}, 0.07, kWhite);
}

void DrawSnowman(cairo_t* cr, const Item& it) {
  Circle(cr, 0, 0.28, 0.2);
  Circle(cr, 0, -0.02, 0.15);
  Circle(cr, 0, -0.24, 0.11);
  Paint(cr, kWhite);
  Box(cr, -0.1, -0.48, 0.1, -0.32);
  Paint(cr, kInk);
  Box(cr, -0.15, -0.34, 0.15, -0.31);
  Paint(cr, kInk);
  Poly(cr, {{0, -0.25}, {0.17, -0.22}, {0, -0.2}});
  Paint(cr, {0.95, 0.5, 0.1});
  if (it.variant == 1) {  // a scarf
    Box(cr, -0.12, -0.15, 0.12, -0.1);
    Paint(cr, it.colour);
    Box(cr, 0.04, -0.13, 0.1, 0.05);
    Paint(cr, it.colour);
  }
  Dots(cr, it.details, {{0, -0.04}, {0, 0.07}, {0, 0.2}}, 0.035, kInk);
}

void DrawCactus(cairo_t* cr, const Item& it) {
  RoundBox(cr, -0.12, -0.46, 0.12, 0.44, 0.11);
  Paint(cr, it.colour);
  RoundBox(cr, -0.34, -0.2, -0.22, 0.1, 0.06);
  Paint(cr, it.colour);
  Box(cr, -0.3, 0.02, -0.1, 0.1);
  Paint(cr, it.colour);
  RoundBox(cr, 0.22, -0.05, 0.34, 0.2, 0.06);
  Paint(cr, it.colour);
  Box(cr, 0.1, 0.12, 0.3, 0.2);
  Paint(cr, it.colour);
  Box(cr, -0.3, 0.4, 0.3, 0.48);
  Paint(cr, {0.75, 0.45, 0.3});
  Dots(cr, it.details, {{0, -0.34}, {-0.28, -0.2}, {0.28, -0.05}}, 0.07, it.accent);
}

void DrawMushroom(cairo_t* cr, const Item& it) {
  RoundBox(cr, -0.12, -0.05, 0.12, 0.46, 0.05);
  Paint(cr, {0.95, 0.9, 0.78});
  cairo_move_to(cr, -0.45, 0.0);
  if (it.variant == 0) {
    cairo_curve_to(cr, -0.45, -0.6, 0.45, -0.6, 0.45, 0.0);
  } else {  // a pointed cap
    cairo_curve_to(cr, -0.3, -0.2, -0.05, -0.5, 0.0, -0.5);
    cairo_curve_to(cr, 0.05, -0.5, 0.3, -0.2, 0.45, 0.0);
  }
  cairo_close_path(cr);
  Paint(cr, it.colour);
  Dots(cr, it.details, {{-0.22, -0.12}, {0.05, -0.28}, {0.25, -0.1}, {-0.05, -0.1}, {0.18, -0.3}},
       0.055, kWhite);
}

void DrawLighthouse(cairo_t* cr, const Item& it) {
  Poly(cr, {{-0.12, -0.28}, {0.12, -0.28}, {0.19, 0.47}, {-0.19, 0.47}});
  Paint(cr, kWhite);
  Set(cr, it.colour);
  for (double y : {-0.1, 0.2}) {
    const double w0 = 0.13 + (y + 0.28) * 0.09;
    const double w1 = 0.13 + (y + 0.38) * 0.09;
    Poly(cr, {{-w0, y}, {w0, y}, {w1, y + 0.12}, {-w1, y + 0.12}});
    cairo_fill(cr);
  }
  Box(cr, -0.1, -0.4, 0.1, -0.28);
  Paint(cr, kLight);
  Poly(cr, {{-0.15, -0.4}, {0.15, -0.4}, {0, -0.48}});
  Paint(cr, it.colour);
}

void DrawMoon(cairo_t* cr, const Item& it) {
  cairo_new_path(cr);
  cairo_arc_negative(cr, 0, 0, 0.45, -kPi / 2 + 0.25, kPi / 2 - 0.25);
  cairo_curve_to(cr, -0.12, 0.25, -0.12, -0.25, 0.45 * std::cos(-kPi / 2 + 0.25),
                 0.45 * std::sin(-kPi / 2 + 0.25));
  cairo_close_path(cr);
  Paint(cr, it.colour);
}

void DrawBush(cairo_t* cr, const Item& it) {
  Circle(cr, -0.42, 0.15, 0.3);
  Circle(cr, 0.0, -0.05, 0.42);
  Circle(cr, 0.45, 0.18, 0.28);
  Box(cr, -0.55, 0.15, 0.6, 0.46);
  Set(cr, it.colour);
  cairo_fill(cr);
  Circle(cr, -0.1, -0.2, 0.1);
  Circle(cr, 0.3, 0.05, 0.07);
  Set(cr, Lighter(it.colour, 0.25));
  cairo_fill(cr);
  Dots(cr, it.details, {{-0.4, 0.15}, {0.1, -0.1}, {0.45, 0.2}, {-0.15, 0.2}, {0.25, -0.3}}, 0.06,
       it.accent);
}

void DrawClock(cairo_t* cr, const Item& it) {
  Circle(cr, 0, 0, 0.46);
  Paint(cr, it.colour);
  Circle(cr, 0, 0, 0.37);
  Paint(cr, kWhite);
  Set(cr, kInk);
  for (int i = 0; i < 12; i += 3) {
    const double a = i * kPi / 6;
    Circle(cr, 0.3 * std::sin(a), -0.3 * std::cos(a), 0.03);
    cairo_fill(cr);
  }
  static const double kHours[] = {3, 7, 10, 5};
  const double hour = kHours[it.variant % 4];
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 0.06);
  cairo_move_to(cr, 0, 0);
  cairo_line_to(cr, 0.2 * std::sin(hour * kPi / 6), -0.2 * std::cos(hour * kPi / 6));
  cairo_stroke(cr);
  cairo_set_line_width(cr, 0.04);
  cairo_move_to(cr, 0, 0);
  cairo_line_to(cr, 0, -0.3);
  cairo_stroke(cr);
}

void DrawVase(cairo_t* cr, const Item& it) {
  if (it.variant == 1) {
    for (const auto& [x, y] : {std::pair{-0.15, -0.35}, {0.0, -0.42}, {0.16, -0.34}}) {
      Set(cr, kLeaf);
      cairo_set_line_width(cr, 0.03);
      cairo_move_to(cr, 0, -0.05);
      cairo_line_to(cr, x, y);
      cairo_stroke(cr);
      Circle(cr, x, y, 0.065);
      Paint(cr, it.accent);
    }
  }
  cairo_move_to(cr, -0.1, -0.1);
  cairo_curve_to(cr, -0.1, 0.0, -0.28, 0.1, -0.2, 0.46);
  cairo_line_to(cr, 0.2, 0.46);
  cairo_curve_to(cr, 0.28, 0.1, 0.1, 0.0, 0.1, -0.1);
  cairo_close_path(cr);
  PaintPatterned(cr, it, it.colour);
}

void DrawKite(cairo_t* cr, const Item& it) {
  Set(cr, kInk);
  cairo_set_line_width(cr, 0.02);
  cairo_move_to(cr, 0, 0.1);
  cairo_curve_to(cr, 0.2, 0.25, -0.2, 0.35, 0.05, 0.48);
  cairo_stroke(cr);
  Poly(cr, {{0, -0.48}, {0.33, -0.18}, {0, 0.12}, {-0.33, -0.18}});
  PaintPatterned(cr, it, it.colour);
  Poly(cr, {{0, -0.48}, {0.33, -0.18}, {0, -0.18}});
  Set(cr, it.accent);
  cairo_fill(cr);
  Poly(cr, {{0, 0.12}, {-0.33, -0.18}, {0, -0.18}});
  cairo_fill(cr);
}

void DrawUmbrella(cairo_t* cr, const Item& it) {
  Set(cr, kInk);
  cairo_set_line_width(cr, 0.05);
  cairo_move_to(cr, 0, -0.1);
  cairo_line_to(cr, 0, 0.35);
  cairo_arc_negative(cr, 0.1, 0.35, 0.1, kPi, 0);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 0.03);
  cairo_move_to(cr, -0.55, 0.0);
  cairo_curve_to(cr, -0.5, -0.55, 0.5, -0.55, 0.55, 0.0);
  cairo_close_path(cr);
  PaintPatterned(cr, it, it.colour);
  cairo_move_to(cr, -0.25, 0.0);
  cairo_curve_to(cr, -0.2, -0.3, -0.05, -0.4, 0.0, -0.42);
  cairo_curve_to(cr, -0.1, -0.3, -0.1, -0.1, -0.05, 0.0);
  cairo_close_path(cr);
  Set(cr, it.accent);
  cairo_fill(cr);
}

void DrawShell(cairo_t* cr, const Item& it) {
  cairo_move_to(cr, 0, 0.42);
  cairo_line_to(cr, -0.5, -0.1);
  cairo_curve_to(cr, -0.4, -0.55, 0.4, -0.55, 0.5, -0.1);
  cairo_close_path(cr);
  Paint(cr, it.colour);
  Set(cr, Darker(it.colour, 0.7));
  cairo_set_line_width(cr, 0.03);
  for (int i = -2; i <= 2; ++i) {
    cairo_move_to(cr, 0, 0.4);
    cairo_line_to(cr, i * 0.18, -0.35 + std::abs(i) * 0.05);
  }
  cairo_stroke(cr);
}

void DrawSeaweed(cairo_t* cr, const Item& it) {
  Set(cr, it.colour);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 0.08);
  cairo_move_to(cr, -0.05, 0.46);
  cairo_curve_to(cr, -0.2, 0.2, 0.15, 0.0, -0.05, -0.2);
  cairo_curve_to(cr, -0.2, -0.3, 0.1, -0.4, 0.05, -0.45);
  cairo_stroke(cr);
  cairo_move_to(cr, 0.1, 0.46);
  cairo_curve_to(cr, 0.2, 0.25, 0.0, 0.15, 0.15, -0.05);
  cairo_stroke(cr);
}

void DrawCandle(cairo_t* cr, const Item& it) {
  Box(cr, -0.1, -0.15, 0.1, 0.44);
  Paint(cr, it.colour);
  Box(cr, -0.16, 0.42, 0.16, 0.48);
  Paint(cr, {0.8, 0.7, 0.3});
  Ellipse(cr, 0, -0.3, 0.07, 0.14);
  Paint(cr, {1.0, 0.7, 0.15});
  Ellipse(cr, 0, -0.27, 0.03, 0.07);
  Set(cr, kLight);
  cairo_fill(cr);
}

void DrawBall(cairo_t* cr, const Item& it) {
  Circle(cr, 0, 0, 0.46);
  PaintPatterned(cr, it, it.colour);
  cairo_save(cr);
  Circle(cr, 0, 0, 0.45);
  cairo_clip(cr);
  Set(cr, it.accent);
  if (it.variant == 0) {
    Box(cr, -0.5, -0.1, 0.5, 0.1);
  } else {
    Box(cr, -0.1, -0.5, 0.1, 0.5);
    Box(cr, -0.5, -0.1, 0.5, 0.1);
  }
  cairo_fill(cr);
  cairo_restore(cr);
}

void DrawPyramid(cairo_t* cr, const Item& it) {
  Poly(cr, {{-0.72, 0.46}, {0.0, -0.46}, {0.72, 0.46}});
  Paint(cr, it.colour);
  Poly(cr, {{0.0, -0.46}, {0.72, 0.46}, {0.2, 0.46}});
  Set(cr, Darker(it.colour, 0.8));
  cairo_fill(cr);
}

void DrawWindow(cairo_t* cr, const Item& it) {
  Box(cr, -0.42, -0.46, 0.42, 0.46);
  Paint(cr, it.accent);
  Box(cr, -0.34, -0.38, 0.34, 0.38);
  Paint(cr, it.colour);
  Set(cr, it.accent);
  Box(cr, -0.03, -0.38, 0.03, 0.38);
  Box(cr, -0.34, -0.03, 0.34, 0.03);
  cairo_fill(cr);
  if (it.variant == 1) {  // curtains
    Poly(cr, {{-0.34, -0.38}, {-0.12, -0.38}, {-0.34, 0.38}});
    Poly(cr, {{0.34, -0.38}, {0.12, -0.38}, {0.34, 0.38}});
    Paint(cr, {0.8, 0.25, 0.3});
  }
}

void DrawStone(cairo_t* cr, const Item& it) {
  Ellipse(cr, 0, 0.08, 0.7, 0.38);
  Paint(cr, it.colour);
  Ellipse(cr, -0.2, -0.05, 0.2, 0.09);
  Set(cr, Lighter(it.colour, 0.3));
  cairo_fill(cr);
}

void DrawGrass(cairo_t* cr, const Item& it) {
  Set(cr, it.colour);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 0.07);
  for (int i = -2; i <= 2; ++i) {
    cairo_move_to(cr, i * 0.08, 0.47);
    cairo_curve_to(cr, i * 0.1, 0.1, i * 0.2, -0.1, i * 0.25 + 0.05, -0.45 + std::abs(i) * 0.12);
  }
  cairo_stroke(cr);
}

void DrawShirt(cairo_t* cr, const Item& it) {
  Poly(cr, {{-0.2, -0.42},
            {-0.5, -0.25},
            {-0.42, -0.05},
            {-0.3, -0.12},
            {-0.3, 0.46},
            {0.3, 0.46},
            {0.3, -0.12},
            {0.42, -0.05},
            {0.5, -0.25},
            {0.2, -0.42}});
  PaintPatterned(cr, it, it.colour);
  Poly(cr, {{-0.2, -0.42}, {0.0, -0.26}, {0.2, -0.42}, {0.1, -0.42}, {0.0, -0.34}, {-0.1, -0.42}});
  Paint(cr, kWhite);
  Dots(cr, it.details, {{0, -0.14}, {0, 0.02}, {0, 0.18}, {0, 0.34}}, 0.04, it.accent);
}

void DrawJar(cairo_t* cr, const Item& it) {
  RoundBox(cr, -0.32, -0.3, 0.32, 0.47, 0.1);
  Paint(cr, Mix(it.colour, kGlass, 0.35));
  if (it.variant == 0) {
    Box(cr, -0.28, -0.44, 0.28, -0.3);
  } else {  // a lid with a knob
    Box(cr, -0.26, -0.38, 0.26, -0.3);
    Circle(cr, 0, -0.42, 0.07);
  }
  Paint(cr, it.accent);
  Box(cr, -0.25, -0.02, 0.25, 0.24);
  PaintPatterned(cr, it, kWhite);
}

void DrawCat(cairo_t* cr, const Item& it) {
  cairo_save(cr);  // the tail, a thick line
  Set(cr, it.colour);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 0.09);
  cairo_move_to(cr, 0.25, 0.4);
  cairo_curve_to(cr, 0.55, 0.4, 0.5, 0.0, 0.42, -0.1);
  cairo_stroke(cr);
  cairo_restore(cr);
  Ellipse(cr, 0.02, 0.2, 0.3, 0.27);
  Paint(cr, it.colour);
  Dots(cr, it.details, {{0.1, 0.1}, {-0.12, 0.28}, {0.15, 0.32}, {-0.05, 0.12}}, 0.06, it.accent);
  Poly(cr, {{-0.32, -0.3}, {-0.3, -0.5}, {-0.17, -0.38}});
  Poly(cr, {{-0.02, -0.38}, {0.08, -0.5}, {0.1, -0.3}});
  Paint(cr, it.colour);
  Circle(cr, -0.12, -0.22, 0.21);
  Paint(cr, it.colour);
  for (double x : {-0.2, -0.04}) {
    Ellipse(cr, x, -0.24, it.variant == 0 ? 0.035 : 0.05, it.variant == 0 ? 0.05 : 0.02);
    Set(cr, kInk);
    cairo_fill(cr);
  }
}

using Drawing = void (*)(cairo_t*, const Item&);
const Drawing kDrawings[] = {
    DrawTree,      DrawPine,    DrawHouse,  DrawSun,      DrawCloud,      DrawBird,    DrawFlower,
    DrawCar,       DrawBoat,    DrawFish,   DrawPlanet,   DrawStar,       DrawRocket,  DrawApple,
    DrawPear,      DrawBottle,  DrawCup,    DrawBook,     DrawLamp,       DrawFrame,   DrawBalloon,
    DrawButterfly, DrawSnowman, DrawCactus, DrawMushroom, DrawLighthouse, DrawMoon,    DrawBush,
    DrawClock,     DrawVase,    DrawKite,   DrawUmbrella, DrawShell,      DrawSeaweed, DrawCandle,
    DrawBall,      DrawPyramid, DrawWindow, DrawStone,    DrawGrass,      DrawShirt,   DrawJar,
    DrawCat,
    DrawBread,
    DrawCroissant,
    DrawCake,
    DrawCupcake,
    DrawDonut,
    DrawPie,
    DrawTeddy,
    DrawRobot,
    DrawBlock,
    DrawDrum,
    DrawHammer,
    DrawWrench,
    DrawSaw,
    DrawScrewdriver,
    DrawNut,
    DrawPaintCan,
    DrawBus,
    DrawSuitcase,
    DrawBench,
    DrawLampPost,
    DrawSign,
    DrawFountain,
    DrawDog,
    DrawTent,
    DrawCampfire,
    DrawLantern,
    DrawBackpack,
    DrawPencil,
    DrawGlobe,
    DrawHen,
    DrawPig,
    DrawSheep,
    DrawBarn,
    DrawHaybale,
    DrawFerrisWheel,
    DrawFlag,
    DrawIceCream,
    DrawLollipop,
    DrawCandy,
    DrawColumn,
    DrawStatue,
    DrawGem,
    DrawPlantPot,
    DrawWateringCan,
    DrawRubberDuck,
    DrawSoap,
    DrawTowel,
    DrawBanana,
    DrawOrange,
    DrawGrapes,
    DrawCherries,
    DrawMelon,
    DrawStrawberry,
    DrawCarrot,
    DrawPumpkin,
    DrawCrate,
    DrawDuck,
    DrawFrog,
    DrawLilyPad,
    DrawReed,
    DrawParrot,
    DrawPalm,
    DrawLeaf,
    DrawSnake,
    DrawTower,
    DrawShield,
    DrawBarrel,
    DrawSled,
    DrawPresent,
    DrawMitten,
    DrawSnowflake,
    DrawSpool,
    DrawButton,
    DrawScissors,
    DrawPincushion,
    DrawYarn,
    DrawGuitar,
    DrawTrumpet,
    DrawNote,
    DrawChessPiece,
    DrawDice,
    DrawCard,
    DrawHourglass,
    DrawTurtle,
    DrawCrab,
    DrawBone,
    DrawPetBowl,
    DrawHamster,
    DrawBirdhouse,
    DrawRobin,
    DrawSock,
    DrawTrousers,
    DrawDress,
    DrawSandwich,
    DrawBasket,
    DrawCheese,
    DrawAnchor,
    DrawBuoy,
    DrawAcorn,
    DrawOwl,
    DrawHedgehog,
    DrawBoot,
    DrawSatellite,
    DrawShip,
    DrawComet,
};
static_assert(std::size(kDrawings) == std::size(kKinds));

struct SurfaceDeleter {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextDeleter {
  void operator()(cairo_t* c) const { cairo_destroy(c); }
};

}  // namespace

Colour FromHsv(double hue, double saturation, double value) {
  hue = std::fmod(std::fmod(hue, 360.0) + 360.0, 360.0) / 60.0;
  const double c = value * saturation;
  const double x = c * (1 - std::fabs(std::fmod(hue, 2.0) - 1));
  const double m = value - c;
  const int sector = static_cast<int>(hue);
  const double table[6][3] = {{c, x, 0}, {x, c, 0}, {0, c, x}, {0, x, c}, {x, 0, c}, {c, 0, x}};
  return {table[sector][0] + m, table[sector][1] + m, table[sector][2] + m};
}

Colour Mix(const Colour& a, const Colour& b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

const KindInfo& InfoOf(Kind kind) { return kKinds[static_cast<int>(kind)]; }

int KindCount() { return static_cast<int>(std::size(kKinds)); }

int PartsOf(const Item& item) {
  const KindInfo& info = InfoOf(item.kind);
  return info.parts + item.details + (info.patterned && item.pattern != 0 ? 1 : 0);
}

tools::Rect BoxOf(const Item& item) {
  // The drawing box, turned with the item: its bounds grow by the turn.
  const double w = item.size * InfoOf(item.kind).aspect / 2, h = item.size / 2;
  const double a = item.angle * kPi / 180;
  const double halfWidth = std::abs(w * std::cos(a)) + std::abs(h * std::sin(a)) + 3;
  const double halfHeight = std::abs(w * std::sin(a)) + std::abs(h * std::cos(a)) + 3;
  return {static_cast<int>(std::floor(item.x - halfWidth)),
          static_cast<int>(std::floor(item.y - halfHeight)),
          static_cast<int>(std::ceil(item.x + halfWidth)),
          static_cast<int>(std::ceil(item.y + halfHeight))};
}

void DrawItem(cairo_t* cr, const Item& item) {
  cairo_save(cr);
  cairo_translate(cr, item.x, item.y);
  cairo_rotate(cr, item.angle * kPi / 180);
  cairo_scale(cr, item.mirrored ? -item.size : item.size, item.size);
  cairo_set_line_width(cr, 1.3 / item.size);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  kDrawings[static_cast<int>(item.kind)](cr, item);
  cairo_restore(cr);
}

tools::Image Render(const Scene& scene) {
  std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface(
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, scene.width, scene.height));
  std::unique_ptr<cairo_t, ContextDeleter> cr(cairo_create(surface.get()));
  cairo_save(cr.get());
  scene.backdrop(cr.get());
  cairo_restore(cr.get());
  // Scenery stands behind everything; of the rest, what stands lower in the picture is nearer
  // and stands in front.
  std::vector<const Item*> order;
  for (const Item& item : scene.items)
    if (!item.removed) order.push_back(&item);
  std::stable_sort(order.begin(), order.end(), [](const Item* a, const Item* b) {
    if (a->fixed != b->fixed) return a->fixed;
    return !a->fixed && a->y + a->size / 2 < b->y + b->size / 2;
  });
  for (const Item* item : order) DrawItem(cr.get(), *item);
  cairo_surface_flush(surface.get());

  tools::Image image = tools::MakeImage(scene.width, scene.height);
  const int stride = cairo_image_surface_get_stride(surface.get());
  const unsigned char* data = cairo_image_surface_get_data(surface.get());
  for (int y = 0; y < scene.height; ++y)
    for (int x = 0; x < scene.width; ++x) {
      std::uint32_t pixel;
      std::memcpy(&pixel, data + y * stride + 4 * x, 4);
      std::uint8_t* out = image.Pixel(x, y);
      out[0] = static_cast<std::uint8_t>(pixel >> 16);
      out[1] = static_cast<std::uint8_t>(pixel >> 8);
      out[2] = static_cast<std::uint8_t>(pixel);
    }
  return image;
}

}  // namespace content
