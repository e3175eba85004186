// Handles as Windows hands them out: opaque values that name an entry of a typed table. A
// handle carries its table's tag, the entry's index and the entry's generation, so a handle of
// the wrong kind, or one whose object was deleted, is recognised and refused, never followed.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <deque>

namespace platform {

enum class HandleKind : std::uint8_t {
  Find = 1,
  Module,
  Key,
  Dc,
  Bitmap,
  Pen,
  Brush,
  Font,
  Window,
  Menu,
  Accelerators,
  Icon,
};

// The 32 bits of a handle: kind (8), generation (8), index + 1 (16). Never 0 and never the
// all-ones INVALID_HANDLE_VALUE.
struct HandleBits {
  static std::uintptr_t Make(HandleKind kind, std::uint8_t generation, std::size_t index) {
    return static_cast<std::uintptr_t>(kind) << 24 | static_cast<std::uintptr_t>(generation) << 16 |
           static_cast<std::uintptr_t>(index + 1);
  }
  static HandleKind Kind(std::uintptr_t value) {
    return static_cast<HandleKind>((value >> 24) & 0xFF);
  }
};

template <typename T>
class HandleTable {
 public:
  explicit HandleTable(HandleKind kind) : kind_(kind) {}

  std::uintptr_t Add(T value) {
    std::size_t index = 0;
    while (index < slots_.size() && slots_[index].value) ++index;
    if (index == slots_.size()) {
      if (slots_.size() >= 0xFFFF) return 0;
      slots_.emplace_back();
    }
    Slot& slot = slots_[index];
    slot.value = std::move(value);
    return HandleBits::Make(kind_, slot.generation, index);
  }

  // The entry a handle names, or null for a handle of another kind, out of range or stale.
  T* Find(std::uintptr_t handle) {
    if (HandleBits::Kind(handle) != kind_ || (std::uint64_t{handle} >> 32) != 0) return nullptr;
    const std::size_t index = (handle & 0xFFFF);
    if (index == 0 || index > slots_.size()) return nullptr;
    Slot& slot = slots_[index - 1];
    if (!slot.value || slot.generation != ((handle >> 16) & 0xFF)) return nullptr;
    return &*slot.value;
  }

  bool Remove(std::uintptr_t handle) {
    if (Find(handle) == nullptr) return false;
    Slot& slot = slots_[(handle & 0xFFFF) - 1];
    slot.value.reset();
    ++slot.generation;  // handles to the old entry go stale
    return true;
  }

  template <typename F>
  void ForEach(F&& visit) {
    for (std::size_t i = 0; i < slots_.size(); ++i)
      if (slots_[i].value)
        visit(HandleBits::Make(kind_, slots_[i].generation, i), *slots_[i].value);
  }

 private:
  struct Slot {
    std::optional<T> value;
    std::uint8_t generation = 0;
  };
  HandleKind kind_;
  // A deque, so that an entry stays where it is while others are added: callers hold pointers
  // to entries across calls that create more (a dialog making its controls).
  std::deque<Slot> slots_;
};

}  // namespace platform
