// The replay driver: runs a program's WinMain on the headless host, carrying out one line of a
// script each time the program waits with nothing to do, and printing what happens.
#pragma once

#include <windows.h>

#include <string>

namespace replay {

using EntryPoint = int(WINAPI*)(HINSTANCE, HINSTANCE, LPSTR, int);

// Prints the events on standard output; returns 0, or 2 for a script it cannot read.
int Run(const std::string& scriptPath, const std::string& outDir, EntryPoint program);

}  // namespace replay
