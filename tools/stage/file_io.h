// Whole-file reading and writing for the command-line tools.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tools {

// The file's bytes, or nothing with the reason in `error`.
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path, std::string* error);
bool WriteFileBytes(const std::string& path, const std::uint8_t* data, std::size_t size,
                    std::string* error);

}  // namespace tools
