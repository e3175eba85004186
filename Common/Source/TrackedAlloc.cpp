#include "TrackedAlloc.h"

#include <windows.h>

#include <inttypes.h>
#include <stdio.h>
#include <string.h>

#include "GeneralHeap.h"

TrackedList g_TrackedList;

static bool GrowSlotTable(TrackedList* list) {
  uint32_t capacity = list->capacity + TRACKED_GROWTH;
  TrackedBlock* slots = (TrackedBlock*)GeneralHeapAlloc(capacity * sizeof(TrackedBlock));
  if (slots == NULL) return false;  // the old table stays as it was
  memset(slots, 0, capacity * sizeof(TrackedBlock));
  if (list->slots != NULL) memcpy(slots, list->slots, list->capacity * sizeof(TrackedBlock));
  GeneralHeapFree(list->slots);
  list->slots = slots;
  list->capacity = capacity;
  return true;
}

// A name too long for the slot keeps its end, where the file name itself is.
static void CopyFileName(char* slot, const char* file) {
  size_t length = strlen(file);
  if (length < TRACKED_FILE_CHARS) {
    memcpy(slot, file, length + 1);
    return;
  }
  const size_t tail = TRACKED_FILE_CHARS - 1 - 3;
  memcpy(slot, "...", 3);
  memcpy(slot + 3, file + length - tail, tail + 1);
}

void* TrackedAlloc(uint32_t size, TrackedList* list, const char* file, int line) {
  if (list == NULL) return NULL;
  if (list->liveCount >= list->capacity && !GrowSlotTable(list)) return NULL;

  void* pointer = GeneralHeapAlloc(size);
  if (pointer == NULL) return NULL;

  TrackedBlock* slot = list->slots;
  while (slot->pointer != NULL) ++slot;  // liveCount < capacity, so a free slot exists
  slot->pointer = pointer;
  slot->size = size;
  CopyFileName(slot->file, file != NULL ? file : "");
  slot->line = line;

  list->liveCount += 1;
  list->liveBytes += size;
  return pointer;
}

void TrackedFree(void* pointer, TrackedList* list) {
  if (pointer == NULL) return;
  TrackedBlock* slot = NULL;
  if (list != NULL) {
    for (uint32_t i = 0; i < list->capacity; ++i) {
      if (list->slots[i].pointer == pointer) {
        slot = &list->slots[i];
        break;
      }
    }
  }
  if (slot == NULL) {
    OutputDebugStringA("Invalid memory pointer.\n");
    return;
  }
  list->liveCount -= 1;
  list->liveBytes -= slot->size;
  memset(slot, 0, sizeof *slot);
  GeneralHeapFree(pointer);
}

void TrackedReportLeaks() {
  TrackedList* list = &g_TrackedList;
  for (uint32_t i = 0; i < list->capacity; ++i) {
    const TrackedBlock* slot = &list->slots[i];
    if (slot->pointer == NULL) continue;
    // The address is printed whole: 8 hex digits on 32-bit systems, 16 on 64-bit ones.
    char line[TRACKED_FILE_CHARS + 128];  // room for the longest name and the newline
    snprintf(line, sizeof line,
             "!!! Memory leak detected. !!! Address %0*" PRIxPTR ", File %s, Line %d\n",
             (int)(2 * sizeof(void*)), (uintptr_t)slot->pointer, slot->file, (int)slot->line);
    OutputDebugStringA(line);
  }
  GeneralHeapFree(list->slots);
  memset(list, 0, sizeof *list);
}
