// The entry point of a program on the SDL2 host: the host, then the program's WinMain.
#include <windows.h>

#include <string>

#include "sdl_host.h"

int main(int argc, char** argv) {
  platform::host::SdlHost host;
  std::string commandLine;
  for (int i = 1; i < argc; ++i) commandLine += (i > 1 ? " " : "") + std::string(argv[i]);
  return WinMain(reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(0x400000)), nullptr,
                 commandLine.data(), SW_SHOWDEFAULT);
}
