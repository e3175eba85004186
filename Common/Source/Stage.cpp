// The stage loader.
//
// A stage file is a 96-byte header with the count field, one 16-byte rectangle per
// difference, then JPEG chunks (a 16-byte header with the length, then the stream): the
// picture first, then the patches in reverse record order. Every picture is stored upside down,
// so that after decoding its stored rows run from the visible top down.
//
// Files come from anywhere: every length is checked against what the file still holds before
// anything is read or allocated for it, and a file that fails any check gives back all it took.
#include "Stage.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include "TrackedAlloc.h"

static DWORD ReadLe32(const BYTE* at) {
  return (DWORD)at[0] | (DWORD)at[1] << 8 | (DWORD)at[2] << 16 | (DWORD)at[3] << 24;
}

// The open file and how much of it is still unread.
struct StageReader {
  const char* path;
  FILE* file;
  unsigned long long remaining;
};

static void RefuseStage(const StageReader* reader, const char* reason, ...) {
  char text[1024];
  int used = snprintf(text, sizeof text, "Stage file %s refused: ", reader->path);
  if (used < 0 || used >= (int)sizeof text) used = 0;
  va_list args;
  va_start(args, reason);
  vsnprintf(text + used, sizeof text - used, reason, args);
  va_end(args);
  size_t length = strlen(text);
  if (length + 1 < sizeof text) {
    text[length] = '\n';
    text[length + 1] = '\0';
  }
  OutputDebugStringA(text);
}

static bool ReadBytes(StageReader* reader, BYTE* buffer, DWORD count) {
  if (count > reader->remaining) return false;
  if (count != 0 && fread(buffer, 1, count, reader->file) != count) return false;
  reader->remaining -= count;
  return true;
}

// Reads chunk `index` (0 the picture) and decodes it into a tracked block; null, refused, when
// the chunk is short, its stream does not decode or memory runs out.
static BYTE* ReadChunk(StageReader* reader, DWORD index) {
  BYTE header[STAGE_CHUNK_HEADER_SIZE];
  if (!ReadBytes(reader, header, sizeof header)) {
    RefuseStage(reader, "the file ends before the header of chunk %lu", (unsigned long)index);
    return NULL;
  }
  DWORD length = ReadLe32(header + STAGE_CHUNK_LENGTH_OFFSET);
  if (length > reader->remaining) {
    RefuseStage(reader, "chunk %lu announces %lu bytes, but only %llu follow", (unsigned long)index,
                (unsigned long)length, reader->remaining);
    return NULL;
  }
  BYTE* jpeg = (BYTE*)TrackedAlloc(length, &g_TrackedList, __FILE__, __LINE__);
  if (jpeg == NULL) {
    RefuseStage(reader, "no memory for the %lu bytes of chunk %lu", (unsigned long)length,
                (unsigned long)index);
    return NULL;
  }
  BYTE* picture = NULL;
  if (!ReadBytes(reader, jpeg, length))
    RefuseStage(reader, "chunk %lu cannot be read", (unsigned long)index);
  else if ((picture = JpegToTrackedBmp(jpeg, length, &g_TrackedList, __FILE__, __LINE__)) == NULL)
    RefuseStage(reader, "the picture of chunk %lu cannot be decoded", (unsigned long)index);
  TrackedFree(jpeg, &g_TrackedList);
  return picture;
}

static bool PatchFitsPicture(const Difference* difference, const DibImage* picture) {
  LONG width = difference->patch.info->biWidth;
  LONG height = difference->patch.info->biHeight;
  LONG pictureWidth = picture->info->biWidth;
  LONG pictureHeight = picture->info->biHeight;
  return difference->left >= 0 && difference->top >= 0 && difference->left <= pictureWidth &&
         difference->top <= pictureHeight && width <= pictureWidth - difference->left &&
         height <= pictureHeight - difference->top;
}

// Reads everything after the header into `stage`, whose blocks FreeStage can release at any
// point; false when the file is refused.
static bool ReadStageBody(StageReader* reader, StageData* stage, DWORD countField) {
  if (countField < 3) {
    RefuseStage(reader, "count field %lu is below 3", (unsigned long)countField);
    return false;
  }
  DWORD count = (countField - 3) / 2;
  // Each difference takes a record and a chunk header at the least; the picture one more.
  unsigned long long least =
      (unsigned long long)count * (STAGE_RECORD_SIZE + STAGE_CHUNK_HEADER_SIZE) +
      STAGE_CHUNK_HEADER_SIZE;
  if (least > reader->remaining || count > 0xFFFFFFFFu / sizeof(Difference)) {
    RefuseStage(reader, "count field %lu announces %lu differences, more than the file holds",
                (unsigned long)countField, (unsigned long)count);
    return false;
  }
  DWORD arraySize = (DWORD)(count * sizeof(Difference));
  stage->differences = (Difference*)TrackedAlloc(arraySize, &g_TrackedList, __FILE__, __LINE__);
  if (stage->differences == NULL) {
    RefuseStage(reader, "no memory for %lu differences", (unsigned long)count);
    return false;
  }
  memset(stage->differences, 0, arraySize);
  stage->differenceCount = count;

  for (DWORD i = 0; i < count; ++i) {
    BYTE record[STAGE_RECORD_SIZE];
    if (!ReadBytes(reader, record, sizeof record)) {
      RefuseStage(reader, "the record of difference %lu cannot be read", (unsigned long)i);
      return false;
    }
    Difference* difference = &stage->differences[i];
    difference->left = (LONG)ReadLe32(record + 0);
    difference->top = (LONG)ReadLe32(record + 4);
    difference->right = (LONG)ReadLe32(record + 8);
    difference->bottom = (LONG)ReadLe32(record + 12);
  }

  BYTE* picture = ReadChunk(reader, 0);
  if (picture == NULL) return false;
  BindDibImage(&stage->picture, picture);
  for (DWORD k = 0; k < count; ++k) {
    BYTE* patch = ReadChunk(reader, k + 1);
    if (patch == NULL) return false;
    BindDibImage(&stage->differences[count - 1 - k].patch, patch);
  }

  for (DWORD i = 0; i < count; ++i) {
    if (!PatchFitsPicture(&stage->differences[i], &stage->picture)) {
      const Difference* d = &stage->differences[i];
      RefuseStage(reader,
                  "the patch of difference %lu (%ld x %ld at %ld, %ld) reaches outside the picture",
                  (unsigned long)i, (long)d->patch.info->biWidth, (long)d->patch.info->biHeight,
                  (long)d->left, (long)d->top);
      return false;
    }
  }
  return true;
}

// Stage paths are written the Windows way (".\\Stage\\NAME"); Windows opens them with forward
// slashes just as well, and POSIX systems open them only so.
static FILE* OpenStageFile(const char* path) {
  char native[4096];
  size_t length = strlen(path);
  if (length >= sizeof native) return NULL;
  for (size_t i = 0; i <= length; ++i) native[i] = path[i] == '\\' ? '/' : path[i];
  return fopen(native, "rb");
}

StageData* LoadStage(const char* path) {
  StageReader reader = {path, OpenStageFile(path), 0};
  if (reader.file == NULL) {
    RefuseStage(&reader, "it cannot be opened");
    return NULL;
  }
  long size = -1;
  if (fseek(reader.file, 0, SEEK_END) == 0) size = ftell(reader.file);
  if (size < 0 || fseek(reader.file, 0, SEEK_SET) != 0) {
    RefuseStage(&reader, "its size cannot be read");
    fclose(reader.file);
    return NULL;
  }
  reader.remaining = (unsigned long long)size;

  StageData* stage =
      (StageData*)TrackedAlloc(sizeof(StageData), &g_TrackedList, __FILE__, __LINE__);
  if (stage == NULL) {
    RefuseStage(&reader, "no memory for the stage");
    fclose(reader.file);
    return NULL;
  }
  memset(stage, 0, sizeof *stage);

  BYTE header[STAGE_HEADER_SIZE];
  bool loaded = false;
  if (!ReadBytes(&reader, header, sizeof header))
    RefuseStage(&reader, "it is shorter than the %d-byte header", STAGE_HEADER_SIZE);
  else
    loaded = ReadStageBody(&reader, stage, ReadLe32(header + STAGE_COUNT_OFFSET));
  fclose(reader.file);
  if (!loaded) {
    FreeStage(stage);
    return NULL;
  }
  return stage;
}

void FreeStage(StageData* stage) {
  if (stage == NULL) return;
  for (DWORD i = 0; i < stage->differenceCount; ++i)
    TrackedFree(stage->differences[i].patch.file, &g_TrackedList);
  TrackedFree(stage->picture.file, &g_TrackedList);
  TrackedFree(stage->differences, &g_TrackedList);
  TrackedFree(stage, &g_TrackedList);
}
