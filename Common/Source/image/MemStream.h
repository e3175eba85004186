// A growable byte stream in memory with the shape of stdio's calls, so that the JPEG glue reads
// and writes pictures in memory exactly where a command-line decoder would use files.
#pragma once

#include <stddef.h>
#include <stdint.h>

#define MEMSTREAM_INITIAL_CAPACITY 0x10000

struct MemStream {
  uint32_t capacity;  // bytes allocated in data
  uint32_t length;    // bytes of content, from the start of data
  uint32_t position;  // offset of the next byte read or written
  unsigned char* data;
  bool wrapped;  // lies over a caller's buffer: read-only, never grown
  bool failed;   // a write was refused for want of memory; content stops there
};

MemStream* MemStreamCreate();
MemStream* MemStreamOpenTemp();
MemStream* MemStreamWrap(unsigned char* buffer, uint32_t size);
// Releases data (a caller whose buffer must survive sets data to null first) and the record.
int MemStreamClose(MemStream* stream);

size_t MemStreamRead(void* destination, size_t itemSize, size_t itemCount, MemStream* stream);
size_t MemStreamWrite(const void* source, size_t itemSize, size_t itemCount, MemStream* stream);
int MemStreamSeek(MemStream* stream, uint32_t offset, int origin);
int MemStreamPutc(int value, MemStream* stream);
// Grows the buffer ahead of writes to hold at least `size` bytes, by the same doubling as
// writes use, so that a writer who knows its total size pays for one buffer. 1, or 0 when
// the memory cannot be had (which the stream then reports as an error).
int MemStreamReserve(MemStream* stream, uint32_t size);
// Non-zero once a write has been refused, so that a writer ignoring single results still learns
// that its output is incomplete.
int MemStreamError(MemStream* stream);
