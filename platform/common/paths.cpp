#include "paths.h"

#include <cctype>

namespace platform {

std::string PosixPath(std::string_view windowsPath) {
  std::string path(windowsPath);
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

bool MatchesMask(std::string_view name, std::string_view mask) {
  if (mask == "*.*") mask = "*";  // Windows: every name, with or without a dot
  const auto same = [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
  };
  // Greedy matching with a single backtrack point for the last star.
  std::size_t n = 0, m = 0, starMask = std::string_view::npos, starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && (mask[m] == '?' || (mask[m] != '*' && same(mask[m], name[n])))) {
      ++n, ++m;
    } else if (m < mask.size() && mask[m] == '*') {
      starMask = m++;
      starName = n;
    } else if (starMask != std::string_view::npos) {
      m = starMask + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

}  // namespace platform
