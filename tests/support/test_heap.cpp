#include "test_heap.h"

#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

#include "GeneralHeap.h"

namespace test_heap {
namespace {
std::size_t g_live = 0;
int g_grantsLeft = -1;  // negative: no limit
}  // namespace

std::size_t LiveBlocks() { return g_live; }

std::optional<std::size_t> ProcessHeapBytes() {
#if defined(__SANITIZE_ADDRESS__)
  return __sanitizer_get_current_allocated_bytes();
#else
  return std::nullopt;
#endif
}

Refusal::Refusal(int grants) { g_grantsLeft = grants; }
Refusal::~Refusal() { g_grantsLeft = -1; }

}  // namespace test_heap

void* GeneralHeapAlloc(size_t size) {
  using namespace test_heap;
  if (g_grantsLeft == 0) return nullptr;
  if (g_grantsLeft > 0) --g_grantsLeft;
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block != nullptr) ++g_live;
  return block;
}

void GeneralHeapFree(void* block) {
  if (block == nullptr) return;
  --test_heap::g_live;
  std::free(block);
}
