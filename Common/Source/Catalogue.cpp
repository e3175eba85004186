// The stage catalogue: which stage files there are, and the order a game plays them in.
#include <stdio.h>
#include <string.h>

#include "Tavrelo.h"
#include "TrackedAlloc.h"

static const char kStageMask[] = STAGE_PATH_PREFIX "*.stg";

void FreeStageFiles(GameState* game) {
  if (game->stageFiles != NULL) {
    for (DWORD i = 0; i < game->stageFileCount; ++i)
      TrackedFree(game->stageFiles[i], &g_TrackedList);
    TrackedFree(game->stageFiles, &g_TrackedList);
  }
  game->stageFiles = NULL;
  game->stageFileCount = 0;
}

static DWORD CountStageFiles() {
  WIN32_FIND_DATAA entry;
  HANDLE listing = FindFirstFileA(kStageMask, &entry);
  if (listing == INVALID_HANDLE_VALUE) return 0;
  DWORD count = 1;
  while (FindNextFileA(listing, &entry)) ++count;
  FindClose(listing);
  return count;
}

DWORD ScanStageFiles(GameState* game) {
  FreeStageFiles(game);
  DWORD count = CountStageFiles();
  if (count == 0) return 0;

  char** names =
      (char**)TrackedAlloc(count * sizeof(char*), &g_TrackedList, __FILE__, __LINE__);
  if (names == NULL) {
    OutputDebugStringA("Out of memory: the stage files cannot be listed.\n");
    return 0;
  }
  for (DWORD i = 0; i < count; ++i) names[i] = NULL;
  game->stageFiles = names;

  // The folder may have changed since it was counted: only names listed now are kept.
  WIN32_FIND_DATAA entry;
  HANDLE listing = FindFirstFileA(kStageMask, &entry);
  DWORD kept = 0;
  if (listing != INVALID_HANDLE_VALUE) {
    do {
      names[kept] = (char*)TrackedAlloc(kStageNameChars, &g_TrackedList, __FILE__, __LINE__);
      if (names[kept] == NULL) {
        OutputDebugStringA("Out of memory: the stage files cannot all be listed.\n");
        break;
      }
      snprintf(names[kept], kStageNameChars, "%s", entry.cFileName);
      ++kept;
    } while (kept < count && FindNextFileA(listing, &entry));
    FindClose(listing);
  }
  game->stageFileCount = kept;
  if (kept == 0) FreeStageFiles(game);
  return kept > 0 ? 1 : 0;
}

void MakeStagePath(char* path, const char* name) {
  snprintf(path, kStagePathChars, "%s%s", STAGE_PATH_PREFIX, name);
}

DWORD BuildPlayOrder(GameState* game) {
  DWORD fileCount = game->stageFileCount;
  DWORD stages = game->stagesPerGame;
  if (fileCount == 0 || stages > kMaxStagesPerGame) return 0;
  DWORD chosen[kMaxStagesPerGame];
  DWORD* useCount =
      (DWORD*)TrackedAlloc(fileCount * sizeof(DWORD), &g_TrackedList, __FILE__, __LINE__);
  if (useCount == NULL) return 0;
  memset(useCount, 0, fileCount * sizeof(DWORD));
  SeedRandom();
  for (DWORD j = 0; j < stages; ++j) {
    DWORD limit = j / fileCount;
    DWORD k = NextRandom() % fileCount;
    while (useCount[k] > limit) k = (k + 1) % fileCount;
    chosen[j] = k;
    useCount[k] += 1;
  }
  for (DWORD j = 0; j < stages; ++j)
    MakeStagePath(game->playOrder[j], game->stageFiles[chosen[j]]);
  TrackedFree(useCount, &g_TrackedList);
  return 1;
}
