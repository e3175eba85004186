// tavrelo-make-artwork DIR: draws the game's built-in pictures into DIR: the playfield
// background, the digit glyph sheet, the splash picture (JPEG), the icon and the cursor.
// tavrelo-make-artwork --icons DIR NAME: the desktop's icons, DIR/hicolor/SIZE/apps/NAME.png at
// the sizes of the hicolor theme and DIR/hicolor/scalable/apps/NAME.svg.
// tavrelo-make-artwork --installer DIR: DIR/wizard.bmp, the picture down the left of the Windows
// installer's first and last pages (164 x 314, the size those pages show unscaled).
//
// The panels behind the score, the clock and the lives are one flat colour, the very colour of
// the glyph cells, because glyphs are copied opaque: the colour is chosen so that it comes back
// from JPEG decoding unchanged.
#include <cairo-svg.h>
#include <cairo.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "file_io.h"
#include "image.h"
#include "scene.h"

namespace content {
namespace {

constexpr double kPi = 3.14159265358979323846;

// The panel and glyph cell colour: a gray, whose luma is exact and chroma neutral in JPEG.
const Colour kPanel{44 / 255.0, 44 / 255.0, 44 / 255.0};
const Colour kDigit{1.0, 0.82, 0.3};
const Colour kLife{0.92, 0.2, 0.25};

struct Canvas {
  Canvas(int width, int height, cairo_format_t format = CAIRO_FORMAT_RGB24)
      : surface(cairo_image_surface_create(format, width, height)), cr(cairo_create(surface)) {}
  ~Canvas() {
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  tools::Image Rgb() {
    cairo_surface_flush(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    tools::Image image = tools::MakeImage(width, height);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        std::uint32_t p;
        std::memcpy(&p, data + y * stride + 4 * x, 4);
        std::uint8_t* out = image.Pixel(x, y);
        out[0] = static_cast<std::uint8_t>(p >> 16), out[1] = static_cast<std::uint8_t>(p >> 8);
        out[2] = static_cast<std::uint8_t>(p);
      }
    return image;
  }

  cairo_surface_t* surface;
  cairo_t* cr;
};

void Set(cairo_t* cr, const Colour& c, double alpha = 1.0) {
  cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void RoundRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
  cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
  cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
  cairo_close_path(cr);
}

void Text(cairo_t* cr, const char* text, double cx, double cy, double size, const Colour& colour,
          bool bold = true) {
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                         bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, size);
  cairo_text_extents_t extents;
  cairo_text_extents(cr, text, &extents);
  cairo_move_to(cr, cx - extents.width / 2 - extents.x_bearing,
                cy - extents.height / 2 - extents.y_bearing);
  Set(cr, colour);
  cairo_show_text(cr, text);
}

void Heart(cairo_t* cr, double cx, double cy, double size) {
  cairo_move_to(cr, cx, cy + size * 0.45);
  cairo_curve_to(cr, cx - size * 0.9, cy - size * 0.1, cx - size * 0.4, cy - size * 0.75, cx,
                 cy - size * 0.25);
  cairo_curve_to(cr, cx + size * 0.4, cy - size * 0.75, cx + size * 0.9, cy - size * 0.1, cx,
                 cy + size * 0.45);
  cairo_close_path(cr);
}

// A flat panel with a lighter rim; the glyphs land on its inside.
void Panel(cairo_t* cr, double cx, double cy, double width, double height, const char* label) {
  const double x = std::round(cx - width / 2);
  const double y = std::round(cy - height / 2);
  RoundRect(cr, x - 3, y - 3, width + 6, height + 6, 7);
  Set(cr, {0.82, 0.78, 0.66});
  cairo_fill(cr);
  cairo_rectangle(cr, x, y, width, height);
  Set(cr, kPanel);
  cairo_fill(cr);
  Text(cr, label, cx, y - 13, 11, {0.98, 0.95, 0.85});
}

// The hole a stage picture is shown in: a thin light rim on the board around it.
void PictureHole(cairo_t* cr, double cx, double cy) {
  cairo_rectangle(cr, cx - 153, cy - 153, 306, 306);
  Set(cr, {0.86, 0.74, 0.52});
  cairo_fill(cr);
  cairo_rectangle(cr, cx - 151, cy - 151, 302, 302);
  Set(cr, {0.2, 0.15, 0.1});
  cairo_fill(cr);
}

tools::Image Background() {
  Canvas canvas(635, 460);
  cairo_t* cr = canvas.cr;
  cairo_pattern_t* wall = cairo_pattern_create_linear(0, 0, 0, 460);
  cairo_pattern_add_color_stop_rgb(wall, 0, 0.18, 0.36, 0.42);
  cairo_pattern_add_color_stop_rgb(wall, 1, 0.1, 0.22, 0.3);
  cairo_set_source(cr, wall);
  cairo_paint(cr);
  cairo_pattern_destroy(wall);
  // A faint pattern of diamonds, so the wall is not bare.
  Set(cr, {1, 1, 1}, 0.04);
  for (int y = 0; y < 460; y += 24)
    for (int x = (y / 24) % 2 * 12; x < 635; x += 24) {
      cairo_move_to(cr, x, y - 6);
      cairo_line_to(cr, x + 6, y);
      cairo_line_to(cr, x, y + 6);
      cairo_line_to(cr, x - 6, y);
      cairo_close_path(cr);
    }
  cairo_fill(cr);

  // The header band with the title and the three panels.
  cairo_rectangle(cr, 0, 0, 635, 84);
  Set(cr, {0.07, 0.16, 0.22}, 0.55);
  cairo_fill(cr);
  Text(cr, "Tavrelo", 50, 50, 19, {0.98, 0.85, 0.45});
  Panel(cr, 160, 50, 112, 30, "SCORE");
  Panel(cr, 360, 50, 72, 30, "TIME");
  Panel(cr, 550, 50, 120, 30, "LIVES");

  // The wooden board that holds the two pictures, centred on (163, 251) and (472, 251).
  RoundRect(cr, 4, 92, 627, 315, 6);
  Set(cr, {0.45, 0.3, 0.18});
  cairo_fill(cr);
  PictureHole(cr, 163, 251);
  PictureHole(cr, 472, 251);

  // The light plate under the right picture behind the status line, which the game writes in
  // black around (500, 410).
  RoundRect(cr, 384, 403, 232, 30, 5);
  Set(cr, {0.93, 0.91, 0.84});
  cairo_fill(cr);
  return canvas.Rgb();
}

// Glyph i in column i mod 8, row i div 8: the digits 0 to 9, then the life mark.
tools::Image GlyphSheet() {
  Canvas canvas(120, 76);
  cairo_t* cr = canvas.cr;
  Set(cr, kPanel);
  cairo_paint(cr);
  for (int i = 0; i <= 10; ++i) {
    const double cx = 15 * (i % 8) + 7.5;
    const double cy = 19 * (i / 8) + 9.5;
    if (i < 10) {
      const char digit[2] = {static_cast<char>('0' + i), '\0'};
      Text(cr, digit, cx, cy, 16, kDigit);
    } else {
      Heart(cr, cx, cy + 1, 12);
      Set(cr, kLife);
      cairo_fill(cr);
    }
  }
  return canvas.Rgb();
}

// A small landscape; the altered one has another roof, another tree and no cloud. With a
// `corner` radius it is a card with rounded corners.
void MiniScene(cairo_t* cr, double x, double y, double size, bool altered, double corner = 0) {
  const auto outline = [&] {
    if (corner > 0)
      RoundRect(cr, x, y, size, size, corner);
    else
      cairo_rectangle(cr, x, y, size, size);
  };
  cairo_save(cr);
  outline();
  cairo_clip(cr);
  cairo_pattern_t* sky = cairo_pattern_create_linear(0, y, 0, y + size);
  cairo_pattern_add_color_stop_rgb(sky, 0, 0.55, 0.78, 0.95);
  cairo_pattern_add_color_stop_rgb(sky, 1, 0.85, 0.94, 1.0);
  cairo_set_source(cr, sky);
  cairo_paint(cr);
  cairo_pattern_destroy(sky);
  cairo_rectangle(cr, x, y + size * 0.68, size, size * 0.32);
  Set(cr, {0.42, 0.7, 0.35});
  cairo_fill(cr);
  const auto item = [&](Kind kind, double fx, double fy, double fs, Colour colour, Colour accent,
                        int variant) {
    Item it;
    it.kind = kind, it.x = x + fx * size, it.y = y + fy * size, it.size = fs * size;
    it.colour = colour, it.accent = accent, it.variant = variant;
    it.details = kind == Kind::House ? 1 : 0;  // a house with its window
    DrawItem(cr, it);
  };
  item(Kind::Sun, 0.8, 0.2, 0.22, {1, 0.82, 0.2}, {}, 0);
  item(Kind::House, 0.3, 0.62, 0.34, {0.95, 0.85, 0.7},
       altered ? Colour{0.2, 0.45, 0.8} : Colour{0.8, 0.3, 0.2}, 0);
  item(Kind::Tree, 0.72, 0.64, 0.34, {0.3, 0.62, 0.3}, {}, altered ? 1 : 0);
  if (!altered) item(Kind::Cloud, 0.35, 0.2, 0.12, {1, 1, 1}, {}, 0);
  cairo_restore(cr);
  outline();
  Set(cr, {0.3, 0.2, 0.12});
  cairo_set_line_width(cr, 4);
  cairo_stroke(cr);
}

void Magnifier(cairo_t* cr, double cx, double cy, double r) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, r * 0.3);
  Set(cr, {0.35, 0.22, 0.12});
  cairo_move_to(cr, cx + r * 0.75, cy + r * 0.75);
  cairo_line_to(cr, cx + r * 1.6, cy + r * 1.6);
  cairo_stroke(cr);
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
  Set(cr, {0.85, 0.95, 1.0}, 0.35);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, r * 0.18);
  Set(cr, {0.75, 0.6, 0.2});
  cairo_stroke(cr);
}

// The splash picture's ground: a teal light about (x, y) that darkens outwards, the gradient
// from the circle (x, y, r0) to the circle (x, y1, r1).
void Glow(cairo_t* cr, double x, double y, double r0, double y1, double r1) {
  cairo_pattern_t* glow = cairo_pattern_create_radial(x, y, r0, x, y1, r1);
  cairo_pattern_add_color_stop_rgb(glow, 0, 0.22, 0.45, 0.52);
  cairo_pattern_add_color_stop_rgb(glow, 1, 0.06, 0.14, 0.2);
  cairo_set_source(cr, glow);
  cairo_paint(cr);
  cairo_pattern_destroy(glow);
}

tools::Image Splash() {
  Canvas canvas(500, 400);
  cairo_t* cr = canvas.cr;
  Glow(cr, 250, 170, 20, 200, 330);
  MiniScene(cr, 60, 150, 170, false);
  MiniScene(cr, 270, 150, 170, true);
  Magnifier(cr, 340, 215, 34);
  Text(cr, "Tavrelo", 250, 72, 64, {0.98, 0.85, 0.42});
  Text(cr, "find the differences", 250, 120, 20, {0.9, 0.95, 0.95}, false);
  Text(cr, "F2 new game  \xc2\xb7  F3 show me a difference", 250, 360, 14, {0.8, 0.88, 0.9}, false);
  return canvas.Rgb();
}

// The splash picture stood on end: the title above the two pictures, one over the other.
tools::Image Wizard() {
  Canvas canvas(164, 314);
  cairo_t* cr = canvas.cr;
  Glow(cr, 82, 140, 10, 160, 220);
  Text(cr, "Tavrelo", 82, 40, 34, {0.98, 0.85, 0.42});
  Text(cr, "find the differences", 82, 72, 12, {0.9, 0.95, 0.95}, false);
  MiniScene(cr, 36, 100, 92, false);
  MiniScene(cr, 36, 210, 92, true);
  Magnifier(cr, 74, 245, 18);
  return canvas.Rgb();
}

// --- Icon and cursor ---------------------------------------------------------------------------

struct Rgba {
  int width;
  int height;
  std::vector<std::uint8_t> bgra;  // top row first, straight alpha
};

Rgba RenderRgba(int size, void (*draw)(cairo_t*, double)) {
  Canvas canvas(size, size, CAIRO_FORMAT_ARGB32);
  draw(canvas.cr, size);
  cairo_surface_flush(canvas.surface);
  Rgba out{size, size, {}};
  const int stride = cairo_image_surface_get_stride(canvas.surface);
  const unsigned char* data = cairo_image_surface_get_data(canvas.surface);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      std::uint32_t p;
      std::memcpy(&p, data + y * stride + 4 * x, 4);
      const std::uint32_t a = p >> 24;
      const auto channel = [&](int shift) {
        const std::uint32_t premultiplied = (p >> shift) & 0xFF;
        return static_cast<std::uint8_t>(
            a == 0 ? 0 : std::min<std::uint32_t>(255, (premultiplied * 255 + a / 2) / a));
      };
      out.bgra.insert(out.bgra.end(),
                      {channel(0), channel(8), channel(16), static_cast<std::uint8_t>(a)});
    }
  return out;
}

void DrawIcon(cairo_t* cr, double size) {
  cairo_scale(cr, size / 32.0, size / 32.0);
  RoundRect(cr, 1, 4, 17, 17, 2);
  Set(cr, {0.95, 0.85, 0.45});
  cairo_fill_preserve(cr);
  Set(cr, {0.35, 0.25, 0.1});
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  RoundRect(cr, 10, 9, 17, 17, 2);
  Set(cr, {0.45, 0.75, 0.95});
  cairo_fill_preserve(cr);
  Set(cr, {0.1, 0.25, 0.4});
  cairo_stroke(cr);
  Magnifier(cr, 18, 17, 6.5);
}

// The icon from 64 pixels up, and as SVG: the two pictures of a stage, one behind the other,
// with the magnifier over the house whose roof differs. Smaller, its details would be mush,
// and the game's own icon stands in.
void DrawLargeIcon(cairo_t* cr, double size) {
  cairo_scale(cr, size / 256.0, size / 256.0);
  const auto card = [&](double x, double y, bool altered) {
    RoundRect(cr, x + 3, y + 6, 150, 150, 18);
    Set(cr, {0, 0, 0}, 0.28);
    cairo_fill(cr);
    MiniScene(cr, x, y, 150, altered, 18);
  };
  card(12, 22, false);
  card(94, 82, true);
  Magnifier(cr, 148, 168, 44);
}

// A pointing hand whose fingertip, the hot spot, is at (12, 0).
void DrawCursor(cairo_t* cr, double) {
  const Colour skin{1.0, 1.0, 1.0};
  cairo_set_line_width(cr, 1);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_move_to(cr, 10.5, 2.5);
  cairo_arc(cr, 12.5, 2.5, 2, kPi, 0);
  cairo_line_to(cr, 14.5, 10.5);
  cairo_line_to(cr, 21.5, 11.5);
  cairo_curve_to(cr, 24.5, 12, 24.5, 14, 24.5, 16);
  cairo_line_to(cr, 23.5, 24.5);
  cairo_line_to(cr, 13.5, 24.5);
  cairo_line_to(cr, 6.5, 17.5);
  cairo_curve_to(cr, 5, 16, 6.5, 13.5, 8.5, 14.5);
  cairo_line_to(cr, 10.5, 16);
  cairo_close_path(cr);
  Set(cr, skin);
  cairo_fill_preserve(cr);
  Set(cr, {0, 0, 0});
  cairo_stroke(cr);
  for (double x : {17.5, 20.5}) {
    cairo_move_to(cr, x, 12);
    cairo_line_to(cr, x, 16);
  }
  cairo_stroke(cr);
}

void Put16(std::vector<std::uint8_t>& out, unsigned value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// 256 colours: the 6 x 6 x 6 cube and a ramp of 40 grays.
std::vector<std::array<std::uint8_t, 3>> Palette() {
  std::vector<std::array<std::uint8_t, 3>> palette;
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b)
        palette.push_back({static_cast<std::uint8_t>(r * 51), static_cast<std::uint8_t>(g * 51),
                           static_cast<std::uint8_t>(b * 51)});
  for (int i = 0; i < 40; ++i) {
    const auto v = static_cast<std::uint8_t>(i * 255 / 39);
    palette.push_back({v, v, v});
  }
  return palette;
}

// One image of an icon or cursor file: a BITMAPINFOHEADER of twice the height, the colours,
// the pixels bottom-up, then the 1-bit transparency mask.
std::vector<std::uint8_t> IconImage(const Rgba& image, int bits) {
  std::vector<std::uint8_t> out;
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(image.width));
  Put32(out, static_cast<std::uint32_t>(image.height * 2));
  Put16(out, 1);
  Put16(out, static_cast<unsigned>(bits));
  for (int i = 0; i < 6; ++i) Put32(out, 0);
  const auto palette = Palette();
  if (bits == 8)
    for (const auto& c : palette) out.insert(out.end(), {c[2], c[1], c[0], 0});
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) {
      const std::uint8_t* p = &image.bgra[(y * image.width + x) * 4];
      if (bits == 32) {
        out.insert(out.end(), p, p + 4);
        continue;
      }
      int best = 0, bestDistance = 1 << 30;
      for (std::size_t i = 0; i < palette.size(); ++i) {
        const int dr = palette[i][0] - p[2], dg = palette[i][1] - p[1], db = palette[i][2] - p[0];
        const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (distance < bestDistance) bestDistance = distance, best = static_cast<int>(i);
      }
      out.push_back(p[3] >= 128 ? static_cast<std::uint8_t>(best) : 0);
    }
    while (out.size() % 4) out.push_back(0);
  }
  const int maskStride = ((image.width + 31) / 32) * 4;
  for (int y = image.height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(static_cast<std::size_t>(maskStride), 0);
    for (int x = 0; x < image.width; ++x)
      if (image.bgra[(y * image.width + x) * 4 + 3] < 128)
        row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

struct IconEntry {
  Rgba image;
  int bits;
  int hotX = 0, hotY = 0;
};

// An .ico (type 1) or .cur (type 2) file; a cursor keeps its hot spot where an icon keeps its
// planes and bit count.
std::vector<std::uint8_t> IconFile(const std::vector<IconEntry>& entries, bool cursor) {
  std::vector<std::uint8_t> out;
  Put16(out, 0);
  Put16(out, cursor ? 2 : 1);
  Put16(out, static_cast<unsigned>(entries.size()));
  std::vector<std::vector<std::uint8_t>> images;
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(entries.size());
  for (const IconEntry& e : entries) {
    images.push_back(IconImage(e.image, e.bits));
    out.push_back(static_cast<std::uint8_t>(e.image.width % 256));
    out.push_back(static_cast<std::uint8_t>(e.image.height % 256));
    out.push_back(0);  // the colour count: 0 for 256 colours or more
    out.push_back(0);
    Put16(out, cursor ? static_cast<unsigned>(e.hotX) : 1);
    Put16(out, cursor ? static_cast<unsigned>(e.hotY) : static_cast<unsigned>(e.bits));
    Put32(out, static_cast<std::uint32_t>(images.back().size()));
    Put32(out, offset);
    offset += static_cast<std::uint32_t>(images.back().size());
  }
  for (const auto& image : images) out.insert(out.end(), image.begin(), image.end());
  return out;
}

// A 24-bit BMP file, bottom row first, each row padded to four bytes: what NSIS shows.
std::vector<std::uint8_t> Bmp(const tools::Image& image) {
  const int width = image.width, height = image.height;
  const std::uint32_t row = (3u * static_cast<std::uint32_t>(width) + 3u) & ~3u;
  const std::uint32_t pixels = row * static_cast<std::uint32_t>(height);
  std::vector<std::uint8_t> out{'B', 'M'};
  Put32(out, 14 + 40 + pixels);
  Put32(out, 0);
  Put32(out, 14 + 40);
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(width));
  Put32(out, static_cast<std::uint32_t>(height));
  Put16(out, 1);
  Put16(out, 24);
  for (std::uint32_t field : {0u, pixels, 2835u, 2835u, 0u, 0u}) Put32(out, field);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const std::uint8_t* p = image.Pixel(x, y);
      out.insert(out.end(), {p[2], p[1], p[0]});
    }
    out.resize(out.size() + row - 3u * static_cast<std::uint32_t>(width));
  }
  return out;
}

bool Save(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::string error;
  std::error_code ec;
  std::filesystem::create_directories(path.parent_path(), ec);
  if (tools::WriteFileBytes(path.string(), bytes.data(), bytes.size(), &error)) return true;
  std::fprintf(stderr, "%s\n", error.c_str());
  return false;
}

std::vector<std::uint8_t> Png(int size, void (*draw)(cairo_t*, double)) {
  Canvas canvas(size, size, CAIRO_FORMAT_ARGB32);
  draw(canvas.cr, size);
  std::vector<std::uint8_t> bytes;
  cairo_surface_write_to_png_stream(canvas.surface, tools::AppendToBytes, &bytes);
  return bytes;
}

std::vector<std::uint8_t> Svg(double size, void (*draw)(cairo_t*, double)) {
  std::vector<std::uint8_t> bytes;
  cairo_surface_t* surface =
      cairo_svg_surface_create_for_stream(tools::AppendToBytes, &bytes, size, size);
  cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PX);
  cairo_t* cr = cairo_create(surface);
  draw(cr, size);
  cairo_destroy(cr);
  cairo_surface_destroy(surface);  // finishes the document
  return bytes;
}

bool SaveDesktopIcons(const std::filesystem::path& dir, const std::string& name) {
  for (int size : {16, 32, 48, 64, 128, 192, 256, 512}) {
    const std::string folder = std::to_string(size) + "x" + std::to_string(size);
    if (!Save(dir / "hicolor" / folder / "apps" / (name + ".png"),
              Png(size, size < 64 ? DrawIcon : DrawLargeIcon)))
      return false;
  }
  return Save(dir / "hicolor" / "scalable" / "apps" / (name + ".svg"), Svg(256, DrawLargeIcon));
}

}  // namespace
}  // namespace content

int main(int argc, char** argv) {
  using namespace content;
  if (argc == 4 && std::string(argv[1]) == "--icons")
    return SaveDesktopIcons(argv[2], argv[3]) ? 0 : 1;
  if (argc == 3 && std::string(argv[1]) == "--installer")
    return Save(std::filesystem::path(argv[2]) / "wizard.bmp", Bmp(Wizard())) ? 0 : 1;
  if (argc != 2) {
    std::fputs("usage: tavrelo-make-artwork DIR\n       tavrelo-make-artwork --icons DIR NAME\n"
               "       tavrelo-make-artwork --installer DIR\n",
               stderr);
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  std::filesystem::create_directories(dir);
  const auto jpeg = [](const tools::Image& image, int quality) {
    return tools::EncodeJpeg(image, tools::Orientation::Upright, quality);
  };
  const bool saved =
      Save(dir / "Background.jpg", jpeg(Background(), 92)) &&
      Save(dir / "Digits.jpg", jpeg(GlyphSheet(), 100)) &&
      Save(dir / "Splash.jpg", jpeg(Splash(), 90)) &&
      Save(dir / "Tavrelo.ico", IconFile({{RenderRgba(16, DrawIcon), 8},
                                          {RenderRgba(32, DrawIcon), 8},
                                          {RenderRgba(48, DrawIcon), 32}},
                                         false)) &&
      Save(dir / "Pointer.cur", IconFile({{RenderRgba(32, DrawCursor), 8, 12, 0}}, true));
  return saved ? 0 : 1;
}
