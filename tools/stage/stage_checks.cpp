#include "stage_checks.h"

namespace tools {

std::vector<std::string> AuthorWarnings(const StageFacts& facts) {
  std::vector<std::string> warnings;
  const auto name = [](std::size_t i) { return "difference " + std::to_string(i); };
  for (std::size_t i = 0; i < facts.rects.size(); ++i) {
    const Rect& r = facts.rects[i];
    if (r.Width() < SMALLEST_DIFFERENCE || r.Height() < SMALLEST_DIFFERENCE)
      warnings.push_back(name(i) + " is " + std::to_string(r.Width()) + " x " +
                         std::to_string(r.Height()) + ", smaller than 8 x 8: hard to hit");
    for (std::size_t j = i + 1; j < facts.rects.size(); ++j)
      if (r.Overlaps(facts.rects[j]))
        warnings.push_back(name(i) + " and " + name(j) + " overlap: one click could find both");
    if (i < facts.patches.size()) {
      const PictureSize& patch = facts.patches[i];
      if (patch.width != r.Width() || patch.height != r.Height())
        warnings.push_back(name(i) + " has a patch of " + std::to_string(patch.width) + " x " +
                           std::to_string(patch.height) + " for a rectangle of " +
                           std::to_string(r.Width()) + " x " + std::to_string(r.Height()));
      if (patch.bitsPerPixel != facts.picture.bitsPerPixel)
        warnings.push_back(name(i) + " has a " + std::to_string(patch.bitsPerPixel) +
                           "-bit patch in a " + std::to_string(facts.picture.bitsPerPixel) +
                           "-bit picture: the game never shows it");
    }
  }
  if (facts.picture.width != facts.picture.height)
    warnings.push_back("the picture is not square: Difficult cannot turn it");
  if (facts.trailingBytes != 0)
    warnings.push_back(std::to_string(facts.trailingBytes) +
                       " bytes after the last chunk are never read");
  return warnings;
}

}  // namespace tools
