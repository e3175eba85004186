// Which installed font file stands in for a Windows face name ("Tahoma"), regular or bold. On
// Linux fontconfig answers; in the browser, the fonts carried in the program's data do.
#pragma once

#include <string>

namespace platform::gdi {

struct FontFile {
  std::string path;  // empty when there is none at all
  int index = 0;     // of the face in the file
};

FontFile FindFontFile(const std::string& family, bool bold);

}  // namespace platform::gdi
