// Decoding a JPEG stream held in memory into a complete Windows BMP file image in memory.
#pragma once

#include <windows.h>

#include "MemStream.h"

// A decoded picture: three views into one tracked block that holds a whole BMP file image.
// The block belongs to `file`; releasing it with TrackedFree kills the other two.
struct DibImage {
  BYTE* file;
  BITMAPINFOHEADER* info;
  BYTE* bits;
};

// Decodes the JPEG stream that starts at the input's position. Yields a new stream whose first
// `length` bytes are the BMP file image (24-bit colour or 8-bit gray, bottom row first), or
// null when the stream cannot be decoded: the reason is then on standard error (or standard
// output for a missing stream) and everything the decode took has been given back.
MemStream* JpegToBmp(MemStream* input);

// Points a DibImage at a BMP file image block (null gives an empty image).
void BindDibImage(DibImage* image, BYTE* block);

struct TrackedList;

// Decodes `length` JPEG bytes read in place and yields the BMP file image in a block of its
// own from `list`, recorded under the caller's file and line; null when the stream cannot be
// decoded or the block cannot be had. The JPEG bytes stay the caller's.
BYTE* JpegToTrackedBmp(const BYTE* jpeg, DWORD length, TrackedList* list, const char* file,
                       int line);
