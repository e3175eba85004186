// RegCreateKeyExA, RegQueryValueExA, RegSetValueExA and RegCloseKey for HKEY_CURRENT_USER.
#include <fcntl.h>
#include <strings.h>
#include <unistd.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "../common/handle_table.h"
#include "../common/never_destroyed.h"
#include "registry_store.h"

namespace platform::registry {
namespace {

namespace fs = std::filesystem;

bool SameName(const std::string& a, const std::string& b) {
  return strcasecmp(a.c_str(), b.c_str()) == 0;
}

struct OpenKey {
  std::string path;
};

struct Registry {
  bool loaded = false;
  bool dirty = false;
  bool keepFile = false;  // a damaged file that could not be copied aside
  std::string file;  // empty: the default place
  std::vector<Key> keys;
  HandleTable<OpenKey> handles{HandleKind::Key};
  std::function<bool()> beforeReplace;
  std::function<bool()> afterReplace;

  const std::string& File() {
    if (file.empty()) file = DefaultFilePath();
    return file;
  }

  Key* FindKey(const std::string& path) {
    for (Key& key : keys)
      if (SameName(key.path, path)) return &key;
    return nullptr;
  }

  // The first free name beside the file for a copy of it: user.reg.damaged, .damaged-2, ...
  std::string AsideName() {
    std::error_code ec;  // a name that cannot be looked at is tried, and found wanting, as any
    std::string aside = File() + ".damaged";
    for (int n = 2; fs::exists(aside, ec); ++n) aside = File() + ".damaged-" + std::to_string(n);
    return aside;
  }

  // A file that is not a registry of ours is put aside, never overwritten, and reading goes on
  // empty. One of ours with lines that cannot be read is copied aside as it is, before anything
  // is written over it, and read without those lines.
  void Load() {
    if (loaded) return;
    loaded = true;
    std::ifstream in(File(), std::ios::binary);
    if (!in) return;
    std::stringstream read;
    read << in.rdbuf();
    const std::string text = read.str();
    std::vector<DroppedLine> dropped;
    if (!Parse(text, &keys, &dropped)) {
      keys.clear();
      const std::string aside = AsideName();
      std::error_code ec;
      fs::rename(File(), aside, ec);
      // Nothing the file holds may be lost: one that cannot be set aside is not written over.
      keepFile = static_cast<bool>(ec);
      const std::string line =
          ec ? "Registry file " + File() + " is damaged and could not be set aside (" +
                   ec.message() + "); starting empty, and it will not be written over.\n"
             : "Registry file " + File() + " is damaged; kept as " + aside + ", starting empty.\n";
      OutputDebugStringA(line.c_str());
      return;
    }
    if (dropped.empty()) return;
    for (const DroppedLine& left : dropped) {
      const std::string line = "Registry file " + File() + ", line " +
                               std::to_string(left.number) + ": " + left.why + "; left out.\n";
      OutputDebugStringA(line.c_str());
    }
    const std::string aside = AsideName();
    std::string line;
    if (WriteNew(aside, text)) {
      // The next save writes what was kept, whether or not anything changes, so that the next
      // run finds a file it can read.
      dirty = true;
      line = "Registry file " + File() + " had lines that could not be read; kept as " + aside +
             ", read without them.\n";
    } else {
      // Nothing the file holds may be lost: without a copy, it is not written over.
      keepFile = true;
      line = "Registry file " + File() + " had lines that could not be read, and no copy of it " +
             "could be made; it will not be written over.\n";
    }
    OutputDebugStringA(line.c_str());
  }

  // Writes `text` to a file that does not exist yet, whole and synced; false if it could not.
  static bool WriteNew(const std::string& path, const std::string& text) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0) return false;
    bool written = true;
    for (std::size_t done = 0; written && done < text.size();) {
      const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
      if (n < 0 && errno == EINTR) continue;
      written = n > 0;
      if (written) done += static_cast<std::size_t>(n);
    }
    written = ::fsync(fd) == 0 && written;
    written = ::close(fd) == 0 && written;
    if (!written) std::remove(path.c_str());
    return written;
  }

  // Writes the whole registry to a new file beside the old one, then puts it in place.
  LSTATUS Save() {
    if (keepFile) return ERROR_REGISTRY_IO_FAILED;
    std::error_code ec;
    const fs::path target(File());
    if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
    const std::string temporary = File() + ".new";
    std::remove(temporary.c_str());  // one a failed save may have left
    if (!WriteNew(temporary, Serialise(keys)) || (beforeReplace && !beforeReplace()) ||
        std::rename(temporary.c_str(), File().c_str()) != 0) {
      std::remove(temporary.c_str());
      return ERROR_REGISTRY_IO_FAILED;
    }
    // In place but not yet kept where it lasts: still to be saved, at the next chance.
    if (afterReplace && !afterReplace()) return ERROR_REGISTRY_IO_FAILED;
    dirty = false;
    return ERROR_SUCCESS;
  }
};

Registry& State() {
  static NeverDestroyed<Registry> registry;
  return registry.get();
}

// The key path a handle stands for: "" for HKEY_CURRENT_USER itself; false for a handle the
// subset does not know.
bool PathOf(HKEY handle, std::string* path) {
  if (handle == HKEY_CURRENT_USER) {
    path->clear();
    return true;
  }
  OpenKey* key = State().handles.Find(reinterpret_cast<std::uintptr_t>(handle));
  if (key == nullptr) return false;
  *path = key->path;
  return true;
}

// Joins and tidies "A\\B" under a parent; false for an empty element ("A\\\\B").
bool Join(const std::string& parent, const char* sub, std::string* path) {
  std::string joined = parent;
  std::string element;
  for (const char* c = sub;; ++c) {
    if (*c == '\\' || *c == '\0') {
      if (element.empty() && *c == '\\') return false;
      if (!element.empty()) joined += (joined.empty() ? "" : "\\") + element;
      element.clear();
      if (*c == '\0') break;
    } else {
      element += *c;
    }
  }
  *path = joined;
  return true;
}

}  // namespace

std::string DefaultFilePath() {
  if (const char* path = std::getenv("TAVRELO_REGISTRY"); path != nullptr && *path != '\0')
    return path;
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config == '/')
    return std::string(config) + "/tavrelo/user.reg";
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr ? home : ".") + "/.config/tavrelo/user.reg";
}

void UseFile(const std::string& path) {
  Registry& registry = State();
  registry.file = path;
  registry.keys.clear();
  registry.loaded = registry.dirty = registry.keepFile = false;
}

void SetBeforeReplaceHook(std::function<bool()> hook) { State().beforeReplace = std::move(hook); }
void SetAfterReplaceHook(std::function<bool()> hook) { State().afterReplace = std::move(hook); }

}  // namespace platform::registry

using platform::registry::State;

extern "C" LSTATUS WINAPI RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, LPSTR, DWORD, REGSAM,
                                          const LPSECURITY_ATTRIBUTES, PHKEY phkResult,
                                          LPDWORD lpdwDisposition) {
  using namespace platform::registry;
  std::string parent, path;
  if (!PathOf(hKey, &parent)) return ERROR_INVALID_HANDLE;
  if (phkResult == nullptr) return ERROR_INVALID_PARAMETER;
  if (!Join(parent, lpSubKey != nullptr ? lpSubKey : "", &path)) return ERROR_BADKEY;
  Registry& registry = State();
  registry.Load();
  DWORD disposition = REG_OPENED_EXISTING_KEY;
  if (!path.empty() && registry.FindKey(path) == nullptr) {
    registry.keys.push_back({path, static_cast<std::int64_t>(std::time(nullptr)), {}});
    registry.dirty = true;
    disposition = REG_CREATED_NEW_KEY;
  }
  const std::uintptr_t handle = registry.handles.Add({path});
  if (handle == 0) return ERROR_NOT_ENOUGH_MEMORY;
  *phkResult = reinterpret_cast<HKEY>(handle);
  if (lpdwDisposition != nullptr) *lpdwDisposition = disposition;
  return ERROR_SUCCESS;
}

extern "C" LSTATUS WINAPI RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved,
                                           LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
  using namespace platform::registry;
  std::string path;
  if (!PathOf(hKey, &path)) return ERROR_INVALID_HANDLE;
  if (lpReserved != nullptr || (lpData != nullptr && lpcbData == nullptr))
    return ERROR_INVALID_PARAMETER;
  Registry& registry = State();
  registry.Load();
  const Key* key = registry.FindKey(path);
  const std::string name = lpValueName != nullptr ? lpValueName : "";
  const Value* value = nullptr;
  if (key != nullptr)
    for (const Value& candidate : key->values)
      if (SameName(candidate.name, name)) value = &candidate;
  if (value == nullptr) return ERROR_FILE_NOT_FOUND;

  if (lpType != nullptr) *lpType = value->type;
  const DWORD size = static_cast<DWORD>(value->data.size());
  if (lpcbData == nullptr) return ERROR_SUCCESS;
  if (lpData != nullptr && *lpcbData < size) {
    *lpcbData = size;
    return ERROR_MORE_DATA;
  }
  if (lpData != nullptr && size != 0) std::memcpy(lpData, value->data.data(), size);
  *lpcbData = size;
  return ERROR_SUCCESS;
}

extern "C" LSTATUS WINAPI RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD, DWORD dwType,
                                         const BYTE* lpData, DWORD cbData) {
  using namespace platform::registry;
  std::string path;
  if (!PathOf(hKey, &path)) return ERROR_INVALID_HANDLE;
  if (lpData == nullptr && cbData != 0) return ERROR_INVALID_PARAMETER;
  Registry& registry = State();
  registry.Load();
  Key* key = registry.FindKey(path);
  if (key == nullptr) return ERROR_BADKEY;  // HKEY_CURRENT_USER itself holds no values here
  const std::string name = lpValueName != nullptr ? lpValueName : "";
  Value* value = nullptr;
  for (Value& candidate : key->values)
    if (SameName(candidate.name, name)) value = &candidate;
  if (value == nullptr) {
    key->values.push_back({name, 0, {}});
    value = &key->values.back();
  } else if (value->type == dwType &&
             std::equal(value->data.begin(), value->data.end(), lpData, lpData + cbData)) {
    return ERROR_SUCCESS;  // as it was: nothing to write
  }
  value->type = dwType;
  value->data.assign(lpData, lpData + cbData);
  key->modified = static_cast<std::int64_t>(std::time(nullptr));
  registry.dirty = true;
  return ERROR_SUCCESS;
}

extern "C" LSTATUS WINAPI RegCloseKey(HKEY hKey) {
  using namespace platform::registry;
  Registry& registry = State();
  if (hKey == HKEY_CURRENT_USER) return ERROR_SUCCESS;
  if (!registry.handles.Remove(reinterpret_cast<std::uintptr_t>(hKey))) return ERROR_INVALID_HANDLE;
  if (!registry.dirty) return ERROR_SUCCESS;
  const LSTATUS saved = registry.Save();
  if (saved != ERROR_SUCCESS) {
    const std::string line = "Registry file " + registry.File() + " could not be written.\n";
    OutputDebugStringA(line.c_str());
  }
  return saved;
}
