// tavrelo-make-stages DIR [COUNT [SEED]]: draws the game's stage set.
//
// Each stage is a scene of things on a painted backdrop; each difference changes one thing:
// takes it away, adds one, recolours, moves, resizes, mirrors or redraws it. A change is kept
// only when a person sees it at once (enough pixels change, strongly) and it keeps clear of
// every other difference. The same seed gives the same files.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "commands.h"
#include "random.h"
#include "scene.h"
#include "themes.h"

namespace content {
namespace {

constexpr int kSide = 300;
constexpr int kGap = 4;            // between things, and between differences
constexpr int kStrongChange = 60;  // a channel moves by more than this
constexpr int kMinStrongPixels = 140;
constexpr int kMinSide = 14;

bool Inside(const tools::Rect& r) {
  return r.left >= 1 && r.top >= 1 && r.right <= kSide - 1 && r.bottom <= kSide - 1;
}

tools::Rect Grow(const tools::Rect& r, int by) {
  return {r.left - by, r.top - by, r.right + by, r.bottom + by};
}

// Whether `item` may stand among `items`: clear of every other thing, and not a second sun or
// moon.
bool Fits(const Item& item, const std::vector<Item>& items, std::size_t except) {
  const tools::Rect box = BoxOf(item);
  if (!Inside(box)) return false;
  const bool unique = item.kind == Kind::Sun || item.kind == Kind::Moon;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i == except || items[i].removed) continue;
    if (Grow(box, kGap).Overlaps(BoxOf(items[i]))) return false;
    if (unique && items[i].kind == item.kind) return false;
  }
  return true;
}

Item NewItem(const Placement& placement, Random& rng) {
  Item item;
  item.kind = rng.Pick(placement.kinds);
  item.size = rng.Uniform(placement.minSize, placement.maxSize);
  item.x = rng.Uniform(placement.zone.left, placement.zone.right);
  item.y = rng.Uniform(placement.zone.top, placement.zone.bottom);
  item.mirrored = InfoOf(item.kind).asymmetric && rng.Chance(0.5);
  item.variant = rng.Int(0, InfoOf(item.kind).variants - 1);
  ColourItem(item, rng);
  return item;
}

Scene BuildScene(const Theme& theme, Random& rng) {
  Scene scene;
  scene.backdrop = theme.makeBackdrop(rng);
  for (const Placement& placement : theme.placements) {
    const int wanted = rng.Int(placement.minCount, placement.maxCount);
    for (int placed = 0, tries = 0; placed < wanted && tries < 400; ++tries) {
      const Item item = NewItem(placement, rng);
      if (!Fits(item, scene.items, SIZE_MAX)) continue;
      scene.items.push_back(item);
      ++placed;
    }
  }
  return scene;
}

enum class Change { Remove, Add, Recolour, Move, Resize, Mirror, Redraw };

struct Candidate {
  Change change;
  std::size_t item;  // for Add, the index the new thing takes
  Item after;        // the thing as it is afterwards
};

// A candidate change to the scene, or nothing when it does not fit.
std::optional<Candidate> Propose(const Theme& theme, const Scene& scene, std::size_t index,
                                 Change change, Random& rng) {
  if (change == Change::Add) {
    const Placement& placement = rng.Pick(theme.placements);
    for (int tries = 0; tries < 60; ++tries) {
      const Item item = NewItem(placement, rng);
      if (Fits(item, scene.items, SIZE_MAX)) return Candidate{change, scene.items.size(), item};
    }
    return std::nullopt;
  }
  const Item& before = scene.items[index];
  Item after = before;
  switch (change) {
    case Change::Remove:
      after.removed = true;
      return Candidate{change, index, after};
    case Change::Recolour: {
      after.colour = FromHsv(rng.Uniform(0, 360), rng.Uniform(0.6, 0.9), rng.Uniform(0.7, 0.95));
      const double distance = std::abs(after.colour.r - before.colour.r) +
                              std::abs(after.colour.g - before.colour.g) +
                              std::abs(after.colour.b - before.colour.b);
      if (distance < 0.6) return std::nullopt;
      break;
    }
    case Change::Move: {
      const double step =
          std::max(12.0, before.size * InfoOf(before.kind).aspect * rng.Uniform(0.5, 0.8));
      after.x += rng.Chance(0.5) ? step : -step;
      break;
    }
    case Change::Resize:
      after.size *= rng.Chance(0.5) ? 1.35 : 0.7;
      if (after.size < 22) return std::nullopt;
      break;
    case Change::Mirror:
      if (!InfoOf(before.kind).asymmetric) return std::nullopt;
      after.mirrored = !before.mirrored;
      break;
    case Change::Redraw:
      if (InfoOf(before.kind).variants < 2) return std::nullopt;
      after.variant = (before.variant + rng.Int(1, InfoOf(before.kind).variants - 1)) %
                      InfoOf(before.kind).variants;
      break;
    case Change::Add:
      break;
  }
  if (!Fits(after, scene.items, index)) return std::nullopt;
  return Candidate{change, index, after};
}

Scene Apply(const Scene& scene, const Candidate& c) {
  Scene changed = scene;
  if (c.change == Change::Add)
    changed.items.push_back(c.after);
  else
    changed.items[c.item] = c.after;
  return changed;
}

tools::Rect ChangedArea(const Scene& scene, const Candidate& c) {
  if (c.change == Change::Add) return BoxOf(c.after);
  const tools::Rect a = BoxOf(scene.items[c.item]);
  const tools::Rect b = BoxOf(c.after);
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

struct Comparison {
  int strongInside = 0;
  int outside = 0;
};

Comparison Compare(const tools::Image& a, const tools::Image& b,
                   const std::vector<tools::Rect>& areas) {
  Comparison result;
  for (int y = 0; y < a.height; ++y)
    for (int x = 0; x < a.width; ++x) {
      int change = 0;
      for (int c = 0; c < 3; ++c)
        change = std::max(change, std::abs(a.Pixel(x, y)[c] - b.Pixel(x, y)[c]));
      if (change == 0) continue;
      bool inside = false;
      for (const tools::Rect& r : areas)
        inside |= x >= r.left && x < r.right && y >= r.top && y < r.bottom;
      if (!inside)
        ++result.outside;
      else if (change > kStrongChange)
        ++result.strongInside;
    }
  return result;
}

bool MakeStage(const std::string& path, const Theme& theme, std::uint64_t seed) {
  Random rng(seed);
  Scene scene = BuildScene(theme, rng);
  const tools::Image original = Render(scene);
  const int wanted = rng.Int(5, 7);

  std::vector<std::pair<Change, std::size_t>> plans;
  const std::vector<Change> edits = {Change::Remove,   Change::Recolour, Change::Move,
                                     Change::Resize,   Change::Mirror,   Change::Redraw,
                                     Change::Recolour, Change::Remove};
  for (std::size_t i = 0; i < scene.items.size(); ++i) plans.push_back({rng.Pick(edits), i});
  for (int i = 0; i < 3; ++i) plans.push_back({Change::Add, 0});
  rng.Shuffle(plans);

  Scene altered = scene;
  std::vector<bool> changedItems(scene.items.size(), false);
  std::vector<tools::StageDifference> differences;
  std::vector<tools::Rect> areas;
  // Plans that did not fit are tried again with another kind of change.
  for (int round = 0; round < 3 && static_cast<int>(differences.size()) < wanted; ++round) {
    for (const auto& [planned, index] : plans) {
      if (static_cast<int>(differences.size()) >= wanted) break;
      if (planned != Change::Add && changedItems[index]) continue;
      const Change change = round == 0 || planned == Change::Add ? planned : rng.Pick(edits);
      const auto candidate = Propose(theme, altered, index, change, rng);
      if (!candidate) continue;
      const tools::Rect area = Grow(ChangedArea(altered, *candidate), 1);
      bool clear = area.Width() >= kMinSide && area.Height() >= kMinSide && Inside(area);
      for (const tools::Rect& taken : areas) clear = clear && !Grow(area, kGap).Overlaps(taken);
      if (!clear) continue;
      const Scene trial = Apply(altered, *candidate);
      const Comparison seen = Compare(Render(altered), Render(trial), {area});
      if (seen.outside != 0 || seen.strongInside < kMinStrongPixels) continue;
      altered = trial;
      if (change != Change::Add) changedItems[index] = true;
      areas.push_back(area);
      differences.push_back({area, {}});
    }
  }
  if (static_cast<int>(differences.size()) < 5) return false;

  const tools::Image changed = Render(altered);
  if (Compare(original, changed, areas).outside != 0) {
    std::fprintf(stderr, "%s: a change reached outside its difference\n", path.c_str());
    return false;
  }
  for (tools::StageDifference& d : differences)
    d.patch = tools::Crop(changed, d.rect.left, d.rect.top, d.rect.Width(), d.rect.Height());
  std::string error;
  if (!tools::WriteStage(path, original, differences, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return false;
  }
  return true;
}

}  // namespace
}  // namespace content

int main(int argc, char** argv) {
  if (argc < 2 || argc > 4) {
    std::fputs("usage: tavrelo-make-stages DIR [COUNT [SEED]]\n", stderr);
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  const int count = argc > 2 ? std::atoi(argv[2]) : 60;
  const std::uint64_t seed = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 20261209;
  std::filesystem::create_directories(dir);
  const auto& themes = content::Themes();
  for (int i = 0; i < count; ++i) {
    const content::Theme& theme = themes[static_cast<std::size_t>(i) % themes.size()];
    char name[64];
    std::snprintf(name, sizeof name, "%02d-%s.stg", i + 1, theme.name);
    // A scene that leaves too little room for five changes is drawn again from the next seed.
    bool made = false;
    for (std::uint64_t attempt = 0; attempt < 20 && !made; ++attempt)
      made = content::MakeStage((dir / name).string(), theme, seed * 1000003 + i * 101 + attempt);
    if (!made) {
      std::fprintf(stderr, "%s: no scene with five visible changes\n", name);
      return 1;
    }
  }
  return 0;
}
