// The modules LoadLibraryA can find: libraries whose exports the subset implements itself.
#pragma once

#include <windows.h>

#include <vector>

namespace platform {

struct BuiltinExport {
  const char* name;
  FARPROC address;
};

struct BuiltinModule {
  const char* name;  // with its extension, as in the system folder
  std::vector<BuiltinExport> exports;
};

const std::vector<BuiltinModule>& BuiltinModules();

}  // namespace platform
