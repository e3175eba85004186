// A small seeded generator, so that the content tools draw the same pictures on every machine.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace content {

class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next() {  // splitmix64
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  double Uniform(double low, double high) {
    return low + (high - low) * (Next() >> 11) * 0x1.0p-53;
  }
  int Int(int low, int high) {
    return low + static_cast<int>(Next() % static_cast<std::uint64_t>(high - low + 1));
  }
  bool Chance(double p) { return Uniform(0, 1) < p; }
  template <typename T>
  const T& Pick(const std::vector<T>& items) {
    return items[Next() % items.size()];
  }
  template <typename T>
  void Shuffle(std::vector<T>& items) {
    for (std::size_t i = items.size(); i > 1; --i) std::swap(items[i - 1], items[Next() % i]);
  }

 private:
  std::uint64_t state_;
};

}  // namespace content
