// The things of the places added to the first sixteen: a bakery's loaves, a toy shop's toys, a
// workshop's tools, a farmyard's animals, a market's fruit, and so on. Each fills its unit box as
// the drawings in scene.cpp do, and uses its colour, accent, details, variant and pattern so that
// every change a difference makes shows.
#include <cmath>

#include "paint.h"
#include "things.h"

namespace content {

namespace {
const Colour kCrust{0.78, 0.52, 0.25};
const Colour kCream{0.98, 0.94, 0.84};
const Colour kSteel{0.7, 0.72, 0.76};
const Colour kStone{0.72, 0.7, 0.66};

void Spokes(cairo_t* cr, double x, double y, double r, int count, double width) {
  for (int i = 0; i < count; ++i) {
    const double a = i * 2 * kPi / count;
    Line(cr, x, y, x + r * std::cos(a), y + r * std::sin(a), width);
  }
}
}  // namespace

// --- the bakery and the cake counter ---
void DrawBread(cairo_t* cr, const Item& it) {
  if (it.variant == 0) {
    RoundBox(cr, -0.76, -0.3, 0.76, 0.42, 0.28);
  } else {
    Ellipse(cr, 0, 0.06, 0.78, 0.36);
  }
  Paint(cr, Mix(kCrust, it.colour, 0.25));
  Set(cr, Darker(kCrust, 0.7));
  for (double x : {-0.4, 0.0, 0.4}) Line(cr, x - 0.12, -0.12, x + 0.12, 0.12, 0.06);
  Dots(cr, it.details, {{-0.55, 0.05}, {-0.2, 0.22}, {0.2, -0.1}, {0.55, 0.1}}, 0.04, kCream);
}

void DrawCroissant(cairo_t* cr, const Item& it) {
  for (int i = -2; i <= 2; ++i) {
    const double x = i * 0.26, w = 0.22 - std::abs(i) * 0.04;
    Ellipse(cr, x, 0.1 - (2 - std::abs(i)) * 0.08, w, 0.3 - std::abs(i) * 0.06);
    Paint(cr, Mix(kCrust, it.colour, 0.2 + 0.05 * std::abs(i)));
  }
}

void DrawCake(cairo_t* cr, const Item& it) {
  const int layers = it.variant == 0 ? 1 : 2;
  for (int i = 0; i < layers; ++i) {
    const double w = 0.5 - i * 0.16, top = layers == 1 ? -0.2 : 0.05 - i * 0.32;
    Box(cr, -w, top, w, top + (layers == 1 ? 0.66 : 0.36));
    PaintPatterned(cr, it, i == 0 ? it.colour : Lighter(it.colour, 0.3));
    Box(cr, -w, top, w, top + 0.08);
    Paint(cr, kCream);
  }
  Box(cr, -0.55, 0.44, 0.55, 0.5);
  Paint(cr, kWhite);
  const double top = layers == 1 ? -0.28 : -0.35;
  Dots(cr, it.details, {{-0.3, top}, {0.0, top}, {0.3, top}, {-0.15, top}, {0.15, top}}, 0.05,
       it.accent);
}

void DrawCupcake(cairo_t* cr, const Item& it) {
  Poly(cr, {{-0.36, 0.0}, {0.36, 0.0}, {0.26, 0.48}, {-0.26, 0.48}});
  PaintPatterned(cr, it, Lighter(it.accent, 0.3));
  if (it.variant == 0) {
    Circle(cr, -0.2, -0.08, 0.2);
    Circle(cr, 0.2, -0.08, 0.2);
    Circle(cr, 0, -0.22, 0.22);
  } else {
    Poly(cr, {{-0.42, 0.02}, {0.42, 0.02}, {0, -0.42}});
  }
  Paint(cr, it.colour);
  Dots(cr, it.details, {{0.0, -0.4}}, 0.05, {0.85, 0.1, 0.15});
}

void DrawDonut(cairo_t* cr, const Item& it) {
  Circle(cr, 0, 0.02, 0.46);
  Paint(cr, kCrust);
  Circle(cr, 0, -0.02, 0.38);
  Paint(cr, it.colour);
  Circle(cr, 0, -0.02, 0.13);
  Paint(cr, Darker(kCrust, 0.8));
  static const double kSprinkles[][2] = {{-0.25, -0.2}, {0.2, -0.25}, {0.27, 0.1}, {-0.22, 0.17},
                                        {0.0, 0.25}};
  for (int i = 0; i < it.details && i < 5; ++i) {
    Set(cr, i % 2 ? it.accent : kWhite);
    Line(cr, kSprinkles[i][0] - 0.05, kSprinkles[i][1], kSprinkles[i][0] + 0.05,
         kSprinkles[i][1] + 0.04, 0.06);
  }
}

void DrawPie(cairo_t* cr, const Item& it) {
  Poly(cr, {{-0.78, -0.05}, {0.78, -0.05}, {0.62, 0.42}, {-0.62, 0.42}});
  Paint(cr, Darker(kCrust, 0.85));
  Ellipse(cr, 0, -0.08, 0.76, 0.26);
  Paint(cr, it.variant == 0 ? kCrust : it.colour);
  Set(cr, Darker(kCrust, 0.7));
  if (it.variant == 0)
    for (double x : {-0.35, 0.0, 0.35}) Line(cr, x - 0.08, -0.12, x + 0.08, -0.04, 0.05);
  else
    for (double x : {-0.4, -0.13, 0.13, 0.4}) Line(cr, x, -0.28, x, 0.12, 0.05);
}

// --- the toy shop ---
void DrawTeddy(cairo_t* cr, const Item& it) {
  for (double x : {-0.24, 0.24}) Circle(cr, x, -0.36, 0.1);
  Ellipse(cr, 0, 0.2, 0.3, 0.28);
  for (double x : {-0.34, 0.34}) Circle(cr, x, 0.12, 0.1);
  for (double x : {-0.2, 0.2}) Circle(cr, x, 0.42, 0.09);
  Paint(cr, it.colour);
  Circle(cr, 0, -0.2, 0.22);
  Paint(cr, it.colour);
  Ellipse(cr, 0, -0.13, 0.1, 0.07);
  Paint(cr, Lighter(it.colour, 0.5));
  Set(cr, kInk);
  for (double x : {-0.08, 0.08}) {
    Circle(cr, x, -0.25, 0.025);
    cairo_fill(cr);
  }
  if (it.variant == 1) {  // a bow
    Poly(cr, {{0, 0.0}, {-0.16, -0.07}, {-0.16, 0.07}});
    Poly(cr, {{0, 0.0}, {0.16, -0.07}, {0.16, 0.07}});
    Paint(cr, it.accent);
  }
  Dots(cr, it.details, {{0, 0.12}, {0, 0.28}, {0, 0.42}}, 0.03, it.accent);
}

void DrawRobot(cairo_t* cr, const Item& it) {
  Set(cr, kInk);
  Line(cr, 0, -0.38, 0, -0.48, 0.03);
  Box(cr, -0.22, -0.38, 0.22, -0.12);
  Paint(cr, it.colour);
  Set(cr, it.variant == 0 ? kLight : Colour{0.9, 0.2, 0.2});
  for (double x : {-0.1, 0.1}) {
    Circle(cr, x, -0.26, 0.045);
    cairo_fill(cr);
  }
  Box(cr, -0.3, -0.08, 0.3, 0.3);
  Paint(cr, it.colour);
  Box(cr, -0.2, 0.3, -0.08, 0.48);
  Box(cr, 0.08, 0.3, 0.2, 0.48);
  Box(cr, -0.4, -0.05, -0.3, 0.2);
  Box(cr, 0.3, -0.05, 0.4, 0.2);
  Paint(cr, Darker(it.colour, 0.8));
  Dots(cr, it.details, {{-0.12, 0.05}, {0.0, 0.05}, {0.12, 0.05}}, 0.03, it.accent);
}

void DrawBlock(cairo_t* cr, const Item& it) {
  Box(cr, -0.46, -0.46, 0.46, 0.46);
  PaintPatterned(cr, it, it.colour);
  Box(cr, -0.3, -0.3, 0.3, 0.3);
  Paint(cr, kWhite);
  Set(cr, it.accent);
  switch (it.variant) {
    case 0:  // an A
      cairo_move_to(cr, -0.18, 0.2);
      cairo_line_to(cr, 0, -0.2);
      cairo_line_to(cr, 0.18, 0.2);
      cairo_move_to(cr, -0.1, 0.05);
      cairo_line_to(cr, 0.1, 0.05);
      break;
    case 1:  // a cross
      cairo_move_to(cr, 0, -0.2);
      cairo_line_to(cr, 0, 0.2);
      cairo_move_to(cr, -0.2, 0);
      cairo_line_to(cr, 0.2, 0);
      break;
    default:  // a ring
      cairo_arc(cr, 0, 0, 0.16, 0, 2 * kPi);
      break;
  }
  cairo_save(cr);
  cairo_set_line_width(cr, 0.08);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void DrawDrum(cairo_t* cr, const Item& it) {
  Box(cr, -0.46, -0.2, 0.46, 0.38);
  PaintPatterned(cr, it, it.colour);
  Set(cr, kWhite);
  for (int i = 0; i < 4; ++i) Line(cr, -0.4 + i * 0.23, -0.18, -0.28 + i * 0.23, 0.36, 0.03);
  Ellipse(cr, 0, -0.2, 0.46, 0.12);
  Paint(cr, kCream);
  Ellipse(cr, 0, 0.38, 0.46, 0.1);
  Paint(cr, it.accent);
  Set(cr, kWood);
  Line(cr, -0.2, -0.48, 0.05, -0.25, 0.05);
  Line(cr, 0.3, -0.48, 0.1, -0.25, 0.05);
}

// --- the workshop and the toolbox ---
void DrawHammer(cairo_t* cr, const Item& it) {
  RoundBox(cr, -0.66, -0.06, 0.3, 0.08, 0.04);
  Paint(cr, it.colour);
  Poly(cr, {{0.3, -0.3}, {0.56, -0.3}, {0.62, -0.2}, {0.56, 0.34}, {0.3, 0.34}});
  Paint(cr, kSteel);
  Box(cr, 0.22, -0.1, 0.3, 0.12);
  Paint(cr, it.accent);
}

void DrawWrench(cairo_t* cr, const Item& it) {
  Set(cr, Mix(kSteel, it.colour, 0.2));
  RoundBox(cr, -0.55, -0.07, 0.45, 0.07, 0.05);
  Paint(cr, Mix(kSteel, it.colour, 0.2));
  for (double x : {-0.62, 0.58}) {
    Circle(cr, x, 0, 0.2);
    Paint(cr, Mix(kSteel, it.colour, 0.2));
  }
  Box(cr, 0.6, -0.08, 0.8, 0.08);
  Box(cr, -0.72, -0.06, -0.56, 0.06);
  Set(cr, Lighter(kSteel, 0.6));
  cairo_fill(cr);
}

void DrawSaw(cairo_t* cr, const Item& it) {
  cairo_move_to(cr, -0.5, -0.2);
  for (int i = 0; i <= 10; ++i) cairo_line_to(cr, -0.5 + i * 0.12, i % 2 ? 0.3 : 0.22);
  cairo_line_to(cr, 0.7, -0.05);
  cairo_close_path(cr);
  Paint(cr, kSteel);
  RoundBox(cr, -0.88, -0.32, -0.44, 0.24, 0.1);
  Paint(cr, it.colour);
  RoundBox(cr, -0.76, -0.2, -0.56, 0.1, 0.05);
  Paint(cr, Lighter(it.colour, 0.7));
}

void DrawScrewdriver(cairo_t* cr, const Item& it) {
  Box(cr, -0.1, -0.03, 0.78, 0.03);
  Paint(cr, kSteel);
  Poly(cr, {{0.78, -0.05}, {0.88, -0.02}, {0.88, 0.02}, {0.78, 0.05}});
  Paint(cr, kSteel);
  RoundBox(cr, -0.88, -0.16, -0.08, 0.16, 0.12);
  PaintPatterned(cr, it, it.colour);
}

void DrawNut(cairo_t* cr, const Item& it) {
  if (it.variant == 0) {
    Poly(cr, {{-0.46, 0}, {-0.23, -0.4}, {0.23, -0.4}, {0.46, 0}, {0.23, 0.4}, {-0.23, 0.4}});
    Paint(cr, Mix(kSteel, it.colour, 0.25));
    Circle(cr, 0, 0, 0.17);
    Paint(cr, Darker(kSteel, 0.6));
  } else {  // a bolt
    Box(cr, -0.1, -0.2, 0.1, 0.48);
    Paint(cr, Mix(kSteel, it.colour, 0.25));
    Set(cr, Darker(kSteel, 0.7));
    for (double y = -0.1; y < 0.45; y += 0.1) Line(cr, -0.1, y, 0.1, y + 0.04, 0.02);
    Box(cr, -0.3, -0.44, 0.3, -0.2);
    Paint(cr, Mix(kSteel, it.colour, 0.25));
  }
}

void DrawPaintCan(cairo_t* cr, const Item& it) {
  Set(cr, kInk);
  cairo_arc(cr, 0, -0.22, 0.24, kPi, 2 * kPi);
  cairo_save(cr);
  cairo_set_line_width(cr, 0.03);
  cairo_stroke(cr);
  cairo_restore(cr);
  Box(cr, -0.4, -0.22, 0.4, 0.46);
  Paint(cr, kSteel);
  Box(cr, -0.4, -0.05, 0.4, 0.3);
  PaintPatterned(cr, it, it.colour);
  Poly(cr, {{-0.4, -0.22}, {-0.1, -0.22}, {-0.2, -0.05}, {-0.3, 0.02}, {-0.4, -0.05}});
  Paint(cr, it.colour);
}

// --- the station, the bus stop and the park ---
void DrawBus(cairo_t* cr, const Item& it) {
  RoundBox(cr, -1.05, -0.42, 1.05, 0.3, 0.1);
  Paint(cr, it.colour);
  Box(cr, -1.05, 0.08, 1.05, 0.16);
  Set(cr, it.accent);
  cairo_fill(cr);
  for (int i = 0; i < it.details && i < 5; ++i) {
    Box(cr, -0.92 + i * 0.36, -0.32, -0.66 + i * 0.36, -0.06);
    Paint(cr, kGlass);
  }
  Box(cr, 0.82, -0.32, 0.98, 0.2);
  Paint(cr, kGlass);
  for (double x : {-0.6, 0.6}) {
    Circle(cr, x, 0.3, 0.16);
    Paint(cr, kInk);
  }
}

void DrawSuitcase(cairo_t* cr, const Item& it) {
  Set(cr, kInk);
  cairo_save(cr);
  cairo_set_line_width(cr, 0.06);
  cairo_rectangle(cr, -0.18, -0.46, 0.36, 0.16);
  cairo_stroke(cr);
  cairo_restore(cr);
  RoundBox(cr, -0.62, -0.32, 0.62, 0.44, 0.08);
  PaintPatterned(cr, it, it.colour);
  Set(cr, Darker(it.colour, 0.7));
  for (double x : {-0.36, 0.36}) Line(cr, x, -0.32, x, 0.44, 0.06);
  Dots(cr, it.details, {{-0.12, 0.0}, {0.12, 0.18}}, 0.06, it.accent);
}

void DrawBench(cairo_t* cr, const Item& it) {
  for (double y : {-0.3, -0.12}) {
    Box(cr, -0.95, y, 0.95, y + 0.12);
    Paint(cr, it.colour);
  }
  Box(cr, -0.98, 0.06, 0.98, 0.18);
  Paint(cr, it.colour);
  Set(cr, it.variant == 0 ? kInk : kWood);
  for (double x : {-0.8, 0.8}) Line(cr, x, 0.1, x, 0.48, 0.08);
  for (double x : {-0.8, 0.8}) Line(cr, x, -0.4, x, 0.1, 0.05);
}

void DrawLampPost(cairo_t* cr, const Item& it) {
  Set(cr, Darker(it.colour, 0.5));
  Line(cr, 0, -0.34, 0, 0.46, 0.07);
  Box(cr, -0.1, 0.4, 0.1, 0.49);
  cairo_fill(cr);
  Poly(cr, {{-0.14, -0.4}, {0.14, -0.4}, {0.1, -0.26}, {-0.1, -0.26}});
  Paint(cr, it.variant == 0 ? kLight : kWhite);
  Poly(cr, {{-0.16, -0.4}, {0.16, -0.4}, {0, -0.49}});
  Paint(cr, Darker(it.colour, 0.5));
}

void DrawSign(cairo_t* cr, const Item& it) {
  Set(cr, kSteel);
  Line(cr, 0, -0.1, 0, 0.48, 0.06);
  if (it.variant == 0) {
    Circle(cr, 0, -0.24, 0.26);
  } else {
    Box(cr, -0.26, -0.48, 0.26, -0.02);
  }
  Paint(cr, it.colour);
  Box(cr, -0.16, -0.28, 0.16, -0.2);
  Paint(cr, kWhite);
}

void DrawFountain(cairo_t* cr, const Item& it) {
  Ellipse(cr, 0, 0.3, 0.62, 0.16);
  Paint(cr, kStone);
  Box(cr, -0.62, 0.3, 0.62, 0.46);
  Paint(cr, kStone);
  Box(cr, -0.06, -0.2, 0.06, 0.3);
  Paint(cr, kStone);
  Ellipse(cr, 0, -0.2, 0.26, 0.07);
  Paint(cr, kStone);
  Set(cr, Lighter(it.colour, 0.4));
  cairo_save(cr);
  cairo_set_line_width(cr, 0.04);
  for (double side : {-1.0, 1.0}) {
    cairo_move_to(cr, 0, -0.28);
    cairo_curve_to(cr, side * 0.2, -0.5, side * 0.45, -0.3, side * 0.5, 0.26);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
  Ellipse(cr, 0, 0.28, 0.5, 0.08);
  Paint(cr, it.colour);
}

void DrawDog(cairo_t* cr, const Item& it) {
  Set(cr, it.colour);
  Line(cr, 0.38, -0.05, 0.55, -0.25, 0.08);
  Ellipse(cr, 0.05, 0.05, 0.38, 0.18);
  for (double x : {-0.22, -0.08, 0.2, 0.32}) Box(cr, x - 0.04, 0.1, x + 0.04, 0.46);
  Paint(cr, it.colour);
  Ellipse(cr, -0.4, -0.2, 0.18, 0.15);
  Paint(cr, it.colour);
  Ellipse(cr, -0.56, -0.14, 0.1, 0.07);
  Paint(cr, it.colour);
  Ellipse(cr, it.variant == 0 ? -0.32 : -0.4, -0.3, 0.06, 0.14);
  Paint(cr, it.accent);
  Set(cr, kInk);
  Circle(cr, -0.45, -0.24, 0.025);
  Circle(cr, -0.65, -0.15, 0.03);
  cairo_fill(cr);
  Dots(cr, it.details, {{0.05, 0.0}, {0.25, 0.05}, {-0.15, 0.08}}, 0.05, it.accent);
}

// --- the campsite ---
void DrawTent(cairo_t* cr, const Item& it) {
  Poly(cr, {{-0.72, 0.46}, {0, -0.44}, {0.72, 0.46}});
  PaintPatterned(cr, it, it.colour);
  if (it.variant == 0)
    Poly(cr, {{-0.18, 0.46}, {0, 0.02}, {0.18, 0.46}});
  else
    Poly(cr, {{0.0, 0.46}, {0, 0.02}, {0.3, 0.46}});
  Paint(cr, Darker(it.colour, 0.5));
  Set(cr, kInk);
  Line(cr, 0, -0.44, 0, -0.5, 0.03);
}

void DrawCampfire(cairo_t* cr, const Item& it) {
  Set(cr, kWood);
  Line(cr, -0.45, 0.42, 0.45, 0.24, 0.12);
  Line(cr, -0.45, 0.24, 0.45, 0.42, 0.12);
  cairo_move_to(cr, -0.3, 0.3);
  cairo_curve_to(cr, -0.35, 0.0, -0.1, -0.2, 0.0, -0.48);
  cairo_curve_to(cr, 0.1, -0.2, 0.35, 0.0, 0.3, 0.3);
  cairo_close_path(cr);
  Paint(cr, it.variant == 0 ? Colour{0.95, 0.45, 0.1} : Colour{0.95, 0.25, 0.1});
  Ellipse(cr, 0, 0.14, 0.14, 0.2);
  Paint(cr, kLight);
}

void DrawLantern(cairo_t* cr, const Item& it) {
  Set(cr, kInk);
  cairo_save(cr);
  cairo_set_line_width(cr, 0.04);
  cairo_arc(cr, 0, -0.36, 0.12, kPi, 2 * kPi);
  cairo_stroke(cr);
  cairo_restore(cr);
  Box(cr, -0.24, -0.36, 0.24, -0.26);
  Box(cr, -0.26, 0.36, 0.26, 0.48);
  Paint(cr, it.colour);
  Box(cr, -0.2, -0.26, 0.2, 0.36);
  Paint(cr, kLight);
  Set(cr, it.colour);
  for (double x : {-0.2, 0.2}) Line(cr, x, -0.26, x, 0.36, 0.05);
  Ellipse(cr, 0, 0.08, 0.06, 0.12);
  Paint(cr, {1.0, 0.6, 0.15});
}

void DrawBackpack(cairo_t* cr, const Item& it) {
  RoundBox(cr, -0.36, -0.4, 0.36, 0.46, 0.15);
  PaintPatterned(cr, it, it.colour);
  RoundBox(cr, -0.26, 0.08, 0.26, 0.4, 0.06);
  Paint(cr, Darker(it.colour, 0.8));
  Box(cr, -0.36, -0.12, 0.36, -0.04);
  Set(cr, it.accent);
  cairo_fill(cr);
  Dots(cr, it.details, {{-0.15, 0.2}, {0.15, 0.2}}, 0.04, it.accent);
}

// --- the classroom and the desk ---
void DrawPencil(cairo_t* cr, const Item& it) {
  Box(cr, -0.72, -0.12, 0.62, 0.12);
  PaintPatterned(cr, it, it.colour);
  Poly(cr, {{0.62, -0.12}, {0.95, 0}, {0.62, 0.12}});
  Paint(cr, {0.93, 0.8, 0.6});
  Poly(cr, {{0.85, -0.04}, {0.95, 0}, {0.85, 0.04}});
  Paint(cr, it.accent);
  Box(cr, -0.95, -0.12, -0.72, 0.12);
  Paint(cr, {0.95, 0.6, 0.65});
}

void DrawGlobe(cairo_t* cr, const Item& it) {
  Box(cr, -0.24, 0.4, 0.24, 0.48);
  Paint(cr, kWood);
  Set(cr, kWood);
  Line(cr, 0, 0.3, 0, 0.42, 0.06);
  Circle(cr, 0, -0.08, 0.36);
  Paint(cr, {0.35, 0.6, 0.9});
  Poly(cr, {{-0.25, -0.25}, {-0.05, -0.32}, {0.05, -0.1}, {-0.12, 0.05}, {-0.22, -0.05}});
  Poly(cr, {{0.1, 0.05}, {0.28, -0.05}, {0.22, 0.16}, {0.08, 0.2}});
  Paint(cr, it.colour);
  Set(cr, it.accent);
  cairo_save(cr);
  cairo_set_line_width(cr, 0.05);
  cairo_arc(cr, 0, -0.08, 0.43, kPi * 0.6, kPi * 2.4);
  cairo_stroke(cr);
  cairo_restore(cr);
}

// --- the farmyard ---
void DrawHen(cairo_t* cr, const Item& it) {
  Set(cr, {0.95, 0.7, 0.2});
  for (double x : {-0.05, 0.1}) Line(cr, x, 0.3, x, 0.48, 0.04);
  Poly(cr, {{0.3, -0.1}, {0.5, -0.35}, {0.52, 0.05}});
  Paint(cr, Darker(it.colour, 0.85));
  Ellipse(cr, 0.05, 0.1, 0.36, 0.24);
  Paint(cr, it.colour);
  Circle(cr, -0.28, -0.22, 0.14);
  Paint(cr, it.colour);
  Poly(cr, {{-0.42, -0.22}, {-0.52, -0.18}, {-0.41, -0.15}});
  Paint(cr, {0.95, 0.7, 0.2});
  Circle(cr, -0.3, -0.37, 0.06);
  Circle(cr, -0.22, -0.38, 0.05);
  Paint(cr, {0.85, 0.15, 0.15});
  if (it.variant == 1) {
    Ellipse(cr, 0.1, 0.05, 0.2, 0.1);
    Paint(cr, Darker(it.colour, 0.8));
  }
  Set(cr, kInk);
  Circle(cr, -0.31, -0.24, 0.025);
  cairo_fill(cr);
}

void DrawPig(cairo_t* cr, const Item& it) {
  const Colour pink = Mix({0.95, 0.68, 0.7}, it.colour, 0.15);
  for (double x : {-0.32, -0.12, 0.18, 0.36}) Box(cr, x - 0.06, 0.16, x + 0.06, 0.46);
  Paint(cr, Darker(pink, 0.9));
  Ellipse(cr, 0.02, 0.0, 0.5, 0.3);
  Paint(cr, pink);
  Set(cr, Darker(pink, 0.7));
  cairo_save(cr);
  cairo_set_line_width(cr, 0.03);
  cairo_arc(cr, 0.56, -0.08, 0.07, 0, 1.6 * kPi);
  cairo_stroke(cr);
  cairo_restore(cr);
  Ellipse(cr, -0.56, -0.02, 0.1, 0.12);
  Paint(cr, Darker(pink, 0.9));
  Poly(cr, {{-0.32, -0.26}, {-0.22, -0.42}, {-0.16, -0.24}});
  Paint(cr, pink);
  Set(cr, kInk);
  Circle(cr, -0.38, -0.1, 0.03);
  cairo_fill(cr);
  Dots(cr, it.details, {{0.1, -0.05}, {0.3, 0.05}}, 0.05, Darker(pink, 0.75));
}

void DrawSheep(cairo_t* cr, const Item& it) {
  Set(cr, kInk);
  for (double x : {-0.25, -0.1, 0.15, 0.3}) Line(cr, x, 0.1, x, 0.46, 0.06);
  for (int i = 0; i < 7; ++i)
    Circle(cr, -0.3 + (i % 4) * 0.2, -0.12 + (i / 4) * 0.2, 0.17);
  Paint(cr, Mix(kWhite, it.colour, 0.12));
  Ellipse(cr, -0.52, -0.12, 0.14, 0.18);
  Paint(cr, it.variant == 0 ? kInk : Colour{0.9, 0.85, 0.78});
}

void DrawBarn(cairo_t* cr, const Item& it) {
  Poly(cr, {{-0.5, -0.1}, {0, -0.46}, {0.5, -0.1}, {0.5, 0.47}, {-0.5, 0.47}});
  Paint(cr, it.colour);
  Poly(cr, {{-0.56, -0.06}, {0, -0.5}, {0.56, -0.06}, {0.5, -0.02}, {0, -0.42}, {-0.5, -0.02}});
  Paint(cr, kWhite);
  Box(cr, -0.2, 0.1, 0.2, 0.47);
  Paint(cr, Darker(it.colour, 0.7));
  Set(cr, kWhite);
  Line(cr, -0.2, 0.1, 0.2, 0.47, 0.04);
  Line(cr, 0.2, 0.1, -0.2, 0.47, 0.04);
  Box(cr, -0.09, -0.28, 0.09, -0.14);
  Paint(cr, kLight);
}

void DrawHaybale(cairo_t* cr, const Item& it) {
  RoundBox(cr, -0.66, -0.36, 0.66, 0.44, 0.12);
  Paint(cr, Mix({0.9, 0.78, 0.4}, it.colour, 0.1));
  Set(cr, {0.72, 0.58, 0.25});
  for (double x : {-0.3, 0.3}) Line(cr, x, -0.36, x, 0.44, 0.04);
  for (double y : {-0.15, 0.05, 0.25}) Line(cr, -0.55, y, -0.4, y + 0.02, 0.03);
}

// --- the fairground and the sweet shop ---
void DrawFerrisWheel(cairo_t* cr, const Item& it) {
  Set(cr, Darker(it.colour, 0.6));
  Line(cr, 0, 0.0, -0.3, 0.48, 0.05);
  Line(cr, 0, 0.0, 0.3, 0.48, 0.05);
  Spokes(cr, 0, 0.0, 0.4, 8, 0.025);
  cairo_save(cr);
  cairo_set_line_width(cr, 0.04);
  cairo_arc(cr, 0, 0, 0.4, 0, 2 * kPi);
  cairo_stroke(cr);
  cairo_restore(cr);
  for (int i = 0; i < 8; ++i) {
    const double a = i * kPi / 4;
    RoundBox(cr, 0.4 * std::cos(a) - 0.06, 0.4 * std::sin(a), 0.4 * std::cos(a) + 0.06,
             0.4 * std::sin(a) + 0.1, 0.02);
    Paint(cr, i % 2 ? it.colour : it.accent);
  }
}

void DrawFlag(cairo_t* cr, const Item& it) {
  Set(cr, kInk);
  Line(cr, -0.42, -0.48, -0.42, 0.48, 0.05);
  cairo_move_to(cr, -0.4, -0.45);
  if (it.variant == 0) {
    cairo_curve_to(cr, -0.1, -0.55, 0.1, -0.35, 0.45, -0.42);
    cairo_line_to(cr, 0.45, -0.02);
    cairo_curve_to(cr, 0.1, 0.05, -0.1, -0.15, -0.4, -0.05);
  } else {  // a pennant
    cairo_line_to(cr, 0.48, -0.25);
    cairo_line_to(cr, -0.4, -0.05);
  }
  cairo_close_path(cr);
  PaintPatterned(cr, it, it.colour);
}

void DrawIceCream(cairo_t* cr, const Item& it) {
  Poly(cr, {{-0.2, -0.02}, {0.2, -0.02}, {0, 0.48}});
  Paint(cr, {0.88, 0.66, 0.38});
  Set(cr, {0.72, 0.5, 0.25});
  Line(cr, -0.12, 0.05, 0.06, 0.3, 0.02);
  Line(cr, 0.12, 0.05, -0.06, 0.3, 0.02);
  Circle(cr, 0, -0.12, 0.2);
  Paint(cr, it.colour);
  if (it.variant == 1) {
    Circle(cr, 0, -0.32, 0.16);
    Paint(cr, it.accent);
  }
}

void DrawLollipop(cairo_t* cr, const Item& it) {
  Set(cr, kWhite);
  Line(cr, 0, 0.0, 0, 0.48, 0.07);
  Circle(cr, 0, -0.22, 0.24);
  PaintPatterned(cr, it, it.colour);
  Set(cr, Lighter(it.colour, 0.6));
  cairo_save(cr);
  cairo_set_line_width(cr, 0.04);
  cairo_arc(cr, 0, -0.22, 0.12, 0, 1.5 * kPi);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void DrawCandy(cairo_t* cr, const Item& it) {
  Poly(cr, {{-0.3, 0}, {-0.85, -0.28}, {-0.85, 0.28}});
  Poly(cr, {{0.3, 0}, {0.85, -0.28}, {0.85, 0.28}});
  Paint(cr, it.accent);
  Ellipse(cr, 0, 0, 0.38, 0.26);
  PaintPatterned(cr, it, it.colour);
}

// --- the museum hall ---
void DrawColumn(cairo_t* cr, const Item& it) {
  const Colour stone = Mix(kStone, it.colour, 0.1);
  Box(cr, -0.22, -0.5, 0.22, -0.42);
  Paint(cr, stone);
  Box(cr, -0.22, 0.42, 0.22, 0.5);
  Paint(cr, stone);
  Box(cr, -0.16, -0.42, 0.16, 0.42);
  Paint(cr, stone);
  Set(cr, Darker(kStone, 0.85));
  for (double x : {-0.08, 0.0, 0.08}) Line(cr, x, -0.38, x, 0.38, 0.025);
}

void DrawStatue(cairo_t* cr, const Item& it) {
  Box(cr, -0.34, 0.18, 0.34, 0.48);
  Paint(cr, it.accent);
  cairo_move_to(cr, -0.3, 0.18);
  cairo_curve_to(cr, -0.3, -0.05, -0.1, -0.05, -0.08, -0.1);
  cairo_line_to(cr, 0.08, -0.1);
  cairo_curve_to(cr, 0.1, -0.05, 0.3, -0.05, 0.3, 0.18);
  cairo_close_path(cr);
  Paint(cr, it.colour);
  Ellipse(cr, 0, -0.27, 0.15, 0.19);
  Paint(cr, it.colour);
  if (it.variant == 1) {  // a laurel
    Set(cr, kLeaf);
    cairo_save(cr);
    cairo_set_line_width(cr, 0.05);
    cairo_arc(cr, 0, -0.3, 0.16, kPi, 2 * kPi);
    cairo_stroke(cr);
    cairo_restore(cr);
  }
}

void DrawGem(cairo_t* cr, const Item& it) {
  if (it.variant == 0) {
    Poly(cr, {{-0.46, -0.15}, {-0.25, -0.42}, {0.25, -0.42}, {0.46, -0.15}, {0, 0.45}});
  } else {
    Poly(cr, {{0, -0.46}, {0.38, 0}, {0, 0.46}, {-0.38, 0}});
  }
  Paint(cr, it.colour);
  Poly(cr, {{-0.2, -0.15}, {0, -0.38}, {0.2, -0.15}, {0, 0.3}});
  Set(cr, Lighter(it.colour, 0.35));
  cairo_fill(cr);
}

// --- the greenhouse, the rooftop garden and the bathroom shelf ---
void DrawPlantPot(cairo_t* cr, const Item& it) {
  static const double kLeaves[][3] = {
      {-0.2, -0.18, -0.6}, {0.2, -0.2, 0.6}, {0.0, -0.36, 0.0}, {-0.28, -0.02, -1.0},
      {0.28, -0.04, 1.0}};
  for (int i = 0; i < 2 + it.details && i < 5; ++i) {
    cairo_save(cr);
    cairo_translate(cr, kLeaves[i][0], kLeaves[i][1]);
    cairo_rotate(cr, kLeaves[i][2]);
    Ellipse(cr, 0, 0, 0.08, 0.17);
    Paint(cr, it.variant == 0 ? kLeaf : Mix(kLeaf, {0.1, 0.4, 0.3}, 0.5));
    cairo_restore(cr);
  }
  Poly(cr, {{-0.36, 0.05}, {0.36, 0.05}, {0.26, 0.48}, {-0.26, 0.48}});
  PaintPatterned(cr, it, it.colour);
  Box(cr, -0.4, 0.02, 0.4, 0.12);
  Paint(cr, Darker(it.colour, 0.85));
}

void DrawWateringCan(cairo_t* cr, const Item& it) {
  Set(cr, it.colour);
  Line(cr, 0.2, 0.05, 0.62, -0.3, 0.08);
  Poly(cr, {{0.55, -0.36}, {0.72, -0.4}, {0.68, -0.22}});
  Paint(cr, it.colour);
  RoundBox(cr, -0.42, -0.18, 0.3, 0.46, 0.06);
  Paint(cr, it.colour);
  Set(cr, Darker(it.colour, 0.8));
  cairo_save(cr);
  cairo_set_line_width(cr, 0.07);
  cairo_arc(cr, -0.06, -0.2, 0.22, kPi, 2 * kPi);
  cairo_stroke(cr);
  cairo_restore(cr);
  Box(cr, -0.42, 0.1, 0.3, 0.18);
  Set(cr, it.accent);
  cairo_fill(cr);
}

void DrawRubberDuck(cairo_t* cr, const Item& it) {
  Ellipse(cr, 0.05, 0.2, 0.45, 0.24);
  Paint(cr, it.colour);
  Circle(cr, -0.22, -0.18, 0.2);
  Paint(cr, it.colour);
  Poly(cr, {{-0.38, -0.18}, {-0.55, -0.12}, {-0.38, -0.08}});
  Paint(cr, {0.95, 0.5, 0.1});
  Ellipse(cr, 0.12, 0.12, 0.18, 0.09);
  Paint(cr, Darker(it.colour, 0.85));
  Set(cr, kInk);
  Circle(cr, -0.26, -0.22, 0.03);
  cairo_fill(cr);
}

void DrawSoap(cairo_t* cr, const Item& it) {
  RoundBox(cr, -0.6, -0.12, 0.6, 0.34, 0.12);
  Paint(cr, it.colour);
  RoundBox(cr, -0.38, 0.0, 0.38, 0.2, 0.06);
  Paint(cr, Lighter(it.colour, 0.35));
  cairo_save(cr);
  cairo_set_line_width(cr, 0.03);
  Set(cr, kGlass);
  static const double kBubbles[][3] = {{-0.3, -0.28, 0.1}, {0.05, -0.36, 0.08}, {0.35, -0.26, 0.11}};
  for (int i = 0; i < it.details && i < 3; ++i) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, kBubbles[i][0], kBubbles[i][1], kBubbles[i][2] * 1.3, 0, 2 * kPi);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
}

void DrawTowel(cairo_t* cr, const Item& it) {
  Box(cr, -0.38, -0.44, 0.38, 0.46);
  PaintPatterned(cr, it, it.colour);
  Box(cr, -0.38, 0.3, 0.38, 0.38);
  Box(cr, -0.38, -0.34, 0.38, -0.26);
  Set(cr, it.accent);
  cairo_fill(cr);
}

// --- the market stall ---
void DrawBanana(cairo_t* cr, const Item& it) {
  cairo_move_to(cr, -0.7, -0.3);
  cairo_curve_to(cr, -0.5, 0.4, 0.4, 0.45, 0.72, -0.1);
  cairo_curve_to(cr, 0.4, 0.2, -0.4, 0.15, -0.62, -0.36);
  cairo_close_path(cr);
  Paint(cr, Mix({0.98, 0.85, 0.25}, it.colour, 0.12));
  Set(cr, kInk);
  Line(cr, -0.7, -0.3, -0.74, -0.4, 0.05);
}

void DrawOrange(cairo_t* cr, const Item& it) {
  Circle(cr, 0, 0.04, 0.44);
  Paint(cr, Mix({0.98, 0.6, 0.12}, it.colour, 0.15));
  Ellipse(cr, 0.12, -0.4, 0.12, 0.05);
  Paint(cr, kLeaf);
  Circle(cr, -0.15, -0.1, 0.08);
  Set(cr, Lighter({0.98, 0.6, 0.12}, 0.4));
  cairo_fill(cr);
}

void DrawGrapes(cairo_t* cr, const Item& it) {
  Set(cr, kWood);
  Line(cr, 0, -0.34, 0.05, -0.48, 0.05);
  static const double kBerries[][2] = {{-0.22, -0.24}, {0.0, -0.26}, {0.22, -0.24}, {-0.11, -0.06},
                                      {0.11, -0.06},   {-0.2, 0.1},   {0.2, 0.1},    {0.0, 0.12},
                                      {-0.1, 0.28},    {0.1, 0.28},   {0.0, 0.42}};
  for (const auto& b : kBerries) {
    Circle(cr, b[0], b[1], 0.11);
    Paint(cr, it.colour);
  }
}

void DrawCherries(cairo_t* cr, const Item& it) {
  Set(cr, kLeaf);
  cairo_save(cr);
  cairo_set_line_width(cr, 0.04);
  cairo_move_to(cr, -0.22, 0.12);
  cairo_curve_to(cr, -0.2, -0.2, 0.0, -0.4, 0.1, -0.45);
  cairo_move_to(cr, 0.24, 0.14);
  cairo_curve_to(cr, 0.2, -0.15, 0.12, -0.35, 0.1, -0.45);
  cairo_stroke(cr);
  cairo_restore(cr);
  Ellipse(cr, 0.25, -0.42, 0.14, 0.06);
  Paint(cr, kLeaf);
  for (double x : {-0.22, 0.24}) {
    Circle(cr, x, 0.26, 0.18);
    Paint(cr, it.colour);
  }
}

void DrawMelon(cairo_t* cr, const Item& it) {
  cairo_move_to(cr, -0.76, -0.3);
  cairo_arc(cr, 0, -0.3, 0.76, 0, kPi);
  cairo_close_path(cr);
  Paint(cr, {0.2, 0.55, 0.25});
  cairo_move_to(cr, -0.66, -0.3);
  cairo_arc(cr, 0, -0.3, 0.66, 0, kPi);
  cairo_close_path(cr);
  Paint(cr, it.colour);
  static const double kSeeds[][2] = {{-0.35, -0.15}, {0.0, 0.0}, {0.35, -0.15}, {-0.15, 0.15},
                                    {0.18, 0.15}};
  Set(cr, kInk);
  for (int i = 0; i < it.details && i < 5; ++i) {
    Ellipse(cr, kSeeds[i][0], kSeeds[i][1], 0.05, 0.08);
    cairo_fill(cr);
  }
}

void DrawStrawberry(cairo_t* cr, const Item& it) {
  cairo_move_to(cr, -0.4, -0.2);
  cairo_curve_to(cr, -0.45, 0.2, -0.1, 0.45, 0, 0.48);
  cairo_curve_to(cr, 0.1, 0.45, 0.45, 0.2, 0.4, -0.2);
  cairo_curve_to(cr, 0.3, -0.3, -0.3, -0.3, -0.4, -0.2);
  cairo_close_path(cr);
  Paint(cr, it.colour);
  Poly(cr, {{-0.3, -0.26}, {0, -0.18}, {0.3, -0.26}, {0.1, -0.32}, {0, -0.46}, {-0.1, -0.32}});
  Paint(cr, kLeaf);
  Dots(cr, it.details, {{-0.18, -0.05}, {0.15, -0.05}, {0.0, 0.1}, {-0.12, 0.25}, {0.12, 0.25}},
       0.025, kLight);
}

void DrawCarrot(cairo_t* cr, const Item& it) {
  Set(cr, kLeaf);
  for (double x : {-0.12, 0.0, 0.12}) Line(cr, 0, -0.3, x, -0.48, 0.05);
  Poly(cr, {{-0.2, -0.32}, {0.2, -0.32}, {0.02, 0.48}});
  Paint(cr, Mix({0.95, 0.5, 0.1}, it.colour, 0.12));
  Set(cr, Darker({0.95, 0.5, 0.1}, 0.7));
  for (double y : {-0.15, 0.05, 0.25}) Line(cr, -0.1, y, 0.02, y + 0.02, 0.02);
}

void DrawPumpkin(cairo_t* cr, const Item& it) {
  Set(cr, kWood);
  Line(cr, 0, -0.28, 0.06, -0.46, 0.08);
  for (double x : {-0.36, 0.36, 0.0}) {
    Ellipse(cr, x, 0.05, 0.3, 0.38);
    Paint(cr, it.colour);
  }
}

void DrawCrate(cairo_t* cr, const Item& it) {
  Box(cr, -0.7, -0.1, 0.7, 0.46);
  Paint(cr, kWood);
  Set(cr, Darker(kWood, 0.75));
  for (double y : {0.08, 0.26}) Line(cr, -0.7, y, 0.7, y, 0.03);
  static const double kFruit[] = {-0.5, -0.25, 0.0, 0.25, 0.5};
  for (double x : kFruit) {
    Circle(cr, x, -0.14, 0.14);
    Paint(cr, it.colour);
  }
  Box(cr, -0.3, 0.12, 0.3, 0.3);
  Paint(cr, it.accent);
}

// --- the pond and the jungle ---
void DrawDuck(cairo_t* cr, const Item& it) {
  Ellipse(cr, 0.08, 0.15, 0.48, 0.25);
  Paint(cr, it.colour);
  Poly(cr, {{0.45, 0.05}, {0.6, -0.15}, {0.56, 0.12}});
  Paint(cr, it.colour);
  Circle(cr, -0.3, -0.18, 0.18);
  Paint(cr, it.variant == 0 ? Colour{0.15, 0.5, 0.3} : it.colour);
  Poly(cr, {{-0.44, -0.2}, {-0.62, -0.12}, {-0.44, -0.08}});
  Paint(cr, {0.95, 0.6, 0.1});
  Ellipse(cr, 0.1, 0.08, 0.22, 0.1);
  Paint(cr, Darker(it.colour, 0.8));
  Set(cr, kInk);
  Circle(cr, -0.32, -0.22, 0.03);
  cairo_fill(cr);
}

void DrawFrog(cairo_t* cr, const Item& it) {
  Ellipse(cr, 0, 0.18, 0.5, 0.28);
  Paint(cr, it.colour);
  for (double x : {-0.22, 0.22}) {
    Circle(cr, x, -0.14, 0.14);
    Paint(cr, it.colour);
    Circle(cr, x, -0.16, 0.07);
    Paint(cr, kWhite);
    Circle(cr, x, -0.16, it.variant == 0 ? 0.035 : 0.05);
    Set(cr, kInk);
    cairo_fill(cr);
  }
  Set(cr, Darker(it.colour, 0.6));
  Line(cr, -0.18, 0.14, 0.18, 0.14, 0.03);
  Dots(cr, it.details, {{-0.3, 0.3}, {0.3, 0.3}, {0.0, 0.34}}, 0.04, Darker(it.colour, 0.7));
}

void DrawLilyPad(cairo_t* cr, const Item& it) {
  cairo_save(cr);
  cairo_scale(cr, 1, 0.55);
  cairo_move_to(cr, 0, 0.1);
  cairo_arc(cr, 0, 0.1, 0.8, -kPi / 2 + 0.35, -kPi / 2 + 2 * kPi - 0.05);
  cairo_close_path(cr);
  cairo_restore(cr);
  Paint(cr, Mix(kLeaf, it.colour, 0.2));
  if (it.variant == 1) {  // in flower
    for (int i = 0; i < 5; ++i) {
      const double a = -kPi / 2 + (i - 2) * 0.5;
      Ellipse(cr, 0.1 + 0.12 * std::cos(a), -0.12 + 0.18 * std::sin(a), 0.06, 0.12);
      Paint(cr, it.accent);
    }
  }
}

void DrawReed(cairo_t* cr, const Item& it) {
  Set(cr, Mix(kLeaf, it.colour, 0.1));
  Line(cr, 0, 0.48, 0.02, -0.48, 0.05);
  Line(cr, 0, 0.48, -0.12, -0.1, 0.04);
  RoundBox(cr, -0.07, -0.4, 0.09, -0.1, 0.07);
  Paint(cr, {0.45, 0.3, 0.18});
}

void DrawParrot(cairo_t* cr, const Item& it) {
  Poly(cr, {{0.05, 0.2}, {0.2, 0.48}, {-0.05, 0.48}});
  Paint(cr, it.accent);
  Ellipse(cr, 0, 0.0, 0.24, 0.3);
  Paint(cr, it.colour);
  Ellipse(cr, 0.08, 0.02, 0.12, 0.22);
  Paint(cr, Mix(it.colour, it.accent, 0.5));
  Circle(cr, -0.05, -0.3, 0.16);
  Paint(cr, it.colour);
  Poly(cr, {{-0.2, -0.32}, {-0.34, -0.24}, {-0.2, -0.2}});
  Paint(cr, {0.95, 0.8, 0.3});
  Circle(cr, -0.1, -0.34, 0.04);
  Paint(cr, kWhite);
}

void DrawPalm(cairo_t* cr, const Item& it) {
  Set(cr, {0.6, 0.45, 0.28});
  cairo_save(cr);
  cairo_set_line_width(cr, 0.08);
  cairo_move_to(cr, 0.05, 0.48);
  cairo_curve_to(cr, 0.1, 0.25, -0.05, 0.1, 0.0, -0.05);
  cairo_stroke(cr);
  cairo_restore(cr);
  for (double a : {-2.6, -2.0, -1.2, -0.5, 0.1}) {
    cairo_save(cr);
    cairo_translate(cr, 0, -0.05);
    cairo_rotate(cr, a);
    Ellipse(cr, 0.22, 0, 0.24, 0.07);
    Paint(cr, it.colour);
    cairo_restore(cr);
  }
  Dots(cr, it.details, {{-0.05, 0.01}, {0.07, 0.03}, {0.01, 0.09}}, 0.04, {0.5, 0.33, 0.18});
}

void DrawLeaf(cairo_t* cr, const Item& it) {
  if (it.variant == 0) {  // a maple leaf
    StarPath(cr, 0, -0.02, 0.46, 0.22, 5);
  } else {
    cairo_move_to(cr, 0, -0.48);
    cairo_curve_to(cr, 0.45, -0.3, 0.35, 0.25, 0, 0.38);
    cairo_curve_to(cr, -0.35, 0.25, -0.45, -0.3, 0, -0.48);
    cairo_close_path(cr);
  }
  Paint(cr, it.colour);
  Set(cr, Darker(it.colour, 0.65));
  Line(cr, 0, -0.35, 0, 0.48, 0.03);
}

void DrawSnake(cairo_t* cr, const Item& it) {
  Set(cr, it.colour);
  cairo_save(cr);
  cairo_set_line_width(cr, 0.14);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, 0.7, 0.3);
  cairo_curve_to(cr, 0.4, 0.0, 0.2, 0.45, -0.1, 0.2);
  cairo_curve_to(cr, -0.35, 0.0, -0.4, -0.25, -0.55, -0.25);
  cairo_stroke(cr);
  cairo_restore(cr);
  Ellipse(cr, -0.62, -0.28, 0.13, 0.09);
  Paint(cr, it.colour);
  Dots(cr, it.details, {{0.45, 0.12}, {0.1, 0.3}, {-0.25, 0.02}}, 0.035, it.accent);
}

// --- the castle yard ---
void DrawTower(cairo_t* cr, const Item& it) {
  Box(cr, -0.28, -0.3, 0.28, 0.48);
  Paint(cr, Mix(kStone, it.colour, 0.15));
  for (double x : {-0.28, -0.1, 0.08}) {
    Box(cr, x, -0.42, x + 0.12, -0.3);
    Paint(cr, Mix(kStone, it.colour, 0.15));
  }
  Box(cr, -0.1, 0.22, 0.1, 0.48);
  Paint(cr, kWood);
  static const double kSlits[][2] = {{-0.14, -0.18}, {0.06, -0.18}, {-0.04, 0.0}};
  for (int i = 0; i < it.details && i < 3; ++i) {
    Box(cr, kSlits[i][0], kSlits[i][1], kSlits[i][0] + 0.07, kSlits[i][1] + 0.14);
    Paint(cr, kInk);
  }
  if (it.variant == 1) {
    Set(cr, kInk);
    Line(cr, 0, -0.42, 0, -0.5, 0.02);
    Poly(cr, {{0, -0.5}, {0.16, -0.47}, {0, -0.44}});
    Paint(cr, it.accent);
  }
}

void DrawShield(cairo_t* cr, const Item& it) {
  cairo_move_to(cr, -0.38, -0.44);
  cairo_line_to(cr, 0.38, -0.44);
  cairo_curve_to(cr, 0.4, 0.0, 0.25, 0.3, 0, 0.47);
  cairo_curve_to(cr, -0.25, 0.3, -0.4, 0.0, -0.38, -0.44);
  cairo_close_path(cr);
  PaintPatterned(cr, it, it.colour);
  if (it.variant == 0) {
    Box(cr, -0.06, -0.4, 0.06, 0.38);
    Box(cr, -0.34, -0.12, 0.34, 0.0);
  } else {
    StarPath(cr, 0, -0.05, 0.2, 0.09, 5);
  }
  Paint(cr, it.accent);
}

void DrawBarrel(cairo_t* cr, const Item& it) {
  cairo_move_to(cr, -0.3, -0.46);
  cairo_curve_to(cr, -0.44, -0.2, -0.44, 0.2, -0.3, 0.46);
  cairo_line_to(cr, 0.3, 0.46);
  cairo_curve_to(cr, 0.44, 0.2, 0.44, -0.2, 0.3, -0.46);
  cairo_close_path(cr);
  Paint(cr, Mix(kWood, it.colour, 0.15));
  Set(cr, Darker(kSteel, 0.6));
  for (double y : {-0.3, 0.3}) Line(cr, -0.38, y, 0.38, y, 0.06);
}

// --- snow and ice ---
void DrawSled(cairo_t* cr, const Item& it) {
  Set(cr, Darker(kSteel, 0.7));
  cairo_save(cr);
  cairo_set_line_width(cr, 0.05);
  cairo_move_to(cr, -0.7, 0.38);
  cairo_line_to(cr, 0.6, 0.38);
  cairo_curve_to(cr, 0.8, 0.38, 0.8, 0.16, 0.68, 0.16);
  cairo_stroke(cr);
  cairo_restore(cr);
  for (double x : {-0.45, 0.35}) Line(cr, x, 0.1, x, 0.38, 0.05);
  Box(cr, -0.7, -0.02, 0.62, 0.12);
  Paint(cr, it.colour);
  Box(cr, -0.7, -0.2, -0.58, 0.0);
  Paint(cr, it.colour);
}

void DrawPresent(cairo_t* cr, const Item& it) {
  Box(cr, -0.42, -0.22, 0.42, 0.46);
  PaintPatterned(cr, it, it.colour);
  Box(cr, -0.06, -0.22, 0.06, 0.46);
  Box(cr, -0.42, 0.06, 0.42, 0.16);
  Set(cr, it.accent);
  cairo_fill(cr);
  if (it.variant == 0) {
    Ellipse(cr, -0.14, -0.3, 0.14, 0.08);
    Ellipse(cr, 0.14, -0.3, 0.14, 0.08);
  } else {
    Circle(cr, 0, -0.3, 0.1);
  }
  Paint(cr, it.accent);
}

void DrawMitten(cairo_t* cr, const Item& it) {
  RoundBox(cr, -0.26, -0.42, 0.28, 0.22, 0.24);
  PaintPatterned(cr, it, it.colour);
  Ellipse(cr, -0.3, -0.02, 0.1, 0.16);
  Paint(cr, it.colour);
  Box(cr, -0.28, 0.2, 0.3, 0.46);
  Paint(cr, it.accent);
}

void DrawSnowflake(cairo_t* cr, const Item& it) {
  Set(cr, it.colour);
  Spokes(cr, 0, 0, 0.46, 6, 0.06);
  if (it.variant == 1)
    for (int i = 0; i < 6; ++i) {
      const double a = i * kPi / 3, x = 0.28 * std::cos(a), y = 0.28 * std::sin(a);
      Line(cr, x, y, x + 0.12 * std::cos(a + 0.8), y + 0.12 * std::sin(a + 0.8), 0.05);
      Line(cr, x, y, x + 0.12 * std::cos(a - 0.8), y + 0.12 * std::sin(a - 0.8), 0.05);
    }
}

// --- the sewing table ---
void DrawSpool(cairo_t* cr, const Item& it) {
  Box(cr, -0.34, -0.48, 0.34, -0.38);
  Box(cr, -0.34, 0.38, 0.34, 0.48);
  Paint(cr, kWood);
  Box(cr, -0.26, -0.38, 0.26, 0.38);
  Paint(cr, it.colour);
  Set(cr, Darker(it.colour, 0.75));
  for (double y = -0.3; y < 0.35; y += 0.12) Line(cr, -0.26, y, 0.26, y + 0.05, 0.025);
}

void DrawButton(cairo_t* cr, const Item& it) {
  Circle(cr, 0, 0, 0.46);
  Paint(cr, it.colour);
  Circle(cr, 0, 0, 0.34);
  Paint(cr, Lighter(it.colour, 0.2));
  Set(cr, Darker(it.colour, 0.5));
  const int holes = it.variant == 0 ? 2 : 4;
  for (int i = 0; i < holes; ++i) {
    const double a = i * 2 * kPi / holes + kPi / 4;
    Circle(cr, 0.13 * std::cos(a), 0.13 * std::sin(a), 0.06);
    cairo_fill(cr);
  }
}

void DrawScissors(cairo_t* cr, const Item& it) {
  Set(cr, kSteel);
  Line(cr, -0.1, 0.15, 0.45, -0.45, 0.08);
  Line(cr, 0.1, 0.15, -0.45, -0.45, 0.08);
  cairo_save(cr);
  cairo_set_line_width(cr, 0.09);
  Set(cr, it.colour);
  for (double x : {-0.2, 0.2}) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x, 0.32, 0.14, 0, 2 * kPi);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
}

void DrawPincushion(cairo_t* cr, const Item& it) {
  static const double kPins[][2] = {{-0.3, -0.2}, {-0.1, -0.32}, {0.12, -0.3}, {0.3, -0.18},
                                   {0.0, -0.12}};
  for (int i = 0; i < it.details && i < 5; ++i) {
    Set(cr, kSteel);
    Line(cr, kPins[i][0], kPins[i][1], kPins[i][0] * 0.6, 0.0, 0.025);
    Circle(cr, kPins[i][0], kPins[i][1], 0.06);
    Paint(cr, i % 2 ? it.accent : kLight);
  }
  Ellipse(cr, 0, 0.14, 0.52, 0.3);
  PaintPatterned(cr, it, it.colour);
}

void DrawYarn(cairo_t* cr, const Item& it) {
  Set(cr, it.colour);
  Line(cr, 0.3, 0.35, 0.5, 0.48, 0.04);
  Circle(cr, 0, 0, 0.44);
  Paint(cr, it.colour);
  Set(cr, Darker(it.colour, 0.75));
  cairo_save(cr);
  cairo_set_line_width(cr, 0.03);
  for (double r : {0.18, 0.3, 0.4}) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, -0.1, 0.05, r, -0.4, 1.9);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
}

// --- the music room ---
void DrawGuitar(cairo_t* cr, const Item& it) {
  Box(cr, -0.04, -0.48, 0.04, 0.0);
  Paint(cr, kWood);
  Box(cr, -0.07, -0.5, 0.07, -0.4);
  Paint(cr, Darker(kWood, 0.7));
  Circle(cr, 0, 0.0, 0.14);
  Circle(cr, 0, 0.28, 0.2);
  Paint(cr, it.colour);
  Circle(cr, 0, 0.12, 0.06);
  Paint(cr, kInk);
  Box(cr, -0.1, 0.34, 0.1, 0.38);
  Paint(cr, it.accent);
}

void DrawTrumpet(cairo_t* cr, const Item& it) {
  Set(cr, it.colour);
  Line(cr, -0.75, 0, 0.3, 0, 0.1);
  Poly(cr, {{0.3, -0.06}, {0.85, -0.32}, {0.85, 0.32}, {0.3, 0.06}});
  Paint(cr, it.colour);
  for (double x : {-0.25, -0.05, 0.15}) {
    Box(cr, x - 0.04, -0.28, x + 0.04, -0.05);
    Paint(cr, Darker(it.colour, 0.75));
  }
  RoundBox(cr, -0.4, 0.04, 0.2, 0.2, 0.07);
  Paint(cr, it.colour);
}

void DrawNote(cairo_t* cr, const Item& it) {
  Set(cr, it.colour);
  Ellipse(cr, -0.14, 0.32, 0.16, 0.12);
  cairo_fill(cr);
  Line(cr, 0.0, 0.3, 0.0, -0.44, 0.06);
  if (it.variant == 0) {
    Line(cr, 0.0, -0.44, 0.25, -0.22, 0.08);
  } else {
    Ellipse(cr, 0.32, 0.22, 0.16, 0.12);
    cairo_fill(cr);
    Line(cr, 0.46, 0.2, 0.46, -0.5, 0.06);
    Line(cr, 0.0, -0.44, 0.46, -0.5, 0.1);
  }
}

// --- the chess club and the board game table ---
void DrawChessPiece(cairo_t* cr, const Item& it) {
  Box(cr, -0.3, 0.34, 0.3, 0.48);
  Poly(cr, {{-0.2, 0.34}, {-0.1, -0.1}, {0.1, -0.1}, {0.2, 0.34}});
  Paint(cr, it.colour);
  switch (it.variant) {
    case 0: Circle(cr, 0, -0.22, 0.14); break;  // a pawn
    case 1: Poly(cr, {{-0.2, -0.1}, {-0.2, -0.42}, {-0.08, -0.42}, {-0.08, -0.32}, {0.08, -0.32},
                      {0.08, -0.42}, {0.2, -0.42}, {0.2, -0.1}}); break;  // a rook
    case 2: Ellipse(cr, 0, -0.26, 0.12, 0.18); break;  // a bishop
    default:  // a king
      Box(cr, -0.14, -0.32, 0.14, -0.1);
      Box(cr, -0.03, -0.5, 0.03, -0.32);
      Box(cr, -0.09, -0.45, 0.09, -0.4);
      break;
  }
  Paint(cr, it.colour);
}

void DrawDice(cairo_t* cr, const Item& it) {
  RoundBox(cr, -0.44, -0.44, 0.44, 0.44, 0.1);
  Paint(cr, it.colour);
  Dots(cr, 1 + it.details,
       {{-0.2, -0.2}, {0.2, 0.2}, {0.0, 0.0}, {0.2, -0.2}, {-0.2, 0.2}, {0.2, 0.0}}, 0.045,
       it.accent);
}

void DrawCard(cairo_t* cr, const Item& it) {
  RoundBox(cr, -0.34, -0.47, 0.34, 0.47, 0.06);
  Paint(cr, kWhite);
  Set(cr, it.colour);
  if (it.variant == 0) {  // hearts
    Circle(cr, -0.08, -0.05, 0.1);
    Circle(cr, 0.08, -0.05, 0.1);
    Poly(cr, {{-0.17, 0.0}, {0.17, 0.0}, {0, 0.22}});
  } else {  // diamonds
    Poly(cr, {{0, -0.22}, {0.16, 0}, {0, 0.22}, {-0.16, 0}});
  }
  cairo_fill(cr);
  Dots(cr, it.details, {{-0.22, -0.34}, {0.22, 0.34}}, 0.035, it.colour);
}

void DrawHourglass(cairo_t* cr, const Item& it) {
  Box(cr, -0.32, -0.48, 0.32, -0.4);
  Box(cr, -0.32, 0.4, 0.32, 0.48);
  Paint(cr, kWood);
  Poly(cr, {{-0.24, -0.4}, {0.24, -0.4}, {0.04, 0}, {0.24, 0.4}, {-0.24, 0.4}, {-0.04, 0}});
  Paint(cr, kGlass);
  const double fill = it.variant == 0 ? 0.3 : 0.15;
  Poly(cr, {{-0.24 + fill * 0.5, 0.4 - fill}, {0.24 - fill * 0.5, 0.4 - fill}, {0.24, 0.4},
            {-0.24, 0.4}});
  Poly(cr, {{-0.14, -0.2}, {0.14, -0.2}, {0.02, 0}, {-0.02, 0}});
  Paint(cr, it.colour);
}

// --- the aquarium and the pet shop ---
void DrawTurtle(cairo_t* cr, const Item& it) {
  for (double x : {-0.35, 0.3}) {
    Ellipse(cr, x, 0.3, 0.1, 0.08);
    Paint(cr, Mix(kLeaf, it.colour, 0.2));
  }
  Ellipse(cr, -0.58, 0.05, 0.14, 0.1);
  Paint(cr, Mix(kLeaf, it.colour, 0.2));
  cairo_move_to(cr, -0.5, 0.25);
  cairo_curve_to(cr, -0.5, -0.4, 0.5, -0.4, 0.5, 0.25);
  cairo_close_path(cr);
  Paint(cr, it.colour);
  Dots(cr, it.details, {{-0.2, 0.02}, {0.15, 0.0}, {-0.02, -0.12}, {0.3, 0.12}}, 0.05,
       Darker(it.colour, 0.7));
}

void DrawCrab(cairo_t* cr, const Item& it) {
  Set(cr, it.colour);
  for (double side : {-1.0, 1.0}) {
    for (double y : {0.1, 0.22}) Line(cr, side * 0.3, y, side * 0.55, y + 0.15, 0.05);
    Line(cr, side * 0.3, -0.05, side * 0.5, -0.3, 0.06);
    Circle(cr, side * 0.52, -0.36, 0.12);
    Paint(cr, it.colour);
  }
  Ellipse(cr, 0, 0.05, 0.38, 0.24);
  Paint(cr, it.colour);
  for (double x : {-0.1, 0.1}) {
    Circle(cr, x, -0.2, 0.05);
    Paint(cr, kWhite);
  }
}

void DrawBone(cairo_t* cr, const Item& it) {
  Box(cr, -0.6, -0.08, 0.6, 0.08);
  for (double x : {-0.66, 0.66})
    for (double y : {-0.12, 0.12}) Circle(cr, x, y, 0.13);
  Paint(cr, Mix(kCream, it.colour, 0.1));
}

void DrawPetBowl(cairo_t* cr, const Item& it) {
  Ellipse(cr, 0, -0.05, 0.6, 0.14);
  Paint(cr, it.variant == 0 ? Colour{0.6, 0.4, 0.25} : kGlass);
  Poly(cr, {{-0.72, -0.02}, {0.72, -0.02}, {0.55, 0.44}, {-0.55, 0.44}});
  PaintPatterned(cr, it, it.colour);
}

void DrawHamster(cairo_t* cr, const Item& it) {
  Ellipse(cr, 0.05, 0.12, 0.5, 0.32);
  Paint(cr, it.colour);
  Ellipse(cr, 0.1, 0.2, 0.3, 0.18);
  Paint(cr, Lighter(it.colour, 0.5));
  Circle(cr, -0.22, -0.2, 0.1);
  Circle(cr, 0.12, -0.22, 0.1);
  Paint(cr, it.accent);
  Set(cr, kInk);
  Circle(cr, -0.32, 0.0, 0.035);
  Circle(cr, -0.48, 0.08, 0.03);
  cairo_fill(cr);
}

// --- the bird table and the garden ---
void DrawBirdhouse(cairo_t* cr, const Item& it) {
  Set(cr, kWood);
  Line(cr, 0, 0.2, 0, 0.48, 0.1);
  Box(cr, -0.3, -0.2, 0.3, 0.26);
  Paint(cr, it.colour);
  Poly(cr, {{-0.4, -0.16}, {0, -0.48}, {0.4, -0.16}});
  Paint(cr, it.accent);
  if (it.variant == 0)
    Circle(cr, 0, 0.0, 0.1);
  else
    Box(cr, -0.09, -0.08, 0.09, 0.1);
  Paint(cr, kInk);
  Set(cr, kWood);
  Line(cr, 0, 0.14, 0.16, 0.14, 0.04);
}

void DrawRobin(cairo_t* cr, const Item& it) {
  Set(cr, kInk);
  Line(cr, 0.0, 0.3, -0.04, 0.48, 0.03);
  Line(cr, 0.1, 0.3, 0.12, 0.48, 0.03);
  Poly(cr, {{0.25, 0.05}, {0.5, 0.15}, {0.45, 0.3}});
  Paint(cr, it.colour);
  Ellipse(cr, 0.05, 0.1, 0.3, 0.24);
  Paint(cr, it.colour);
  Ellipse(cr, -0.08, 0.12, 0.16, 0.14);
  Paint(cr, it.accent);
  Circle(cr, -0.18, -0.14, 0.15);
  Paint(cr, it.colour);
  Poly(cr, {{-0.32, -0.16}, {-0.44, -0.12}, {-0.32, -0.09}});
  Paint(cr, {0.95, 0.75, 0.2});
  Set(cr, kInk);
  Circle(cr, -0.22, -0.17, 0.025);
  cairo_fill(cr);
  if (it.variant == 1) {  // a crest
    Poly(cr, {{-0.2, -0.28}, {-0.1, -0.42}, {-0.08, -0.26}});
    Paint(cr, it.colour);
  }
}

// --- the laundry line and the picnic ---
void DrawSock(cairo_t* cr, const Item& it) {
  Poly(cr, {{-0.2, -0.46}, {0.14, -0.46}, {0.14, 0.18}, {0.36, 0.3}, {0.28, 0.46}, {-0.12, 0.4},
            {-0.2, 0.2}});
  PaintPatterned(cr, it, it.colour);
  Box(cr, -0.2, -0.46, 0.14, -0.34);
  Paint(cr, it.accent);
}

void DrawTrousers(cairo_t* cr, const Item& it) {
  Poly(cr, {{-0.34, -0.44}, {0.34, -0.44}, {0.4, 0.46}, {0.06, 0.46}, {0.0, -0.1}, {-0.06, 0.46},
            {-0.4, 0.46}});
  PaintPatterned(cr, it, it.colour);
  Box(cr, -0.34, -0.44, 0.34, -0.36);
  Paint(cr, it.accent);
}

void DrawDress(cairo_t* cr, const Item& it) {
  Poly(cr, {{-0.16, -0.46}, {0.16, -0.46}, {0.2, -0.1}, {0.44, 0.46}, {-0.44, 0.46}, {-0.2, -0.1}});
  PaintPatterned(cr, it, it.colour);
  Box(cr, -0.2, -0.12, 0.2, -0.05);
  Paint(cr, it.accent);
  Dots(cr, it.details, {{0, -0.36}, {0, -0.25}, {0, 0.1}}, 0.03, kWhite);
}

void DrawSandwich(cairo_t* cr, const Item& it) {
  Poly(cr, {{-0.7, 0.4}, {0.7, 0.4}, {0.0, -0.3}});
  Paint(cr, kCream);
  Poly(cr, {{-0.76, 0.28}, {0.76, 0.28}, {0.7, 0.36}, {-0.7, 0.36}});
  Paint(cr, it.variant == 0 ? kLeaf : Colour{0.9, 0.3, 0.25});
  Poly(cr, {{-0.72, 0.2}, {0.72, 0.2}, {0.0, -0.48}});
  Paint(cr, Mix(kCrust, kCream, 0.5));
  Poly(cr, {{-0.5, 0.12}, {0.5, 0.12}, {0.0, -0.3}});
  Paint(cr, it.colour);
}

void DrawBasket(cairo_t* cr, const Item& it) {
  Set(cr, Darker(kCrust, 0.8));
  cairo_save(cr);
  cairo_set_line_width(cr, 0.06);
  cairo_arc(cr, 0, -0.05, 0.42, kPi, 2 * kPi);
  cairo_stroke(cr);
  cairo_restore(cr);
  Poly(cr, {{-0.62, -0.05}, {0.62, -0.05}, {0.48, 0.46}, {-0.48, 0.46}});
  PaintPatterned(cr, it, Mix(kCrust, it.colour, 0.15));
  Set(cr, Darker(kCrust, 0.7));
  for (double y : {0.1, 0.25}) Line(cr, -0.56, y, 0.56, y, 0.03);
  Box(cr, -0.58, -0.12, 0.58, -0.02);
  Paint(cr, it.accent);
}

void DrawCheese(cairo_t* cr, const Item& it) {
  Poly(cr, {{-0.7, 0.4}, {0.7, 0.4}, {0.7, -0.05}, {-0.7, -0.3}});
  Paint(cr, Mix({0.98, 0.82, 0.35}, it.colour, 0.1));
  Set(cr, {0.85, 0.65, 0.2});
  static const double kHoles[][3] = {{-0.35, 0.1, 0.08}, {0.1, 0.18, 0.1}, {0.45, 0.05, 0.07},
                                    {-0.05, 0.0, 0.06}};
  for (int i = 0; i < it.details && i < 4; ++i) {
    Circle(cr, kHoles[i][0], kHoles[i][1], kHoles[i][2] * 1.4);
    cairo_fill(cr);
  }
}

// --- the cove and the sea ---
void DrawAnchor(cairo_t* cr, const Item& it) {
  Set(cr, it.colour);
  Line(cr, 0, -0.32, 0, 0.4, 0.08);
  Line(cr, -0.2, -0.2, 0.2, -0.2, 0.07);
  cairo_save(cr);
  cairo_set_line_width(cr, 0.08);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, -0.4, 0.08, 0, 2 * kPi);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0.05, 0.36, 0.3, kPi - 0.3);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void DrawBuoy(cairo_t* cr, const Item& it) {
  Poly(cr, {{-0.3, 0.3}, {-0.18, -0.3}, {0.18, -0.3}, {0.3, 0.3}});
  PaintPatterned(cr, it, it.colour);
  Box(cr, -0.26, -0.05, 0.26, 0.08);
  Paint(cr, kWhite);
  Ellipse(cr, 0, 0.34, 0.42, 0.12);
  Paint(cr, Darker(it.colour, 0.7));
  Set(cr, kInk);
  Line(cr, 0, -0.3, 0, -0.46, 0.04);
  Circle(cr, 0, -0.46, 0.05);
  Paint(cr, kLight);
}

// --- the autumn forest ---
void DrawAcorn(cairo_t* cr, const Item& it) {
  Ellipse(cr, 0, 0.14, 0.3, 0.34);
  Paint(cr, Mix({0.75, 0.5, 0.25}, it.colour, 0.15));
  cairo_move_to(cr, -0.38, -0.08);
  cairo_curve_to(cr, -0.38, -0.4, 0.38, -0.4, 0.38, -0.08);
  cairo_close_path(cr);
  Paint(cr, {0.5, 0.35, 0.2});
  Set(cr, {0.4, 0.26, 0.15});
  Line(cr, 0, -0.34, 0.06, -0.48, 0.05);
}

void DrawOwl(cairo_t* cr, const Item& it) {
  Poly(cr, {{-0.3, -0.3}, {-0.26, -0.48}, {-0.12, -0.36}});
  Poly(cr, {{0.3, -0.3}, {0.26, -0.48}, {0.12, -0.36}});
  Paint(cr, it.colour);
  Ellipse(cr, 0, 0.02, 0.34, 0.44);
  Paint(cr, it.colour);
  Ellipse(cr, 0, 0.2, 0.2, 0.22);
  Paint(cr, Lighter(it.colour, 0.4));
  for (double x : {-0.13, 0.13}) {
    Circle(cr, x, -0.2, 0.11);
    Paint(cr, kWhite);
    Circle(cr, x, -0.2, it.variant == 0 ? 0.05 : 0.07);
    Set(cr, kInk);
    cairo_fill(cr);
  }
  Poly(cr, {{-0.05, -0.1}, {0.05, -0.1}, {0, 0.0}});
  Paint(cr, {0.95, 0.7, 0.2});
}

void DrawHedgehog(cairo_t* cr, const Item& it) {
  cairo_move_to(cr, -0.5, 0.35);
  for (int i = 0; i <= 9; ++i) {
    const double a = kPi + i * kPi / 9;
    const double r = i % 2 ? 0.5 : 0.38;
    cairo_line_to(cr, 0.1 + r * std::cos(a), 0.35 + r * 0.9 * std::sin(a));
  }
  cairo_close_path(cr);
  Paint(cr, it.colour);
  Ellipse(cr, -0.45, 0.28, 0.22, 0.14);
  Paint(cr, Lighter(it.colour, 0.55));
  Set(cr, kInk);
  Circle(cr, -0.65, 0.26, 0.035);
  Circle(cr, -0.45, 0.22, 0.025);
  cairo_fill(cr);
}

void DrawBoot(cairo_t* cr, const Item& it) {
  Poly(cr, {{-0.3, -0.46}, {0.12, -0.46}, {0.12, 0.16}, {0.46, 0.24}, {0.46, 0.46}, {-0.3, 0.46}});
  PaintPatterned(cr, it, it.colour);
  Box(cr, -0.32, 0.38, 0.48, 0.48);
  Paint(cr, Darker(it.colour, 0.5));
  Box(cr, -0.3, -0.46, 0.12, -0.36);
  Paint(cr, it.accent);
}

// --- space ---
void DrawSatellite(cairo_t* cr, const Item& it) {
  for (double x : {-0.82, 0.34}) {
    Box(cr, x, -0.16, x + 0.48, 0.16);
    Paint(cr, {0.2, 0.3, 0.6});
    Set(cr, kGlass);
    for (double gx = x + 0.12; gx < x + 0.46; gx += 0.12) Line(cr, gx, -0.16, gx, 0.16, 0.015);
  }
  Box(cr, -0.2, -0.24, 0.2, 0.24);
  Paint(cr, it.colour);
  Set(cr, kSteel);
  Line(cr, 0, -0.24, 0, -0.42, 0.04);
  Circle(cr, 0, -0.44, 0.06);
  Paint(cr, it.accent);
}

void DrawShip(cairo_t* cr, const Item& it) {
  Ellipse(cr, 0, 0.08, 0.82, 0.2);
  Paint(cr, it.colour);
  cairo_move_to(cr, -0.4, 0.0);
  cairo_curve_to(cr, -0.35, -0.45, 0.35, -0.45, 0.4, 0.0);
  cairo_close_path(cr);
  Paint(cr, Mix(kGlass, it.accent, 0.2));
  Dots(cr, it.details, {{-0.5, 0.1}, {0.0, 0.16}, {0.5, 0.1}}, 0.045, kLight);
}

void DrawComet(cairo_t* cr, const Item& it) {
  cairo_move_to(cr, 0.55, -0.2);
  cairo_line_to(cr, -0.85, 0.35);
  cairo_line_to(cr, 0.55, 0.2);
  cairo_close_path(cr);
  Set(cr, Mix(it.colour, {1, 1, 1}, 0.5));
  cairo_fill(cr);
  Circle(cr, 0.55, 0.0, 0.22);
  Paint(cr, it.colour);
}

}  // namespace content
