// FindFirstFileA, FindNextFileA and FindClose: listing a folder with a wildcard. Windows gives
// no order; the subset delivers the names sorted, so that runs are repeatable.
#include <windows.h>

#include <algorithm>
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

std::int64_t FileTimeOf(const fs::directory_entry& entry) {
  std::error_code ec;
  const auto written = entry.last_write_time(ec);
  if (ec) return 0;
#if defined(_LIBCPP_VERSION)
  // libc++ (the browser's build) has no file_clock::to_sys yet; its file times count from 1970.
  const auto sinceUnix = std::chrono::duration_cast<std::chrono::seconds>(written.time_since_epoch());
#else
  const auto sinceUnix = std::chrono::duration_cast<std::chrono::seconds>(
      std::chrono::file_clock::to_sys(written).time_since_epoch());
#endif
  return (sinceUnix.count() + 11644473600LL) * 10000000LL;
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
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() >= MAX_PATH || !MatchesMask(name, mask)) continue;
    std::error_code entryError;
    const bool isFolder = it->is_directory(entryError);
    const std::uintmax_t size = isFolder ? 0 : it->file_size(entryError);
    listing.entries.push_back({name, isFolder, entryError ? 0 : size, FileTimeOf(*it)});
  }
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
