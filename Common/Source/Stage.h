// Stage files: one picture, and per difference a rectangle and the patch that makes it.
#pragma once

#include <windows.h>

#include "image/JpegToBmp.h"

#define STAGE_HEADER_SIZE 96
#define STAGE_COUNT_OFFSET 64
#define STAGE_RECORD_SIZE 16
#define STAGE_CHUNK_HEADER_SIZE 16
#define STAGE_CHUNK_LENGTH_OFFSET 8

struct Difference {
  LONG left;  // the rectangle the player must hit, right and bottom exclusive
  LONG top;
  LONG right;
  LONG bottom;
  DibImage patch;  // placed with its top-left pixel at (left, top)
  DWORD available;
  DWORD chosen;
  DWORD patchLeft;
  DWORD patchRight;
};

struct StageData {
  DibImage picture;
  DWORD differenceCount;
  DWORD availableCount;
  Difference* differences;  // in record order
};

// Reads and decodes a whole stage file; null, with the reason on the debugger output, when the
// file cannot be read or is not a sound stage.
StageData* LoadStage(const char* path);
void FreeStage(StageData* stage);
