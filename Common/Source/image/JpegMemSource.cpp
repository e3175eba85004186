// The JPEG library's data source over a MemStream.
#include "JpegGlue.h"

#include <jerror.h>

#define INPUT_BUFFER_SIZE 4096

struct MemSource {
  jpeg_source_mgr pub;
  MemStream* stream;
  JOCTET* buffer;
  boolean startOfFile;  // nothing read yet: running dry now means an empty input
  boolean ended;        // the stream ran dry: the buffer holds the end made up for it
};

static void InitSource(j_decompress_ptr cinfo) {
  MemSource* src = (MemSource*)cinfo->src;
  src->startOfFile = TRUE;
  src->ended = FALSE;
}

static boolean FillInputBuffer(j_decompress_ptr cinfo) {
  MemSource* src = (MemSource*)cinfo->src;
  size_t count = MemStreamRead(src->buffer, 1, INPUT_BUFFER_SIZE, src->stream);
  if (count == 0) {
    if (src->startOfFile) ERREXIT(cinfo, JERR_INPUT_EMPTY);
    // A cut-off stream: end it here, and the picture decodes with what has arrived.
    WARNMS(cinfo, JWRN_JPEG_EOF);
    src->buffer[0] = (JOCTET)0xFF;
    src->buffer[1] = (JOCTET)JPEG_EOI;
    count = 2;
    src->ended = TRUE;
  }
  src->pub.next_input_byte = src->buffer;
  src->pub.bytes_in_buffer = count;
  src->startOfFile = FALSE;
  return TRUE;
}

static void SkipInputData(j_decompress_ptr cinfo, long numBytes) {
  if (numBytes <= 0) return;
  jpeg_source_mgr* src = cinfo->src;
  while (numBytes > (long)src->bytes_in_buffer) {
    numBytes -= (long)src->bytes_in_buffer;
    FillInputBuffer(cinfo);
    // A segment that claims more than the stream holds ends where the stream does, on the end
    // made up for it, rather than running through that end two bytes at a time.
    if (((MemSource*)cinfo->src)->ended) return;
  }
  src->next_input_byte += numBytes;
  src->bytes_in_buffer -= (size_t)numBytes;
}

static void TermSource(j_decompress_ptr) {}

void JpegMemSource(j_decompress_ptr cinfo, MemStream* stream) {
  if (cinfo->src == NULL) {
    MemSource* src = (MemSource*)(*cinfo->mem->alloc_small)((j_common_ptr)cinfo, JPOOL_PERMANENT,
                                                            sizeof(MemSource));
    src->buffer = (JOCTET*)(*cinfo->mem->alloc_small)((j_common_ptr)cinfo, JPOOL_PERMANENT,
                                                      INPUT_BUFFER_SIZE * sizeof(JOCTET));
    cinfo->src = &src->pub;
  }
  MemSource* src = (MemSource*)cinfo->src;
  src->pub.init_source = InitSource;
  src->pub.fill_input_buffer = FillInputBuffer;
  src->pub.skip_input_data = SkipInputData;
  src->pub.resync_to_restart = jpeg_resync_to_restart;
  src->pub.term_source = TermSource;
  src->stream = stream;
  src->pub.bytes_in_buffer = 0;
  src->pub.next_input_byte = NULL;
}
