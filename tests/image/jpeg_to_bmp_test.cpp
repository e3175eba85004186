#include "image/JpegToBmp.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "TrackedAlloc.h"
#include "support/jpeg_fixtures.h"
#include "support/test_heap.h"

namespace {

using fixtures::Bytes;
using fixtures::Decoded;
using fixtures::EncodeOptions;
using fixtures::ReadLe16;
using fixtures::ReadLe32;

// --- The reference: djpeg's BMP, byte for byte -------------------------------------------------

struct OracleCase {
  std::string name;
  int width;
  int height;
  int components;
  EncodeOptions options;
};

std::vector<OracleCase> OracleCases() {
  std::vector<OracleCase> cases;
  for (int width = 1; width <= 9; ++width) {  // every row padding, 0 to 3 bytes
    cases.push_back({"colour_width_" + std::to_string(width), width, 7, 3, {}});
    cases.push_back({"gray_width_" + std::to_string(width), width, 5, 1, {}});
  }
  EncodeOptions s444, s422, s420;
  s444.hSampling = 1, s444.vSampling = 1;
  s422.hSampling = 2, s422.vSampling = 1;
  cases.push_back({"sampling_444", 37, 23, 3, s444});
  cases.push_back({"sampling_422", 37, 23, 3, s422});
  cases.push_back({"sampling_420", 37, 23, 3, s420});

  EncodeOptions progressive, arithmetic, restarts, both;
  progressive.progressive = true;
  arithmetic.arithmetic = true;
  restarts.restartRows = 1;
  both.progressive = both.arithmetic = true;
  cases.push_back({"progressive_colour", 61, 45, 3, progressive});
  cases.push_back({"progressive_gray", 61, 45, 1, progressive});
  cases.push_back({"arithmetic_colour", 61, 45, 3, arithmetic});
  cases.push_back({"arithmetic_gray", 61, 45, 1, arithmetic});
  cases.push_back({"restarts_colour", 61, 45, 3, restarts});
  cases.push_back({"restarts_gray", 61, 45, 1, restarts});
  cases.push_back({"progressive_arithmetic", 61, 45, 3, both});

  for (int unit = 0; unit <= 2; ++unit) {
    EncodeOptions density;
    density.densityUnit = unit;
    density.xDensity = 28 + unit;
    density.yDensity = 72;
    cases.push_back({"density_unit_" + std::to_string(unit), 16, 16, 3, density});
  }
  cases.push_back({"background_size", 635, 460, 3, {}});
  return cases;
}

void PrintTo(const OracleCase& c, std::ostream* out) { *out << c.name; }

class MatchesDjpeg : public ::testing::TestWithParam<OracleCase> {};

TEST_P(MatchesDjpeg, ByteForByte) {
  const OracleCase& c = GetParam();
  const Bytes jpeg = EncodeJpeg(fixtures::MakePicture(c.width, c.height, c.components), c.options);
  const Decoded ours = fixtures::DecodeWithGame(jpeg);
  const Decoded reference = fixtures::DecodeWithDjpeg(jpeg);
  ASSERT_TRUE(reference.ok) << reference.stderrText;
  ASSERT_TRUE(ours.ok) << ours.stderrText;
  EXPECT_EQ(ours.stderrText, "");
  ASSERT_EQ(ours.bmp.size(), reference.bmp.size());
  EXPECT_TRUE(ours.bmp == reference.bmp);
}

INSTANTIATE_TEST_SUITE_P(JpegToBmp, MatchesDjpeg, ::testing::ValuesIn(OracleCases()),
                         [](const auto& test) { return test.param.name; });

TEST(JpegToBmp, StreamCutInsideItsImageDataGivesAWholePictureAndOneWarning) {
  EncodeOptions options;
  options.restartRows = 2;
  for (int components : {3, 1}) {
    const Bytes whole = EncodeJpeg(fixtures::MakePicture(120, 90, components), options);
    const Bytes cut(whole.begin(), whole.begin() + static_cast<long>(whole.size() * 6 / 10));
    const Decoded ours = fixtures::DecodeWithGame(cut);
    const Decoded reference = fixtures::DecodeWithDjpeg(cut);
    ASSERT_TRUE(ours.ok);
    EXPECT_EQ(ours.stderrText, "Premature end of JPEG file\n");
    EXPECT_EQ(ours.stdoutText, "");
    EXPECT_EQ(ours.bmp.size(), fixtures::DecodeWithGame(whole).bmp.size());
    EXPECT_TRUE(ours.bmp == reference.bmp) << "components " << components;
  }
}

// --- The image the writer lays out -------------------------------------------------------------

Bytes DecodeOk(const Bytes& jpeg) {
  const Decoded decoded = fixtures::DecodeWithGame(jpeg);
  EXPECT_TRUE(decoded.ok) << decoded.stderrText;
  EXPECT_EQ(decoded.stderrText, "");
  return decoded.bmp;
}

TEST(JpegToBmp, ColourHeadersDescribeA24BitBottomUpImage) {
  const Bytes bmp = DecodeOk(EncodeJpeg(fixtures::MakePicture(4, 2, 3)));
  ASSERT_EQ(bmp.size(), 78u);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(ReadLe32(bmp, 2), 78u);
  EXPECT_EQ(ReadLe32(bmp, 6), 0u);
  EXPECT_EQ(ReadLe32(bmp, 10), 54u);
  EXPECT_EQ(ReadLe32(bmp, 14), 40u);
  EXPECT_EQ(ReadLe32(bmp, 18), 4u);
  EXPECT_EQ(ReadLe32(bmp, 22), 2u);
  EXPECT_EQ(ReadLe16(bmp, 26), 1u);
  EXPECT_EQ(ReadLe16(bmp, 28), 24u);
  EXPECT_EQ(ReadLe32(bmp, 30), 0u);
  EXPECT_EQ(ReadLe32(bmp, 34), 0u);
  EXPECT_EQ(ReadLe32(bmp, 46), 0u);
  EXPECT_EQ(ReadLe32(bmp, 50), 0u);
}

TEST(JpegToBmp, RowsArePaddedWithZerosToFourBytes) {
  const Bytes bmp = DecodeOk(EncodeJpeg(fixtures::MakePicture(5, 1, 3)));
  ASSERT_EQ(bmp.size(), 70u);
  EXPECT_EQ(bmp[69], 0);

  const Bytes wide = DecodeOk(EncodeJpeg(fixtures::MakePicture(635, 460, 3)));
  EXPECT_EQ(wide.size(), 877734u);
  for (std::size_t row = 0; row < 460; ++row) {
    ASSERT_EQ(wide[54 + row * 1908 + 1905], 0) << "row " << row;
    ASSERT_EQ(wide[54 + row * 1908 + 1906], 0) << "row " << row;
    ASSERT_EQ(wide[54 + row * 1908 + 1907], 0) << "row " << row;
  }
}

TEST(JpegToBmp, GrayscaleGivesAn8BitImageWithALinearGrayTable) {
  const Bytes bmp = DecodeOk(EncodeJpeg(fixtures::MakePicture(3, 3, 1)));
  ASSERT_EQ(bmp.size(), 1090u);
  EXPECT_EQ(ReadLe32(bmp, 2), 1090u);
  EXPECT_EQ(ReadLe32(bmp, 10), 1078u);
  EXPECT_EQ(ReadLe16(bmp, 28), 8u);
  EXPECT_EQ(ReadLe32(bmp, 46), 256u);
  for (std::size_t i = 0; i < 256; ++i) {
    ASSERT_EQ(bmp[54 + 4 * i + 0], i);
    ASSERT_EQ(bmp[54 + 4 * i + 1], i);
    ASSERT_EQ(bmp[54 + 4 * i + 2], i);
    ASSERT_EQ(bmp[54 + 4 * i + 3], 0);
  }
  for (std::size_t row = 0; row < 3; ++row) EXPECT_EQ(bmp[1078 + row * 4 + 3], 0);
}

TEST(JpegToBmp, FirstStoredRowIsTheLastScanlineInBlueGreenRed) {
  fixtures::Picture picture{16, 16, 3, {}};
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const bool top = y < 8;  // blue on top, red below
      picture.pixels.insert(picture.pixels.end(),
                            {std::uint8_t(top ? 0 : 230), 10, std::uint8_t(top ? 230 : 0)});
    }
  EncodeOptions sharp;
  sharp.quality = 100;
  sharp.hSampling = sharp.vSampling = 1;
  const Bytes bmp = DecodeOk(EncodeJpeg(picture, sharp));
  const std::size_t firstStored = 54;
  const std::size_t lastStored = 54 + 15 * 48;
  EXPECT_NEAR(bmp[firstStored + 2], 230, 8) << "red of the bottom scanline";
  EXPECT_NEAR(bmp[firstStored + 0], 0, 8);
  EXPECT_NEAR(bmp[lastStored + 0], 230, 8) << "blue of the top scanline";
  EXPECT_NEAR(bmp[lastStored + 2], 0, 8);
}

TEST(JpegToBmp, ResolutionIsKeptOnlyForDotsPerCentimetre) {
  for (int unit = 0; unit <= 2; ++unit) {
    EncodeOptions options;
    options.densityUnit = unit;
    options.xDensity = 28;
    options.yDensity = 28;
    const Bytes bmp = DecodeOk(EncodeJpeg(fixtures::MakePicture(8, 8, 3), options));
    const std::uint32_t expected = unit == 2 ? 2800 : 0;
    EXPECT_EQ(ReadLe32(bmp, 38), expected) << "unit " << unit;
    EXPECT_EQ(ReadLe32(bmp, 42), expected) << "unit " << unit;
  }
}

TEST(JpegToBmp, OutputStreamEndsPositionedAtItsEnd) {
  const Bytes jpeg = EncodeJpeg(fixtures::MakePicture(300, 300, 3));
  Bytes copy = jpeg;
  MemStream* input = MemStreamWrap(copy.data(), static_cast<std::uint32_t>(copy.size()));
  MemStream* output = JpegToBmp(input);
  ASSERT_NE(output, nullptr);
  EXPECT_EQ(output->length, 54u + 900u * 300u);
  EXPECT_EQ(output->position, output->length);
  EXPECT_EQ(output->capacity, 524288u);
  input->data = nullptr;
  MemStreamClose(input);
  MemStreamClose(output);
}

TEST(JpegToBmp, JpegmemCannotMakeALargePictureFail) {
  EncodeOptions progressive;  // keeps whole-picture coefficient arrays, the largest the library has
  progressive.progressive = true;
  const Bytes jpeg = EncodeJpeg(fixtures::MakePicture(700, 500, 3), progressive);
  const Bytes unlimited = DecodeOk(jpeg);
  ASSERT_EQ(setenv("JPEGMEM", "1", 1), 0);
  const Decoded limited = fixtures::DecodeWithGame(jpeg);
  unsetenv("JPEGMEM");
  ASSERT_TRUE(limited.ok) << limited.stderrText;
  EXPECT_TRUE(limited.bmp == unlimited);
}

// --- Refusals: a message, null, and nothing left behind ----------------------------------------

class JpegToBmpRefusal : public ::testing::Test {
 protected:
  void SetUp() override { heapBefore_ = test_heap::LiveBlocks(); }
  void TearDown() override {
    EXPECT_EQ(test_heap::LiveBlocks(), heapBefore_) << "a stream was left open";
    EXPECT_EQ(g_TrackedList.liveCount, 0u);
  }

  void ExpectRefused(const Bytes& jpeg, const std::string& message) {
    const auto processHeapBefore = test_heap::ProcessHeapBytes();
    {
      const Decoded decoded = fixtures::DecodeWithGame(jpeg);
      EXPECT_FALSE(decoded.ok);
      EXPECT_EQ(decoded.stderrText, message + "\n");
      EXPECT_EQ(decoded.stdoutText, "");
    }
    EXPECT_EQ(test_heap::ProcessHeapBytes(), processHeapBefore)
        << "the JPEG library's pools stayed";
  }

  std::size_t heapBefore_ = 0;
};

TEST_F(JpegToBmpRefusal, EmptyInput) { ExpectRefused({}, "Empty input file"); }

TEST_F(JpegToBmpRefusal, FourComponentStream) {
  ExpectRefused(EncodeJpeg(fixtures::MakePicture(16, 16, 4)),
                "BMP output must be grayscale or RGB");
}

TEST_F(JpegToBmpRefusal, RandomBytes) {
  for (std::uint32_t seed = 1; seed <= 20; ++seed) {
    Bytes noise(64 + seed * 97);
    std::uint32_t state = seed;
    for (auto& byte : noise)
      byte = static_cast<std::uint8_t>((state = state * 1103515245u + 12345u) >> 23);
    noise[0] = 0x12;  // never a start-of-image marker
    char expected[64];
    std::snprintf(expected, sizeof expected, "Not a JPEG file: starts with 0x%02x 0x%02x", noise[0],
                  noise[1]);
    ExpectRefused(noise, expected);
  }
}

TEST_F(JpegToBmpRefusal, StreamCutInsideItsHeaders) {
  const Bytes whole = EncodeJpeg(fixtures::MakePicture(32, 32, 3));
  for (std::size_t length : {2u, 20u, 100u, 300u}) {
    const Decoded decoded =
        fixtures::DecodeWithGame(Bytes(whole.begin(), whole.begin() + static_cast<long>(length)));
    EXPECT_FALSE(decoded.ok) << length;
    // The first warning, that the stream ended, and the fatal error that follows it.
    EXPECT_EQ(decoded.stderrText.substr(0, 27), "Premature end of JPEG file\n") << length;
    EXPECT_GT(decoded.stderrText.size(), 27u) << length;
  }
}

TEST_F(JpegToBmpRefusal, PictureLargerThanAnyTheGameShows) {
  ExpectRefused(EncodeJpeg(fixtures::MakePicture(8193, 8, 1)),
                "Maximum supported image dimension is 8192 pixels");
  ExpectRefused(EncodeJpeg(fixtures::MakePicture(8, 8193, 1)),
                "Maximum supported image dimension is 8192 pixels");
  EXPECT_TRUE(fixtures::DecodeWithGame(EncodeJpeg(fixtures::MakePicture(8192, 8, 1))).ok);
}

TEST_F(JpegToBmpRefusal, MissingInputStream) {
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  EXPECT_EQ(JpegToBmp(nullptr), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "input_file is NULL!!!\n");
}

TEST_F(JpegToBmpRefusal, NoMemoryForTheOutputStream) {
  Bytes jpeg = EncodeJpeg(fixtures::MakePicture(8, 8, 3));
  MemStream* input = MemStreamWrap(jpeg.data(), static_cast<std::uint32_t>(jpeg.size()));
  testing::internal::CaptureStdout();
  {
    test_heap::Refusal refusal(0);
    EXPECT_EQ(JpegToBmp(input), nullptr);
  }
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Cannot open output file.\n");
  input->data = nullptr;
  MemStreamClose(input);
}

TEST_F(JpegToBmpRefusal, OutputThatCannotGrowIsAnErrorNotAShortPicture) {
  Bytes jpeg = EncodeJpeg(fixtures::MakePicture(200, 200, 3));  // 120,054 bytes: one growth
  MemStream* input = MemStreamWrap(jpeg.data(), static_cast<std::uint32_t>(jpeg.size()));
  testing::internal::CaptureStderr();
  MemStream* output;
  {
    test_heap::Refusal refusal(2);  // the output's record and first buffer, no more
    output = JpegToBmp(input);
  }
  EXPECT_EQ(output, nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Output file write error --- out of disk space?\n");
  input->data = nullptr;
  MemStreamClose(input);
}

TEST(DibImage, BindsInfoAndBitsFromTheBlock) {
  Bytes gray = DecodeOk(EncodeJpeg(fixtures::MakePicture(3, 3, 1)));
  DibImage image;
  BindDibImage(&image, gray.data());
  EXPECT_EQ(image.file, gray.data());
  EXPECT_EQ(reinterpret_cast<BYTE*>(image.info), gray.data() + 14);
  EXPECT_EQ(image.bits, gray.data() + 1078);
  const LONG width = image.info->biWidth;  // a copy: the header lies on a 2-byte boundary
  const WORD bitCount = image.info->biBitCount;
  EXPECT_EQ(width, 3);
  EXPECT_EQ(bitCount, 8);
  BindDibImage(&image, nullptr);
  EXPECT_EQ(image.info, nullptr);
  EXPECT_EQ(image.bits, nullptr);
}

}  // namespace
