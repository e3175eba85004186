// The built-in modules: msimg32.dll with AlphaBlend, which the subset's GDI implements.
#include <windows.h>

#include "../common/never_destroyed.h"
#include "modules.h"

namespace platform {

const std::vector<BuiltinModule>& BuiltinModules() {
  static NeverDestroyed<std::vector<BuiltinModule>> modules(std::vector<BuiltinModule>{
      {"msimg32.dll", {{"AlphaBlend", reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&AlphaBlend))}}},
  });
  return modules.get();
}

}  // namespace platform
