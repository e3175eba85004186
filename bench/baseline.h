// The baseline the decoding benchmarks are measured against: the JPEG library alone decoding a
// stream held in memory into a plain buffer of rows, nothing around it.
#pragma once

#include <cstdint>
#include <vector>

namespace bench {

// `pixels` must hold the decoded picture (width x height x components).
void DecodeToBuffer(const std::vector<std::uint8_t>& jpeg, std::vector<std::uint8_t>& pixels);

}  // namespace bench
