// The decode driver: JPEG bytes in a MemStream in, a BMP file image in a new MemStream out.
// windows.h without the RPC headers: their `boolean` is not the JPEG library's.
#define WIN32_LEAN_AND_MEAN
#include "JpegToBmp.h"

#include <setjmp.h>
#include <stdio.h>
#include <string.h>

#include "../TrackedAlloc.h"
#include "JpegGlue.h"

// The library's standard error manager, except that a fatal error, once its message is out,
// unwinds to the driver instead of ending the process: one damaged stage file must not close
// the game and lose the player's scores.
struct DecodeErrorManager {
  jpeg_error_mgr pub;
  jmp_buf escape;
};

static void EscapeDecode(j_common_ptr cinfo) {
  (*cinfo->err->output_message)(cinfo);
  longjmp(((DecodeErrorManager*)cinfo->err)->escape, 1);
}

MemStream* JpegToBmp(MemStream* input) {
  jpeg_decompress_struct cinfo;
  DecodeErrorManager errors;
  cinfo.err = jpeg_std_error(&errors.pub);
  errors.pub.error_exit = EscapeDecode;
  errors.pub.addon_message_table = g_jpegAddonMessages;
  errors.pub.first_addon_message = JPEG_ADDON_FIRST_CODE;
  errors.pub.last_addon_message = JPEG_ADDON_LAST_CODE;

  MemStream* volatile output = NULL;
  if (setjmp(errors.escape)) {
    jpeg_destroy_decompress(&cinfo);  // gives back the pools, the arrays and the source
    MemStreamClose(output);
    return NULL;
  }
  jpeg_create_decompress(&cinfo);
  // Here the library's memory limit (1,000,000 bytes, or JPEGMEM) would decide how much of a
  // picture goes to a temporary store. This libjpeg keeps every array in memory and has no
  // store, so a limit could only make large pictures fail: it is lifted, and JPEGMEM with it.
  cinfo.mem->max_memory_to_use = 0;

  if (input == NULL) {
    fputs("input_file is NULL!!!\n", stdout);
    jpeg_destroy_decompress(&cinfo);
    return NULL;
  }
  output = MemStreamCreate();
  if (output == NULL) {
    fputs("Cannot open output file.\n", stdout);
    jpeg_destroy_decompress(&cinfo);
    return NULL;
  }

  JpegMemSource(&cinfo, input);
  jpeg_read_header(&cinfo, TRUE);
  BmpWriter* writer = InitBmpWriter(&cinfo, output);
  jpeg_start_decompress(&cinfo);
  (*writer->startOutput)(&cinfo, writer);
  while (cinfo.output_scanline < cinfo.output_height) {
    JDIMENSION rows = jpeg_read_scanlines(&cinfo, writer->buffer, writer->bufferHeight);
    (*writer->putPixelRows)(&cinfo, writer, rows);
  }
  (*writer->finishOutput)(&cinfo, writer);
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return output;
}

void BindDibImage(DibImage* image, BYTE* block) {
  image->file = block;
  if (block == NULL) {
    image->info = NULL;
    image->bits = NULL;
    return;
  }
  DWORD offset =
      (DWORD)block[10] | (DWORD)block[11] << 8 | (DWORD)block[12] << 16 | (DWORD)block[13] << 24;
  image->info = (BITMAPINFOHEADER*)(block + 14);
  image->bits = block + offset;
}

BYTE* JpegToTrackedBmp(const BYTE* jpeg, DWORD length, TrackedList* list, const char* file,
                       int line) {
  // The wrapped stream only reads, so the bytes can stay constant to the caller.
  MemStream* input = MemStreamWrap((unsigned char*)jpeg, length);
  if (input == NULL) return NULL;
  MemStream* output = JpegToBmp(input);
  input->data = NULL;  // not ours to release
  MemStreamClose(input);
  if (output == NULL) return NULL;

  BYTE* block = (BYTE*)TrackedAlloc(output->length, list, file, line);
  if (block != NULL) memcpy(block, output->data, output->length);
  MemStreamClose(output);
  return block;
}
