// Font files carried with the program, for a system without a font configuration (the browser).
// Every face the program asks for is a sans-serif one ("Tahoma" and the dialog fonts), and on a
// Debian desktop with fonts-dejavu-core fontconfig answers them all with DejaVu Sans, so the same
// files, at the same paths in the program's file system, draw the same pixels here.
#include "font_files.h"

namespace platform::gdi {

FontFile FindFontFile(const std::string&, bool bold) {
  return {bold ? "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
               : "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
          0};
}

}  // namespace platform::gdi
