// Backdrops built from layers: a sky, far hills or a skyline, a wall of tiles or bricks, a floor,
// shelves, a counter, an awning... Each layer draws its band with many small areas of its own
// (windows, tiles, leaves, flags), as a painted scene has, and varies from stage to stage.
#pragma once

#include <functional>
#include <vector>

#include "random.h"
#include "scene.h"

namespace content {

// A layer paints one part of a backdrop. `rng` is the stage's own, so that every stage varies a
// layer its own way, and the same way at every render of that stage.
using Layer = std::function<void(cairo_t*, Random&)>;
using BackdropMaker = std::function<Backdrop(Random&)>;

// A band across the picture from y0 to y1, shading from `top` to `bottom`.
void Gradient(cairo_t* cr, double y0, double y1, const Colour& top, const Colour& bottom);

// A backdrop of the layers, drawn in order, over `base` when there is one.
BackdropMaker Layers(std::vector<Layer> layers, BackdropMaker base = nullptr);

enum class SkyKind { Day, Dusk, Night, Grey, Rain, Snow };
enum class WallKind { Plain, Stripes, Tiles, Bricks, Planks, Pegboard, Dots, Diamonds, Stone, Panes };
enum class FloorKind { Boards, Checker, Tiles, Rug, Grass, Sand, Cobbles, Snow, Water, Soil };

// Outdoors.
Layer Sky(SkyKind kind, double bottom);
Layer Clouds(int count, double top, double bottom, double grey = 0);
Layer NightSky(double bottom, int planets, int lit);  // stars, planets, a satellite, ships
Layer Hills(double y, double hue, double amplitude = 12);
Layer Mountains(double y, bool snow);
Layer Forest(double y, double hue, double height = 30);  // a row of trees against the sky
Layer Skyline(double y, bool night);                     // buildings with their windows
Layer Ground(FloorKind kind, double top, double hue);
Layer Water(double top, double bottom, double hue);
Layer Fence(double y, double height, double hue);
// Dabs over a band of ground or water: flowers, pebbles, ripples, drifts of snow.
Layer Flowers(double top, double bottom);
Layer Pebbles(double top, double bottom, double hue);
Layer Ripples(double top, double bottom, double hue);
Layer Drifts(double top, double bottom);
Layer Rails(double y);
Layer Path(double top, double hue);  // a path running into the distance
Layer Rain(double top, double bottom);
Layer Snowfall(double top, double bottom);
Layer FallingLeaves(double top, double bottom);
Layer Battlements(double top, double bottom);

// Indoors.
Layer Wall(WallKind kind, double top, double bottom, double hue, double saturation = 0.3);
Layer Floor(FloorKind kind, double top, double hue);
Layer Shelf(double y, double hue);
Layer Counter(double top, double bottom, double hue);
Layer WindowView(double x, double y, double w, double h, bool night);
Layer Awning(double y, double hue);
Layer Bunting(double y, int flags);
Layer Pictures(double top, double bottom, int count);  // small frames hung on a wall
Layer Tablecloth(double top, double hue);
Layer Chessboard(double top, double bottom);
Layer Blackboard(double x0, double y0, double x1, double y1);
Layer Columns(double top, double bottom, int count);
Layer Cages(double top, double bottom);
Layer Tank(double top, double bottom, double hue);
Layer WashingLine(double y);  // between two posts
Layer Lamps(double y, int count, double hue);  // lamps hung from the ceiling
Layer PianoKeys(double top, double bottom);

}  // namespace content
