// The entry point of a program in the browser: the settings folder read back from IndexedDB
// before anything else, the web host, then the program's WinMain; when it returns, the page is
// told, since a page cannot close itself.
#include <unistd.h>
#include <windows.h>

#include <cstdint>
#include <cstdlib>

#include "registry/registry_store.h"
#include "web_host.h"
#include "web_stages.h"

// The page's side (web_host.js). Both wait for IndexedDB, yielding to the browser meanwhile.
extern "C" {
int tavrelo_web_mount_settings(const char* folder);  // false: nothing will be kept
int tavrelo_web_keep_settings(void);                 // false: what is there was not kept
void tavrelo_web_ended(int status);
}

namespace {

// Where the program's data lies in its file system (the names of the stages, and the Stage
// folder the game plays them from), and the folder the browser keeps between visits.
constexpr const char* kDataFolder = "/game";
constexpr const char* kStageList = "/game/stages.txt";
constexpr const char* kStageFolder = "/game/Stage";
constexpr const char* kSettingsFolder = "/settings";

}  // namespace

int main() {
  if (chdir(kDataFolder) != 0) return 1;
  platform::host::ListStages(kStageList, kStageFolder);
  // Without IndexedDB (a private window may have none) the game still plays; it forgets.
  if (tavrelo_web_mount_settings(kSettingsFolder)) {
    setenv("TAVRELO_REGISTRY", (std::string(kSettingsFolder) + "/user.reg").c_str(), 1);
    // A save returns once the browser has the file: the page may be gone a moment later.
    platform::registry::SetAfterReplaceHook([] { return tavrelo_web_keep_settings() != 0; });
  }
  int status = 0;
  {
    platform::host::WebHost host;
    // The program takes no command line of its own: WinMain is given an empty one.
    char commandLine[] = "";
    status = WinMain(reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(0x400000)), nullptr,
                     commandLine, SW_SHOWDEFAULT);
  }
  tavrelo_web_ended(status);
  return status;
}
