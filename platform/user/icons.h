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

// For hosts: the picture of an icon or cursor the program loaded (LoadIconA, LoadCursorA),
// nearest `wanted` pixels wide, and its hot spot ((0, 0) for an icon); false if there is none.
bool PictureOf(HICON handle, int wanted, IconImage* image, int* hotX, int* hotY);

}  // namespace platform::user
