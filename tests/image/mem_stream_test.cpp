#include "image/MemStream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <vector>

#include "GeneralHeap.h"
#include "support/test_heap.h"

namespace {

struct StreamCloser {
  void operator()(MemStream* stream) const { MemStreamClose(stream); }
};
using StreamPtr = std::unique_ptr<MemStream, StreamCloser>;

void PutBytes(MemStream* stream, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i)
    ASSERT_EQ(MemStreamPutc(static_cast<int>(i * 7), stream), static_cast<int>(i * 7));
}

TEST(MemStream, NewStreamIsEmptyWithSixtyFourKibibytes) {
  StreamPtr stream(MemStreamCreate());
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(stream->capacity, 65536u);
  EXPECT_EQ(stream->length, 0u);
  EXPECT_EQ(stream->position, 0u);
  EXPECT_NE(stream->data, nullptr);
  EXPECT_EQ(MemStreamError(stream.get()), 0);
}

TEST(MemStream, GrowsByDoublingAtTheFirstByteThatDoesNotFit) {
  StreamPtr stream(MemStreamCreate());
  PutBytes(stream.get(), 65536);
  EXPECT_EQ(stream->capacity, 65536u);
  PutBytes(stream.get(), 1);
  EXPECT_EQ(stream->capacity, 131072u);
  EXPECT_EQ(stream->length, 65537u);
  for (std::size_t i = 0; i < 65536; ++i)
    ASSERT_EQ(stream->data[i], static_cast<std::uint8_t>(i * 7)) << "byte " << i;
}

TEST(MemStream, ThreeHundredThousandBytesEndInHalfAMebibyte) {
  StreamPtr stream(MemStreamCreate());
  PutBytes(stream.get(), 300000);
  EXPECT_EQ(stream->capacity, 524288u);
  EXPECT_EQ(stream->length, 300000u);
  EXPECT_EQ(stream->position, 300000u);
}

TEST(MemStream, OneLargeWriteGrowsStraightToTheNeededPowerOfTwo) {
  StreamPtr stream(MemStreamCreate());
  std::vector<std::uint8_t> block(200001, 0x5A);
  EXPECT_EQ(MemStreamWrite(block.data(), 1, block.size(), stream.get()), block.size());
  EXPECT_EQ(stream->capacity, 262144u);
  EXPECT_EQ(stream->length, 200001u);
}

TEST(MemStream, WritingInsideTheContentKeepsItsLength) {
  StreamPtr stream(MemStreamCreate());
  std::vector<std::uint8_t> hundred(100, 1);
  ASSERT_EQ(MemStreamWrite(hundred.data(), 1, 100, stream.get()), 100u);
  ASSERT_EQ(MemStreamSeek(stream.get(), 0, 0), 1);
  std::vector<std::uint8_t> ten(10, 2);
  EXPECT_EQ(MemStreamWrite(ten.data(), 1, 10, stream.get()), 10u);
  EXPECT_EQ(stream->length, 100u);
  EXPECT_EQ(stream->position, 10u);
  EXPECT_EQ(stream->data[9], 2);
  EXPECT_EQ(stream->data[10], 1);

  // A write that starts inside and ends beyond the content lengthens it to its end.
  ASSERT_EQ(MemStreamSeek(stream.get(), 95, 0), 1);
  EXPECT_EQ(MemStreamWrite(ten.data(), 2, 5, stream.get()), 5u);
  EXPECT_EQ(stream->length, 105u);
}

TEST(MemStream, WriteOfNoItemsYieldsZeroAndChangesNothing) {
  StreamPtr stream(MemStreamCreate());
  std::uint8_t byte = 0;
  EXPECT_EQ(MemStreamWrite(&byte, 1, 0, stream.get()), 0u);
  EXPECT_EQ(stream->length, 0u);
  EXPECT_EQ(MemStreamError(stream.get()), 0);
}

TEST(MemStream, PutcWritesTheLowByteAndYieldsTheValueUnchanged) {
  StreamPtr stream(MemStreamCreate());
  EXPECT_EQ(MemStreamPutc(0x1FF, stream.get()), 0x1FF);
  EXPECT_EQ(MemStreamPutc(-2, stream.get()), -2);
  ASSERT_EQ(stream->length, 2u);
  EXPECT_EQ(stream->data[0], 0xFF);
  EXPECT_EQ(stream->data[1], 0xFE);
}

TEST(MemStream, ReadCopiesOnlyWholeItems) {
  std::vector<std::uint8_t> bytes(30);
  std::iota(bytes.begin(), bytes.end(), 0);
  StreamPtr stream(MemStreamWrap(bytes.data(), 30));
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(stream->capacity, 30u);
  EXPECT_EQ(stream->length, 30u);

  std::uint8_t out[4096] = {};
  ASSERT_EQ(MemStreamRead(out, 1, 10, stream.get()), 10u);
  // 20 bytes left: one whole 16-byte item, and the 4 bytes after it stay unread.
  EXPECT_EQ(MemStreamRead(out, 16, 4, stream.get()), 1u);
  EXPECT_EQ(out[0], 10);
  EXPECT_EQ(out[15], 25);
  EXPECT_EQ(stream->position, 26u);
  EXPECT_EQ(MemStreamRead(out, 16, 1, stream.get()), 0u);
  EXPECT_EQ(stream->position, 26u);
  EXPECT_EQ(MemStreamRead(out, 1, 4096, stream.get()), 4u);
  EXPECT_EQ(out[3], 29);
  EXPECT_EQ(MemStreamRead(out, 1, 4096, stream.get()), 0u);
  stream->data = nullptr;  // the vector owns the bytes
}

TEST(MemStream, ReadOfFourKibibytesWithTenLeftYieldsTen) {
  std::vector<std::uint8_t> bytes(10, 9);
  StreamPtr stream(MemStreamWrap(bytes.data(), 10));
  std::uint8_t out[4096];
  EXPECT_EQ(MemStreamRead(out, 1, 4096, stream.get()), 10u);
  EXPECT_EQ(MemStreamRead(out, 1, 4096, stream.get()), 0u);
  stream->data = nullptr;
}

TEST(MemStream, StreamWrappedOverNothingReadsNothing) {
  StreamPtr stream(MemStreamWrap(nullptr, 0));
  ASSERT_NE(stream, nullptr);
  std::uint8_t out[16];
  EXPECT_EQ(MemStreamRead(out, 1, 16, stream.get()), 0u);
}

TEST(MemStream, SeekReachesTheLengthButNotBeyond) {
  StreamPtr stream(MemStreamCreate());
  PutBytes(stream.get(), 50);
  EXPECT_EQ(MemStreamSeek(stream.get(), 20, 0), 1);
  EXPECT_EQ(stream->position, 20u);
  EXPECT_EQ(MemStreamSeek(stream.get(), 50, 0), 1);
  EXPECT_EQ(stream->position, 50u);
  EXPECT_EQ(MemStreamSeek(stream.get(), 51, 0), 0);
  EXPECT_EQ(stream->position, 50u);
  EXPECT_EQ(MemStreamSeek(stream.get(), 10, 1), 0) << "only origin 0 is known";
  EXPECT_EQ(stream->position, 50u);
}

TEST(MemStream, NullStreamIsRefusedEverywhere) {
  std::uint8_t byte = 0;
  EXPECT_EQ(MemStreamRead(&byte, 1, 1, nullptr), 0u);
  EXPECT_EQ(MemStreamWrite(&byte, 1, 1, nullptr), 0u);
  EXPECT_EQ(MemStreamPutc(7, nullptr), -1);
  EXPECT_EQ(MemStreamSeek(nullptr, 0, 0), 0);
  EXPECT_EQ(MemStreamClose(nullptr), 0);
}

TEST(MemStream, CloseReleasesBufferAndRecord) {
  const std::size_t before = test_heap::LiveBlocks();
  MemStream* stream = MemStreamCreate();
  PutBytes(stream, 70000);
  EXPECT_EQ(MemStreamClose(stream), 1);
  EXPECT_EQ(test_heap::LiveBlocks(), before);

  MemStream* emptied = MemStreamCreate();
  GeneralHeapFree(emptied->data);
  emptied->data = nullptr;  // a caller that keeps its buffer
  EXPECT_EQ(MemStreamClose(emptied), 1);
  EXPECT_EQ(test_heap::LiveBlocks(), before);
}

TEST(MemStream, WrappedStreamIsNeverWritten) {
  std::uint8_t bytes[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  StreamPtr stream(MemStreamWrap(bytes, 8));
  std::uint8_t zero[16] = {};
  EXPECT_EQ(MemStreamWrite(zero, 1, 4, stream.get()), 0u);
  EXPECT_EQ(MemStreamPutc(0, stream.get()), -1);
  EXPECT_EQ(bytes[0], 1);
  EXPECT_EQ(stream->data, bytes);
  EXPECT_NE(MemStreamError(stream.get()), 0);
  stream->data = nullptr;
}

TEST(MemStreamOutOfMemory, RecordRefusedYieldsNullAndKeepsNothing) {
  const std::size_t before = test_heap::LiveBlocks();
  {
    test_heap::Refusal refusal(0);
    EXPECT_EQ(MemStreamCreate(), nullptr);
    EXPECT_EQ(MemStreamWrap(nullptr, 0), nullptr);
  }
  EXPECT_EQ(test_heap::LiveBlocks(), before);
}

TEST(MemStreamOutOfMemory, StreamWithoutBufferStaysUnwrittenUntilMemoryReturns) {
  MemStream* raw;
  {  // the record is granted, the buffer is not
    test_heap::Refusal refusal(1);
    raw = MemStreamCreate();
  }
  ASSERT_NE(raw, nullptr);
  StreamPtr stream(raw);
  EXPECT_EQ(stream->data, nullptr);
  EXPECT_EQ(stream->capacity, 0u);
  {
    test_heap::Refusal refusal(0);
    EXPECT_EQ(MemStreamPutc('a', stream.get()), -1);
    EXPECT_EQ(stream->length, 0u);
    EXPECT_NE(MemStreamError(stream.get()), 0);
  }
  EXPECT_EQ(MemStreamPutc('b', stream.get()), 'b');
  EXPECT_EQ(stream->capacity, 65536u);
  EXPECT_EQ(stream->length, 1u);
}

TEST(MemStreamOutOfMemory, RefusedGrowthLeavesContentAndReportsZeroItems) {
  StreamPtr stream(MemStreamCreate());
  PutBytes(stream.get(), 65536);
  std::vector<std::uint8_t> more(10, 0xEE);
  {
    test_heap::Refusal refusal(0);
    EXPECT_EQ(MemStreamWrite(more.data(), 1, 10, stream.get()), 0u);
    EXPECT_EQ(MemStreamPutc(1, stream.get()), -1);
  }
  EXPECT_EQ(stream->capacity, 65536u);
  EXPECT_EQ(stream->length, 65536u);
  EXPECT_EQ(stream->position, 65536u);
  EXPECT_EQ(stream->data[65535], static_cast<std::uint8_t>(65535 * 7));
  EXPECT_NE(MemStreamError(stream.get()), 0);
}

TEST(MemStreamOutOfMemory, WriteThatWouldPassFourGibibytesIsRefusedUnread) {
  StreamPtr stream(MemStreamCreate());
  PutBytes(stream.get(), 3);
  // The source is never touched: the size alone is refused.
  EXPECT_EQ(MemStreamWrite(reinterpret_cast<const void*>(16), 0x10000, 0x10000, stream.get()), 0u);
  EXPECT_EQ(MemStreamWrite(reinterpret_cast<const void*>(16), 1, UINT32_MAX, stream.get()), 0u);
  EXPECT_EQ(stream->length, 3u);
  EXPECT_EQ(stream->capacity, 65536u);
}

}  // namespace
