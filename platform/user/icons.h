// Icon and cursor files (.ico, .cur) read into straight-alpha pixels.
#pragma once

#include <windows.h>

#include <vector>

namespace platform::user {

struct IconImage {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> bgra;  // top row first
};

}  // namespace platform::user
namespace platform::resources {
struct IconFile;
}  // namespace platform::resources
namespace platform::user {

// The file behind a handle from LoadIconA or LoadCursorA, or null.
const resources::IconFile* IconFileOf(HICON icon);

// The image of the file nearest `wanted` pixels wide; false for a file it cannot read.
bool DecodeIcon(const unsigned char* file, unsigned size, int wanted, IconImage* image);

}  // namespace platform::user
