// Before the game's WinMain: a player who starts tavrelo.exe from elsewhere (a command prompt in
// C:\, a shortcut whose "Start in" is another folder) plays the stages beside the program, as
// the Linux build plays its installed ones. A Stage folder in the working folder still wins, so
// that a stage author can try stages of their own. The game itself looks in .\Stage only.
#include <windows.h>

#include <string>

namespace {

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The program's own folder, in full however long and whatever its letters (the wide calls).
std::wstring ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return L"";
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  const std::wstring::size_type slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? L"" : path.substr(0, slash);
}

struct WorkWhereTheStagesAre {
  WorkWhereTheStagesAre() {
    if (IsFolder(L"Stage")) return;
    const std::wstring folder = ProgramFolder();
    if (!folder.empty() && IsFolder(folder + L"\\Stage")) SetCurrentDirectoryW(folder.c_str());
  }
};

// Made, and so run, as the program starts, before WinMain.
const WorkWhereTheStagesAre g_workWhereTheStagesAre;

}  // namespace
