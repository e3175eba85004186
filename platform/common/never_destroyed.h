// Storage for the subset's process-wide state. The game's static objects give back GDI objects
// in their destructors at exit, so whatever they reach must still be alive then: this holder
// constructs its value in place and never runs the destructor.
#pragma once

#include <new>
#include <utility>

namespace platform {

template <typename T>
class NeverDestroyed {
 public:
  template <typename... Args>
  explicit NeverDestroyed(Args&&... args) {
    ::new (static_cast<void*>(storage_)) T(std::forward<Args>(args)...);
  }
  NeverDestroyed(const NeverDestroyed&) = delete;
  NeverDestroyed& operator=(const NeverDestroyed&) = delete;

  T& get() { return *std::launder(reinterpret_cast<T*>(storage_)); }
  T* operator->() { return &get(); }

 private:
  alignas(T) unsigned char storage_[sizeof(T)];
};

}  // namespace platform
