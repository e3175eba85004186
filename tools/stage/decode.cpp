// tavrelo-stage decode IN.jpg OUT.bmp: the BMP file image that the game makes of a JPEG stream.
#include <cstdio>

#include "commands.h"
#include "file_io.h"
#include "image/JpegToBmp.h"

namespace tools {

int RunDecode(const Arguments& args) {
  if (args.size() != 2) {
    std::fputs("usage: tavrelo-stage decode IN.jpg OUT.bmp\n", stderr);
    return 2;
  }
  std::string error;
  auto jpeg = ReadFileBytes(args[0], &error);
  if (!jpeg) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  if (jpeg->size() > UINT32_MAX) {
    std::fprintf(stderr, "%s: too large for a picture\n", args[0].c_str());
    return 1;
  }
  MemStream* input = MemStreamWrap(jpeg->data(), static_cast<uint32_t>(jpeg->size()));
  MemStream* bmp = input != nullptr ? JpegToBmp(input) : nullptr;
  if (input != nullptr) input->data = nullptr;  // the bytes belong to the vector
  MemStreamClose(input);
  if (bmp == nullptr) return 1;  // the decoder has said why

  bool written = WriteFileBytes(args[1], bmp->data, bmp->length, &error);
  MemStreamClose(bmp);
  if (!written) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace tools
