// The built-in artwork: sizes and layouts the game's drawing relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "image.h"
#include "support/jpeg_fixtures.h"

namespace {

using tools::Image;

Image Decoded(const std::string& name) {
  std::string error;
  auto image = tools::LoadImageFile(std::string(TAVRELO_RESOURCE_DIR) + "/" + name, &error);
  EXPECT_TRUE(image.has_value()) << error;
  return image.value_or(Image{});
}

std::string ColourAt(const Image& image, int x, int y) {
  const std::uint8_t* p = image.Pixel(x, y);
  return std::to_string(p[0]) + "," + std::to_string(p[1]) + "," + std::to_string(p[2]);
}

// How far a pixel is from the panel gray, in its farthest channel.
int DistanceFromPanel(const Image& image, int x, int y) {
  int distance = 0;
  for (int c = 0; c < 3; ++c) distance = std::max(distance, std::abs(image.Pixel(x, y)[c] - 44));
  return distance;
}

TEST(Artwork, PicturesHaveTheSizesTheGameDrawsThemAt) {
  EXPECT_EQ(Decoded("Background.jpg").width, 635);
  EXPECT_EQ(Decoded("Background.jpg").height, 460);
  EXPECT_EQ(Decoded("Splash.jpg").width, 500);
  EXPECT_EQ(Decoded("Splash.jpg").height, 400);
  EXPECT_EQ(Decoded("Digits.jpg").width, 120);
  EXPECT_EQ(Decoded("Digits.jpg").height, 76);
}

// Glyphs are copied opaque onto the panels, so the glyph cells' background and every panel
// where a row of glyphs can stand are one colour, the gray 44, 44, 44. The panels decode to it
// exactly; near a glyph's strokes JPEG leaves at most three steps, which no eye sees.
TEST(Artwork, PanelsAreTheGlyphCellsBackground) {
  const Image sheet = Decoded("Digits.jpg");
  const std::string cell = "44,44,44";
  for (int i = 0; i < 32; ++i) {
    const int x = 15 * (i % 8);
    const int y = 19 * (i / 8);
    for (const auto& [dx, dy] : {std::pair{0, 0}, {14, 0}, {0, 18}, {14, 18}})
      ASSERT_LE(DistanceFromPanel(sheet, x + dx, y + dy), 3)
          << "glyph " << i << " corner " << dx << "," << dy;
  }
  for (int y = 40; y < 76; ++y)
    for (int x = 0; x < 120; ++x)
      ASSERT_EQ(ColourAt(sheet, x, y), cell) << "the rows without glyphs, at " << x << "," << y;
  const Image background = Decoded("Background.jpg");
  struct Row {
    const char* name;
    int centreX;
    int glyphs;
    int spacing;
  };
  // The widest rows: a six-digit score, the clock's three digits, the erase box of five lives.
  for (const Row& row :
       {Row{"score", 160, 6, 2}, Row{"time", 360, 3, 2}, Row{"lives", 550, 7, 0}}) {
    const int width = 15 * row.glyphs + (row.glyphs - 1) * row.spacing;
    const int left = row.centreX - width / 2;
    for (int y = 50 - 9; y < 50 - 9 + 19; ++y)
      for (int x = left; x < left + width; ++x)
        ASSERT_EQ(ColourAt(background, x, y), cell) << row.name << " panel at " << x << "," << y;
  }
}

TEST(Artwork, DigitsAndTheLifeMarkStandInTheirCells) {
  const Image sheet = Decoded("Digits.jpg");
  const auto inked = [&](int i) {
    int count = 0;
    for (int y = 19 * (i / 8); y < 19 * (i / 8) + 19; ++y)
      for (int x = 15 * (i % 8); x < 15 * (i % 8) + 15; ++x)
        count += DistanceFromPanel(sheet, x, y) > 24;
    return count;
  };
  for (int i = 0; i <= 10; ++i) EXPECT_GT(inked(i), 20) << "glyph " << i;
  for (int i = 11; i < 32; ++i) EXPECT_EQ(inked(i), 0) << "cell " << i << " stays empty";
  const std::uint8_t* heart = sheet.Pixel(15 * 2 + 7, 19 + 10);
  EXPECT_GT(heart[0], 180) << "the life mark is red";
  EXPECT_LT(heart[1], 100);
}

TEST(Artwork, StatusLineAreaIsLight) {
  const Image background = Decoded("Background.jpg");
  for (int x = 420; x < 580; x += 7)
    for (int y = 404; y < 418; y += 3) {
      const std::uint8_t* p = background.Pixel(x, y);
      ASSERT_GT(p[0] + p[1] + p[2], 3 * 200) << x << "," << y;
    }
}

struct IconImageInfo {
  int width, height, bits, hotX, hotY;
};

std::vector<IconImageInfo> ReadIconFile(const std::string& name, int type) {
  const fixtures::Bytes file = fixtures::ReadFile(std::string(TAVRELO_RESOURCE_DIR) + "/" + name);
  EXPECT_EQ(fixtures::ReadLe16(file, 0), 0);
  EXPECT_EQ(fixtures::ReadLe16(file, 2), type);
  std::vector<IconImageInfo> images;
  for (int i = 0; i < fixtures::ReadLe16(file, 4); ++i) {
    const std::size_t entry = 6 + 16 * i;
    const std::uint32_t size = fixtures::ReadLe32(file, entry + 8);
    const std::uint32_t offset = fixtures::ReadLe32(file, entry + 12);
    EXPECT_LE(offset + size, file.size());
    EXPECT_EQ(fixtures::ReadLe32(file, offset), 40u) << "a BITMAPINFOHEADER";
    const int width = static_cast<int>(fixtures::ReadLe32(file, offset + 4));
    EXPECT_EQ(static_cast<int>(fixtures::ReadLe32(file, offset + 8)), 2 * width)
        << "image and mask";
    images.push_back({width, file[entry + 1] == 0 ? 256 : file[entry + 1],
                      fixtures::ReadLe16(file, offset + 14), fixtures::ReadLe16(file, entry + 4),
                      fixtures::ReadLe16(file, entry + 6)});
  }
  return images;
}

TEST(Artwork, IconHasThreeSizesAndTheCursorItsHotSpot) {
  const auto icon = ReadIconFile("Tavrelo.ico", 1);
  ASSERT_EQ(icon.size(), 3u);
  EXPECT_EQ(icon[0].width, 16);
  EXPECT_EQ(icon[0].bits, 8);
  EXPECT_EQ(icon[1].width, 32);
  EXPECT_EQ(icon[1].bits, 8);
  EXPECT_EQ(icon[2].width, 48);
  EXPECT_EQ(icon[2].bits, 32);
  const auto cursor = ReadIconFile("Pointer.cur", 2);
  ASSERT_EQ(cursor.size(), 1u);
  EXPECT_EQ(cursor[0].width, 32);
  EXPECT_EQ(cursor[0].bits, 8);
  EXPECT_EQ(cursor[0].hotX, 12);
  EXPECT_EQ(cursor[0].hotY, 0);
}

}  // namespace
