// The things the stage generator draws: each inside the box the generator keeps things apart by,
// and each change the generator may make to one (another variant, a detail more or fewer, a
// pattern, a mirror image) showing in its pixels, so that no difference is drawn in vain.
#include <gtest/gtest.h>

#include <string>

#include "scene.h"

namespace {

using content::Item;
using content::Kind;

tools::Image Alone(const Item& item) {
  content::Scene scene;
  scene.backdrop = [](cairo_t* cr) {
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
  };
  scene.items = {item};
  return content::Render(scene);
}

// The smallest box around every pixel that is not the white backdrop.
tools::Rect Inked(const tools::Image& image) {
  tools::Rect box{image.width, image.height, 0, 0};
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      const std::uint8_t* p = image.Pixel(x, y);
      if (p[0] == 255 && p[1] == 255 && p[2] == 255) continue;
      box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
             std::max(box.bottom, y + 1)};
    }
  return box;
}

TEST(ThingKinds, EachDrawsInsideItsBoxAndEveryChangeShows) {
  for (int k = 0; k < content::KindCount(); ++k) {
    const content::KindInfo& info = content::InfoOf(static_cast<Kind>(k));
    SCOPED_TRACE(info.name);
    Item item;
    item.kind = static_cast<Kind>(k);
    item.x = item.y = 150;
    item.size = 60;
    item.colour = content::FromHsv(20, 0.7, 0.8);
    item.accent = content::FromHsv(220, 0.7, 0.8);
    item.details = info.maxDetails;
    for (double angle : {0.0, 30.0}) {
      item.angle = angle;
      const tools::Rect inked = Inked(Alone(item)), box = content::BoxOf(item);
      EXPECT_GT(inked.right, inked.left) << "draws nothing";
      EXPECT_TRUE(inked.left >= box.left && inked.top >= box.top && inked.right <= box.right &&
                  inked.bottom <= box.bottom)
          << "turned " << angle << ": drawn over " << inked.left << "," << inked.top << "-"
          << inked.right << "," << inked.bottom << ", its box " << box.left << "," << box.top
          << "-" << box.right << "," << box.bottom;
    }
    item.angle = 0;
    const tools::Image plain = Alone(item);
    const auto shows = [&](Item changed, const std::string& what) {
      EXPECT_FALSE(Alone(changed).rgb == plain.rgb) << what << " does not show";
    };
    for (int variant = 1; variant < info.variants; ++variant) {
      Item other = item;
      other.variant = variant;
      shows(other, "variant " + std::to_string(variant));
    }
    if (info.maxDetails > 0) {
      Item fewer = item;
      fewer.details -= 1;
      shows(fewer, "a detail fewer");
    }
    if (info.patterned)
      for (int pattern = 1; pattern < content::kPatterns; ++pattern) {
        Item other = item;
        other.pattern = pattern;
        shows(other, "pattern " + std::to_string(pattern));
      }
    if (info.asymmetric) {
      Item mirrored = item;
      mirrored.mirrored = true;
      shows(mirrored, "the mirror image");
    }
  }
}

}  // namespace
