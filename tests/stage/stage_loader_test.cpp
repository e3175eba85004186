#include "Stage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TrackedAlloc.h"
#include "kernel/debug_output.h"
#include "support/stage_builder.h"
#include "support/test_heap.h"

namespace {

using fixtures::Bytes;
using fixtures::StageRecipe;

LONG Width(const DibImage& image) { return image.info->biWidth; }
LONG Height(const DibImage& image) { return image.info->biHeight; }

// A 64 x 48 picture and per record i a patch 10 + i wide and 8 tall at (4 i, 2 i).
StageRecipe SoundStage(int differences) {
  StageRecipe recipe;
  recipe.countField = static_cast<std::uint32_t>(3 + 2 * differences);
  recipe.picture = fixtures::EncodeJpeg(fixtures::MakePicture(64, 48, 3));
  for (int i = 0; i < differences; ++i) {
    recipe.records.push_back({4 * i, 2 * i, 4 * i + 10 + i, 2 * i + 8});
    recipe.patches.push_back(fixtures::EncodeJpeg(fixtures::MakePicture(10 + i, 8, 3, 50 + i)));
  }
  return recipe;
}

class StageLoader : public ::testing::Test {
 protected:
  void SetUp() override {
    TrackedFree(TrackedAlloc(1, &g_TrackedList, "warm-up", 0), &g_TrackedList);  // the slot table
    liveBlocks_ = test_heap::LiveBlocks();
  }
  void TearDown() override {
    EXPECT_EQ(g_TrackedList.liveCount, 0u) << "a tracked block was left";
    EXPECT_EQ(test_heap::LiveBlocks(), liveBlocks_);
  }

  std::string Write(const Bytes& file, const std::string& name = "stage.stg") {
    const std::string path = fixtures::TempFile(name);
    fixtures::WriteFile(path, file);
    return path;
  }

  // Loads a file that must be refused: null, one debugger line naming the file, nothing kept.
  void ExpectRefused(const Bytes& file, const std::string& reason = "") {
    const std::string path = Write(file);
    platform::DebugOutputCapture debug;
    testing::internal::CaptureStderr();  // a bad JPEG stream has the decoder's word as well
    StageData* stage = LoadStage(path.c_str());
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(stage, nullptr);
    FreeStage(stage);
    ASSERT_EQ(debug.Lines().size(), 1u);
    EXPECT_EQ(debug.Lines()[0].rfind("Stage file " + path + " refused: ", 0), 0u)
        << debug.Lines()[0];
    EXPECT_NE(debug.Lines()[0].find(reason), std::string::npos) << debug.Lines()[0];
    EXPECT_EQ(debug.Lines()[0].back(), '\n');
    EXPECT_EQ(g_TrackedList.liveCount, 0u);
  }

  std::size_t liveBlocks_ = 0;
};

TEST_F(StageLoader, MatchesPatchesToRecordsInReverseChunkOrder) {
  const StageRecipe recipe = SoundStage(5);
  const std::string path = Write(fixtures::BuildStage(recipe));
  platform::DebugOutputCapture debug;
  StageData* stage = LoadStage(path.c_str());
  ASSERT_NE(stage, nullptr);
  EXPECT_TRUE(debug.Lines().empty());
  EXPECT_EQ(stage->differenceCount, 5u);
  EXPECT_EQ(Width(stage->picture), 64);
  EXPECT_EQ(Height(stage->picture), 48);
  EXPECT_EQ(stage->picture.bits, stage->picture.file + 54);
  for (int i = 0; i < 5; ++i) {
    const Difference& d = stage->differences[i];
    EXPECT_EQ(Width(d.patch), 10 + i) << "the patch of record " << i;
    EXPECT_EQ(Height(d.patch), 8);
    EXPECT_EQ(d.left, 4 * i);
    EXPECT_EQ(d.top, 2 * i);
    EXPECT_EQ(d.right, 4 * i + 10 + i);
    EXPECT_EQ(d.bottom, 2 * i + 8);
    EXPECT_EQ(d.available | d.chosen | d.patchLeft | d.patchRight, 0u);
  }
  // Every block the stage holds was taken under this module's name.
  for (std::uint32_t i = 0; i < g_TrackedList.capacity; ++i) {
    if (g_TrackedList.slots[i].pointer == nullptr) continue;
    EXPECT_NE(std::string(g_TrackedList.slots[i].file).find("Stage.cpp"), std::string::npos);
  }
  EXPECT_EQ(g_TrackedList.liveCount, 8u);  // the stage, its array, its picture, five patches
  FreeStage(stage);
}

TEST_F(StageLoader, CountFieldIsRoundedDown) {
  StageRecipe recipe = SoundStage(5);
  recipe.countField = 14;
  StageData* stage = LoadStage(Write(fixtures::BuildStage(recipe)).c_str());
  ASSERT_NE(stage, nullptr);
  EXPECT_EQ(stage->differenceCount, 5u);
  FreeStage(stage);
}

TEST_F(StageLoader, CountFieldThreeIsAStageWithoutDifferences) {
  StageData* stage = LoadStage(Write(fixtures::BuildStage(SoundStage(0))).c_str());
  ASSERT_NE(stage, nullptr);
  EXPECT_EQ(stage->differenceCount, 0u);
  EXPECT_EQ(Width(stage->picture), 64);
  FreeStage(stage);
}

TEST_F(StageLoader, TwoDifferencesLayOutAsTheFormatSays) {
  const StageRecipe recipe = SoundStage(2);
  const Bytes file = fixtures::BuildStage(recipe);
  ASSERT_EQ(fixtures::ChunkOffsets(recipe)[0], 128u);
  StageData* stage = LoadStage(Write(file).c_str());
  ASSERT_NE(stage, nullptr);
  EXPECT_EQ(Width(stage->differences[1].patch), 11) << "the chunk after the picture";
  EXPECT_EQ(Width(stage->differences[0].patch), 10) << "the last chunk";
  FreeStage(stage);
}

TEST_F(StageLoader, BytesAfterTheLastChunkAreIgnored) {
  StageRecipe recipe = SoundStage(1);
  recipe.trailing = Bytes(100, 0xAB);
  StageData* stage = LoadStage(Write(fixtures::BuildStage(recipe)).c_str());
  ASSERT_NE(stage, nullptr);
  FreeStage(stage);
}

TEST_F(StageLoader, PatchOfAnotherDepthIsKept) {
  StageRecipe recipe = SoundStage(1);
  recipe.patches[0] = fixtures::EncodeJpeg(fixtures::MakePicture(10, 8, 1));
  StageData* stage = LoadStage(Write(fixtures::BuildStage(recipe)).c_str());
  ASSERT_NE(stage, nullptr);
  EXPECT_EQ(stage->differences[0].patch.info->biBitCount, 8);
  FreeStage(stage);
}

TEST_F(StageLoader, PatchMayTouchThePicturesEdges) {
  StageRecipe recipe = SoundStage(2);
  recipe.records[0] = {0, 0, 10, 8};
  recipe.records[1] = {64 - 11, 48 - 8, 64, 48};
  StageData* stage = LoadStage(Write(fixtures::BuildStage(recipe)).c_str());
  ASSERT_NE(stage, nullptr);
  FreeStage(stage);
}

TEST_F(StageLoader, FreeOfNullDoesNothing) { FreeStage(nullptr); }

TEST_F(StageLoader, MissingFileIsRefused) {
  platform::DebugOutputCapture debug;
  EXPECT_EQ(LoadStage("/nonexistent/stage.stg"), nullptr);
  ASSERT_EQ(debug.Lines().size(), 1u);
  EXPECT_NE(debug.Lines()[0].find("/nonexistent/stage.stg"), std::string::npos);
}

TEST_F(StageLoader, RefusesFileCutAnywhere) {
  const StageRecipe recipe = SoundStage(3);
  const Bytes file = fixtures::BuildStage(recipe);
  std::vector<std::size_t> cuts = {0, 1, 64, 95, 96, 97, 96 + 16 * 3 - 1};
  for (std::size_t chunk : fixtures::ChunkOffsets(recipe))
    for (std::size_t at :
         {chunk - 1, chunk, chunk + 8, chunk + 15, chunk + 16, chunk + 17, chunk + 200})
      cuts.push_back(at);
  for (std::size_t at = 0; at < file.size(); at += 97) cuts.push_back(at);
  cuts.push_back(file.size() - 1);
  for (std::size_t at : cuts) {
    SCOPED_TRACE("cut at " + std::to_string(at));
    ExpectRefused(Bytes(file.begin(), file.begin() + static_cast<long>(at)));
  }
}

TEST_F(StageLoader, RefusesCountFieldsBelowThreeOrBeyondTheFile) {
  for (std::uint32_t count : {0u, 1u, 2u}) {
    StageRecipe recipe = SoundStage(0);
    recipe.countField = count;
    ExpectRefused(fixtures::BuildStage(recipe),
                  "count field " + std::to_string(count) + " is below 3");
  }
  StageRecipe huge = SoundStage(2);
  huge.countField = 0xFFFFFFFFu;
  ExpectRefused(fixtures::BuildStage(huge), "more than the file holds");
  StageRecipe tooMany = SoundStage(2);
  tooMany.countField = 3 + 2 * 100;
  ExpectRefused(fixtures::BuildStage(tooMany), "announces 100 differences");
}

TEST_F(StageLoader, RefusesChunkLongerThanTheRestOfTheFile) {
  const StageRecipe recipe = SoundStage(2);
  for (std::size_t chunk : fixtures::ChunkOffsets(recipe)) {
    Bytes file = fixtures::BuildStage(recipe);
    fixtures::PutLe32(file, chunk + 8, 0xFFFFFFF0u);
    ExpectRefused(file, "announces 4294967280 bytes");
  }
}

TEST_F(StageLoader, RefusesChunkThatDoesNotDecode) {
  for (int broken = 0; broken < 3; ++broken) {
    StageRecipe recipe = SoundStage(2);
    Bytes& jpeg = broken == 0 ? recipe.picture : recipe.patches[broken - 1];
    for (std::size_t i = 0; i < jpeg.size(); ++i) jpeg[i] = static_cast<std::uint8_t>(i * 31);
    ExpectRefused(fixtures::BuildStage(recipe), "cannot be decoded");
  }
  StageRecipe empty = SoundStage(1);
  empty.patches[0].clear();
  ExpectRefused(fixtures::BuildStage(empty), "the picture of chunk 1 cannot be decoded");
}

TEST_F(StageLoader, RefusesPatchReachingOutsideThePicture) {
  const std::vector<std::array<std::int32_t, 4>> outside = {{-1, 0, 9, 8},
                                                            {0, -1, 10, 7},
                                                            {64 - 9, 0, 64, 8},
                                                            {0, 48 - 7, 10, 48},
                                                            {1 << 30, 1 << 30, 0, 0}};
  for (const auto& record : outside) {
    StageRecipe recipe = SoundStage(1);
    recipe.records[0] = record;
    ExpectRefused(fixtures::BuildStage(recipe), "the patch of difference 0 (10 x 8 at");
  }
}

TEST_F(StageLoader, RunningOutOfMemoryAnywhereGivesNullAndKeepsNothing) {
  const std::string path = Write(fixtures::BuildStage(SoundStage(2)));
  int refusals = 0;
  for (int grants = 0; grants < 64; ++grants) {
    platform::DebugOutputCapture debug;
    testing::internal::CaptureStdout();  // "Cannot open output file." when the decoder's stream
                                         // fails
    StageData* stage;
    {
      test_heap::Refusal refusal(grants);
      stage = LoadStage(path.c_str());
    }
    testing::internal::GetCapturedStdout();
    if (stage == nullptr) {
      ++refusals;
      EXPECT_EQ(debug.Lines().size(), 1u) << "grants " << grants;
      EXPECT_EQ(g_TrackedList.liveCount, 0u) << "grants " << grants;
    }
    FreeStage(stage);
    if (stage != nullptr) break;  // enough memory from here on
  }
  EXPECT_GT(refusals, 5);
}

}  // namespace
