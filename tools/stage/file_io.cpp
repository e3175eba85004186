#include "file_io.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

namespace tools {

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path,
                                                       std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *error = path + ": " + std::strerror(errno);
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
  if (in.bad()) {
    *error = path + ": read error";
    return std::nullopt;
  }
  return bytes;
}

bool WriteFileBytes(const std::string& path, const std::uint8_t* data, std::size_t size,
                    std::string* error) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (out) out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (out) out.close();
  if (!out) {
    *error = path + ": cannot write: " + std::strerror(errno);
    return false;
  }
  return true;
}

}  // namespace tools
