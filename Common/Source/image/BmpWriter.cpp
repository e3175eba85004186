// The BMP writer: decoded rows in, a Windows BMP file image (bottom row first) out.
//
// The whole file size is known once the output dimensions are, so the writer lays out the
// complete image in the output stream before the first scanline and has the decoder put each
// row straight into its place, counted from the bottom, already in blue-green-red order. No
// row is held twice and no byte is moved after decoding.
#include <jerror.h>

#include "JpegGlue.h"

#ifndef JCS_EXTENSIONS
#error "the BMP writer needs libjpeg-turbo's extended colour spaces (JCS_EXT_BGR)"
#endif

#define FILE_HEADER_SIZE 14
#define INFO_HEADER_SIZE 40
#define GRAY_TABLE_ENTRIES 256
// Pictures come from files anyone can write, and a few hundred bytes of header can announce a
// picture of gigabytes. Every picture of the game fits in a fraction of this.
#define MAX_PICTURE_DIMENSION 8192

static void Put16(JOCTET* at, unsigned value) {
  at[0] = (JOCTET)(value & 0xFF);
  at[1] = (JOCTET)((value >> 8) & 0xFF);
}

static void Put32(JOCTET* at, uint32_t value) {
  Put16(at, value & 0xFFFF);
  Put16(at + 2, value >> 16);
}

// Where decoded row `row` (0 is the top scanline) goes in the output.
static JSAMPROW RowPlace(j_decompress_ptr cinfo, BmpWriter* writer, JDIMENSION row) {
  size_t storedRow = cinfo->output_height - 1 - row;
  return writer->output->data + writer->headerSize + storedRow * writer->rowSize;
}

static void WriteHeaders(j_decompress_ptr cinfo, BmpWriter* writer, uint32_t tableEntries,
                         uint32_t fileSize) {
  // Resolution is kept only where the JPEG gives it per centimetre; BMP counts per metre.
  uint32_t xPerMetre = 0;
  uint32_t yPerMetre = 0;
  if (cinfo->density_unit == 2) {
    xPerMetre = (uint32_t)cinfo->X_density * 100;
    yPerMetre = (uint32_t)cinfo->Y_density * 100;
  }

  JOCTET fileHeader[FILE_HEADER_SIZE] = {'B', 'M'};
  Put32(fileHeader + 2, fileSize);
  Put32(fileHeader + 10, writer->headerSize);

  JOCTET infoHeader[INFO_HEADER_SIZE] = {};
  Put32(infoHeader + 0, INFO_HEADER_SIZE);
  Put32(infoHeader + 4, cinfo->output_width);
  Put32(infoHeader + 8, cinfo->output_height);
  Put16(infoHeader + 12, 1);
  Put16(infoHeader + 14, tableEntries != 0 ? 8 : 24);
  Put32(infoHeader + 24, xPerMetre);
  Put32(infoHeader + 28, yPerMetre);
  Put32(infoHeader + 32, tableEntries);

  if (MemStreamWrite(fileHeader, 1, FILE_HEADER_SIZE, writer->output) != FILE_HEADER_SIZE ||
      MemStreamWrite(infoHeader, 1, INFO_HEADER_SIZE, writer->output) != INFO_HEADER_SIZE)
    ERREXIT(cinfo, JERR_FILE_WRITE);

  // The grey ramp, blue, green, red and a reserved byte an entry, written in one go.
  JOCTET table[4 * GRAY_TABLE_ENTRIES];
  for (uint32_t i = 0; i < tableEntries; ++i) {
    table[4 * i] = table[4 * i + 1] = table[4 * i + 2] = (JOCTET)i;
    table[4 * i + 3] = 0;
  }
  if (MemStreamWrite(table, 1, 4 * tableEntries, writer->output) != 4 * tableEntries)
    ERREXIT(cinfo, JERR_FILE_WRITE);
}

static void StartOutput(j_decompress_ptr cinfo, BmpWriter* writer) {
  uint32_t tableEntries = cinfo->output_components == 1 ? GRAY_TABLE_ENTRIES : 0;
  writer->headerSize = FILE_HEADER_SIZE + INFO_HEADER_SIZE + 4 * tableEntries;
  uint32_t fileSize = writer->headerSize + writer->rowSize * cinfo->output_height;
  if (!MemStreamReserve(writer->output, fileSize)) ERREXIT(cinfo, JERR_FILE_WRITE);

  WriteHeaders(cinfo, writer, tableEntries, fileSize);
  // Every row, fill bytes included, starts out zero; decoding then overwrites the pixels.
  JSAMPROW zeros = writer->buffer[0];
  for (JDIMENSION i = 0; i < writer->rowSize; ++i) zeros[i] = 0;
  for (JDIMENSION row = 0; row < cinfo->output_height; ++row)
    if (MemStreamWrite(zeros, 1, writer->rowSize, writer->output) != writer->rowSize)
      ERREXIT(cinfo, JERR_FILE_WRITE);

  writer->nextRow = 0;
  writer->buffer[0] = RowPlace(cinfo, writer, 0);
}

static void RestoreFill(BmpWriter* writer, JSAMPROW row) {
  for (JDIMENSION i = writer->dataWidth; i < writer->rowSize; ++i) row[i] = 0;
}

static void NextRow(j_decompress_ptr cinfo, BmpWriter* writer) {
  writer->nextRow++;
  if (writer->nextRow < cinfo->output_height)
    writer->buffer[0] = RowPlace(cinfo, writer, writer->nextRow);
}

// Rows arrive in their final order of bytes, so a row step only restores the fill bytes after
// the pixels (the decoder may use them as scratch) and moves on.
static void PutPixelRows(j_decompress_ptr cinfo, BmpWriter* writer, JDIMENSION rowsSupplied) {
  if (rowsSupplied == 0) return;
  RestoreFill(writer, writer->buffer[0]);
  NextRow(cinfo, writer);
}

static void FinishOutput(j_decompress_ptr cinfo, BmpWriter* writer) {
  // Nothing is buffered, so flushing is asking again.
  MemStreamError(writer->output);
  if (MemStreamError(writer->output)) ERREXIT(cinfo, JERR_FILE_WRITE);
}

BmpWriter* InitBmpWriter(j_decompress_ptr cinfo, MemStream* output) {
  BmpWriter* writer =
      (BmpWriter*)(*cinfo->mem->alloc_small)((j_common_ptr)cinfo, JPOOL_IMAGE, sizeof(BmpWriter));
  writer->startOutput = StartOutput;
  writer->finishOutput = FinishOutput;
  writer->putPixelRows = PutPixelRows;
  writer->output = output;
  if (cinfo->out_color_space == JCS_RGB)
    // The same colour conversion, delivered in the BMP's order of blue, green, red: the
    // library's converters write the bytes where they belong, with no pass of our own.
    cinfo->out_color_space = JCS_EXT_BGR;
  else if (cinfo->out_color_space != JCS_GRAYSCALE)
    ERREXIT(cinfo, JERR_BMP_COLORSPACE);

  jpeg_calc_output_dimensions(cinfo);
  if (cinfo->output_width > MAX_PICTURE_DIMENSION || cinfo->output_height > MAX_PICTURE_DIMENSION)
    ERREXIT1(cinfo, JERR_IMAGE_TOO_BIG, MAX_PICTURE_DIMENSION);
  writer->dataWidth = cinfo->output_width * cinfo->output_components;
  writer->rowSize = (writer->dataWidth + 3) & ~(JDIMENSION)3;
  // One row pointer; the start step aims it at the output. Until then it holds a row of its own.
  writer->buffer =
      (*cinfo->mem->alloc_sarray)((j_common_ptr)cinfo, JPOOL_IMAGE, writer->rowSize, 1);
  writer->bufferHeight = 1;
  return writer;
}
