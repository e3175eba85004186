#include "themes.h"

#include "paint.h"

#include <cmath>
#include <cstring>
#include <utility>

namespace content {
namespace {

using K = Kind;

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

// A wooden shelf whose top is at `y`, across the whole picture, with its brackets.
void Plank(cairo_t* cr, double y, const Colour& wood) {
  cairo_rectangle(cr, 0, y, 300, 7);
  Fill(cr, wood);
  cairo_rectangle(cr, 0, y + 7, 300, 2);
  Fill(cr, Mix(wood, {0, 0, 0}, 0.35));
  for (double x : {30.0, 270.0}) {
    cairo_move_to(cr, x - 4, y + 9);
    cairo_line_to(cr, x + 4, y + 9);
    cairo_line_to(cr, x, y + 20);
    cairo_close_path(cr);
  }
  Fill(cr, Mix(wood, {0, 0, 0}, 0.2));
}

// Bricks of `colour` with mortar lines, over the box.
void Bricks(cairo_t* cr, double x0, double y0, double x1, double y1, const Colour& colour) {
  cairo_rectangle(cr, x0, y0, x1 - x0, y1 - y0);
  Fill(cr, colour);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
  cairo_set_line_width(cr, 1);
  for (double y = y0 + 7, row = 0; y < y1; y += 7, ++row) {
    cairo_move_to(cr, x0, y);
    cairo_line_to(cr, x1, y);
    for (double x = x0 + (static_cast<int>(row) % 2 ? 8 : 0); x < x1; x += 16) {
      cairo_move_to(cr, x, y - 7);
      cairo_line_to(cr, x, y);
    }
  }
  cairo_stroke(cr);
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
    Gradient(cr, 0, 170, FromHsv(hue, 0.55, 0.9), FromHsv(hue, 0.2, 1.0));
    Hills(cr, 150, 14, phase, FromHsv(110, 0.45, 0.72));
    Hills(cr, 185, 10, phase + 2, FromHsv(100, 0.55, 0.62));
  };
}

Backdrop Sunset(Random& rng) {
  const double phase = rng.Uniform(0, 6);
  const double warmth = rng.Uniform(15, 35);
  return [=](cairo_t* cr) {
    Gradient(cr, 0, 180, FromHsv(265, 0.45, 0.55), FromHsv(warmth, 0.7, 1.0));
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
    Gradient(cr, 0, 220, FromHsv(205, 0.45, 0.95), FromHsv(205, 0.15, 1.0));
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
    Plank(cr, 187, {0.55, 0.36, 0.2});
  };
}

Backdrop Sea(Random& rng) {
  const double hue = rng.Uniform(185, 210);
  return [=](cairo_t* cr) {
    Gradient(cr, 0, 140, FromHsv(hue + 10, 0.4, 0.95), FromHsv(hue, 0.12, 1.0));
    Gradient(cr, 140, 300, FromHsv(hue, 0.6, 0.8), FromHsv(hue + 15, 0.8, 0.5));
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
    Gradient(cr, 0, 300, FromHsv(hue, 0.7, 0.12), FromHsv(hue + 20, 0.6, 0.3));
    Random stars(seed);
    Dots(cr, stars, 90, 0, 300, {0.95, 0.95, 1.0}, 1.2);
  };
}

Backdrop StillLife(Random& rng) {
  const Colour wall = FromHsv(rng.Uniform(20, 60), 0.25, 0.8);
  const Colour cloth = FromHsv(rng.Uniform(0, 360), 0.35, 0.9);
  return [=](cairo_t* cr) {
    Gradient(cr, 0, 190, Mix(wall, {0, 0, 0}, 0.25), wall);
    cairo_rectangle(cr, 0, 190, 300, 110);
    Fill(cr, cloth);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.3);
    for (double x = 0; x < 300; x += 24) cairo_rectangle(cr, x, 190, 12, 110);
    cairo_fill(cr);
    cairo_rectangle(cr, 0, 186, 300, 6);
    Fill(cr, Mix(cloth, {0, 0, 0}, 0.3));
    Plank(cr, 150, Mix(wall, {0.35, 0.2, 0.1}, 0.6));
  };
}

Backdrop Garden(Random& rng) {
  const double phase = rng.Uniform(0, 6);
  return [=](cairo_t* cr) {
    Gradient(cr, 0, 140, FromHsv(200, 0.5, 0.95), FromHsv(195, 0.15, 1.0));
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
    Gradient(cr, 0, 200, FromHsv(215, 0.35, 0.8), FromHsv(210, 0.08, 0.98));
    Hills(cr, 150, 15, phase, {0.88, 0.92, 0.98});
    Hills(cr, 195, 10, phase + 3, {0.97, 0.98, 1.0});
    Random flakes(seed);
    Dots(cr, flakes, 40, 0, 140, {1, 1, 1}, 1.6);
  };
}

Backdrop Desert(Random& rng) {
  const double phase = rng.Uniform(0, 6);
  return [=](cairo_t* cr) {
    Gradient(cr, 0, 180, FromHsv(195, 0.5, 0.95), FromHsv(40, 0.25, 1.0));
    Hills(cr, 160, 16, phase, FromHsv(35, 0.45, 0.9));
    Hills(cr, 205, 12, phase + 2, FromHsv(30, 0.5, 0.82));
  };
}

Backdrop Underwater(Random& rng) {
  const double hue = rng.Uniform(185, 205);
  const std::uint64_t seed = rng.Next();
  return [=](cairo_t* cr) {
    Gradient(cr, 0, 300, FromHsv(hue, 0.45, 0.9), FromHsv(hue + 20, 0.85, 0.45));
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
    Gradient(cr, 0, 230, FromHsv(235, 0.7, 0.2), FromHsv(250, 0.5, 0.45));
    Random town(seed);
    Dots(cr, town, 50, 0, 150, {1, 1, 0.9}, 1.1);
    // The far side of town: dark blocks with a few lit windows.
    const Colour block = FromHsv(240, 0.45, 0.28), lit = FromHsv(48, 0.6, 0.95);
    for (double x = 0; x < 300;) {
      const double w = town.Uniform(22, 40), top = town.Uniform(140, 180);
      cairo_rectangle(cr, x, top, w - 2, 230 - top);
      Fill(cr, block);
      for (double y = top + 6; y < 200; y += 10)
        for (double wx = x + 4; wx < x + w - 8; wx += 8)
          if (town.Chance(0.3)) cairo_rectangle(cr, wx, y, 4, 5);
      Fill(cr, lit);
      x += w;
    }
    Hills(cr, 215, 6, 0.5, FromHsv(150, 0.4, 0.25));
  };
}

Backdrop Harbour(Random& rng) {
  const double hue = rng.Uniform(190, 210);
  std::vector<Colour> roofs;
  for (int i = 0; i < 8; ++i)
    roofs.push_back(FromHsv(rng.Uniform(0, 30), 0.5, rng.Uniform(0.5, 0.7)));
  return [=](cairo_t* cr) {
    Gradient(cr, 0, 150, FromHsv(hue, 0.45, 0.95), FromHsv(hue, 0.12, 1.0));
    for (int i = 0; i < 8; ++i) {  // the far shore's roofs
      cairo_move_to(cr, i * 40 - 5, 146);
      cairo_line_to(cr, i * 40 + 15, 132);
      cairo_line_to(cr, i * 40 + 35, 146);
      cairo_close_path(cr);
      Fill(cr, roofs[i]);
    }
    Bricks(cr, 0, 146, 300, 170, {0.62, 0.58, 0.55});
    Gradient(cr, 170, 250, FromHsv(hue + 5, 0.6, 0.75), FromHsv(hue + 15, 0.75, 0.5));
    cairo_set_source_rgba(cr, 1, 1, 1, 0.3);
    cairo_set_line_width(cr, 1.2);
    for (double y = 180; y < 250; y += 14)
      for (double x = std::fmod(y * 2.3, 40) - 20; x < 300; x += 40) {
        cairo_move_to(cr, x, y);
        cairo_curve_to(cr, x + 5, y - 3, x + 10, y - 3, x + 15, y);
      }
    cairo_stroke(cr);
    Bricks(cr, 0, 250, 300, 300, {0.7, 0.66, 0.6});
  };
}

Backdrop Kitchen(Random& rng) {
  const Colour tile = FromHsv(rng.Uniform(0, 360), 0.18, 0.96);
  const Colour grout = Mix(tile, {0.4, 0.4, 0.4}, 0.35);
  const Colour wood = FromHsv(rng.Uniform(20, 35), 0.5, rng.Uniform(0.5, 0.65));
  return [=](cairo_t* cr) {
    cairo_rectangle(cr, 0, 0, 300, 215);
    Fill(cr, tile);
    cairo_set_source_rgb(cr, grout.r, grout.g, grout.b);
    cairo_set_line_width(cr, 1);
    for (double y = 20; y < 215; y += 20) {
      cairo_move_to(cr, 0, y);
      cairo_line_to(cr, 300, y);
    }
    for (double x = 20; x < 300; x += 20) {
      cairo_move_to(cr, x, 0);
      cairo_line_to(cr, x, 215);
    }
    cairo_stroke(cr);
    Plank(cr, 128, wood);
    Plank(cr, 178, wood);
    cairo_rectangle(cr, 0, 215, 300, 85);
    Fill(cr, Mix(wood, {1, 1, 1}, 0.2));
    cairo_rectangle(cr, 0, 212, 300, 6);
    Fill(cr, Mix(wood, {0, 0, 0}, 0.3));
    for (double x = 10; x < 300; x += 75) {  // drawers and their knobs
      cairo_rectangle(cr, x, 228, 60, 26);
      cairo_set_source_rgba(cr, 0, 0, 0, 0.15);
      cairo_set_line_width(cr, 2);
      cairo_stroke(cr);
    }
  };
}

Backdrop Library(Random& rng) {
  const Colour wood = FromHsv(rng.Uniform(18, 32), 0.55, rng.Uniform(0.4, 0.55));
  const Colour wall = FromHsv(rng.Uniform(0, 360), 0.25, 0.75);
  const std::uint64_t seed = rng.Next();
  return [=](cairo_t* cr) {
    cairo_rectangle(cr, 0, 0, 300, 300);
    Fill(cr, wall);
    cairo_rectangle(cr, 6, 0, 288, 240);
    Fill(cr, Mix(wood, {0, 0, 0}, 0.35));
    Random spines(seed);
    for (double shelfTop : {62.0, 132.0, 204.0}) {
      // Rows of plain spines behind the things standing in front.
      for (double x = 10; x < 288;) {
        const double w = spines.Uniform(5, 9), h = spines.Uniform(26, 40);
        cairo_rectangle(cr, x, shelfTop - h, w, h);
        Fill(cr, FromHsv(spines.Uniform(0, 360), 0.35, spines.Uniform(0.35, 0.55)));
        x += w + 1;
      }
      Plank(cr, shelfTop, wood);
    }
    cairo_rectangle(cr, 0, 240, 300, 60);
    Fill(cr, Mix(wood, {1, 1, 1}, 0.25));
    for (double y = 250; y < 300; y += 12) cairo_rectangle(cr, 0, y, 300, 1.5);
    Fill(cr, Mix(wood, {0, 0, 0}, 0.1));
  };
}

Backdrop Orchard(Random& rng) {
  const double phase = rng.Uniform(0, 6);
  return [=](cairo_t* cr) {
    Gradient(cr, 0, 150, FromHsv(205, 0.5, 0.95), FromHsv(200, 0.15, 1.0));
    Hills(cr, 128, 10, phase, FromHsv(115, 0.4, 0.72));
    Hills(cr, 160, 8, phase + 2, FromHsv(100, 0.5, 0.62));
    // A fence along the back of the grass.
    for (double x = 3; x < 300; x += 14) cairo_rectangle(cr, x, 196, 4, 24);
    cairo_rectangle(cr, 0, 202, 300, 3);
    cairo_rectangle(cr, 0, 212, 300, 3);
    Fill(cr, {0.85, 0.78, 0.65});
  };
}

Backdrop Clothesline(Random& rng) {
  Backdrop garden = Garden(rng);
  return [=](cairo_t* cr) {
    garden(cr);
    for (double x : {10.0, 290.0}) {
      cairo_rectangle(cr, x - 3, 80, 6, 100);
      Fill(cr, {0.55, 0.36, 0.2});
    }
    cairo_set_source_rgb(cr, 0.3, 0.3, 0.3);
    cairo_set_line_width(cr, 1.2);
    cairo_move_to(cr, 10, 86);
    cairo_curve_to(cr, 100, 90, 200, 90, 290, 86);
    cairo_stroke(cr);
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
    case K::Stone:
      item.colour = FromHsv(rng.Uniform(20, 40), rng.Uniform(0.05, 0.2), rng.Uniform(0.55, 0.75));
      break;
    case K::Grass:
      item.colour = FromHsv(rng.Uniform(90, 130), 0.6, rng.Uniform(0.45, 0.6));
      break;
    case K::Cat: {
      static const Colour kCoats[] = {{0.9, 0.55, 0.2},
                                      {0.35, 0.33, 0.33},
                                      {0.95, 0.93, 0.88},
                                      {0.6, 0.45, 0.3},
                                      {0.2, 0.18, 0.18}};
      item.colour = kCoats[rng.Int(0, 4)];
      item.accent = Mix(item.colour, rng.Chance(0.5) ? Colour{0, 0, 0} : Colour{1, 1, 1}, 0.5);
      break;
    }
    default:
      item.colour = bright;
      break;
  }
}

namespace {

std::vector<Theme> AllThemes() {
  const auto scenery = [](std::vector<Kind> kinds, int minCount, int maxCount, tools::Rect zone,
                          double minSize, double maxSize) {
    return Placement{std::move(kinds), minCount, maxCount, zone, minSize, maxSize, true};
  };
  // Things standing in a row on a shelf whose top is at `baseline`.
  const auto shelf = [](std::vector<Kind> kinds, int minCount, int maxCount, double baseline,
                        double minSize, double maxSize) {
    return Placement{std::move(kinds), minCount, maxCount, {22, 0, 278, 0},
                     minSize,          maxSize,  false,    baseline};
  };
  // The first sixteen places' own backdrops, with more to look over in their skies and walls.
  const BackdropMaker meadow = Layers({Clouds(6, 15, 90), Forest(152, 110, 24), Flowers(190, 300), Fence(236, 16, 30)}, Meadow);
  const BackdropMaker sunset = Layers({Clouds(6, 20, 110, 0.15), Forest(178, 140, 22), Flowers(205, 300)}, Sunset);
  const BackdropMaker street = Layers({Clouds(3, 10, 50), Bunting(62, 12)}, Street);
  const BackdropMaker room = Layers({Pictures(25, 105, 5)}, Room);
  const BackdropMaker sea = Layers({Clouds(8, 15, 110), Bunting(20, 10), Ripples(145, 300, 200)}, Sea);
  const BackdropMaker space = Layers({NightSky(300, 4, 6)}, Space);
  const BackdropMaker stillLife = Layers({Pictures(15, 95, 4)}, StillLife);
  const BackdropMaker garden = Layers({Clouds(5, 10, 60), Forest(112, 120, 16), Flowers(170, 300)}, Garden);
  const BackdropMaker clothesline = Layers({Clouds(5, 10, 60), Flowers(170, 300)}, Clothesline);
  const BackdropMaker winter = Layers({Forest(150, 150, 22), Drifts(170, 300), Snowfall(0, 290)}, Winter);
  const BackdropMaker desert = Layers({Mountains(168, false), Clouds(5, 10, 60), Pebbles(185, 300, 35)}, Desert);
  const BackdropMaker underwater = Layers({Tank(0, 270, 195), Pebbles(270, 300, 40)}, Underwater);
  const BackdropMaker nightTown = Layers({NightSky(140, 2, 4), Pebbles(235, 300, 150)}, NightTown);
  const BackdropMaker harbour = Layers({Clouds(3, 15, 70), Bunting(100, 14)}, Harbour);
  const BackdropMaker kitchen = Layers({Lamps(12, 3, 30)}, Kitchen);
  const BackdropMaker library = Layers({Lamps(8, 4, 40)}, Library);
  const BackdropMaker orchard = Layers({Clouds(5, 10, 70), Forest(128, 115, 20), Flowers(165, 300)}, Orchard);
  std::vector<Theme> themes = {
      {"meadow",
       {{meadow,
         {scenery({K::Cloud}, 3, 5, {20, 15, 280, 80}, 20, 30),
          scenery({K::Pine, K::Tree}, 7, 10, {10, 140, 290, 160}, 18, 26),
          scenery({K::Grass, K::Stone, K::Flower}, 10, 14, {10, 245, 290, 292}, 10, 16),
          {{K::Sun}, 1, 1, {30, 25, 270, 50}, 36, 44},
          {{K::Bird, K::Butterfly, K::Kite, K::Balloon}, 6, 9, {20, 30, 280, 125}, 14, 24},
          {{K::Tree, K::House, K::Bush}, 4, 6, {30, 175, 270, 215}, 40, 60},
          {{K::Flower, K::Mushroom, K::Cat, K::Ball, K::Bush},
           9,
           13,
           {20, 230, 280, 282},
           16,
           30}}},
        {meadow,
         {scenery({K::Cloud}, 3, 5, {20, 15, 280, 90}, 18, 28),
          scenery({K::Tree, K::Bush}, 6, 9, {10, 148, 290, 165}, 16, 22),
          scenery({K::Grass, K::Flower}, 10, 14, {10, 200, 290, 292}, 12, 16),
          {{K::Sun}, 1, 1, {30, 25, 270, 50}, 30, 40},
          {{K::Kite, K::Balloon, K::Bird}, 6, 9, {20, 30, 280, 140}, 14, 26},
          {{K::House, K::Tree}, 3, 4, {40, 165, 260, 190}, 46, 62},
          {{K::Umbrella, K::Ball, K::Cat, K::Mushroom, K::Butterfly, K::Flower},
           8,
           12,
           {20, 222, 280, 282},
           16,
           30}}},
        {meadow,
         {scenery({K::Cloud}, 3, 4, {20, 15, 280, 70}, 18, 26),
          scenery({K::Tree, K::Pine, K::House}, 6, 9, {10, 146, 290, 162}, 16, 24),
          scenery({K::Grass}, 8, 12, {10, 250, 290, 292}, 10, 14),
          {{K::Sun}, 1, 1, {30, 25, 270, 50}, 30, 40},
          {{K::Balloon, K::Kite, K::Bird, K::Butterfly}, 7, 10, {20, 25, 280, 135}, 14, 24},
          {{K::Umbrella, K::Tree, K::Bush}, 2, 3, {40, 175, 260, 200}, 44, 58},
          {{K::Cup, K::Apple, K::Pear, K::Jar, K::Ball, K::Cat},
           8,
           11,
           {30, 215, 270, 250},
           16,
           26},
          {{K::Flower, K::Mushroom, K::Butterfly, K::Ball}, 7, 10, {20, 255, 280, 284}, 16, 28}}}}},
      {"sunset",
       {{sunset,
         {scenery({K::Cloud}, 3, 5, {20, 20, 280, 100}, 18, 28),
          scenery({K::Pine}, 8, 12, {10, 175, 290, 195}, 16, 24),
          scenery({K::Grass, K::Stone}, 6, 9, {10, 275, 290, 292}, 10, 14),
          {{K::Sun, K::Moon}, 1, 1, {40, 40, 260, 80}, 36, 44},
          {{K::Bird, K::Balloon, K::Star}, 8, 11, {20, 20, 280, 145}, 14, 22},
          {{K::House, K::Tree, K::Lighthouse}, 4, 6, {30, 212, 270, 240}, 38, 56},
          {{K::Bush, K::Flower, K::Stone, K::Cat, K::Mushroom},
           7,
           10,
           {20, 252, 280, 285},
           16,
           26}}},
        {sunset,
         {scenery({K::Pine, K::Tree}, 8, 11, {10, 185, 290, 200}, 18, 26),
          scenery({K::Star}, 5, 8, {15, 10, 285, 70}, 8, 11),
          {{K::Sun}, 1, 1, {60, 60, 240, 90}, 40, 50},
          {{K::Bird, K::Cloud, K::Kite}, 7, 10, {20, 20, 280, 135}, 14, 26},
          {{K::Boat, K::House}, 3, 5, {40, 222, 260, 240}, 34, 48},
          {{K::Grass, K::Flower, K::Mushroom, K::Stone, K::Cat},
           9,
           12,
           {20, 258, 280, 286},
           14,
           22}}},
        {sunset,
         {scenery({K::Cloud}, 3, 5, {20, 20, 280, 90}, 16, 24),
          scenery({K::Pine}, 9, 12, {10, 180, 290, 196}, 14, 20),
          {{K::Sun}, 1, 1, {40, 50, 260, 90}, 36, 46},
          {{K::Bird, K::Balloon, K::Kite}, 8, 11, {20, 20, 280, 140}, 14, 22},
          {{K::Lighthouse, K::House, K::Pine}, 3, 5, {30, 205, 270, 225}, 30, 46},
          {{K::Boat}, 2, 3, {40, 232, 260, 250}, 26, 36},
          {{K::Stone, K::Grass, K::Cat, K::Flower, K::Shell},
           8,
           11,
           {20, 262, 280, 288},
           14,
           22}}}}},
      {"street",
       {{street,
         {scenery({K::Cloud}, 2, 4, {20, 15, 280, 60}, 18, 26),
          scenery({K::Window}, 5, 8, {20, 95, 280, 180}, 12, 16),
          {{K::Bird, K::Balloon, K::Sun, K::Kite}, 4, 7, {20, 18, 280, 75}, 14, 24},
          {{K::Window, K::Clock, K::Frame}, 4, 6, {25, 105, 275, 178}, 16, 24},
          {{K::Umbrella, K::Tree, K::Cat, K::Bush}, 5, 7, {20, 186, 280, 206}, 24, 36},
          {{K::Car}, 3, 4, {35, 248, 265, 282}, 22, 32},
          {{K::Ball, K::Stone, K::Flower, K::Cat}, 5, 7, {20, 228, 280, 245}, 12, 18}}},
        {street,
         {scenery({K::Cloud}, 2, 3, {20, 15, 280, 60}, 18, 24),
          scenery({K::Flower, K::Grass}, 6, 9, {10, 218, 290, 230}, 10, 13),
          {{K::Bird, K::Kite, K::Balloon}, 5, 8, {20, 15, 280, 85}, 14, 22},
          {{K::Window, K::Clock, K::Frame}, 6, 9, {25, 100, 275, 178}, 16, 24},
          {{K::Umbrella, K::Tree, K::Bush}, 4, 6, {30, 186, 270, 202}, 22, 30},
          {{K::Car, K::Cat, K::Ball, K::Flower}, 4, 6, {30, 250, 270, 282}, 22, 32}}},
        {street,
         {scenery({K::Cloud}, 2, 3, {20, 15, 280, 60}, 16, 24),
          scenery({K::Window}, 6, 9, {20, 95, 280, 185}, 12, 16),
          {{K::Balloon, K::Kite, K::Bird}, 6, 9, {20, 15, 280, 90}, 14, 22},
          {{K::Clock, K::Frame, K::Window}, 4, 6, {25, 105, 275, 175}, 16, 24},
          {{K::Umbrella}, 3, 5, {25, 186, 275, 204}, 26, 34},
          {{K::Apple, K::Pear, K::Jar, K::Cup, K::Flower, K::Cat},
           7,
           10,
           {20, 222, 280, 246},
           12,
           20},
          {{K::Car, K::Ball, K::Cat}, 3, 5, {30, 252, 270, 282}, 20, 30}}}}},
      {"room",
       {{room,
         {scenery({K::Star}, 4, 6, {15, 10, 285, 28}, 8, 10),
          {{K::Frame, K::Clock, K::Window}, 5, 7, {30, 30, 270, 140}, 30, 48},
          {{K::Balloon, K::Kite, K::Star}, 3, 4, {25, 25, 275, 160}, 16, 24},
          shelf({K::Book, K::Vase, K::Candle, K::Cup, K::Jar}, 7, 9, 187, 22, 32),
          {{K::Lamp, K::Ball, K::Cat, K::Vase, K::Bottle, K::Book},
           7,
           10,
           {25, 232, 275, 280},
           20,
           38}}},
        {room,
         {scenery({K::Book}, 6, 9, {20, 258, 280, 290}, 12, 14),
          {{K::Frame, K::Window}, 3, 4, {40, 40, 260, 110}, 38, 54},
          {{K::Clock, K::Star, K::Balloon}, 5, 7, {25, 25, 275, 155}, 18, 28},
          shelf({K::Book, K::Jar, K::Bottle, K::Cup}, 7, 9, 187, 22, 32),
          {{K::Ball, K::Cat, K::Lamp, K::Cup, K::Candle}, 6, 9, {25, 232, 275, 280}, 18, 34}}},
        {room,
         {scenery({K::Star}, 6, 9, {15, 10, 285, 40}, 8, 10),
          {{K::Kite, K::Balloon}, 3, 5, {25, 40, 275, 150}, 18, 28},
          {{K::Frame, K::Clock}, 3, 4, {30, 60, 270, 140}, 28, 40},
          shelf({K::Ball, K::Book, K::Jar, K::Candle, K::Cup}, 7, 9, 187, 20, 30),
          {{K::Ball, K::Cat, K::Rocket, K::Book, K::Balloon},
           8,
           11,
           {25, 232, 275, 282},
           18,
           32}}}}},
      {"sea",
       {{sea,
         {scenery({K::Cloud}, 3, 5, {20, 15, 280, 70}, 18, 28),
          scenery({K::Boat}, 3, 5, {15, 128, 285, 138}, 10, 14),
          {{K::Sun}, 1, 1, {30, 25, 270, 60}, 32, 40},
          {{K::Bird, K::Kite, K::Balloon}, 6, 9, {20, 20, 280, 118}, 14, 22},
          {{K::Boat, K::Lighthouse}, 4, 5, {30, 140, 270, 175}, 28, 46},
          {{K::Fish}, 3, 5, {25, 190, 275, 230}, 16, 26},
          {{K::Fish, K::Shell, K::Star, K::Stone}, 7, 10, {25, 240, 275, 282}, 16, 28}}},
        {sea,
         {scenery({K::Cloud}, 3, 5, {20, 15, 280, 80}, 18, 26),
          scenery({K::Seaweed, K::Stone}, 6, 9, {10, 270, 290, 290}, 14, 20),
          {{K::Bird, K::Balloon, K::Kite}, 6, 8, {20, 20, 280, 110}, 14, 20},
          {{K::Boat}, 4, 6, {25, 140, 275, 185}, 24, 40},
          {{K::Fish}, 5, 7, {25, 200, 275, 245}, 16, 28},
          {{K::Shell, K::Star, K::Stone, K::Umbrella}, 6, 9, {25, 250, 275, 282}, 14, 24}}},
        {sea,
         {scenery({K::Cloud}, 3, 5, {20, 15, 280, 70}, 16, 26),
          scenery({K::Boat}, 4, 6, {15, 128, 285, 138}, 10, 14),
          {{K::Sun}, 1, 1, {30, 25, 270, 55}, 30, 40},
          {{K::Bird, K::Kite, K::Balloon}, 6, 8, {20, 20, 280, 112}, 14, 22},
          {{K::Boat, K::Lighthouse}, 2, 4, {30, 142, 270, 170}, 26, 40},
          {{K::Fish}, 4, 6, {25, 185, 275, 225}, 16, 26},
          {{K::Umbrella, K::Ball, K::Shell, K::Star, K::Cup},
           8,
           11,
           {25, 240, 275, 284},
           16,
           30}}}}},
      {"space",
       {{space,
         {scenery({K::Star}, 14, 20, {10, 10, 290, 290}, 7, 10),
          {{K::Planet, K::Moon}, 4, 6, {35, 35, 265, 265}, 30, 54},
          {{K::Star}, 10, 14, {20, 20, 280, 280}, 12, 20},
          {{K::Stone}, 4, 6, {20, 20, 280, 280}, 12, 18},
          {{K::Rocket}, 2, 3, {25, 25, 275, 275}, 30, 44}}},
        {space,
         {scenery({K::Star}, 14, 20, {10, 10, 290, 290}, 7, 10),
          {{K::Planet}, 3, 4, {40, 40, 260, 260}, 40, 60},
          {{K::Star, K::Moon}, 11, 15, {20, 20, 280, 280}, 12, 22},
          {{K::Stone, K::Balloon}, 3, 5, {20, 20, 280, 280}, 12, 18},
          {{K::Rocket}, 2, 3, {25, 25, 275, 275}, 30, 42}}},
        {space,
         {scenery({K::Star}, 16, 22, {10, 10, 290, 290}, 7, 10),
          {{K::Rocket}, 4, 6, {25, 25, 275, 275}, 28, 42},
          {{K::Planet, K::Moon}, 3, 4, {40, 40, 260, 260}, 26, 44},
          {{K::Star, K::Stone}, 10, 14, {20, 20, 280, 280}, 12, 20}}}}},
      {"still-life",
       {{stillLife,
         {scenery({K::Frame, K::Window}, 1, 1, {40, 30, 260, 100}, 44, 60),
          {{K::Clock, K::Star}, 2, 3, {25, 25, 275, 100}, 18, 28},
          shelf({K::Jar, K::Book, K::Candle, K::Cup}, 6, 8, 150, 20, 30),
          {{K::Bottle, K::Cup, K::Vase, K::Candle, K::Book, K::Jar},
           7,
           10,
           {25, 198, 275, 262},
           24,
           44},
          {{K::Apple, K::Pear, K::Cup, K::Shell}, 8, 12, {22, 245, 278, 284}, 14, 24}}},
        {stillLife,
         {scenery({K::Frame}, 1, 1, {50, 40, 250, 90}, 44, 58),
          {{K::Candle, K::Star, K::Clock}, 3, 4, {25, 25, 275, 100}, 18, 26},
          shelf({K::Book, K::Vase, K::Bottle}, 6, 8, 150, 20, 30),
          {{K::Jar, K::Vase, K::Bottle}, 6, 8, {25, 200, 275, 240}, 28, 44},
          {{K::Apple, K::Pear, K::Cup}, 8, 12, {22, 250, 278, 284}, 14, 24}}},
        {stillLife,
         {scenery({K::Window}, 1, 1, {60, 30, 240, 90}, 44, 56),
          {{K::Clock, K::Frame, K::Star}, 2, 3, {25, 25, 275, 100}, 18, 28},
          shelf({K::Cup, K::Jar, K::Apple, K::Pear, K::Candle}, 7, 9, 150, 18, 28),
          {{K::Vase, K::Bottle, K::Jar}, 4, 6, {25, 198, 275, 235}, 28, 44},
          {{K::Apple, K::Pear, K::Cup, K::Shell, K::Candle},
           9,
           13,
           {22, 240, 278, 284},
           14,
           24}}}}},
      {"garden",
       {{garden,
         {scenery({K::Cloud}, 2, 4, {20, 15, 280, 70}, 18, 26),
          scenery({K::Grass}, 10, 14, {10, 170, 290, 292}, 12, 16),
          scenery({K::Tree}, 3, 5, {10, 100, 290, 110}, 20, 26),
          {{K::Sun, K::Kite, K::Bird}, 4, 6, {25, 20, 275, 85}, 14, 30},
          {{K::Butterfly, K::Bird}, 3, 5, {25, 95, 275, 175}, 14, 20},
          {{K::Flower, K::Bush, K::Mushroom, K::Tree, K::Ball, K::Cat},
           11,
           15,
           {25, 185, 275, 282},
           18,
           42}}},
        {clothesline,
         {scenery({K::Cloud}, 2, 3, {20, 15, 280, 60}, 16, 22),
          scenery({K::Grass, K::Stone}, 8, 12, {10, 180, 290, 292}, 10, 14),
          {{K::Sun, K::Bird, K::Balloon}, 4, 6, {25, 20, 275, 62}, 14, 30},
          {{K::Shirt}, 5, 6, {30, 100, 270, 100}, 22, 30},
          {{K::Butterfly}, 2, 3, {25, 130, 275, 165}, 14, 20},
          {{K::Flower, K::Bush, K::Mushroom, K::Stone, K::Cat, K::Ball},
           11,
           15,
           {25, 190, 275, 282},
           16,
           38}}},
        {garden,
         {scenery({K::Cloud}, 2, 4, {20, 15, 280, 70}, 16, 24),
          scenery({K::Tree, K::Bush}, 4, 6, {10, 100, 290, 110}, 18, 24),
          {{K::Sun, K::Bird, K::Kite}, 4, 6, {25, 20, 275, 85}, 14, 30},
          {{K::Butterfly, K::Bird}, 3, 5, {25, 95, 275, 170}, 14, 20},
          {{K::Flower}, 7, 10, {20, 185, 280, 215}, 18, 28},
          {{K::Mushroom, K::Stone, K::Cat, K::Ball, K::Jar}, 4, 6, {25, 225, 275, 245}, 16, 26},
          {{K::Flower, K::Bush}, 7, 10, {20, 255, 280, 285}, 20, 32}}}}},
      {"winter",
       {{winter,
         {scenery({K::Pine}, 8, 11, {10, 150, 290, 175}, 16, 24),
          scenery({K::Stone, K::Pine}, 4, 7, {10, 275, 290, 292}, 10, 14),
          {{K::Moon, K::Sun}, 1, 1, {30, 25, 270, 60}, 30, 40},
          {{K::Cloud, K::Bird, K::Star}, 6, 8, {25, 25, 275, 125}, 14, 26},
          {{K::House, K::Pine, K::Snowman}, 3, 5, {25, 160, 275, 180}, 24, 34},
          {{K::Snowman, K::House, K::Tree}, 4, 6, {25, 198, 275, 235}, 36, 56},
          {{K::Pine, K::Stone, K::Ball, K::Cat, K::Snowman}, 6, 9, {25, 250, 275, 285}, 16, 26}}},
        {winter,
         {scenery({K::Pine}, 7, 10, {10, 152, 290, 170}, 16, 22),
          {{K::Cloud, K::Bird, K::Balloon, K::Star}, 7, 9, {25, 25, 275, 115}, 14, 26},
          {{K::House}, 3, 4, {40, 180, 260, 200}, 44, 60},
          {{K::Pine, K::Snowman, K::Bird}, 3, 4, {25, 135, 275, 160}, 20, 30},
          {{K::Snowman, K::Pine, K::Cat, K::Ball}, 7, 10, {25, 228, 275, 282}, 22, 38}}},
        {winter,
         {scenery({K::Pine}, 9, 12, {10, 150, 290, 172}, 14, 22),
          {{K::Moon}, 1, 1, {30, 25, 270, 60}, 28, 36},
          {{K::Star, K::Cloud, K::Bird}, 7, 10, {25, 20, 275, 125}, 12, 22},
          {{K::Snowman}, 4, 6, {25, 195, 275, 240}, 30, 46},
          {{K::Ball, K::Cat, K::Pine, K::Stone, K::Balloon},
           8,
           11,
           {25, 245, 275, 285},
           16,
           26}}}}},
      {"desert",
       {{desert,
         {scenery({K::Cloud}, 2, 3, {20, 15, 280, 60}, 16, 22),
          scenery({K::Stone, K::Grass}, 8, 11, {10, 205, 290, 292}, 10, 14),
          {{K::Sun}, 1, 1, {40, 30, 260, 55}, 32, 40},
          {{K::Bird, K::Cloud, K::Kite}, 5, 7, {25, 25, 275, 115}, 14, 26},
          {{K::Pyramid}, 2, 3, {45, 165, 255, 185}, 34, 50},
          {{K::Cactus, K::Stone}, 3, 5, {25, 190, 275, 215}, 18, 30},
          {{K::Cactus, K::Stone, K::Grass, K::Shell}, 8, 11, {25, 220, 275, 282}, 16, 36},
          {{K::Umbrella, K::Ball, K::Jar}, 2, 3, {25, 230, 275, 270}, 18, 28}}},
        {desert,
         {scenery({K::Stone, K::Grass}, 8, 12, {10, 210, 290, 292}, 10, 16),
          scenery({K::Cactus}, 4, 6, {10, 168, 290, 178}, 12, 16),
          {{K::Sun, K::Moon}, 1, 1, {40, 30, 260, 55}, 30, 38},
          {{K::Bird, K::Cloud, K::Kite}, 5, 7, {25, 25, 275, 115}, 14, 26},
          {{K::Pyramid}, 2, 3, {50, 165, 250, 185}, 32, 46},
          {{K::Cactus, K::Jar, K::Umbrella}, 3, 5, {25, 190, 275, 215}, 18, 30},
          {{K::Cactus, K::Jar, K::Shell}, 6, 9, {25, 222, 275, 282}, 20, 38}}},
        {desert,
         {scenery({K::Cloud}, 2, 3, {20, 15, 280, 60}, 16, 22),
          scenery({K::Stone, K::Grass, K::Shell}, 8, 12, {10, 210, 290, 292}, 10, 14),
          {{K::Sun}, 1, 1, {40, 30, 260, 55}, 30, 38},
          {{K::Bird, K::Kite, K::Balloon}, 5, 7, {25, 25, 275, 115}, 14, 24},
          {{K::Pyramid}, 1, 2, {60, 165, 240, 180}, 40, 54},
          {{K::Tree, K::Bush, K::Cactus}, 4, 6, {25, 195, 275, 222}, 24, 38},
          {{K::Jar, K::Umbrella, K::Cactus, K::Cat}, 6, 8, {25, 235, 275, 282}, 18, 30}}}}},
      {"underwater",
       {{underwater,
         {scenery({K::Seaweed}, 6, 9, {10, 250, 290, 280}, 20, 32),
          scenery({K::Stone, K::Shell}, 5, 8, {10, 278, 290, 292}, 8, 12),
          {{K::Fish}, 10, 13, {30, 30, 270, 215}, 16, 36},
          {{K::Ball, K::Jar}, 1, 2, {30, 140, 270, 220}, 16, 22},
          {{K::Shell, K::Star, K::Stone, K::Seaweed}, 8, 11, {20, 248, 280, 285}, 14, 26}}},
        {underwater,
         {scenery({K::Stone}, 6, 9, {10, 265, 290, 290}, 12, 20),
          scenery({K::Seaweed}, 4, 6, {10, 240, 290, 265}, 24, 34),
          {{K::Fish}, 10, 13, {25, 25, 275, 222}, 16, 34},
          {{K::Seaweed, K::Shell, K::Star}, 8, 11, {20, 245, 280, 282}, 16, 30}}},
        {underwater,
         {scenery({K::Seaweed}, 8, 11, {10, 240, 290, 280}, 20, 34),
          scenery({K::Shell, K::Stone}, 6, 9, {10, 280, 290, 292}, 8, 12),
          {{K::Fish}, 6, 9, {30, 30, 270, 200}, 18, 36},
          {{K::Star, K::Shell, K::Jar, K::Ball}, 6, 9, {25, 205, 275, 240}, 14, 24},
          {{K::Shell, K::Star, K::Stone, K::Seaweed, K::Fish},
           8,
           11,
           {20, 245, 280, 284},
           14,
           26}}}}},
      {"night-town",
       {{nightTown,
         {scenery({K::Star}, 10, 14, {10, 10, 290, 150}, 7, 10),
          {{K::Moon}, 1, 1, {30, 25, 270, 60}, 30, 40},
          {{K::Star, K::Planet}, 7, 10, {25, 25, 275, 135}, 12, 22},
          {{K::House, K::Pine}, 4, 6, {25, 160, 275, 185}, 26, 38},
          {{K::House, K::Pine, K::Tree}, 6, 8, {25, 192, 275, 240}, 32, 52},
          {{K::Car, K::Cat, K::Balloon, K::Stone}, 4, 6, {35, 258, 265, 282}, 18, 28}}},
        {nightTown,
         {scenery({K::Star}, 10, 14, {10, 10, 290, 150}, 7, 10),
          scenery({K::Pine}, 5, 8, {10, 200, 290, 212}, 14, 20),
          {{K::Star}, 8, 11, {25, 20, 275, 125}, 12, 18},
          {{K::Moon, K::Rocket}, 1, 2, {30, 30, 270, 110}, 28, 40},
          {{K::House}, 4, 5, {30, 200, 270, 235}, 42, 58},
          {{K::Balloon, K::Planet, K::Bird}, 3, 4, {25, 130, 275, 175}, 16, 24},
          {{K::Cat, K::Bush, K::Stone, K::Car}, 5, 7, {25, 258, 275, 282}, 18, 28}}},
        {nightTown,
         {scenery({K::Star}, 10, 14, {10, 10, 290, 150}, 7, 10),
          {{K::Moon}, 1, 1, {30, 25, 270, 60}, 28, 38},
          {{K::Balloon, K::Kite, K::Rocket}, 5, 7, {25, 30, 275, 140}, 16, 26},
          {{K::House}, 3, 4, {30, 165, 270, 185}, 28, 38},
          {{K::House, K::Tree, K::Pine}, 4, 6, {25, 205, 275, 240}, 34, 50},
          {{K::Car, K::Cat, K::Umbrella, K::Stone}, 5, 7, {25, 258, 275, 282}, 18, 28}}}}},
      {"harbour",
       {{harbour,
         {scenery({K::Cloud}, 3, 5, {20, 15, 280, 70}, 18, 28),
          scenery({K::Boat}, 3, 5, {15, 176, 285, 190}, 10, 14),
          {{K::Sun}, 1, 1, {30, 25, 270, 50}, 28, 36},
          {{K::Bird, K::Kite}, 5, 8, {20, 40, 280, 110}, 14, 20},
          {{K::House, K::Lighthouse}, 4, 6, {25, 118, 275, 140}, 26, 40},
          {{K::Boat}, 3, 5, {30, 192, 270, 228}, 26, 42},
          {{K::Fish, K::Stone, K::Cat, K::Jar, K::Shell}, 6, 9, {25, 262, 275, 286}, 14, 22}}},
        {harbour,
         {scenery({K::Cloud}, 2, 4, {20, 15, 280, 60}, 16, 24),
          scenery({K::Stone, K::Shell}, 6, 9, {10, 282, 290, 293}, 8, 11),
          {{K::Bird, K::Kite, K::Balloon}, 6, 8, {20, 20, 280, 100}, 14, 22},
          {{K::House}, 4, 5, {30, 116, 270, 138}, 28, 40},
          {{K::Boat}, 4, 6, {25, 185, 275, 235}, 22, 36},
          {{K::Fish, K::Stone, K::Umbrella, K::Cat}, 5, 8, {25, 258, 275, 282}, 14, 22}}},
        {harbour,
         {scenery({K::Cloud}, 2, 4, {20, 15, 280, 60}, 16, 24),
          {{K::Bird}, 6, 9, {20, 30, 280, 110}, 14, 20},
          {{K::House, K::Lighthouse}, 4, 5, {25, 118, 275, 140}, 26, 38},
          {{K::Boat}, 3, 4, {30, 195, 270, 230}, 24, 36},
          {{K::Fish, K::Jar, K::Shell, K::Cat}, 8, 11, {25, 256, 275, 286}, 14, 24}}}}},
      {"kitchen",
       {{kitchen,
         {scenery({K::Cup}, 4, 6, {15, 238, 285, 250}, 10, 12),
          {{K::Clock, K::Window, K::Frame}, 3, 4, {30, 30, 270, 90}, 28, 42},
          shelf({K::Jar, K::Cup, K::Bottle}, 7, 9, 128, 18, 26),
          shelf({K::Jar, K::Vase, K::Candle, K::Cup}, 7, 9, 178, 16, 24),
          {{K::Apple, K::Pear, K::Cup, K::Bottle, K::Jar}, 7, 10, {25, 232, 275, 280}, 18, 34}}},
        {kitchen,
         {scenery({K::Apple, K::Pear}, 4, 6, {15, 282, 285, 290}, 10, 12),
          {{K::Window}, 1, 1, {60, 40, 240, 70}, 40, 50},
          {{K::Clock, K::Frame, K::Star}, 2, 3, {25, 25, 275, 90}, 18, 26},
          shelf({K::Cup, K::Jar, K::Apple}, 7, 9, 128, 16, 24),
          shelf({K::Bottle, K::Candle, K::Vase, K::Cup}, 7, 9, 178, 16, 24),
          {{K::Apple, K::Pear, K::Cat, K::Jar, K::Cup}, 7, 10, {25, 232, 275, 276}, 18, 32}}},
        {kitchen,
         {{{K::Clock, K::Frame}, 2, 3, {30, 30, 270, 90}, 26, 36},
          {{K::Window}, 1, 1, {80, 40, 220, 70}, 40, 50},
          shelf({K::Jar}, 7, 9, 128, 18, 26),
          shelf({K::Cup, K::Bottle, K::Apple, K::Pear}, 7, 9, 178, 16, 24),
          {{K::Cup, K::Jar, K::Apple, K::Pear, K::Vase, K::Candle},
           8,
           11,
           {25, 232, 275, 280},
           18,
           32}}}}},
      {"library",
       {{library,
         {shelf({K::Book}, 7, 9, 62, 22, 28),
          shelf({K::Book, K::Vase, K::Clock}, 7, 9, 132, 20, 28),
          shelf({K::Book, K::Jar, K::Candle}, 7, 9, 204, 20, 28),
          {{K::Lamp, K::Cat, K::Cup, K::Ball, K::Book}, 6, 8, {25, 250, 275, 282}, 20, 32}}},
        {library,
         {shelf({K::Book, K::Frame}, 7, 9, 62, 20, 28),
          shelf({K::Book, K::Clock, K::Cup}, 7, 9, 132, 18, 26),
          shelf({K::Book, K::Bottle, K::Vase}, 7, 9, 204, 20, 26),
          {{K::Cat, K::Lamp, K::Candle, K::Ball}, 5, 7, {25, 250, 275, 282}, 20, 32}}},
        {library,
         {shelf({K::Book}, 7, 9, 62, 22, 28),
          shelf({K::Book, K::Candle, K::Frame}, 7, 9, 132, 20, 28),
          shelf({K::Book, K::Ball, K::Clock}, 7, 9, 204, 20, 28),
          {{K::Book, K::Cup, K::Lamp, K::Cat, K::Apple}, 6, 8, {25, 250, 275, 282}, 18, 30}}}}},
      {"orchard",
       {{orchard,
         {scenery({K::Cloud}, 2, 4, {20, 15, 280, 70}, 18, 26),
          scenery({K::Tree}, 5, 8, {10, 126, 290, 138}, 16, 22),
          scenery({K::Grass, K::Stone}, 10, 14, {10, 222, 290, 292}, 12, 16),
          {{K::Sun, K::Bird}, 4, 6, {25, 20, 275, 95}, 14, 34},
          {{K::Tree}, 5, 7, {30, 150, 270, 200}, 40, 56},
          {{K::Apple, K::Pear, K::Cat, K::Bush, K::Flower}, 9, 12, {20, 232, 280, 284}, 16, 32}}},
        {orchard,
         {scenery({K::Tree}, 6, 9, {10, 128, 290, 140}, 18, 24),
          scenery({K::Flower, K::Grass}, 8, 12, {10, 240, 290, 292}, 10, 14),
          {{K::Bird, K::Butterfly, K::Kite}, 5, 8, {25, 20, 275, 105}, 14, 24},
          {{K::Tree, K::House}, 4, 5, {30, 168, 270, 200}, 40, 56},
          {{K::Bush, K::Apple, K::Pear, K::Cat, K::Mushroom}, 8, 11, {20, 232, 280, 284}, 16, 32}}},
        {orchard,
         {scenery({K::Cloud}, 2, 4, {20, 15, 280, 70}, 16, 24),
          scenery({K::Tree}, 6, 9, {10, 126, 290, 138}, 16, 22),
          {{K::Bird, K::Kite, K::Sun}, 4, 6, {25, 20, 275, 100}, 14, 30},
          {{K::Tree}, 3, 4, {35, 150, 265, 185}, 48, 60},
          {{K::Jar, K::Apple, K::Pear}, 6, 8, {25, 215, 275, 240}, 16, 24},
          {{K::Apple, K::Pear, K::Cat, K::Mushroom, K::Flower, K::Ball},
           9,
           12,
           {20, 248, 280, 286},
           14,
           26}}}}},
  };
  // More small things over the first sixteen places' ground (or sky), behind the rest: stones,
  // tufts, shells, stars.
  const std::vector<std::pair<const char*, Placement>> grounds = {
      {"meadow", scenery({K::Flower, K::Grass, K::Stone}, 10, 14, {10, 200, 290, 292}, 8, 12)},
      {"sunset", scenery({K::Grass, K::Stone, K::Flower}, 14, 18, {10, 230, 290, 292}, 8, 12)},
      {"street", scenery({K::Window}, 6, 9, {20, 95, 280, 190}, 10, 14)},
      {"room", scenery({K::Book, K::Frame}, 6, 8, {20, 20, 280, 120}, 10, 14)},
      {"sea", scenery({K::Fish, K::Shell, K::Star}, 10, 14, {10, 150, 290, 292}, 8, 12)},
      {"space", scenery({K::Star, K::Stone, K::Planet}, 16, 22, {10, 10, 290, 290}, 8, 13)},
      {"still-life", scenery({K::Apple, K::Shell}, 6, 9, {20, 255, 280, 292}, 8, 12)},
      {"garden", scenery({K::Flower, K::Grass, K::Stone}, 14, 18, {10, 180, 290, 292}, 8, 12)},
      {"winter", scenery({K::Stone, K::Pine, K::Snowflake}, 14, 18, {10, 200, 290, 292}, 8, 12)},
      {"desert", scenery({K::Stone, K::Grass, K::Shell, K::Cactus}, 18, 24, {10, 200, 290, 292}, 8, 13)},
      {"underwater", scenery({K::Shell, K::Stone, K::Star, K::Seaweed}, 16, 20, {10, 200, 290, 292}, 8, 13)},
      {"night-town", scenery({K::Star}, 10, 14, {10, 10, 290, 140}, 8, 11)},
      {"harbour", scenery({K::Shell, K::Stone}, 8, 10, {10, 255, 290, 292}, 8, 11)},
      {"orchard", scenery({K::Apple, K::Grass, K::Flower}, 12, 16, {10, 225, 290, 292}, 8, 12)},
  };
  for (Theme& theme : themes)
    for (const auto& [name, ground] : grounds)
      if (std::strcmp(theme.name, name) == 0)
        for (Composition& composition : theme.compositions) composition.placements.push_back(ground);
  for (Theme& place : Places()) themes.push_back(std::move(place));
  // Busy scenes: half as many things again wherever things stand freely (rows on a shelf are
  // full as they are).
  for (Theme& theme : themes)
    for (Composition& composition : theme.compositions)
      for (Placement& placement : composition.placements)
        if (placement.baseline == 0) {
          placement.minCount += placement.minCount / 2;
          placement.maxCount += placement.maxCount / 2;
        }
  return themes;
}

}  // namespace

const std::vector<Theme>& Themes() {
  static const std::vector<Theme> themes = AllThemes();
  return themes;
}

}  // namespace content
