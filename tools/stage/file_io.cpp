#include "file_io.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace tools {
namespace {

std::string Reason(int error) { return std::strerror(error); }

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path,
                                                       std::string* error) {
  const auto fail = [&](const std::string& why) {
    *error = path + ": cannot read: " + why;
    return std::nullopt;
  };
  std::FILE* opened = std::fopen(path.c_str(), "rb");
  if (opened == nullptr) return fail(Reason(errno));
  std::unique_ptr<std::FILE, FileCloser> file(opened);
  // A folder opens on POSIX systems; only reading it fails.
  struct stat status;
  if (fstat(fileno(opened), &status) != 0) return fail(Reason(errno));
  if (S_ISDIR(status.st_mode)) return fail("it is a folder");
  std::vector<std::uint8_t> bytes;
  std::uint8_t buffer[65536];
  for (;;) {
    const std::size_t got = std::fread(buffer, 1, sizeof buffer, opened);
    bytes.insert(bytes.end(), buffer, buffer + got);
    if (got < sizeof buffer) break;
  }
  if (std::ferror(opened)) return fail(Reason(errno));
  return bytes;
}

bool WriteFileBytes(const std::string& path, const std::uint8_t* data, std::size_t size,
                    std::string* error) {
  const auto fail = [&](const std::string& why) {
    *error = path + ": cannot write: " + why;
    return false;
  };
  // A file is replaced only once its new contents are whole, so that a full disk or a failed
  // write leaves what was there before. What is not a plain file (a device, a pipe) is written
  // where it is.
  struct stat status;
  const bool exists = stat(path.c_str(), &status) == 0;
  if (exists && S_ISDIR(status.st_mode)) return fail("it is a folder");
  const bool inPlace = exists && !S_ISREG(status.st_mode);
  const std::string target = inPlace ? path : path + ".partial-" + std::to_string(getpid());
  std::FILE* file = std::fopen(target.c_str(), "wb");
  if (file == nullptr) return fail(Reason(errno));
  bool written = std::fwrite(data, 1, size, file) == size && std::fflush(file) == 0;
  int reason = errno;
  if (std::fclose(file) != 0 && written) written = false, reason = errno;
  if (written && !inPlace && std::rename(target.c_str(), path.c_str()) != 0)
    written = false, reason = errno;
  if (!written) {
    if (!inPlace) std::remove(target.c_str());
    return fail(Reason(reason));
  }
  return true;
}

}  // namespace tools
