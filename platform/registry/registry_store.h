// The registry's storage: HKEY_CURRENT_USER as a tree of keys with named values, kept in one
// text file in the style of Wine's user.reg. The file is read on first use and written whole,
// atomically, whenever a changed key is closed.
//
// Where: $TAVRELO_REGISTRY if set, else $XDG_CONFIG_HOME/tavrelo/user.reg, else
// ~/.config/tavrelo/user.reg. A file that is not a registry of ours is renamed aside
// (user.reg.damaged, .damaged-2, ...) with one debugger line, and the registry starts empty. A
// file of ours with lines that cannot be read is first copied aside the same way, byte for byte;
// each such line is reported, and the registry holds everything else.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform::registry {

struct Value {
  std::string name;  // as first written; compared without case
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
};

struct Key {
  std::string path;           // from HKEY_CURRENT_USER, backslash separated, as first written
  std::int64_t modified = 0;  // unix seconds
  std::vector<Value> values;  // in the order they were first set
};

// A line of a registry text that was left out, and why.
struct DroppedLine {
  int number;  // from 1
  std::string why;
};

// Text of the whole registry, and the registry read back from such a text. False when the text
// is not one of ours: its first line is not the header Serialise writes. After the header it is
// read a line at a time, as a text editor may have left it: a line that cannot be read, a value
// under a key that cannot, and the earlier of two values of one name are left out and listed in
// `dropped`, and everything else is kept.
std::string Serialise(const std::vector<Key>& keys);
bool Parse(const std::string& text, std::vector<Key>* keys,
           std::vector<DroppedLine>* dropped = nullptr);

std::string DefaultFilePath();

// Not Win32: point the registry at another file (dropping what is in memory), for tests; and a
// check run between writing the new file and putting it in place, for tests too: when it says
// false, the save fails as if the disk had.
void UseFile(const std::string& path);
void SetBeforeReplaceHook(std::function<bool()> hook);
// Not only for tests: a step after the new file is in place that makes it last where the file
// system alone does not (the browser's, kept in IndexedDB). When it says false, the save fails
// and is tried again at the next chance.
void SetAfterReplaceHook(std::function<bool()> hook);

}  // namespace platform::registry
