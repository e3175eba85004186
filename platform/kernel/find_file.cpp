// FindFirstFileA, FindNextFileA and FindClose: listing a folder with a wildcard. Windows gives
// no order; the subset delivers the names sorted, so that runs are repeatable.
#include <dirent.h>
#include <sys/stat.h>
#include <windows.h>

#include <algorithm>
#include <ctime>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "../common/handle_table.h"
#include "../common/never_destroyed.h"
#include "../common/paths.h"
#include "last_error.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

struct Found {
  std::string name;
  bool folder;
  std::uintmax_t size;
  std::int64_t writeTime;  // 100 ns units since 1601, as FILETIME counts
};

struct Listing {
  std::vector<Found> entries;
  std::size_t next = 0;
};

HandleTable<Listing>& Listings() {
  static NeverDestroyed<HandleTable<Listing>> table(HandleKind::Find);
  return table.get();
}

// 100 ns units since 1601, as FILETIME counts, from a time in seconds since 1970.
std::int64_t FileTimeOf(std::time_t sinceUnix) {
  return (static_cast<std::int64_t>(sinceUnix) + 11644473600LL) * 10000000LL;
}

// The entries of `folder` that match `mask`: one stat of each, by its name within the open
// folder, for its kind, size and time.
std::vector<Found> ListFolder(const std::string& folder, const std::string& mask) {
  std::vector<Found> entries;
  DIR* listing = opendir(folder.c_str());
  if (listing == nullptr) return entries;
  while (const dirent* entry = readdir(listing)) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == ".." || name.size() >= MAX_PATH || !MatchesMask(name, mask)) continue;
    struct stat status {};
    const bool known = fstatat(dirfd(listing), entry->d_name, &status, 0) == 0;
    const bool isFolder = known && S_ISDIR(status.st_mode);
    entries.push_back({std::string(name), isFolder,
                       known && !isFolder ? static_cast<std::uintmax_t>(status.st_size) : 0,
                       known ? FileTimeOf(status.st_mtime) : 0});
  }
  closedir(listing);
  return entries;
}

void Fill(const Found& found, LPWIN32_FIND_DATAA data) {
  std::memset(data, 0, sizeof *data);
  data->dwFileAttributes = found.folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
  data->nFileSizeHigh = static_cast<DWORD>(found.size >> 32);
  data->nFileSizeLow = static_cast<DWORD>(found.size);
  data->ftLastWriteTime = {static_cast<DWORD>(found.writeTime),
                           static_cast<DWORD>(found.writeTime >> 32)};
  data->ftCreationTime = data->ftLastAccessTime = data->ftLastWriteTime;
  std::memcpy(data->cFileName, found.name.data(), found.name.size());  // shorter than MAX_PATH
}

HANDLE AsHandle(std::uintptr_t value) { return reinterpret_cast<HANDLE>(value); }
std::uintptr_t Value(HANDLE handle) { return reinterpret_cast<std::uintptr_t>(handle); }

}  // namespace
}  // namespace platform

extern "C" HANDLE WINAPI FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData) {
  using namespace platform;
  if (lpFileName == nullptr || lpFindFileData == nullptr || *lpFileName == '\0')
    return Fail(ERROR_PATH_NOT_FOUND, INVALID_HANDLE_VALUE);
  const std::string path = PosixPath(lpFileName);
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const std::string mask = slash == std::string::npos ? path : path.substr(slash + 1);

  std::error_code ec;
  if (!fs::is_directory(folder, ec)) return Fail(ERROR_PATH_NOT_FOUND, INVALID_HANDLE_VALUE);
  Listing listing;
  listing.entries = ListFolder(folder, mask);
  if (listing.entries.empty()) return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
  std::sort(listing.entries.begin(), listing.entries.end(),
            [](const Found& a, const Found& b) { return a.name < b.name; });
  Fill(listing.entries[0], lpFindFileData);
  listing.next = 1;
  const std::uintptr_t handle = Listings().Add(std::move(listing));
  if (handle == 0) return Fail(ERROR_NOT_ENOUGH_MEMORY, INVALID_HANDLE_VALUE);
  return AsHandle(handle);
}

extern "C" BOOL WINAPI FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData) {
  using namespace platform;
  Listing* listing = Listings().Find(Value(hFindFile));
  if (listing == nullptr) return Fail(ERROR_INVALID_HANDLE, FALSE);
  if (lpFindFileData == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  if (listing->next >= listing->entries.size()) return Fail(ERROR_NO_MORE_FILES, FALSE);
  Fill(listing->entries[listing->next++], lpFindFileData);
  return TRUE;
}

extern "C" BOOL WINAPI FindClose(HANDLE hFindFile) {
  using namespace platform;
  return Listings().Remove(Value(hFindFile)) ? TRUE : Fail(ERROR_INVALID_HANDLE, FALSE);
}
