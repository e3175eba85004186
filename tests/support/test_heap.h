// The general heap as the unit tests link it: it counts the blocks it has out and can be told
// to refuse requests, so that the paths where memory runs out can be walked.
#pragma once

#include <cstddef>
#include <optional>

namespace test_heap {

std::size_t LiveBlocks();

// Bytes in use on the whole process heap, the JPEG library's blocks included. Only the
// sanitizer build can count them exactly (glibc's counters include its per-thread caches);
// elsewhere this is nothing.
std::optional<std::size_t> ProcessHeapBytes();

// While alive, the heap grants `grants` more requests and refuses every one after them.
class Refusal {
 public:
  explicit Refusal(int grants);
  ~Refusal();
  Refusal(const Refusal&) = delete;
  Refusal& operator=(const Refusal&) = delete;
};

}  // namespace test_heap
