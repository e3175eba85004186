// Font files through fontconfig: the installed face it offers for a family name and weight.
#include <fontconfig/fontconfig.h>

#include <map>

#include "../common/never_destroyed.h"
#include "font_files.h"

namespace platform::gdi {

FontFile FindFontFile(const std::string& family, bool bold) {
  static NeverDestroyed<std::map<std::pair<std::string, bool>, FontFile>> cache;
  const auto key = std::make_pair(family, bold);
  if (auto found = cache->find(key); found != cache->end()) return found->second;
  FontFile match;
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result;
  FcPattern* font = FcFontMatch(nullptr, pattern, &result);
  if (font != nullptr) {
    FcChar8* file = nullptr;
    if (FcPatternGetString(font, FC_FILE, 0, &file) == FcResultMatch)
      match.path = reinterpret_cast<char*>(file);
    FcPatternGetInteger(font, FC_INDEX, 0, &match.index);
    FcPatternDestroy(font);
  }
  FcPatternDestroy(pattern);
  cache.get()[key] = match;
  return match;
}

}  // namespace platform::gdi
