#include "backdrops.h"

#include <cmath>

#include "paint.h"

namespace content {
namespace {

constexpr double kW = 300;

void Puff(cairo_t* cr, double x, double y, double s, const Colour& c) {
  Circle(cr, x - s * 0.5, y, s * 0.35);
  Circle(cr, x, y - s * 0.15, s * 0.45);
  Circle(cr, x + s * 0.5, y, s * 0.35);
  Fill(cr, c);
}

// A grid of cells over the box, each its own shade of `colour`, with lines of `grout` between.
void Cells(cairo_t* cr, double x0, double y0, double x1, double y1, double w, double h,
           const Colour& colour, const Colour& grout, Random& rng, double shift = 0) {
  cairo_rectangle(cr, x0, y0, x1 - x0, y1 - y0);
  Fill(cr, grout);
  int row = 0;
  for (double y = y0; y < y1; y += h, ++row)
    for (double x = x0 - (row % 2) * shift; x < x1; x += w) {
      const double left = std::max(x0, x + 1), right = std::min(x1, x + w - 1);
      if (right <= left) continue;
      cairo_rectangle(cr, left, y + 1, right - left, std::min(h, y1 - y) - 2);
      Fill(cr, Mix(colour, rng.Chance(0.5) ? Colour{1, 1, 1} : Colour{0, 0, 0},
                   rng.Uniform(0.0, 0.14)));
    }
}

// Small patches over the band: flowers in grass, pebbles on sand, ripples on water. Each is large
// enough for the eye to take in, as the dabs of a painted scene are.
void Speckle(cairo_t* cr, Random& r, int count, double top, double bottom, double rx, double ry,
             double hue, double hueSpread, double saturation, double value) {
  for (int i = 0; i < count; ++i) {
    Ellipse(cr, r.Uniform(0, kW), r.Uniform(top + ry, bottom - ry), rx * r.Uniform(0.85, 1.15),
            ry * r.Uniform(0.85, 1.15));
    Paint(cr, FromHsv(hue + r.Uniform(-hueSpread, hueSpread), saturation, value * r.Uniform(0.9, 1.05)));
  }
}

}  // namespace

void Gradient(cairo_t* cr, double y0, double y1, const Colour& top, const Colour& bottom) {
  cairo_pattern_t* gradient = cairo_pattern_create_linear(0, y0, 0, y1);
  cairo_pattern_add_color_stop_rgb(gradient, 0, top.r, top.g, top.b);
  cairo_pattern_add_color_stop_rgb(gradient, 1, bottom.r, bottom.g, bottom.b);
  cairo_set_source(cr, gradient);
  cairo_rectangle(cr, 0, y0, kW, y1 - y0);
  cairo_fill(cr);
  cairo_pattern_destroy(gradient);
}

BackdropMaker Layers(std::vector<Layer> layers, BackdropMaker base) {
  return [layers, base](Random& rng) -> Backdrop {
    Backdrop under = base ? base(rng) : Backdrop{};
    const std::uint64_t seed = rng.Next();
    return [layers, under, seed](cairo_t* cr) {
      if (under) under(cr);
      Random r(seed);
      for (const Layer& layer : layers) {
        cairo_save(cr);
        cairo_set_line_width(cr, 1);
        layer(cr, r);
        cairo_restore(cr);
      }
    };
  };
}

Layer Sky(SkyKind kind, double bottom) {
  return [=](cairo_t* cr, Random& r) {
    const double hue = r.Uniform(195, 215);
    switch (kind) {
      case SkyKind::Day: Gradient(cr, 0, bottom, FromHsv(hue, 0.55, 0.92), FromHsv(hue, 0.18, 1)); break;
      case SkyKind::Dusk:
        Gradient(cr, 0, bottom, FromHsv(r.Uniform(250, 280), 0.45, 0.55),
                 FromHsv(r.Uniform(15, 35), 0.65, 1));
        break;
      case SkyKind::Night:
        Gradient(cr, 0, bottom, FromHsv(235, 0.7, 0.16), FromHsv(r.Uniform(240, 260), 0.5, 0.42));
        break;
      case SkyKind::Grey: Gradient(cr, 0, bottom, FromHsv(hue, 0.1, 0.7), FromHsv(hue, 0.05, 0.88)); break;
      case SkyKind::Rain: Gradient(cr, 0, bottom, FromHsv(hue, 0.15, 0.5), FromHsv(hue, 0.1, 0.75)); break;
      case SkyKind::Snow: Gradient(cr, 0, bottom, FromHsv(215, 0.3, 0.8), FromHsv(210, 0.06, 0.98)); break;
    }
  };
}

Layer Clouds(int count, double top, double bottom, double grey) {
  return [=](cairo_t* cr, Random& r) {
    for (int i = 0; i < count; ++i) {
      const double v = 1.0 - grey - r.Uniform(0, 0.06);
      const double x = r.Uniform(10, 290), y = r.Uniform(top, bottom), size = r.Uniform(12, 26);
      Puff(cr, x, y, size, {v, v, v + 0.01});
      Ellipse(cr, x, y + size * 0.3, size * 0.7, size * 0.12);
      Fill(cr, {v - 0.12, v - 0.1, v - 0.05});
    }
  };
}

Layer NightSky(double bottom, int planets, int lit) {
  return [=](cairo_t* cr, Random& r) {
    for (int i = 0; i < 60; ++i) Circle(cr, r.Uniform(0, kW), r.Uniform(0, bottom), r.Uniform(0.6, 1.3));
    Fill(cr, {0.95, 0.95, 1.0});
    for (int i = 0; i < static_cast<int>(bottom / 3); ++i) {
      StarPath(cr, r.Uniform(0, kW), r.Uniform(0, bottom), r.Uniform(4.5, 6), 2.4, 5);
      Fill(cr, FromHsv(r.Uniform(40, 60), r.Uniform(0.1, 0.5), 1.0));
    }
    for (int i = 0; i < planets; ++i) {
      const double x = r.Uniform(20, 280), y = r.Uniform(15, bottom - 15), s = r.Uniform(5, 11);
      Circle(cr, x, y, s);
      Paint(cr, FromHsv(r.Uniform(0, 360), 0.45, 0.8));
      Set(cr, FromHsv(r.Uniform(0, 360), 0.5, 0.95));
      content::Line(cr, x - s * 1.6, y + s * 0.3, x + s * 1.6, y - s * 0.3, 1.5);
    }
    for (int i = 0; i < lit; ++i) {  // far satellites and ships: small lit shapes
      const double x = r.Uniform(15, 285), y = r.Uniform(10, bottom - 10);
      cairo_rectangle(cr, x - 4, y - 1, 8, 2);
      cairo_rectangle(cr, x - 1.5, y - 2.5, 3, 5);
      Fill(cr, FromHsv(r.Uniform(30, 60), 0.4, 0.95));
    }
    for (int i = 0; i < 5; ++i)
      Puff(cr, r.Uniform(20, 280), r.Uniform(20, bottom - 20), r.Uniform(14, 24),
           FromHsv(240, 0.25, r.Uniform(0.3, 0.45)));
  };
}

Layer Hills(double y, double hue, double amplitude) {
  return [=](cairo_t* cr, Random& r) {
    const double phase = r.Uniform(0, 6);
    cairo_move_to(cr, 0, 300);
    for (int x = 0; x <= 300; x += 10)
      cairo_line_to(cr, x, y + amplitude * std::sin(x * 0.021 + phase) +
                               amplitude * 0.5 * std::sin(x * 0.05 + 2 * phase));
    cairo_line_to(cr, 300, 300);
    cairo_close_path(cr);
    Fill(cr, FromHsv(hue + r.Uniform(-8, 8), 0.45, r.Uniform(0.55, 0.75)));
  };
}

Layer Mountains(double y, bool snow) {
  return [=](cairo_t* cr, Random& r) {
    for (int i = 0; i < 5; ++i) {
      const double x = -20 + i * 75 + r.Uniform(-15, 15), h = r.Uniform(60, 110), w = r.Uniform(60, 90);
      const Colour rock = FromHsv(r.Uniform(210, 235), 0.2, r.Uniform(0.5, 0.7));
      Poly(cr, {{x - w, y}, {x, y - h}, {x + w, y}});
      Fill(cr, rock);
      Poly(cr, {{x, y - h}, {x + w, y}, {x + w * 0.3, y}});
      Fill(cr, Darker(rock, 0.85));
      if (snow) {
        Poly(cr, {{x - w * 0.3, y - h * 0.7}, {x, y - h}, {x + w * 0.3, y - h * 0.7},
                  {x + w * 0.1, y - h * 0.62}, {x - w * 0.1, y - h * 0.72}});
        Fill(cr, {0.97, 0.98, 1.0});
      }
    }
  };
}

Layer Forest(double y, double hue, double height) {
  return [=](cairo_t* cr, Random& r) {
    for (double x = -5; x < 305; x += r.Uniform(9, 16)) {
      const double h = height * r.Uniform(0.6, 1.0);
      const Colour leaf = FromHsv(hue + r.Uniform(-12, 12), r.Uniform(0.4, 0.65), r.Uniform(0.3, 0.6));
      if (r.Chance(0.5)) {
        Poly(cr, {{x - h * 0.3, y}, {x, y - h}, {x + h * 0.3, y}});
      } else {
        Circle(cr, x, y - h * 0.55, h * 0.35);
        cairo_rectangle(cr, x - 1.5, y - h * 0.3, 3, h * 0.3);
      }
      Fill(cr, leaf);
    }
  };
}

Layer Skyline(double y, bool night) {
  return [=](cairo_t* cr, Random& r) {
    for (double x = 0; x < kW;) {
      const double w = r.Uniform(22, 42), h = r.Uniform(40, 95);
      const Colour block = night ? FromHsv(240, 0.4, r.Uniform(0.2, 0.3))
                                 : FromHsv(r.Uniform(0, 360), 0.18, r.Uniform(0.62, 0.82));
      cairo_rectangle(cr, x, y - h, w - 2, h);
      Fill(cr, block);
      for (double wy = y - h + 5; wy < y - 6; wy += 9)
        for (double wx = x + 4; wx < x + w - 8; wx += 7)
          if (r.Chance(night ? 0.4 : 0.75)) {
            cairo_rectangle(cr, wx, wy, 4, 5);
            Fill(cr, night ? FromHsv(r.Uniform(40, 55), 0.6, 0.95)
                           : Mix(block, {0.3, 0.45, 0.6}, r.Uniform(0.4, 0.7)));
          }
      x += w;
    }
  };
}

Layer Ground(FloorKind kind, double top, double hue) { return Floor(kind, top, hue); }

Layer Water(double top, double bottom, double hue) {
  return [=](cairo_t* cr, Random& r) {
    const double h = hue + r.Uniform(-8, 8);
    Gradient(cr, top, bottom, FromHsv(h, 0.5, 0.85), FromHsv(h + 12, 0.75, 0.55));
    Set(cr, {1, 1, 1});
    cairo_set_line_width(cr, 1.4);
    for (double y = top + 8; y < bottom; y += 13)
      for (double x = r.Uniform(-20, 10); x < kW; x += r.Uniform(30, 50)) {
        cairo_move_to(cr, x, y);
        cairo_curve_to(cr, x + 5, y - 3, x + 10, y - 3, x + 15, y);
      }
    cairo_stroke(cr);
    Ripples(top + 4, bottom, h)(cr, r);
  };
}

Layer Flowers(double top, double bottom) {
  return [=](cairo_t* cr, Random& r) {
    Speckle(cr, r, static_cast<int>((bottom - top) / 1.5), top, bottom, 3.4, 3.0, r.Uniform(0, 360), 180, 0.6, 0.95);
  };
}

Layer Pebbles(double top, double bottom, double hue) {
  return [=](cairo_t* cr, Random& r) {
    Speckle(cr, r, static_cast<int>((bottom - top) / 1.5), top, bottom, 4.0, 2.8, hue, 15, 0.25, 0.7);
  };
}

Layer Ripples(double top, double bottom, double hue) {
  return [=](cairo_t* cr, Random& r) {
    Speckle(cr, r, static_cast<int>((bottom - top) / 1.8), top, bottom, 6.5, 2.7, hue + 8, 8, 0.75, 0.55);
  };
}

Layer Drifts(double top, double bottom) {
  return [=](cairo_t* cr, Random& r) {
    Speckle(cr, r, static_cast<int>((bottom - top) / 1.8), top, bottom, 5.0, 2.8, 215, 10, 0.22, 0.85);
  };
}

Layer Fence(double y, double height, double hue) {
  return [=](cairo_t* cr, Random& r) {
    const Colour wood = FromHsv(hue + r.Uniform(-5, 5), 0.35, r.Uniform(0.7, 0.9));
    for (double x = 3; x < kW; x += 14) {
      Poly(cr, {{x, y}, {x, y - height + 4}, {x + 3, y - height}, {x + 6, y - height + 4}, {x + 6, y}});
      Paint(cr, wood);
    }
    cairo_rectangle(cr, 0, y - height * 0.75, kW, 3);
    cairo_rectangle(cr, 0, y - height * 0.3, kW, 3);
    Fill(cr, Darker(wood, 0.85));
  };
}

Layer Rails(double y) {
  return [=](cairo_t* cr, Random&) {
    for (double x = 2; x < kW; x += 12) cairo_rectangle(cr, x, y - 2, 7, 12);
    Fill(cr, {0.45, 0.32, 0.2});
    cairo_rectangle(cr, 0, y, kW, 2.5);
    cairo_rectangle(cr, 0, y + 6, kW, 2.5);
    Fill(cr, {0.55, 0.56, 0.6});
  };
}

Layer Path(double top, double hue) {
  return [=](cairo_t* cr, Random& r) {
    const double x = r.Uniform(110, 190);
    Poly(cr, {{x - 8, top}, {x + 8, top}, {x + 70, 300}, {x - 70, 300}});
    Fill(cr, FromHsv(hue, 0.25, 0.8));
    for (double y = top + 8; y < 300; y += 14) {
      const double half = 8 + (y - top) * 62 / (300 - top);
      Circle(cr, x + r.Uniform(-half, half) * 0.7, y, 1.5 + (y - top) * 0.02);
    }
    Fill(cr, FromHsv(hue, 0.25, 0.65));
  };
}

Layer Rain(double top, double bottom) {
  return [=](cairo_t* cr, Random& r) {
    cairo_set_source_rgba(cr, 0.85, 0.9, 1.0, 0.6);
    cairo_set_line_width(cr, 1.2);
    for (int i = 0; i < 70; ++i) {
      const double x = r.Uniform(0, kW), y = r.Uniform(top, bottom);
      cairo_move_to(cr, x, y);
      cairo_line_to(cr, x - 3, y + 9);
    }
    cairo_stroke(cr);
  };
}

Layer Snowfall(double top, double bottom) {
  return [=](cairo_t* cr, Random& r) {
    for (int i = 0; i < 45; ++i) Circle(cr, r.Uniform(0, kW), r.Uniform(top, bottom), r.Uniform(1.2, 2.4));
    Fill(cr, {1, 1, 1});
  };
}

Layer FallingLeaves(double top, double bottom) {
  return [=](cairo_t* cr, Random& r) {
    for (int i = 0; i < 30; ++i) {
      Ellipse(cr, r.Uniform(0, kW), r.Uniform(top, bottom), r.Uniform(2, 3.5), r.Uniform(1.2, 2));
      Fill(cr, FromHsv(r.Uniform(10, 45), 0.8, r.Uniform(0.7, 0.95)));
    }
  };
}

Layer Battlements(double top, double bottom) {
  return [=](cairo_t* cr, Random& r) {
    Cells(cr, 0, top, kW, bottom, 24, 12, FromHsv(r.Uniform(30, 45), 0.12, 0.72),
          {0.45, 0.43, 0.4}, r, 12);
    for (double x = 0; x < kW; x += 30) {
      cairo_rectangle(cr, x, top - 12, 16, 12);
      Fill(cr, FromHsv(35, 0.12, 0.68));
    }
  };
}

Layer Wall(WallKind kind, double top, double bottom, double hue, double saturation) {
  return [=](cairo_t* cr, Random& r) {
    const Colour c = FromHsv(hue + r.Uniform(-15, 15), saturation, r.Uniform(0.78, 0.92));
    const Colour line = Mix(c, {0.3, 0.3, 0.3}, 0.35);
    cairo_rectangle(cr, 0, top, kW, bottom - top);
    Fill(cr, c);
    switch (kind) {
      case WallKind::Plain: break;
      case WallKind::Stripes:
        for (double x = 0; x < kW; x += 24) cairo_rectangle(cr, x, top, 10, bottom - top);
        Fill(cr, Mix(c, {1, 1, 1}, 0.4));
        break;
      case WallKind::Tiles: Cells(cr, 0, top, kW, bottom, 20, 20, c, line, r); break;
      case WallKind::Bricks: Cells(cr, 0, top, kW, bottom, 18, 9, FromHsv(hue, 0.5, 0.65), {0.85, 0.82, 0.78}, r, 9); break;
      case WallKind::Planks: Cells(cr, 0, top, kW, bottom, 300, 14, c, Darker(c, 0.8), r); break;
      case WallKind::Pegboard:
        for (double y = top + 6; y < bottom; y += 12)
          for (double x = 6; x < kW; x += 12) Circle(cr, x, y, 1.6);
        Fill(cr, Darker(c, 0.6));
        break;
      case WallKind::Dots:
        for (double y = top + 10; y < bottom; y += 20)
          for (double x = static_cast<int>((y - top) / 20) % 2 ? 20 : 10; x < kW; x += 20) Circle(cr, x, y, 3.5);
        Fill(cr, FromHsv(hue + 150, 0.35, 0.9));
        break;
      case WallKind::Diamonds:
        for (double y = top; y < bottom; y += 24)
          for (double x = 0; x < kW + 12; x += 24) Poly(cr, {{x, y}, {x + 12, y + 12}, {x, y + 24}, {x - 12, y + 12}});
        Fill(cr, Mix(c, FromHsv(hue + 40, 0.4, 0.8), 0.5));
        break;
      case WallKind::Stone: Cells(cr, 0, top, kW, bottom, 34, 17, FromHsv(hue, 0.1, 0.7), {0.4, 0.38, 0.36}, r, 17); break;
      case WallKind::Panes: Cells(cr, 0, top, kW, bottom, 36, 30, FromHsv(190, 0.18, 0.95), {0.92, 0.93, 0.92}, r); break;
    }
  };
}

Layer Floor(FloorKind kind, double top, double hue) {
  return [=](cairo_t* cr, Random& r) {
    const Colour c = FromHsv(hue + r.Uniform(-8, 8), 0.4, r.Uniform(0.55, 0.75));
    switch (kind) {
      case FloorKind::Boards: Cells(cr, 0, top, kW, 300, 60, 12, c, Darker(c, 0.75), r, 30); break;
      case FloorKind::Checker:
        cairo_rectangle(cr, 0, top, kW, 300 - top);
        Fill(cr, {0.95, 0.94, 0.9});
        for (double y = top; y < 300; y += 15)
          for (double x = static_cast<int>((y - top) / 15) % 2 * 15; x < kW; x += 30) cairo_rectangle(cr, x, y, 15, 15);
        Fill(cr, Darker(c, 0.7));
        break;
      case FloorKind::Tiles: Cells(cr, 0, top, kW, 300, 25, 16, Lighter(c, 0.3), Darker(c, 0.8), r); break;
      case FloorKind::Rug:
        cairo_rectangle(cr, 0, top, kW, 300 - top);
        Fill(cr, Darker(c, 0.8));
        RoundBox(cr, 20, top + 10, 280, 295, 8);
        Paint(cr, FromHsv(hue + 180, 0.45, 0.7));
        for (double x = 40; x < 270; x += 22) Circle(cr, x, top + 22, 4);
        Fill(cr, FromHsv(hue + 40, 0.5, 0.9));
        break;
      case FloorKind::Grass:
        Gradient(cr, top, 300, FromHsv(hue, 0.5, 0.72), FromHsv(hue - 10, 0.6, 0.55));
        Set(cr, FromHsv(hue, 0.6, 0.45));
        for (int i = 0; i < 60; ++i) {
          const double x = r.Uniform(0, kW), y = r.Uniform(top + 4, 300);
          content::Line(cr, x, y, x + r.Uniform(-2, 2), y - 5, 1.2);
        }
        Flowers(top, 300)(cr, r);
        break;
      case FloorKind::Sand:
        Gradient(cr, top, 300, FromHsv(42, 0.35, 0.95), FromHsv(36, 0.45, 0.85));
        for (int i = 0; i < 40; ++i) Circle(cr, r.Uniform(0, kW), r.Uniform(top, 300), 1.2);
        Fill(cr, FromHsv(35, 0.4, 0.7));
        Pebbles(top, 300, 30)(cr, r);
        break;
      case FloorKind::Cobbles: Cells(cr, 0, top, kW, 300, 16, 10, FromHsv(hue, 0.1, 0.65), {0.35, 0.35, 0.35}, r, 8); break;
      case FloorKind::Snow:
        Gradient(cr, top, 300, {0.93, 0.96, 1.0}, {0.98, 0.99, 1.0});
        for (int i = 0; i < 12; ++i) Ellipse(cr, r.Uniform(0, kW), r.Uniform(top + 10, 300), r.Uniform(10, 20), 2.5);
        Fill(cr, {0.85, 0.9, 0.98});
        Drifts(top, 300)(cr, r);
        break;
      case FloorKind::Water: Water(top, 300, hue)(cr, r); break;
      case FloorKind::Soil:
        cairo_rectangle(cr, 0, top, kW, 300 - top);
        Fill(cr, {0.45, 0.32, 0.22});
        for (double y = top + 8; y < 300; y += 16) cairo_rectangle(cr, 0, y, kW, 5);
        Fill(cr, {0.38, 0.26, 0.18});
        Pebbles(top, 300, 90)(cr, r);
        break;
    }
  };
}

Layer Shelf(double y, double hue) {
  return [=](cairo_t* cr, Random& r) {
    const Colour wood = FromHsv(hue + r.Uniform(-5, 5), 0.5, r.Uniform(0.45, 0.65));
    cairo_rectangle(cr, 0, y, kW, 7);
    Fill(cr, wood);
    cairo_rectangle(cr, 0, y + 7, kW, 2);
    Fill(cr, Darker(wood, 0.65));
    for (double x : {30.0, 150.0, 270.0}) Poly(cr, {{x - 4, y + 9}, {x + 4, y + 9}, {x, y + 20}});
    Fill(cr, Darker(wood, 0.8));
  };
}

Layer Counter(double top, double bottom, double hue) {
  return [=](cairo_t* cr, Random& r) {
    const Colour c = FromHsv(hue + r.Uniform(-8, 8), 0.45, r.Uniform(0.5, 0.7));
    cairo_rectangle(cr, 0, top, kW, bottom - top);
    Fill(cr, c);
    cairo_rectangle(cr, 0, top - 5, kW, 6);
    Fill(cr, Lighter(c, 0.4));
    for (double x = 8; x < kW - 20; x += 72) {
      cairo_rectangle(cr, x, top + 8, 62, bottom - top - 16);
      Paint(cr, Mix(c, {1, 1, 1}, 0.12));
      Circle(cr, x + 31, top + 16, 2.5);
      Fill(cr, {0.85, 0.75, 0.35});
    }
  };
}

Layer WindowView(double x, double y, double w, double h, bool night) {
  return [=](cairo_t* cr, Random& r) {
    cairo_rectangle(cr, x - 4, y - 4, w + 8, h + 8);
    Fill(cr, {0.95, 0.94, 0.9});
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    Gradient(cr, y, y + h, night ? Colour{0.1, 0.12, 0.3} : FromHsv(205, 0.5, 0.95),
             night ? Colour{0.25, 0.22, 0.45} : FromHsv(205, 0.15, 1));
    for (int i = 0; i < 4; ++i) {
      const double bx = x + r.Uniform(0, w), bh = r.Uniform(h * 0.2, h * 0.5);
      cairo_rectangle(cr, bx, y + h - bh, r.Uniform(10, 18), bh);
      Fill(cr, night ? Colour{0.15, 0.15, 0.3} : FromHsv(r.Uniform(0, 360), 0.15, 0.75));
    }
    if (night) {
      for (int i = 0; i < 8; ++i) Circle(cr, x + r.Uniform(0, w), y + r.Uniform(0, h * 0.5), 0.9);
      Fill(cr, {1, 1, 0.9});
    }
    cairo_restore(cr);
    cairo_rectangle(cr, x + w / 2 - 1.5, y, 3, h);
    cairo_rectangle(cr, x, y + h / 2 - 1.5, w, 3);
    Fill(cr, {0.95, 0.94, 0.9});
  };
}

Layer Awning(double y, double hue) {
  return [=](cairo_t* cr, Random& r) {
    const Colour a = FromHsv(hue + r.Uniform(-10, 10), 0.65, 0.85);
    for (int i = 0; i < 10; ++i) {
      const double x = i * 30;
      cairo_rectangle(cr, x, 0, 30, y);
      cairo_new_sub_path(cr);
      cairo_arc(cr, x + 15, y, 15, 0, kPi);
      Fill(cr, i % 2 ? a : kWhite);
    }
  };
}

Layer Bunting(double y, int flags) {
  return [=](cairo_t* cr, Random& r) {
    Set(cr, kInk);
    cairo_move_to(cr, 0, y);
    cairo_curve_to(cr, 100, y + 14, 200, y + 14, 300, y);
    cairo_stroke(cr);
    for (int i = 0; i < flags; ++i) {
      const double x = (i + 0.5) * kW / flags, t = x / kW;
      const double sag = y + 14 * 3 * t * (1 - t) * 1.3;
      Poly(cr, {{x - 6, sag}, {x + 6, sag}, {x, sag + 13}});
      Paint(cr, FromHsv(r.Uniform(0, 360), 0.65, 0.92));
    }
  };
}

Layer Pictures(double top, double bottom, int count) {
  return [=](cairo_t* cr, Random& r) {
    for (int i = 0; i < count; ++i) {
      const double w = r.Uniform(18, 30), h = r.Uniform(14, 24);
      const double x = (i + 0.5) * kW / count - w / 2 + r.Uniform(-8, 8), y = r.Uniform(top, bottom - h);
      cairo_rectangle(cr, x, y, w, h);
      Paint(cr, FromHsv(r.Uniform(20, 50), 0.5, 0.55));
      cairo_rectangle(cr, x + 3, y + 3, w - 6, h - 6);
      Fill(cr, FromHsv(r.Uniform(0, 360), 0.35, 0.85));
      Circle(cr, x + w / 2, y + h / 2, h / 5);
      Fill(cr, FromHsv(r.Uniform(0, 360), 0.6, 0.7));
    }
  };
}

Layer Tablecloth(double top, double hue) {
  return [=](cairo_t* cr, Random& r) {
    const Colour c = FromHsv(hue + r.Uniform(-10, 10), 0.6, 0.85);
    cairo_rectangle(cr, 0, top, kW, 300 - top);
    Fill(cr, kWhite);
    for (double y = top; y < 300; y += 14)
      for (double x = static_cast<int>((y - top) / 14) % 2 * 14; x < kW; x += 28) cairo_rectangle(cr, x, y, 14, 14);
    Fill(cr, c);
  };
}

Layer Chessboard(double top, double bottom) {
  return [=](cairo_t* cr, Random& r) {
    const double side = (bottom - top) / 8, left = 150 - 4 * side * 1.4;
    const Colour dark = FromHsv(r.Uniform(20, 35), 0.55, 0.4), light = FromHsv(40, 0.25, 0.92);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) {
        cairo_rectangle(cr, left + x * side * 1.4, top + y * side, side * 1.4, side);
        Fill(cr, (x + y) % 2 ? dark : light);
      }
  };
}

Layer Blackboard(double x0, double y0, double x1, double y1) {
  return [=](cairo_t* cr, Random& r) {
    cairo_rectangle(cr, x0 - 5, y0 - 5, x1 - x0 + 10, y1 - y0 + 10);
    Fill(cr, kWood);
    cairo_rectangle(cr, x0, y0, x1 - x0, y1 - y0);
    Fill(cr, {0.18, 0.3, 0.25});
    cairo_set_source_rgba(cr, 1, 1, 1, 0.8);
    cairo_set_line_width(cr, 1.5);
    for (int i = 0; i < 5; ++i) {  // sums and shapes in chalk
      const double x = r.Uniform(x0 + 10, x1 - 30), y = r.Uniform(y0 + 10, y1 - 15);
      cairo_move_to(cr, x, y);
      cairo_line_to(cr, x + r.Uniform(10, 25), y + r.Uniform(-6, 6));
    }
    cairo_stroke(cr);
    cairo_arc(cr, r.Uniform(x0 + 20, x1 - 20), r.Uniform(y0 + 15, y1 - 15), 7, 0, 2 * kPi);
    cairo_stroke(cr);
  };
}

Layer Columns(double top, double bottom, int count) {
  return [=](cairo_t* cr, Random& r) {
    const Colour stone = FromHsv(r.Uniform(30, 45), 0.1, 0.85);
    for (int i = 0; i < count; ++i) {
      const double x = (i + 0.5) * kW / count;
      cairo_rectangle(cr, x - 14, top, 28, 8);
      cairo_rectangle(cr, x - 14, bottom - 8, 28, 8);
      cairo_rectangle(cr, x - 10, top + 8, 20, bottom - top - 16);
      Paint(cr, stone);
      Set(cr, Darker(stone, 0.85));
      for (double fx : {-5.0, 0.0, 5.0}) content::Line(cr, x + fx, top + 12, x + fx, bottom - 12, 1);
    }
  };
}

Layer Cages(double top, double bottom) {
  return [=](cairo_t* cr, Random& r) {
    for (double x = 10; x < 280; x += 95) {
      cairo_rectangle(cr, x, top, 85, bottom - top);
      Fill(cr, FromHsv(r.Uniform(30, 60), 0.2, 0.92));
      Set(cr, {0.55, 0.55, 0.6});
      for (double bx = x + 4; bx < x + 85; bx += 7) content::Line(cr, bx, top, bx, bottom, 1.2);
      cairo_rectangle(cr, x, bottom - 6, 85, 6);
      Fill(cr, {0.6, 0.6, 0.65});
    }
  };
}

Layer Tank(double top, double bottom, double hue) {
  return [=](cairo_t* cr, Random& r) {
    Gradient(cr, top, bottom, FromHsv(hue, 0.4, 0.95), FromHsv(hue + 15, 0.75, 0.55));
    for (int i = 0; i < 20; ++i) {
      cairo_new_sub_path(cr);
      cairo_arc(cr, r.Uniform(0, kW), r.Uniform(top, bottom - 40), r.Uniform(1.5, 3.5), 0, 2 * kPi);
    }
    cairo_set_source_rgba(cr, 1, 1, 1, 0.6);
    cairo_stroke(cr);
    for (double x = 0; x < kW; x += r.Uniform(6, 10)) Circle(cr, x, bottom - r.Uniform(0, 8), r.Uniform(3, 6));
    Fill(cr, FromHsv(r.Uniform(20, 45), 0.35, 0.85));
    cairo_rectangle(cr, 0, top, kW, 5);
    cairo_rectangle(cr, 0, bottom - 2, kW, 2);
    Fill(cr, {0.2, 0.2, 0.22});
  };
}

Layer WashingLine(double y) {
  return [=](cairo_t* cr, Random&) {
    for (double x : {10.0, 290.0}) {
      cairo_rectangle(cr, x - 3, y - 6, 6, 300 - y);
      Fill(cr, kWood);
    }
    Set(cr, {0.3, 0.3, 0.3});
    cairo_move_to(cr, 10, y);
    cairo_curve_to(cr, 100, y + 4, 200, y + 4, 290, y);
    cairo_stroke(cr);
  };
}

Layer Lamps(double y, int count, double hue) {
  return [=](cairo_t* cr, Random& r) {
    for (int i = 0; i < count; ++i) {
      const double x = (i + 0.5) * kW / count + r.Uniform(-10, 10);
      Set(cr, kInk);
      content::Line(cr, x, 0, x, y, 1);
      Poly(cr, {{x - 5, y}, {x + 5, y}, {x + 11, y + 10}, {x - 11, y + 10}});
      Paint(cr, FromHsv(hue + r.Uniform(-20, 20), 0.6, 0.85));
      Circle(cr, x, y + 11, 3);
      Fill(cr, kLight);
    }
  };
}

Layer PianoKeys(double top, double bottom) {
  return [=](cairo_t* cr, Random&) {
    cairo_rectangle(cr, 0, top - 12, kW, 12);
    Fill(cr, {0.15, 0.1, 0.1});
    for (double x = 0; x < kW; x += 12) {
      cairo_rectangle(cr, x + 0.5, top, 11, bottom - top);
      Fill(cr, kWhite);
    }
    int key = 0;
    for (double x = 8; x < kW; x += 12, ++key)
      if (key % 7 != 2 && key % 7 != 6) {
        cairo_rectangle(cr, x, top, 7, (bottom - top) * 0.6);
        Fill(cr, kInk);
      }
  };
}

}  // namespace content
