#include "TrackedAlloc.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <string>
#include <vector>

#include "GeneralHeap.h"
#include "kernel/debug_output.h"
#include "support/test_heap.h"

namespace {

// A list of its own per test, given back whole at the end.
class TrackedAllocTest : public ::testing::Test {
 protected:
  ~TrackedAllocTest() override {
    for (std::uint32_t i = 0; i < list_.capacity; ++i) GeneralHeapFree(list_.slots[i].pointer);
    GeneralHeapFree(list_.slots);
  }

  void* Take(std::uint32_t size, int line = 1) {
    return TrackedAlloc(size, &list_, "Stage.cpp", line);
  }

  int SlotOf(const void* pointer) const {
    for (std::uint32_t i = 0; i < list_.capacity; ++i)
      if (list_.slots[i].pointer == pointer) return static_cast<int>(i);
    return -1;
  }

  TrackedList list_{};
  platform::DebugOutputCapture debug_;
};

TEST_F(TrackedAllocTest, FirstBlockMakesATableOfSixtyFourAndTakesSlotZero) {
  void* block = TrackedAlloc(100, &list_, "Bitmap.cpp", 735);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(list_.capacity, 64u);
  EXPECT_EQ(list_.liveCount, 1u);
  EXPECT_EQ(list_.liveBytes, 100u);
  EXPECT_EQ(list_.slots[0].pointer, block);
  EXPECT_EQ(list_.slots[0].size, 100u);
  EXPECT_STREQ(list_.slots[0].file, "Bitmap.cpp");
  EXPECT_EQ(list_.slots[0].line, 735);
  for (std::uint32_t i = 1; i < 64; ++i) {
    EXPECT_EQ(list_.slots[i].pointer, nullptr);
    EXPECT_EQ(list_.slots[i].size, 0u);
    EXPECT_EQ(list_.slots[i].file[0], '\0');
    EXPECT_EQ(list_.slots[i].line, 0);
  }
}

TEST_F(TrackedAllocTest, SixtyFifthLiveBlockGrowsTheTableAndKeepsEveryRecordInPlace) {
  std::vector<void*> blocks;
  for (int i = 0; i < 64; ++i) blocks.push_back(Take(static_cast<std::uint32_t>(i + 1), 1000 + i));
  EXPECT_EQ(list_.capacity, 64u);
  blocks.push_back(Take(65, 1064));
  EXPECT_EQ(list_.capacity, 128u);
  EXPECT_EQ(list_.liveCount, 65u);
  EXPECT_EQ(list_.liveBytes, 65u * 66u / 2u);
  for (int i = 0; i < 65; ++i) {
    EXPECT_EQ(SlotOf(blocks[i]), i);
    EXPECT_EQ(list_.slots[i].size, static_cast<std::uint32_t>(i + 1));
    EXPECT_EQ(list_.slots[i].line, 1000 + i);
  }
}

TEST_F(TrackedAllocTest, NextBlockTakesTheLowestFreeSlot) {
  std::vector<void*> blocks;
  for (int i = 0; i < 8; ++i) blocks.push_back(Take(10));
  TrackedFree(blocks[6], &list_);
  TrackedFree(blocks[3], &list_);
  EXPECT_EQ(list_.liveCount, 6u);
  EXPECT_EQ(list_.liveBytes, 60u);
  void* again = Take(10);
  EXPECT_EQ(SlotOf(again), 3);
  EXPECT_EQ(SlotOf(Take(10)), 6);
  EXPECT_EQ(SlotOf(Take(10)), 8);
}

TEST_F(TrackedAllocTest, SecondReleaseOfABlockIsReportedAndChangesNothing) {
  void* kept = Take(5);
  void* block = Take(7);
  TrackedFree(block, &list_);
  ASSERT_TRUE(debug_.Lines().empty());
  const TrackedBlock slot0 = list_.slots[0];
  TrackedFree(block, &list_);
  EXPECT_EQ(debug_.Lines(), std::vector<std::string>{"Invalid memory pointer.\n"});
  EXPECT_EQ(list_.liveCount, 1u);
  EXPECT_EQ(list_.liveBytes, 5u);
  EXPECT_EQ(list_.slots[0].pointer, kept);
  EXPECT_EQ(list_.slots[0].size, slot0.size);
}

TEST_F(TrackedAllocTest, ForeignPointerOnAnEmptyListIsReportedAndNotReleased) {
  int local = 0;
  TrackedFree(&local, &list_);  // a release would crash the heap
  EXPECT_EQ(debug_.Lines(), std::vector<std::string>{"Invalid memory pointer.\n"});
  EXPECT_EQ(list_.capacity, 0u);
}

TEST_F(TrackedAllocTest, NullReleaseWritesNothing) {
  Take(3);
  TrackedFree(nullptr, &list_);
  EXPECT_TRUE(debug_.Lines().empty());
  EXPECT_EQ(list_.liveCount, 1u);
}

TEST_F(TrackedAllocTest, ZeroByteBlockIsRecorded) {
  void* block = Take(0);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(list_.liveCount, 1u);
  EXPECT_EQ(list_.liveBytes, 0u);
  TrackedFree(block, &list_);
  EXPECT_EQ(list_.liveCount, 0u);
  EXPECT_TRUE(debug_.Lines().empty());
}

TEST_F(TrackedAllocTest, NullListAllocatesNothing) {
  const std::size_t before = test_heap::LiveBlocks();
  EXPECT_EQ(TrackedAlloc(10, nullptr, "x", 1), nullptr);
  EXPECT_EQ(test_heap::LiveBlocks(), before);
}

TEST_F(TrackedAllocTest, RefusedBlockIsNotRecordedButTheNewTableStays) {
  {
    test_heap::Refusal refusal(1);  // the table, not the block
    EXPECT_EQ(Take(10), nullptr);
  }
  EXPECT_EQ(list_.capacity, 64u);
  EXPECT_EQ(list_.liveCount, 0u);
  EXPECT_EQ(list_.liveBytes, 0u);
  EXPECT_EQ(SlotOf(Take(10)), 0);
}

TEST_F(TrackedAllocTest, RefusedTableGrowthLeavesTheOldTableInUse) {
  std::vector<void*> blocks;
  for (int i = 0; i < 64; ++i) blocks.push_back(Take(1, i));
  TrackedBlock* table = list_.slots;
  {
    test_heap::Refusal refusal(0);
    EXPECT_EQ(Take(1), nullptr);
  }
  EXPECT_EQ(list_.slots, table);
  EXPECT_EQ(list_.capacity, 64u);
  EXPECT_EQ(list_.liveCount, 64u);
  TrackedFree(blocks[10], &list_);
  EXPECT_EQ(SlotOf(Take(1)), 10);
  EXPECT_TRUE(debug_.Lines().empty());
}

TEST_F(TrackedAllocTest, OverlongFileNameKeepsItsEnd) {
  std::string path(1500, 'd');
  path += "/Stage.cpp";
  Take(1);
  TrackedAlloc(1, &list_, path.c_str(), 9);
  const std::string kept = list_.slots[1].file;
  EXPECT_EQ(kept.size(), 1023u);
  EXPECT_EQ(kept.substr(0, 3), "...");
  EXPECT_EQ(kept.substr(kept.size() - 10), "/Stage.cpp");
}

std::string LeakLine(const void* address, const char* file, int line) {
  char text[256];
  std::snprintf(
      text, sizeof text, "!!! Memory leak detected. !!! Address %0*" PRIxPTR ", File %s, Line %d\n",
      static_cast<int>(2 * sizeof(void*)), reinterpret_cast<std::uintptr_t>(address), file, line);
  return text;
}

TEST(TrackedLeakReport, NamesEachLeftBlockInSlotOrderAndEmptiesTheList) {
  platform::DebugOutputCapture debug;
  void* first = TrackedAlloc(16, &g_TrackedList, "Setting.cpp", 40);
  void* released = TrackedAlloc(16, &g_TrackedList, "Tavrelo.cpp", 50);
  void* second = TrackedAlloc(32, &g_TrackedList, "Stage.cpp", 60);
  TrackedFree(released, &g_TrackedList);

  TrackedReportLeaks();

  ASSERT_EQ(debug.Lines().size(), 2u);
  EXPECT_EQ(debug.Lines()[0], LeakLine(first, "Setting.cpp", 40));
  EXPECT_EQ(debug.Lines()[1], LeakLine(second, "Stage.cpp", 60));
  // The whole address, not its low half, so that a debugger can find the block.
  EXPECT_NE(debug.Lines()[0].find([&] {
    char hex[32];
    std::snprintf(hex, sizeof hex, "%" PRIxPTR, reinterpret_cast<std::uintptr_t>(first));
    return std::string(hex);
  }()),
            std::string::npos);
  EXPECT_EQ(g_TrackedList.capacity, 0u);
  EXPECT_EQ(g_TrackedList.liveCount, 0u);
  EXPECT_EQ(g_TrackedList.liveBytes, 0u);
  EXPECT_EQ(g_TrackedList.slots, nullptr);
  GeneralHeapFree(first);  // the report names leaks; it does not release them
  GeneralHeapFree(second);
}

TEST(TrackedLeakReport, EmptyListWritesNothing) {
  platform::DebugOutputCapture debug;
  TrackedFree(TrackedAlloc(8, &g_TrackedList, "Stage.cpp", 1), &g_TrackedList);
  TrackedReportLeaks();
  TrackedReportLeaks();
  EXPECT_TRUE(debug.Lines().empty());
  EXPECT_EQ(g_TrackedList.slots, nullptr);
}

}  // namespace
