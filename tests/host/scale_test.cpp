// The integer scale for large screens: how it is chosen, and how pixels are enlarged.
#include "host/scale.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::host::ChooseScale;

int ForScreen(int width, int height) {
  std::string complaint;
  const int scale = ChooseScale(width, height, nullptr, &complaint);
  EXPECT_TRUE(complaint.empty());
  return scale;
}

TEST(Scale, FollowsHowManyFullHdScreensFitEachWay) {
  EXPECT_EQ(ForScreen(1920, 1080), 1);
  EXPECT_EQ(ForScreen(3840, 2160), 2);
  EXPECT_EQ(ForScreen(1366, 768), 1) << "never below 1";
  EXPECT_EQ(ForScreen(2560, 1440), 1);
  EXPECT_EQ(ForScreen(3839, 2160), 1) << "the whole factor must fit";
  EXPECT_EQ(ForScreen(5120, 1440), 1) << "a wide screen that is not tall";
  EXPECT_EQ(ForScreen(7680, 4320), 4);
  EXPECT_EQ(ForScreen(100000, 100000), platform::host::kMaxScale);
}

TEST(Scale, ThePlayersChoiceWinsWhenItIsAWholeNumberInRange) {
  std::string complaint;
  EXPECT_EQ(ChooseScale(1920, 1080, "3", &complaint), 3);
  EXPECT_EQ(ChooseScale(3840, 2160, "1", &complaint), 1);
  EXPECT_EQ(ChooseScale(3840, 2160, "", &complaint), 2) << "empty is unset";
  EXPECT_TRUE(complaint.empty());
  for (const char* bad : {"0", "9", "-2", "2x", "two", "1.5"}) {
    complaint.clear();
    EXPECT_EQ(ChooseScale(3840, 2160, bad, &complaint), 2) << bad;
    EXPECT_NE(complaint.find(std::string("TAVRELO_SCALE=") + bad), std::string::npos) << complaint;
  }
}

// Pitches wider than the pictures: the enlarging must keep to its rows and leave the rest.
TEST(Scale, EveryPixelBecomesASquareAndNothingBesideItChanges) {
  const std::uint32_t source[] = {1, 2, 3, 0xDEAD,  // 3 pixels and padding
                                  4, 5, 6, 0xDEAD};
  for (int scale : {1, 2, 3}) {
    const int pitch = 3 * scale + 2;
    std::vector<std::uint32_t> dest(static_cast<std::size_t>(pitch) * 2 * scale + 5, 0xFFFF);
    platform::host::UpscaleNearest(source, 3, 2, 4, dest.data(), pitch, scale);
    for (int y = 0; y < 2 * scale; ++y) {
      for (int x = 0; x < 3 * scale; ++x)
        ASSERT_EQ(dest[y * pitch + x], source[(y / scale) * 4 + x / scale])
            << "scale " << scale << " at " << x << "," << y;
      EXPECT_EQ(dest[y * pitch + 3 * scale], 0xFFFFu) << "scale " << scale << " row " << y;
    }
    EXPECT_EQ(dest.back(), 0xFFFFu);
  }
}

}  // namespace
