#include "MemStream.h"

#include <string.h>

#include "../GeneralHeap.h"

static MemStream* NewStream(unsigned char* data, uint32_t capacity, uint32_t length, bool wrapped) {
  MemStream* stream = (MemStream*)GeneralHeapAlloc(sizeof(MemStream));
  if (stream == NULL) return NULL;
  stream->capacity = capacity;
  stream->length = length;
  stream->position = 0;
  stream->data = data;
  stream->wrapped = wrapped;
  stream->failed = false;
  return stream;
}

MemStream* MemStreamCreate() {
  MemStream* stream = NewStream(NULL, 0, 0, false);
  if (stream == NULL) return NULL;
  // Without its buffer the stream still exists, empty; its first write tries again.
  stream->data = (unsigned char*)GeneralHeapAlloc(MEMSTREAM_INITIAL_CAPACITY);
  if (stream->data != NULL) stream->capacity = MEMSTREAM_INITIAL_CAPACITY;
  return stream;
}

MemStream* MemStreamOpenTemp() { return MemStreamCreate(); }

MemStream* MemStreamWrap(unsigned char* buffer, uint32_t size) {
  return NewStream(buffer, size, size, true);
}

int MemStreamClose(MemStream* stream) {
  if (stream == NULL) return 0;
  GeneralHeapFree(stream->data);
  GeneralHeapFree(stream);
  return 1;
}

size_t MemStreamRead(void* destination, size_t itemSize, size_t itemCount, MemStream* stream) {
  if (stream == NULL || itemSize == 0) return 0;
  size_t available = stream->length - stream->position;
  size_t items = available / itemSize;
  if (items > itemCount) items = itemCount;
  size_t bytes = items * itemSize;
  if (bytes != 0) memcpy(destination, stream->data + stream->position, bytes);
  stream->position += (uint32_t)bytes;
  return items;
}

// Makes room for `needed` bytes by doubling, so that a picture written a byte at a time costs
// only a handful of copies. False, with the stream untouched, when the room cannot be had.
static bool Reserve(MemStream* stream, uint64_t needed) {
  if (needed <= stream->capacity) return true;
  uint64_t capacity = stream->capacity != 0 ? stream->capacity : MEMSTREAM_INITIAL_CAPACITY;
  while (capacity < needed) capacity *= 2;
  if (capacity > UINT32_MAX) return false;
  unsigned char* data = (unsigned char*)GeneralHeapAlloc((size_t)capacity);
  if (data == NULL) return false;
  if (stream->length != 0) memcpy(data, stream->data, stream->length);
  GeneralHeapFree(stream->data);
  stream->data = data;
  stream->capacity = (uint32_t)capacity;
  return true;
}

size_t MemStreamWrite(const void* source, size_t itemSize, size_t itemCount, MemStream* stream) {
  if (stream == NULL || itemSize == 0 || itemCount == 0) return 0;
  // A wrapped stream is only ever read: its buffer is the caller's, to neither change nor grow.
  if (stream->wrapped || itemCount > (UINT32_MAX - stream->position) / itemSize) {
    stream->failed = true;
    return 0;
  }
  uint64_t bytes = (uint64_t)itemSize * itemCount;
  if (!Reserve(stream, stream->position + bytes)) {
    stream->failed = true;
    return 0;
  }
  memcpy(stream->data + stream->position, source, (size_t)bytes);
  stream->position += (uint32_t)bytes;
  if (stream->position > stream->length) stream->length = stream->position;
  return itemCount;
}

int MemStreamSeek(MemStream* stream, uint32_t offset, int origin) {
  if (stream == NULL || origin != 0 || offset > stream->length) return 0;
  stream->position = offset;
  return 1;
}

int MemStreamPutc(int value, MemStream* stream) {
  unsigned char byte = (unsigned char)value;
  return MemStreamWrite(&byte, 1, 1, stream) == 1 ? value : -1;
}

int MemStreamReserve(MemStream* stream, uint32_t size) {
  if (stream == NULL || stream->wrapped) return 0;
  if (Reserve(stream, size)) return 1;
  stream->failed = true;
  return 0;
}

int MemStreamError(MemStream* stream) { return stream != NULL && stream->failed ? 1 : 0; }
