// The stage set in the browser: the page knows every stage's name from the start, and a stage's
// bytes are fetched from the site when the game opens it. The Stage folder holds one empty file
// per stage until then; the game lists it as it lists a folder on disk.
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>

#include "web_stages.h"

// The page's side (web_stages.js). Both wait for the browser, yielding to it meanwhile.
extern "C" {
int tavrelo_web_list_stages(const char* list, const char* folder);
int tavrelo_web_fetch_stage(const char* path);
FILE* __real_fopen(const char* path, const char* mode);
}

namespace platform::host {

bool ListStages(const char* list, const char* folder) {
  return tavrelo_web_list_stages(list, folder) != 0;
}

}  // namespace platform::host

// Every fopen of the program comes here first (the link wraps it): a stage that is still an
// empty placeholder is fetched before it is opened. One that cannot be fetched stays empty, and
// the game refuses it as it refuses any stage it cannot read.
extern "C" FILE* __wrap_fopen(const char* path, const char* mode) {
  struct stat status;
  const size_t length = path != nullptr ? strlen(path) : 0;
  if (length > 4 && strcmp(path + length - 4, ".stg") == 0 && mode != nullptr && mode[0] == 'r' &&
      stat(path, &status) == 0 && S_ISREG(status.st_mode) && status.st_size == 0)
    tavrelo_web_fetch_stage(path);
  return __real_fopen(path, mode);
}
