// The tracked allocator: every heap block of the game's own modules is recorded with the
// source file and line that took it, so that the blocks never given back can be named at exit.
#pragma once

#include <stdint.h>

#define TRACKED_FILE_CHARS 1024
#define TRACKED_GROWTH 64

struct TrackedBlock {
  void* pointer;  // null marks a free slot
  uint32_t size;
  char file[TRACKED_FILE_CHARS];
  int32_t line;
};

struct TrackedList {
  uint32_t capacity;
  uint32_t liveCount;
  uint32_t liveBytes;
  TrackedBlock* slots;
};

// The program-wide list that every module passes.
extern TrackedList g_TrackedList;

void* TrackedAlloc(uint32_t size, TrackedList* list, const char* file, int line);
void TrackedFree(void* pointer, TrackedList* list);
void TrackedReportLeaks();
