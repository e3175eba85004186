// The Bitmap module's picture blocks, and the digit glyph surfaces made from the built-in sheet.
#include "Bitmap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "Pictures.h"
#include "Surface.h"
#include "TrackedAlloc.h"
#include "support/canvas.h"

namespace {

// A BMP file image of the given size and depth; pixel bytes count up so rows can be told apart.
std::vector<BYTE> MakeBlock(int width, int height, int bits) {
  const int stride = (width * bits / 8 + 3) & ~3;
  const int offset = bits == 8 ? 1078 : 54;
  std::vector<BYTE> block(offset + static_cast<std::size_t>(stride) * height, 0);
  block[0] = 'B', block[1] = 'M';
  const auto put32 = [&](int at, std::uint32_t v) { std::memcpy(&block[at], &v, 4); };
  put32(10, offset);
  put32(14, 40);
  put32(18, width);
  put32(22, height);
  block[26] = 1;
  block[28] = static_cast<BYTE>(bits);
  for (int r = 0; r < height; ++r)
    for (int i = 0; i < width * bits / 8; ++i)
      block[offset + r * stride + i] = static_cast<BYTE>(r * 16 + i);
  return block;
}

BYTE RowByte(const std::vector<BYTE>& block, int row, int i, int stride) {
  return block[54 + row * stride + i];
}

TEST(FlipBmp, ExchangesRowsAroundTheMiddleAndLeavesTheFill) {
  std::vector<BYTE> one = MakeBlock(5, 1, 24);
  const std::vector<BYTE> oneBefore = one;
  FlipBmp(one.data());
  EXPECT_EQ(one, oneBefore);

  std::vector<BYTE> three = MakeBlock(5, 3, 24);  // 15 bytes of pixels in a 16-byte row
  for (int r = 0; r < 3; ++r)
    three[54 + r * 16 + 15] = static_cast<BYTE>(0xA0 + r);  // fill bytes marked
  const std::vector<BYTE> before = three;
  FlipBmp(three.data());
  for (int i = 0; i < 15; ++i) {
    EXPECT_EQ(RowByte(three, 0, i, 16), RowByte(before, 2, i, 16));
    EXPECT_EQ(RowByte(three, 1, i, 16), RowByte(before, 1, i, 16));
    EXPECT_EQ(RowByte(three, 2, i, 16), RowByte(before, 0, i, 16));
  }
  for (int r = 0; r < 3; ++r)
    EXPECT_EQ(three[54 + r * 16 + 15], 0xA0 + r) << "only pixel bytes move";
  FlipBmp(three.data());
  EXPECT_EQ(three, before);
}

TEST(FlipBmp, WideRowsAreStrideBytesApart) {
  std::vector<BYTE> block = MakeBlock(635, 4, 24);  // stride 1,908
  const std::vector<BYTE> before = block;
  FlipBmp(block.data());
  EXPECT_EQ(std::memcmp(&block[54], &before[54 + 3 * 1908], 1905), 0);
  EXPECT_EQ(std::memcmp(&block[54 + 1908], &before[54 + 2 * 1908], 1905), 0);
}

TEST(CopyBmpRect, CopiesRowsByEachPicturesStride) {
  std::vector<BYTE> dest = MakeBlock(10, 6, 24);
  const std::vector<BYTE> source = MakeBlock(3, 4, 24);  // stride 12
  const std::vector<BYTE> before = dest;
  ASSERT_EQ(CopyBmpRect(dest.data(), source.data(), 4, 0, 2, 3, 1, 1), 1);
  for (int r = 0; r < 6; ++r)
    for (int i = 0; i < 30; ++i) {
      const bool copied = r < 3 && i >= 12 && i < 18;
      const BYTE want = copied ? source[54 + (1 + r) * 12 + 3 + (i - 12)] : before[54 + r * 32 + i];
      ASSERT_EQ(dest[54 + r * 32 + i], want) << "row " << r << " byte " << i;
    }
}

TEST(CopyBmpRect, RefusesWhatWouldReachOutsideOrMixDepths) {
  std::vector<BYTE> dest = MakeBlock(8, 8, 24);
  const std::vector<BYTE> before = dest;
  const std::vector<BYTE> gray = MakeBlock(4, 4, 8);
  const std::vector<BYTE> colour = MakeBlock(4, 4, 24);
  EXPECT_EQ(CopyBmpRect(dest.data(), gray.data(), 0, 0, 2, 2, 0, 0), 0) << "different depths";
  EXPECT_EQ(CopyBmpRect(dest.data(), colour.data(), 5, 0, 4, 4, 0, 0), 0) << "past the right edge";
  EXPECT_EQ(CopyBmpRect(dest.data(), colour.data(), 0, 6, 2, 3, 0, 0), 0) << "past the last row";
  EXPECT_EQ(CopyBmpRect(dest.data(), colour.data(), 0, 0, 2, 2, 3, 0), 0) << "outside the source";
  EXPECT_EQ(CopyBmpRect(dest.data(), colour.data(), 0xFFFFFFFFu, 0, 2, 2, 0, 0), 0)
      << "wrapping around";
  EXPECT_EQ(CopyBmpRect(nullptr, colour.data(), 0, 0, 1, 1, 0, 0), 0);
  EXPECT_EQ(dest, before);
  EXPECT_EQ(CopyBmpRect(dest.data(), colour.data(), 1, 1, 3, 0, 0, 0), 1)
      << "no rows: nothing to do";
  EXPECT_EQ(dest, before);
  EXPECT_EQ(CopyBmpRect(dest.data(), colour.data(), 4, 4, 4, 4, 0, 0), 1)
      << "exactly to the corner";
}

TEST(CreateBmpFromJpeg, DecodesIntoATrackedBlock) {
  BYTE* sheet = CreateBmpFromJpeg(g_DigitsJpeg, g_DigitsJpegSize);
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(g_TrackedList.liveCount, 1u);
  LONG width, height;
  std::memcpy(&width, sheet + 18, 4);
  std::memcpy(&height, sheet + 22, 4);
  EXPECT_EQ(width, 120);
  EXPECT_EQ(height, 76);
  FreeBmp(sheet);
  FreeBmp(nullptr);
  EXPECT_EQ(g_TrackedList.liveCount, 0u);
  EXPECT_EQ(CreateBmpFromJpeg(reinterpret_cast<const BYTE*>("not a jpeg"), 10), nullptr);
}

class Glyphs : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { BuildDigitGlyphs(); }
};

TEST_F(Glyphs, CutOutsFollowTheSheetsCells) {
  for (int i = 0; i < kGlyphCount; ++i) {
    EXPECT_EQ(DigitGlyphs[i].width, 15);
    EXPECT_EQ(DigitGlyphs[i].height, 19);
    EXPECT_NE(DigitGlyphs[i].dc, nullptr);
  }
  EXPECT_EQ(DigitGlyphs[7].srcX, 105);
  EXPECT_EQ(DigitGlyphs[7].srcY, 57);
  EXPECT_EQ(DigitGlyphs[8].srcX, 0);
  EXPECT_EQ(DigitGlyphs[8].srcY, 38);
  EXPECT_EQ(DigitGlyphs[10].srcX, 30);
  EXPECT_EQ(DigitGlyphs[10].srcY, 38);
  EXPECT_EQ(g_TrackedList.liveCount, 0u) << "the sheet was given back";
}

TEST_F(Glyphs, EachGlyphIsItsCellOfTheDecodedSheetPixelForPixel) {
  BYTE* sheet = CreateBmpFromJpeg(g_DigitsJpeg, g_DigitsJpegSize);
  ASSERT_NE(sheet, nullptr);
  const auto sheetPixel = [&](int x, int y) {  // y from the top
    const BYTE* p = sheet + 54 + static_cast<std::size_t>(75 - y) * 360 + x * 3;
    return RGB(p[2], p[1], p[0]);
  };
  for (int i = 0; i < kGlyphCount; ++i) {
    fixtures::Canvas canvas(15, 19, RGB(255, 0, 255));
    ASSERT_TRUE(DigitGlyphs[i].Draw(canvas.dc(), 0, 0));
    EXPECT_TRUE(
        canvas.Matches([&](int x, int y) { return sheetPixel(15 * (i % 8) + x, 19 * (i / 8) + y); },
                       "glyph-" + std::to_string(i)))
        << "glyph " << i;
  }
  FreeBmp(sheet);
}

TEST(Surface, ReleasingOneNeverCreatedDeletesNothing) {
  Surface surface(15, 19, 0, 0);
  surface.Release();
  EXPECT_EQ(surface.dc, nullptr);
  EXPECT_EQ(surface.bitmap, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_FALSE(surface.Draw(dc, 0, 0)) << "drawing an empty surface draws nothing";
  DeleteDC(dc);
}

}  // namespace
