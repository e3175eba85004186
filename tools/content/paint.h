// The painting helpers every drawing of the stage generator and the artwork shares: paths in a
// thing's own unit box, filled and outlined in a darker tone of their colour.
#pragma once

#include <cairo.h>

#include <initializer_list>
#include <utility>

#include "scene.h"

namespace content {

constexpr double kPi = 3.14159265358979323846;

inline void Set(cairo_t* cr, const Colour& c) { cairo_set_source_rgb(cr, c.r, c.g, c.b); }
// Fills the current path with `c`.
inline void Fill(cairo_t* cr, const Colour& c) {
  Set(cr, c);
  cairo_fill(cr);
}
inline Colour Darker(const Colour& c, double f = 0.55) { return {c.r * f, c.g * f, c.b * f}; }
inline Colour Lighter(const Colour& c, double t = 0.45) { return Mix(c, {1, 1, 1}, t); }

inline const Colour kInk{0.18, 0.16, 0.15};
inline const Colour kWhite{0.97, 0.97, 0.95};
inline const Colour kWood{0.55, 0.36, 0.2};
inline const Colour kLeaf{0.25, 0.6, 0.25};
inline const Colour kGlass{0.72, 0.87, 0.97};
inline const Colour kLight{1.0, 0.9, 0.45};

// Fills the current path with `fill` and outlines it in a darker tone of it.
void Paint(cairo_t* cr, const Colour& fill);
// Fills the current path with `fill` and the item's pattern over it, in its accent, then outlines
// it as Paint does.
void PaintPatterned(cairo_t* cr, const Item& it, const Colour& fill);
// A thing's small parts (fruit, buttons, spots), the first `count` of `places`. They are drawn
// large enough that one more or one fewer changes enough pixels to be fair to find.
void Dots(cairo_t* cr, int count, std::initializer_list<std::pair<double, double>> places,
          double radius, const Colour& colour);
void Circle(cairo_t* cr, double x, double y, double r);
void Ellipse(cairo_t* cr, double x, double y, double rx, double ry);
void Box(cairo_t* cr, double x0, double y0, double x1, double y1);
void RoundBox(cairo_t* cr, double x0, double y0, double x1, double y1, double r);
void Poly(cairo_t* cr, std::initializer_list<std::pair<double, double>> points);
void StarPath(cairo_t* cr, double x, double y, double outer, double inner, int points);
// A line of `width` from (x0, y0) to (x1, y1) in the current colour, with round ends.
void Line(cairo_t* cr, double x0, double y0, double x1, double y1, double width);

}  // namespace content
