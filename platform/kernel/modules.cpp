// LoadLibraryA, GetProcAddress and FreeLibrary over the subset's built-in modules: a name
// Windows would find in the system folder and whose exports the subset implements.
#include <windows.h>

#include <strings.h>
#include <cstring>
#include <string>

#include "../common/handle_table.h"
#include "../common/never_destroyed.h"
#include "last_error.h"
#include "modules.h"

namespace platform {
namespace {

struct LoadedModule {
  const BuiltinModule* module;
  int references;
};

struct ModuleState {
  HandleTable<LoadedModule> table{HandleKind::Module};
};

ModuleState& State() {
  static NeverDestroyed<ModuleState> state;
  return state.get();
}

// "msimg32", "MSIMG32.DLL" and "C:\Windows\System32\msimg32.dll" all name msimg32.dll.
std::string ModuleName(const char* path) {
  std::string name(path);
  const std::size_t slash = name.find_last_of("\\/");
  if (slash != std::string::npos) name.erase(0, slash + 1);
  if (name.find('.') == std::string::npos) name += ".dll";
  return name;
}

}  // namespace
}  // namespace platform

extern "C" HMODULE WINAPI LoadLibraryA(LPCSTR lpLibFileName) {
  using namespace platform;
  if (lpLibFileName == nullptr || *lpLibFileName == '\0')
    return Fail(ERROR_INVALID_PARAMETER, HMODULE{});
  const std::string name = ModuleName(lpLibFileName);
  const BuiltinModule* module = nullptr;
  for (const BuiltinModule& candidate : BuiltinModules())
    if (strcasecmp(candidate.name, name.c_str()) == 0) module = &candidate;
  if (module == nullptr) return Fail(ERROR_MOD_NOT_FOUND, HMODULE{});

  std::uintptr_t found = 0;
  State().table.ForEach([&](std::uintptr_t handle, LoadedModule& loaded) {
    if (loaded.module == module) {
      ++loaded.references;
      found = handle;
    }
  });
  if (found == 0) found = State().table.Add({module, 1});
  return reinterpret_cast<HMODULE>(found);
}

extern "C" FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
  using namespace platform;
  LoadedModule* loaded = State().table.Find(reinterpret_cast<std::uintptr_t>(hModule));
  if (loaded == nullptr) return Fail(ERROR_INVALID_HANDLE, FARPROC{});
  if (lpProcName == nullptr) return Fail(ERROR_PROC_NOT_FOUND, FARPROC{});
  for (const BuiltinExport& entry : loaded->module->exports)
    if (std::strcmp(entry.name, lpProcName) == 0) return entry.address;
  return Fail(ERROR_PROC_NOT_FOUND, FARPROC{});
}

extern "C" BOOL WINAPI FreeLibrary(HMODULE hLibModule) {
  using namespace platform;
  const auto handle = reinterpret_cast<std::uintptr_t>(hLibModule);
  LoadedModule* loaded = State().table.Find(handle);
  if (loaded == nullptr) return Fail(ERROR_INVALID_HANDLE, FALSE);
  if (--loaded->references == 0) State().table.Remove(handle);
  return TRUE;
}
