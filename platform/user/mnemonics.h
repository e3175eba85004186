// Texts with "&" mnemonic marks, as menus and buttons carry them ("&&" is a plain &).
#pragma once

#include <cctype>
#include <string>

namespace platform::user {

inline std::string WithoutMnemonics(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    out += text[i];
  }
  return out;
}

// The marked letter in lower case, or 0.
inline char MnemonicOf(const std::string& text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 1])));
  }
  return 0;
}

}  // namespace platform::user
