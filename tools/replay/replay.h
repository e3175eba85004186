// The replay driver: runs a program's WinMain on the headless host, carrying out one line of a
// script each time the program waits with nothing to do, and printing what happens.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace replay {

using EntryPoint = int(WINAPI*)(HINSTANCE, HINSTANCE, LPSTR, int);

constexpr int kNextItem = -1;

// What a program may add to the script language.
struct Hooks {
  // `state`: the lines that describe the program's state.
  std::function<std::vector<std::string>()> state;
  // `find N left|right`: the client point that hits item N in the named half (kNextItem: the
  // first item not found yet); false when there is no such item.
  std::function<bool(int item, bool right, POINT* point)> findPoint;
};

// Prints the events on standard output; returns 0, or 2 for a script it cannot read.
int Run(const std::string& scriptPath, const std::string& outDir, EntryPoint program,
        Hooks hooks = {});

}  // namespace replay
