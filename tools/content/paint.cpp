#include "paint.h"

#include <cmath>

namespace content {

// Fills the current path with `fill` and outlines it in a darker tone of it.
void Paint(cairo_t* cr, const Colour& fill) {
  Set(cr, fill);
  cairo_fill_preserve(cr);
  Set(cr, Darker(fill));
  cairo_stroke(cr);
}

// Fills the current path with `fill` and the item's pattern over it, in its accent, then outlines
// it as Paint does.
void PaintPatterned(cairo_t* cr, const Item& it, const Colour& fill) {
  cairo_path_t* path = cairo_copy_path(cr);
  Set(cr, fill);
  cairo_fill_preserve(cr);
  if (it.pattern != 0) {
    cairo_save(cr);
    cairo_clip(cr);
    Set(cr, Mix(it.accent, {1, 1, 1}, 0.1));
    for (int i = 0; i < 13; ++i) {
      const double a = -1.0 + i * 0.16;
      if (it.pattern == 1) {  // stripes, aslant
        cairo_move_to(cr, a, -1.0);
        cairo_line_to(cr, a + 0.07, -1.0);
        cairo_line_to(cr, a + 0.57, 1.0);
        cairo_line_to(cr, a + 0.5, 1.0);
        cairo_close_path(cr);
        continue;
      }
      for (int j = 0; j < 13; ++j) {
        const double b = -1.0 + j * 0.16;
        if (it.pattern == 2) {  // dots
          cairo_new_sub_path(cr);
          cairo_arc(cr, a + 0.08, b + 0.08, 0.038, 0, 2 * kPi);
        } else if ((i + j) % 2 == 0) {  // checks
          cairo_rectangle(cr, a, b, 0.16, 0.16);
        }
      }
    }
    cairo_fill(cr);
    cairo_restore(cr);
  }
  cairo_new_path(cr);
  cairo_append_path(cr, path);
  cairo_path_destroy(path);
  Set(cr, Darker(fill));
  cairo_stroke(cr);
}

// A thing's small parts (fruit, buttons, spots), the first `count` of `places`. They are drawn
// large enough that one more or one fewer changes enough pixels to be fair to find.
void Dots(cairo_t* cr, int count, std::initializer_list<std::pair<double, double>> places,
          double radius, const Colour& colour) {
  constexpr double kFindable = 1.8;
  int drawn = 0;
  for (const auto& [x, y] : places) {
    if (drawn++ == count) break;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x, y, radius * kFindable, 0, 2 * kPi);
    Paint(cr, colour);
  }
}

void Circle(cairo_t* cr, double x, double y, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x, y, r, 0, 2 * kPi);
}

void Ellipse(cairo_t* cr, double x, double y, double rx, double ry) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, rx, ry);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
  cairo_restore(cr);
}

void Box(cairo_t* cr, double x0, double y0, double x1, double y1) {
  cairo_rectangle(cr, x0, y0, x1 - x0, y1 - y0);
}

void RoundBox(cairo_t* cr, double x0, double y0, double x1, double y1, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x1 - r, y0 + r, r, -kPi / 2, 0);
  cairo_arc(cr, x1 - r, y1 - r, r, 0, kPi / 2);
  cairo_arc(cr, x0 + r, y1 - r, r, kPi / 2, kPi);
  cairo_arc(cr, x0 + r, y0 + r, r, kPi, 3 * kPi / 2);
  cairo_close_path(cr);
}

void Poly(cairo_t* cr, std::initializer_list<std::pair<double, double>> points) {
  bool first = true;
  for (const auto& [x, y] : points) {
    if (first)
      cairo_move_to(cr, x, y);
    else
      cairo_line_to(cr, x, y);
    first = false;
  }
  cairo_close_path(cr);
}

void StarPath(cairo_t* cr, double x, double y, double outer, double inner, int points) {
  for (int i = 0; i < 2 * points; ++i) {
    const double angle = -kPi / 2 + i * kPi / points;
    const double r = i % 2 == 0 ? outer : inner;
    if (i == 0)
      cairo_move_to(cr, x + r * std::cos(angle), y + r * std::sin(angle));
    else
      cairo_line_to(cr, x + r * std::cos(angle), y + r * std::sin(angle));
  }
  cairo_close_path(cr);
}

void Line(cairo_t* cr, double x0, double y0, double x1, double y1, double width) {
  cairo_save(cr);
  cairo_set_line_width(cr, width);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1, y1);
  cairo_stroke(cr);
  cairo_restore(cr);
}

}  // namespace content
