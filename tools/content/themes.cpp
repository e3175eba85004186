#include "themes.h"

#include <cmath>

namespace content {
namespace {

using K = Kind;

void Vertical(cairo_t* cr, double y0, double y1, const Colour& top, const Colour& bottom,
              double width = 300) {
  cairo_pattern_t* gradient = cairo_pattern_create_linear(0, y0, 0, y1);
  cairo_pattern_add_color_stop_rgb(gradient, 0, top.r, top.g, top.b);
  cairo_pattern_add_color_stop_rgb(gradient, 1, bottom.r, bottom.g, bottom.b);
  cairo_set_source(cr, gradient);
  cairo_rectangle(cr, 0, y0, width, y1 - y0);
  cairo_fill(cr);
  cairo_pattern_destroy(gradient);
}

void Fill(cairo_t* cr, const Colour& c) {
  cairo_set_source_rgb(cr, c.r, c.g, c.b);
  cairo_fill(cr);
}

// A band of rolling ground whose top edge waves around `y`.
void Hills(cairo_t* cr, double y, double amplitude, double phase, const Colour& colour) {
  cairo_move_to(cr, 0, 300);
  for (int x = 0; x <= 300; x += 10)
    cairo_line_to(cr, x,
                  y + amplitude * std::sin(x * 0.021 + phase) +
                      amplitude * 0.5 * std::sin(x * 0.05 + 2 * phase));
  cairo_line_to(cr, 300, 300);
  cairo_close_path(cr);
  Fill(cr, colour);
}

void Dots(cairo_t* cr, Random& rng, int count, double y0, double y1, const Colour& c,
          double radius) {
  for (int i = 0; i < count; ++i) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, rng.Uniform(0, 300), rng.Uniform(y0, y1), radius * rng.Uniform(0.5, 1.0), 0,
              6.2832);
  }
  Fill(cr, c);
}

Backdrop Meadow(Random& rng) {
  const double hue = rng.Uniform(195, 215);
  const double phase = rng.Uniform(0, 6);
  return [=](cairo_t* cr) {
    Vertical(cr, 0, 170, FromHsv(hue, 0.55, 0.9), FromHsv(hue, 0.2, 1.0));
    Hills(cr, 150, 14, phase, FromHsv(110, 0.45, 0.72));
    Hills(cr, 185, 10, phase + 2, FromHsv(100, 0.55, 0.62));
  };
}

Backdrop Sunset(Random& rng) {
  const double phase = rng.Uniform(0, 6);
  const double warmth = rng.Uniform(15, 35);
  return [=](cairo_t* cr) {
    Vertical(cr, 0, 180, FromHsv(265, 0.45, 0.55), FromHsv(warmth, 0.7, 1.0));
    Hills(cr, 165, 12, phase, FromHsv(280, 0.35, 0.4));
    Hills(cr, 200, 8, phase + 1, FromHsv(140, 0.45, 0.35));
  };
}

Backdrop Street(Random& rng) {
  std::vector<Colour> facades;
  for (int i = 0; i < 5; ++i)
    facades.push_back(FromHsv(rng.Uniform(0, 360), 0.25, rng.Uniform(0.7, 0.85)));
  std::vector<double> heights;
  for (int i = 0; i < 5; ++i) heights.push_back(rng.Uniform(70, 130));
  return [=](cairo_t* cr) {
    Vertical(cr, 0, 220, FromHsv(205, 0.45, 0.95), FromHsv(205, 0.15, 1.0));
    for (int i = 0; i < 5; ++i) {
      const double top = 210 - heights[i];
      cairo_rectangle(cr, i * 60, top, 60, heights[i]);
      Fill(cr, facades[i]);
      for (double y = top + 12; y < 195; y += 26)
        for (double x = i * 60 + 10; x < i * 60 + 50; x += 22) cairo_rectangle(cr, x, y, 12, 14);
      Fill(cr, Mix(facades[i], {0.3, 0.4, 0.55}, 0.6));
    }
    cairo_rectangle(cr, 0, 210, 300, 22);
    Fill(cr, {0.78, 0.76, 0.72});
    cairo_rectangle(cr, 0, 232, 300, 68);
    Fill(cr, {0.35, 0.35, 0.38});
    for (double x = 5; x < 300; x += 40) cairo_rectangle(cr, x, 264, 22, 4);
    Fill(cr, {0.95, 0.95, 0.9});
  };
}

Backdrop Room(Random& rng) {
  const Colour wall = FromHsv(rng.Uniform(0, 360), 0.2, 0.92);
  const Colour floor = FromHsv(rng.Uniform(20, 35), 0.5, rng.Uniform(0.5, 0.7));
  return [=](cairo_t* cr) {
    cairo_rectangle(cr, 0, 0, 300, 215);
    Fill(cr, wall);
    for (double x = 0; x < 300; x += 30) cairo_rectangle(cr, x, 0, 12, 215);
    Fill(cr, Mix(wall, {1, 1, 1}, 0.35));
    cairo_rectangle(cr, 0, 215, 300, 85);
    Fill(cr, floor);
    for (double y = 228; y < 300; y += 18) cairo_rectangle(cr, 0, y, 300, 2);
    Fill(cr, Mix(floor, {0, 0, 0}, 0.25));
    cairo_rectangle(cr, 0, 208, 300, 9);
    Fill(cr, {0.95, 0.93, 0.88});
  };
}

Backdrop Sea(Random& rng) {
  const double hue = rng.Uniform(185, 210);
  return [=](cairo_t* cr) {
    Vertical(cr, 0, 140, FromHsv(hue + 10, 0.4, 0.95), FromHsv(hue, 0.12, 1.0));
    Vertical(cr, 140, 300, FromHsv(hue, 0.6, 0.8), FromHsv(hue + 15, 0.8, 0.5));
    cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
    cairo_set_line_width(cr, 1.5);
    for (double y = 155; y < 300; y += 22)
      for (double x = std::fmod(y * 1.7, 50) - 20; x < 300; x += 50) {
        cairo_move_to(cr, x, y);
        cairo_curve_to(cr, x + 6, y - 4, x + 12, y - 4, x + 18, y);
      }
    cairo_stroke(cr);
  };
}

Backdrop Space(Random& rng) {
  const double hue = rng.Uniform(230, 280);
  const std::uint64_t seed = rng.Next();
  return [=](cairo_t* cr) {
    Vertical(cr, 0, 300, FromHsv(hue, 0.7, 0.12), FromHsv(hue + 20, 0.6, 0.3));
    Random stars(seed);
    Dots(cr, stars, 90, 0, 300, {0.95, 0.95, 1.0}, 1.2);
  };
}

Backdrop StillLife(Random& rng) {
  const Colour wall = FromHsv(rng.Uniform(20, 60), 0.25, 0.8);
  const Colour cloth = FromHsv(rng.Uniform(0, 360), 0.35, 0.9);
  return [=](cairo_t* cr) {
    Vertical(cr, 0, 190, Mix(wall, {0, 0, 0}, 0.25), wall);
    cairo_rectangle(cr, 0, 190, 300, 110);
    Fill(cr, cloth);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.3);
    for (double x = 0; x < 300; x += 24) cairo_rectangle(cr, x, 190, 12, 110);
    cairo_fill(cr);
    cairo_rectangle(cr, 0, 186, 300, 6);
    Fill(cr, Mix(cloth, {0, 0, 0}, 0.3));
  };
}

Backdrop Garden(Random& rng) {
  const double phase = rng.Uniform(0, 6);
  return [=](cairo_t* cr) {
    Vertical(cr, 0, 140, FromHsv(200, 0.5, 0.95), FromHsv(195, 0.15, 1.0));
    Hills(cr, 120, 8, phase, FromHsv(120, 0.4, 0.7));
    for (double x = 4; x < 300; x += 18) {
      cairo_move_to(cr, x, 170);
      cairo_line_to(cr, x, 118);
      cairo_line_to(cr, x + 6, 110);
      cairo_line_to(cr, x + 12, 118);
      cairo_line_to(cr, x + 12, 170);
      cairo_close_path(cr);
    }
    cairo_rectangle(cr, 0, 125, 300, 6);
    cairo_rectangle(cr, 0, 152, 300, 6);
    Fill(cr, {0.96, 0.94, 0.88});
    cairo_rectangle(cr, 0, 165, 300, 135);
    Fill(cr, FromHsv(105, 0.55, 0.65));
  };
}

Backdrop Winter(Random& rng) {
  const double phase = rng.Uniform(0, 6);
  const std::uint64_t seed = rng.Next();
  return [=](cairo_t* cr) {
    Vertical(cr, 0, 200, FromHsv(215, 0.35, 0.8), FromHsv(210, 0.08, 0.98));
    Hills(cr, 150, 15, phase, {0.88, 0.92, 0.98});
    Hills(cr, 195, 10, phase + 3, {0.97, 0.98, 1.0});
    Random flakes(seed);
    Dots(cr, flakes, 40, 0, 140, {1, 1, 1}, 1.6);
  };
}

Backdrop Desert(Random& rng) {
  const double phase = rng.Uniform(0, 6);
  return [=](cairo_t* cr) {
    Vertical(cr, 0, 180, FromHsv(195, 0.5, 0.95), FromHsv(40, 0.25, 1.0));
    Hills(cr, 160, 16, phase, FromHsv(35, 0.45, 0.9));
    Hills(cr, 205, 12, phase + 2, FromHsv(30, 0.5, 0.82));
  };
}

Backdrop Underwater(Random& rng) {
  const double hue = rng.Uniform(185, 205);
  const std::uint64_t seed = rng.Next();
  return [=](cairo_t* cr) {
    Vertical(cr, 0, 300, FromHsv(hue, 0.45, 0.9), FromHsv(hue + 20, 0.85, 0.45));
    cairo_set_source_rgba(cr, 1, 1, 1, 0.12);
    for (int i = 0; i < 4; ++i) {
      const double x = 40 + i * 70;
      cairo_move_to(cr, x, 0);
      cairo_line_to(cr, x + 30, 0);
      cairo_line_to(cr, x + 70, 300);
      cairo_line_to(cr, x + 20, 300);
      cairo_close_path(cr);
    }
    cairo_fill(cr);
    Hills(cr, 268, 6, 1.0, FromHsv(42, 0.4, 0.85));
    Random bubbles(seed);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.5);
    cairo_set_line_width(cr, 1);
    for (int i = 0; i < 14; ++i) {
      cairo_new_sub_path(cr);
      cairo_arc(cr, bubbles.Uniform(0, 300), bubbles.Uniform(0, 250), bubbles.Uniform(1.5, 3.5), 0,
                6.2832);
    }
    cairo_stroke(cr);
  };
}

Backdrop NightTown(Random& rng) {
  const std::uint64_t seed = rng.Next();
  return [=](cairo_t* cr) {
    Vertical(cr, 0, 230, FromHsv(235, 0.7, 0.2), FromHsv(250, 0.5, 0.45));
    Random stars(seed);
    Dots(cr, stars, 50, 0, 150, {1, 1, 0.9}, 1.1);
    Hills(cr, 215, 6, 0.5, FromHsv(150, 0.4, 0.25));
  };
}

}  // namespace

void ColourItem(Item& item, Random& rng) {
  const double anyHue = rng.Uniform(0, 360);
  const Colour bright = FromHsv(anyHue, rng.Uniform(0.55, 0.85), rng.Uniform(0.75, 0.95));
  item.accent = FromHsv(anyHue + rng.Uniform(100, 260), 0.7, 0.85);
  switch (item.kind) {
    case K::Tree:
    case K::Bush:
      item.colour = FromHsv(rng.Uniform(85, 140), rng.Uniform(0.5, 0.7), rng.Uniform(0.45, 0.65));
      break;
    case K::Pine:
      item.colour = FromHsv(rng.Uniform(120, 160), 0.6, rng.Uniform(0.3, 0.5));
      break;
    case K::Cactus:
    case K::Seaweed:
      item.colour = FromHsv(rng.Uniform(90, 140), 0.6, rng.Uniform(0.45, 0.65));
      break;
    case K::House:
      item.colour = FromHsv(anyHue, rng.Uniform(0.25, 0.45), rng.Uniform(0.85, 0.95));
      item.accent =
          FromHsv(rng.Chance(0.5) ? rng.Uniform(0, 25) : rng.Uniform(200, 230), 0.65, 0.65);
      break;
    case K::Sun:
      item.colour = FromHsv(rng.Uniform(38, 52), 0.85, 1.0);
      break;
    case K::Star:
      item.colour = FromHsv(rng.Uniform(42, 55), 0.75, 1.0);
      break;
    case K::Moon:
      item.colour = FromHsv(55, 0.3, 0.98);
      break;
    case K::Cloud:
      item.colour = {0.98, 0.98, 0.98};
      break;
    case K::Bird:
      item.colour = {0.2, 0.18, 0.2};
      break;
    case K::Pyramid:
      item.colour = FromHsv(rng.Uniform(32, 45), 0.45, 0.9);
      break;
    case K::Window:
      item.colour = FromHsv(rng.Uniform(195, 215), 0.35, 0.98);
      item.accent = rng.Chance(0.5) ? Colour{0.97, 0.97, 0.95} : Colour{0.55, 0.36, 0.2};
      break;
    default:
      item.colour = bright;
      break;
  }
}

const std::vector<Theme>& Themes() {
  static const std::vector<Theme> themes = {
      {"meadow",
       Meadow,
       {{{K::Sun}, 1, 1, {30, 25, 270, 60}, 44, 55},
        {{K::Cloud, K::Bird, K::Balloon, K::Kite}, 3, 6, {20, 20, 280, 110}, 24, 37},
        {{K::Tree, K::House, K::Bush, K::Flower, K::Mushroom},
         6,
         10,
         {25, 175, 275, 265},
         33,
         57}}},
      {"sunset",
       Sunset,
       {{{K::Sun, K::Moon}, 1, 1, {40, 40, 260, 90}, 44, 55},
        {{K::Bird, K::Cloud, K::Balloon}, 3, 6, {20, 20, 280, 130}, 24, 35},
        {{K::Tree, K::Pine, K::House, K::Bush}, 6, 9, {25, 200, 275, 265}, 35, 62}}},
      {"street",
       Street,
       {{{K::Cloud, K::Bird, K::Sun, K::Balloon}, 2, 3, {20, 18, 280, 70}, 26, 40},
        {{K::Window}, 1, 2, {25, 120, 275, 170}, 26, 33},
        {{K::Lamp, K::Umbrella, K::Tree}, 2, 3, {20, 190, 280, 205}, 29, 37},
        {{K::Car}, 2, 3, {40, 250, 260, 280}, 29, 35}}},
      {"room",
       Room,
       {{{K::Frame, K::Clock, K::Window}, 3, 6, {30, 35, 270, 150}, 40, 62},
        {{K::Lamp, K::Vase, K::Ball, K::Book, K::Candle, K::Cup, K::Bottle},
         5,
         8,
         {25, 240, 275, 275},
         31,
         48}}},
      {"sea",
       Sea,
       {{{K::Sun, K::Cloud}, 1, 2, {30, 25, 270, 70}, 37, 51},
        {{K::Bird, K::Kite}, 1, 3, {20, 20, 280, 110}, 24, 33},
        {{K::Boat, K::Lighthouse}, 2, 3, {30, 150, 270, 170}, 40, 55},
        {{K::Fish, K::Shell, K::Star}, 4, 7, {25, 210, 275, 275}, 26, 37}}},
      {"space",
       Space,
       {{{K::Planet, K::Moon}, 3, 6, {35, 35, 265, 265}, 42, 68},
        {{K::Star, K::Rocket}, 5, 8, {25, 25, 275, 275}, 26, 48}}},
      {"still-life",
       StillLife,
       {{{K::Frame, K::Clock}, 1, 2, {40, 40, 260, 110}, 48, 66},
        {{K::Apple, K::Pear, K::Bottle, K::Cup, K::Vase, K::Candle, K::Book},
         6,
         9,
         {25, 210, 275, 260},
         33,
         62}}},
      {"garden",
       Garden,
       {{{K::Sun, K::Cloud, K::Kite, K::Bird}, 2, 3, {25, 20, 275, 85}, 26, 44},
        {{K::Butterfly}, 1, 2, {25, 180, 275, 200}, 24, 31},
        {{K::Flower, K::Bush, K::Mushroom, K::Tree, K::Ball}, 6, 9, {25, 215, 275, 270}, 31, 55}}},
      {"winter",
       Winter,
       {{{K::Moon, K::Sun, K::Cloud}, 1, 2, {30, 25, 270, 70}, 37, 51},
        {{K::Bird, K::Balloon}, 1, 2, {25, 85, 275, 120}, 24, 33},
        {{K::Snowman, K::Pine, K::House, K::Tree}, 6, 9, {25, 200, 275, 265}, 40, 64}}},
      {"desert",
       Desert,
       {{{K::Sun}, 1, 1, {40, 30, 260, 60}, 44, 55},
        {{K::Bird, K::Cloud, K::Kite}, 1, 3, {25, 25, 275, 110}, 24, 35},
        {{K::Pyramid}, 1, 2, {50, 170, 250, 185}, 40, 53},
        {{K::Cactus, K::Bush, K::Ball, K::Umbrella}, 5, 7, {25, 235, 275, 268}, 31, 48}}},
      {"underwater",
       Underwater,
       {{{K::Fish}, 4, 7, {30, 30, 270, 200}, 26, 44},
        {{K::Seaweed, K::Shell, K::Star}, 5, 8, {20, 255, 280, 275}, 29, 46}}},
      {"night-town",
       NightTown,
       {{{K::Moon, K::Star, K::Planet}, 3, 6, {25, 25, 275, 110}, 29, 46},
        {{K::House, K::Pine, K::Lamp}, 5, 8, {25, 200, 275, 240}, 42, 59},
        {{K::Car, K::Balloon}, 1, 2, {40, 262, 260, 278}, 26, 33}}},
  };
  return themes;
}

}  // namespace content
