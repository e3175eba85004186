// The pieces around the JPEG library that JpegToBmp puts together: a data source reading from
// a MemStream, a BMP writer into a MemStream, and the add-on message table for the writer's
// error codes.
#pragma once

#include <stdio.h>

#include <jpeglib.h>

#include "MemStream.h"

#define JPEG_ADDON_FIRST_CODE 1000
#define JPEG_ADDON_LAST_CODE 1043
#define JERR_BMP_COLORSPACE 1005

extern const char* const g_jpegAddonMessages[];

// Feeds the decompressor from the stream, 4,096 bytes at a time.
void JpegMemSource(j_decompress_ptr cinfo, MemStream* stream);

// An output module in the manner of the library's sample writers: the driver reads each
// scanline into `buffer` and hands it to putPixelRows. Between the start and the finish step,
// buffer[0] points at the next row's own place in the output.
struct BmpWriter {
  void (*startOutput)(j_decompress_ptr cinfo, BmpWriter* writer);
  void (*putPixelRows)(j_decompress_ptr cinfo, BmpWriter* writer, JDIMENSION rowsSupplied);
  void (*finishOutput)(j_decompress_ptr cinfo, BmpWriter* writer);

  MemStream* output;
  JSAMPARRAY buffer;
  JDIMENSION bufferHeight;

  JDIMENSION nextRow;    // scanlines delivered so far
  JDIMENSION dataWidth;  // bytes of pixels in a row
  JDIMENSION rowSize;    // dataWidth padded to a multiple of 4
  uint32_t headerSize;   // headers and colour table: where the pixel rows begin
};

// Allocates the writer in the image pool; must come before jpeg_start_decompress. Raises
// JERR_BMP_COLORSPACE for anything but grayscale or RGB output.
BmpWriter* InitBmpWriter(j_decompress_ptr cinfo, MemStream* output);
