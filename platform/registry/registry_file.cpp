// The registry file's text, in the style of Wine's user.reg:
//
//   WINE REGISTRY Version 2
//   ;; All keys relative to HKEY_CURRENT_USER
//
//   [Software\\Brannoch\\Kestrelwork\\TVR] 1765260000
//   "Pos_X"=dword:00000000
//   "Name0"="Ann"
//
// Strings escape backslash, quote, control and non-ASCII bytes; a REG_SZ that is not one text
// with its terminating zero, and every other type, is written as a list of hex bytes.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "registry_store.h"

namespace platform::registry {
namespace {

constexpr const char* kFirstLine = "WINE REGISTRY Version 2";
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;

std::string Escape(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20 || c >= 0x7F) {
          char hex[5];
          std::snprintf(hex, sizeof hex, "\\x%02x", c);
          out += hex;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads a quoted, escaped text that starts at `at` (on the opening quote); false if malformed.
bool Unquote(const std::string& line, std::size_t* at, std::string* text) {
  if (*at >= line.size() || line[*at] != '"') return false;
  for (std::size_t i = *at + 1; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '"') {
      *at = i + 1;
      return true;
    }
    if (c != '\\') {
      *text += c;
      continue;
    }
    if (++i >= line.size()) return false;
    switch (line[i]) {
      case '\\':
        *text += '\\';
        break;
      case '"':
        *text += '"';
        break;
      case 'n':
        *text += '\n';
        break;
      case 'r':
        *text += '\r';
        break;
      case 't':
        *text += '\t';
        break;
      case 'x': {
        if (i + 2 >= line.size()) return false;
        const int high = HexDigit(line[i + 1]), low = HexDigit(line[i + 2]);
        if (high < 0 || low < 0) return false;
        *text += static_cast<char>(high * 16 + low);
        i += 2;
        break;
      }
      default:
        return false;
    }
  }
  return false;
}

bool ParseHexList(const std::string& list, std::vector<std::uint8_t>* bytes) {
  if (list.empty()) return true;
  std::size_t at = 0;
  while (true) {
    if (at + 2 > list.size()) return false;
    const int high = HexDigit(list[at]), low = HexDigit(list[at + 1]);
    if (high < 0 || low < 0) return false;
    bytes->push_back(static_cast<std::uint8_t>(high * 16 + low));
    at += 2;
    if (at == list.size()) return true;
    if (list[at++] != ',') return false;
  }
}

// Reads a value line into *value; yields why it cannot be read, or null.
const char* ParseValue(const std::string& line, Value* value) {
  std::size_t at = 0;
  if (line[0] != '"' && line[0] != '@') return "a line that is neither a key nor a value";
  if (line[0] == '@') {
    at = 1;
  } else if (!Unquote(line, &at, &value->name)) {
    return "a value whose name is not a text in quotes";
  }
  if (at >= line.size() || line[at++] != '=') return "a value without '=' after its name";
  const std::string data = line.substr(at);
  if (!data.empty() && data[0] == '"') {
    std::string text;
    std::size_t end = 0;
    if (!Unquote(data, &end, &text) || end != data.size()) return "a text that is not closed";
    value->type = kRegSz;
    value->data.assign(text.begin(), text.end());
    value->data.push_back(0);
    return nullptr;
  }
  if (data.rfind("dword:", 0) == 0) {
    std::uint32_t number = 0;
    for (std::size_t i = 6; i < data.size(); ++i) {
      const int digit = HexDigit(data[i]);
      if (digit < 0) return "a dword that is not eight hex digits";
      number = number << 4 | static_cast<std::uint32_t>(digit);
    }
    if (data.size() != 14) return "a dword that is not eight hex digits";
    value->type = kRegDword;
    for (int i = 0; i < 4; ++i) value->data.push_back(static_cast<std::uint8_t>(number >> (8 * i)));
    return nullptr;
  }
  if (data.rfind("hex:", 0) == 0) {
    value->type = kRegBinary;
    return ParseHexList(data.substr(4), &value->data) ? nullptr
                                                      : "bytes that are not hex pairs with commas";
  }
  if (data.rfind("hex(", 0) == 0) {
    const std::size_t close = data.find("):");
    if (close == std::string::npos || close == 4 || close > 12) return "a type that cannot be read";
    std::uint32_t type = 0;
    for (std::size_t i = 4; i < close; ++i) {
      const int digit = HexDigit(data[i]);
      if (digit < 0) return "a type that cannot be read";
      type = type << 4 | static_cast<std::uint32_t>(digit);
    }
    value->type = type;
    return ParseHexList(data.substr(close + 2), &value->data)
               ? nullptr
               : "bytes that are not hex pairs with commas";
  }
  return "data that is not a text, a dword or hex bytes";
}

// Reads a key line into *path; yields why it cannot be read, or null.
const char* ParseKeyLine(const std::string& line, std::string* path, std::int64_t* modified) {
  // The path, with its escapes, up to the closing bracket; then the time.
  std::string quoted = "\"";
  std::size_t i = 1;
  for (; i < line.size() && line[i] != ']'; ++i) {
    if (line[i] == '\\' && i + 1 < line.size()) {
      quoted += line[i++];  // an escape goes as it is, an escaped quote or bracket with it
      quoted += line[i];
      continue;
    }
    quoted += line[i] == '"' ? std::string("\\\"") : std::string(1, line[i]);
  }
  if (i >= line.size()) return "a key without its closing bracket";
  quoted += '"';
  std::size_t at = 0;
  if (!Unquote(quoted, &at, path) || at != quoted.size()) return "a key whose name cannot be read";
  long long time = 0;
  std::sscanf(line.c_str() + i + 1, " %lld", &time);
  *modified = time;
  return nullptr;
}

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

std::string Serialise(const std::vector<Key>& keys) {
  std::string text = std::string(kFirstLine) + "\n;; All keys relative to HKEY_CURRENT_USER\n";
  for (const Key& key : keys) {
    text += "\n[" + Escape(key.path) + "] " + std::to_string(key.modified) + "\n";
    for (const Value& value : key.values) {
      text += value.name.empty() ? "@=" : "\"" + Escape(value.name) + "\"=";
      const auto& data = value.data;
      const bool oneText = value.type == kRegSz && !data.empty() && data.back() == 0 &&
                           std::memchr(data.data(), 0, data.size() - 1) == nullptr;
      if (oneText) {
        text += "\"" + Escape(std::string(data.begin(), data.end() - 1)) + "\"\n";
        continue;
      }
      if (value.type == kRegDword && data.size() == 4) {
        char number[16];
        std::snprintf(
            number, sizeof number, "dword:%08x",
            data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24);
        text += std::string(number) + "\n";
        continue;
      }
      char prefix[24];
      if (value.type == kRegBinary)
        std::snprintf(prefix, sizeof prefix, "hex:");
      else
        std::snprintf(prefix, sizeof prefix, "hex(%x):", value.type);
      text += prefix;
      for (std::size_t i = 0; i < data.size(); ++i) {
        char byte[4];
        std::snprintf(byte, sizeof byte, i == 0 ? "%02x" : ",%02x", data[i]);
        text += byte;
      }
      text += "\n";
    }
  }
  return text;
}

bool Parse(const std::string& text, std::vector<Key>* keys, std::vector<DroppedLine>* dropped) {
  keys->clear();
  std::vector<DroppedLine> left;
  // Where each value was read, to tell which line a later one of the same name replaces.
  std::vector<std::vector<int>> valueLines;
  std::size_t key = 0;  // the key the lines belong to, as an index plus one; 0 for none
  bool keyLost = false;  // the last key line could not be read
  // A text editor may put a byte order mark before the first line.
  std::size_t start = text.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
  int number = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    const bool ended = end != std::string::npos;
    if (!ended) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (number == 1) {
      if (line != kFirstLine) return false;
      continue;
    }
    const auto leaveOut = [&](std::string why) { left.push_back({number, std::move(why)}); };
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    // Names are C texts to the registry's callers, and Serialise writes a NUL as \x00.
    if (line.find('\0') != std::string::npos) {
      leaveOut("NUL bytes in the line");
      if (line[0] == '[') key = 0, keyLost = true;
      continue;
    }
    if (line[0] == '[') {
      Key read;
      if (const char* why = ParseKeyLine(line, &read.path, &read.modified)) {
        leaveOut(why);
        key = 0;
        keyLost = true;
        continue;
      }
      keyLost = false;
      // A key named again goes on where it was.
      const auto same = std::find_if(keys->begin(), keys->end(),
                                     [&](const Key& k) { return SameName(k.path, read.path); });
      key = static_cast<std::size_t>(same - keys->begin()) + 1;
      if (same == keys->end()) {
        keys->push_back(std::move(read));
        valueLines.emplace_back();
      }
      continue;
    }
    Value value;
    if (const char* why = ParseValue(line, &value)) {
      leaveOut(why);
      continue;
    }
    if (key == 0) {
      leaveOut(keyLost ? "a value of a key that could not be read" : "a value before any key");
      continue;
    }
    // A list of bytes may have been cut anywhere; a text or a dword shows where it ends.
    if (!ended && value.type != kRegSz && value.type != kRegDword) {
      leaveOut("bytes cut off by the end of the file");
      continue;
    }
    std::vector<Value>& values = (*keys)[key - 1].values;
    std::vector<int>& lines = valueLines[key - 1];
    const auto same = std::find_if(values.begin(), values.end(),
                                   [&](const Value& v) { return SameName(v.name, value.name); });
    if (same == values.end()) {
      values.push_back(std::move(value));
      lines.push_back(number);
      continue;
    }
    // The later of two values of one name holds, as when a file is read into Windows' registry.
    const std::size_t index = static_cast<std::size_t>(same - values.begin());
    left.push_back({lines[index], "set again on line " + std::to_string(number) + ", which holds"});
    same->type = value.type;
    same->data = std::move(value.data);
    lines[index] = number;
  }
  if (number == 0) return false;
  std::sort(left.begin(), left.end(),
            [](const DroppedLine& a, const DroppedLine& b) { return a.number < b.number; });
  if (dropped != nullptr) *dropped = std::move(left);
  return true;
}

}  // namespace platform::registry
