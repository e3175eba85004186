// tavrelo-make-stages [-j JOBS] DIR [COUNT [SEED]]: draws the game's stage set, COUNT stages
// (1000 unless given) named after their number and place, JOBS at a time.
//
// Each stage is a full scene: a backdrop with its own detail, scenery, a middle ground and a
// foreground of things, many with small parts of their own. Each difference changes one thing
// or one part of it: a detail taken away or added, a part recoloured, one of a group taken away
// or one added, a shape redrawn, a thing moved a little, turned or mirrored, a pattern changed.
// At most one thing in five changes, so that the changes hide among what stays.
//
// A change is kept only when it is fair: its area is at least 12 x 12 pixels with at least 60
// pixels that change strongly, and it keeps clear of every other difference; and a stage only
// when at least two of its differences are small (at most 1 % of the picture) and at most two
// large (more than 3 %). Nothing outside the differences may change. A picture must be busy: a
// scene with too few areas of colour for the eye to go over is drawn again. The same seed gives
// the same files.
#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "commands.h"
#include "random.h"
#include "scene.h"
#include "stats.h"
#include "themes.h"

namespace content {
namespace {

constexpr int kSide = 300;
constexpr int kDifferenceGap = 4;  // between differences
constexpr int kMinStrongPixels = 60;
constexpr int kMinSide = 12;
constexpr int kSmallArea = kSide * kSide / 100;      // 1 % of the picture
constexpr int kLargeArea = 3 * kSide * kSide / 100;  // 3 %
constexpr int kMinThings = 30;
constexpr int kThingsPerDifference = 5;
// The fewest areas of one colour a picture may have (as `tavrelo-stage inspect --stats` counts
// them): a scene with less is drawn again.
constexpr int kFewestAreas = 160;

tools::Rect Grow(const tools::Rect& r, int by) {
  return {r.left - by, r.top - by, r.right + by, r.bottom + by};
}

bool Inside(const tools::Rect& r) {
  return r.left >= 1 && r.top >= 1 && r.right <= kSide - 1 && r.bottom <= kSide - 1;
}

// How much of the smaller of two things may stand behind the other: enough for the picture to
// read as one scene, not so much that a thing is lost behind another.
constexpr double kMostHidden = 0.22;

int Pixels(const tools::Rect& r) { return std::max(0, r.Width()) * std::max(0, r.Height()); }

tools::Rect Common(const tools::Rect& a, const tools::Rect& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

// Whether `item` may stand among `items`: on the picture, overlapping no other thing of the
// middle ground and foreground by more than a little (scenery may overlap as it likes), and
// neither a second sun nor a sun and a moon together.
bool Fits(const Item& item, const std::vector<Item>& items, std::size_t except) {
  const tools::Rect box = BoxOf(item);
  if (!Inside(box)) return false;
  const auto inTheSky = [](const Item& i) { return i.kind == Kind::Sun || i.kind == Kind::Moon; };
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i == except || items[i].removed) continue;
    if (inTheSky(item) && inTheSky(items[i])) return false;
    if (item.fixed || items[i].fixed) continue;
    const tools::Rect other = BoxOf(items[i]);
    const int shared = Pixels(Common(box, other));
    if (shared > kMostHidden * std::min(Pixels(box), Pixels(other))) return false;
  }
  return true;
}

Item NewItem(const Placement& placement, Random& rng) {
  Item item;
  item.kind = rng.Pick(placement.kinds);
  const KindInfo& info = InfoOf(item.kind);
  item.size = rng.Uniform(placement.minSize, placement.maxSize);
  item.x = rng.Uniform(placement.zone.left, placement.zone.right);
  item.y = placement.baseline > 0 ? placement.baseline - item.size / 2 - 1
                                  : rng.Uniform(placement.zone.top, placement.zone.bottom);
  item.mirrored = info.asymmetric && rng.Chance(0.5);
  item.variant = rng.Int(0, info.variants - 1);
  item.details = info.maxDetails > 0 ? rng.Int(1, info.maxDetails) : 0;
  item.pattern = info.patterned && rng.Chance(0.6) ? rng.Int(1, kPatterns - 1) : 0;
  item.fixed = placement.scenery;
  item.standing = placement.baseline > 0;
  ColourItem(item, rng);
  return item;
}

Scene BuildScene(const Composition& composition, Random& rng) {
  Scene scene;
  scene.backdrop = composition.makeBackdrop(rng);
  // Scenery first: it stands behind everything else.
  for (bool scenery : {true, false})
    for (const Placement& placement : composition.placements) {
      if (placement.scenery != scenery) continue;
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

// Things and their parts, each of which a player looks over.
int ThingsAndPartsIn(const Scene& scene) {
  int things = 0;
  for (const Item& item : scene.items)
    if (!item.removed) things += PartsOf(item);
  return things;
}

int WholeThingsIn(const Scene& scene) {
  return static_cast<int>(std::count_if(scene.items.begin(), scene.items.end(),
                                        [](const Item& item) { return !item.removed; }));
}

enum class Change {
  Remove,        // one of a group, or a small thing, taken away
  Add,           // a small thing added
  Recolour,      // a small thing in another colour
  RecolourPart,  // a part in another colour: a roof, a sail, one book, the fruit
  Move,          // a little way
  Turn,
  Mirror,
  Reshape,       // another drawing of it: a round window made square, another clock time
  FewerDetails,  // a window, a button, an apple, a spot taken away
  MoreDetails,   // one added
  Pattern,       // stripes for dots, a plain cloth patterned
};
constexpr int kChangeKinds = static_cast<int>(Change::Pattern) + 1;

// How the generator's summary names each kind of change.
const char* const kChangeNames[kChangeKinds] = {
    "taken away", "added",    "recoloured",        "part recoloured", "moved",           "turned",
    "mirrored",   "reshaped", "detail taken away", "detail added",    "pattern changed",
};

// The kinds of change, as often as each is to be tried: most of them touch a part, not a
// whole thing.
const std::vector<Change> kChanges = {
    Change::FewerDetails, Change::FewerDetails, Change::FewerDetails, Change::MoreDetails,
    Change::MoreDetails,  Change::RecolourPart, Change::RecolourPart, Change::RecolourPart,
    Change::Pattern,      Change::Pattern,      Change::Reshape,      Change::Reshape,
    Change::Move,         Change::Turn,         Change::Turn,         Change::Mirror,
    Change::Remove,       Change::Remove,       Change::Recolour,
};

// Kinds whose accent colour is a part a player sees at once.
bool AccentShows(const Item& item) {
  switch (item.kind) {
    case Kind::House:
    case Kind::Boat:
    case Kind::Flower:
    case Kind::Fish:
    case Kind::Butterfly:
    case Kind::Book:
    case Kind::Kite:
    case Kind::Umbrella:
    case Kind::Frame:
    case Kind::Jar:
    case Kind::Ball:
    case Kind::Rocket:
    case Kind::Planet:
    case Kind::Cup:
      return true;
    case Kind::Tree:
    case Kind::Bush:
    case Kind::Cactus:
    case Kind::Cat:
    case Kind::Shirt:
      return item.details > 0;
    default:
      return item.pattern != 0;
  }
}

// Kinds that look another way when turned a little: not round ones, and not ones that stand on
// the ground as a whole (a tilted house reads as a mistake, not a difference).
bool TurnShows(Kind kind) {
  switch (kind) {
    case Kind::Sun:
    case Kind::Moon:
    case Kind::Ball:
    case Kind::Clock:
    case Kind::Planet:
    case Kind::Cloud:
    case Kind::House:
    case Kind::Tree:
    case Kind::Pine:
    case Kind::Bush:
    case Kind::Lighthouse:
    case Kind::Pyramid:
    case Kind::Snowman:
    case Kind::Window:
    case Kind::Grass:
    case Kind::Seaweed:
      return false;
    default:
      return true;
  }
}

Colour AnotherColour(const Colour& before, Random& rng) {
  for (int tries = 0; tries < 20; ++tries) {
    const Colour after =
        FromHsv(rng.Uniform(0, 360), rng.Uniform(0.6, 0.9), rng.Uniform(0.7, 0.95));
    if (std::abs(after.r - before.r) + std::abs(after.g - before.g) +
            std::abs(after.b - before.b) >=
        0.7)
      return after;
  }
  return {1 - before.r, 1 - before.g, 1 - before.b};
}

struct Candidate {
  Change change;
  std::size_t item;  // for Add, the index the new thing takes
  Item after;        // the thing as it is afterwards
};

// A candidate change to the scene, or nothing when it does not fit.
std::optional<Candidate> Propose(const Composition& composition, const Scene& scene,
                                 std::size_t index, Change change, Random& rng) {
  if (change == Change::Add) {
    const Placement& placement = rng.Pick(composition.placements);
    if (placement.scenery) return std::nullopt;
    for (int tries = 0; tries < 40; ++tries) {
      Item item = NewItem(placement, rng);
      item.size = std::min(item.size, 26.0);  // something small, to be missed at first
      if (placement.baseline > 0) item.y = placement.baseline - item.size / 2 - 1;
      if (Fits(item, scene.items, SIZE_MAX)) return Candidate{change, scene.items.size(), item};
    }
    return std::nullopt;
  }
  const Item& before = scene.items[index];
  if (before.fixed || before.removed) return std::nullopt;
  const KindInfo& info = InfoOf(before.kind);
  Item after = before;
  switch (change) {
    case Change::Remove:
      if (before.size > 34 || before.kind == Kind::Sun || before.kind == Kind::Moon)
        return std::nullopt;
      after.removed = true;
      return Candidate{change, index, after};
    case Change::Recolour:
      if (before.size > 30) return std::nullopt;
      after.colour = AnotherColour(before.colour, rng);
      break;
    case Change::RecolourPart:
      if (!AccentShows(before)) return std::nullopt;
      after.accent = AnotherColour(before.accent, rng);
      break;
    case Change::Move: {
      const double step = std::max(7.0, before.size * info.aspect * rng.Uniform(0.3, 0.45));
      double& along = before.standing || rng.Chance(0.5) ? after.x : after.y;
      along += rng.Chance(0.5) ? step : -step;
      break;
    }
    case Change::Turn:
      if (!TurnShows(before.kind)) return std::nullopt;
      after.angle += (rng.Chance(0.5) ? 1 : -1) * rng.Uniform(20, 32);
      break;
    case Change::Mirror:
      if (!info.asymmetric) return std::nullopt;
      after.mirrored = !before.mirrored;
      break;
    case Change::Reshape:
      if (info.variants < 2) return std::nullopt;
      after.variant = (before.variant + rng.Int(1, info.variants - 1)) % info.variants;
      break;
    case Change::FewerDetails:
      if (before.details < 1) return std::nullopt;
      after.details -= 1;
      break;
    case Change::MoreDetails:
      if (before.details >= info.maxDetails) return std::nullopt;
      after.details += 1;
      break;
    case Change::Pattern:
      if (!info.patterned) return std::nullopt;
      after.pattern = (before.pattern + rng.Int(1, kPatterns - 1)) % kPatterns;
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

// Where two pictures differ: the box around every changed pixel, and how many change strongly.
struct Changed {
  tools::Rect box{kSide, kSide, 0, 0};
  int strong = 0;
  bool any() const { return box.right > box.left; }
};

Changed Difference(const tools::Image& a, const tools::Image& b) {
  Changed changed;
  for (int y = 0; y < a.height; ++y)
    for (int x = 0; x < a.width; ++x) {
      int change = 0;
      for (int c = 0; c < 3; ++c)
        change = std::max(change, std::abs(a.Pixel(x, y)[c] - b.Pixel(x, y)[c]));
      if (change == 0) continue;
      changed.box = {std::min(changed.box.left, x), std::min(changed.box.top, y),
                     std::max(changed.box.right, x + 1), std::max(changed.box.bottom, y + 1)};
      if (change > tools::kStrongChange) ++changed.strong;
    }
  return changed;
}

// The area to find: the changed pixels with a pixel of margin, at least kMinSide each way.
tools::Rect AreaOf(const tools::Rect& box) {
  tools::Rect area = Grow(box, 1);
  for (int* low : {&area.left, &area.top}) {
    int* high = low == &area.left ? &area.right : &area.bottom;
    const int missing = kMinSide - (*high - *low);
    if (missing > 0) *low -= missing / 2, *high += missing - missing / 2;
  }
  return area;
}

int OutsideChanges(const tools::Image& a, const tools::Image& b,
                   const std::vector<tools::Rect>& areas) {
  int outside = 0;
  for (int y = 0; y < a.height; ++y)
    for (int x = 0; x < a.width; ++x) {
      if (std::memcmp(a.Pixel(x, y), b.Pixel(x, y), 3) == 0) continue;
      bool inside = false;
      for (const tools::Rect& r : areas)
        inside |= x >= r.left && x < r.right && y >= r.top && y < r.bottom;
      outside += !inside;
    }
  return outside;
}

// Whether the picture is busy and every difference still fair in the file, read as the game
// reads it: JPEG's loss can take a change that was just fair in the drawing under the bar, and
// merge small areas of colour.
bool FairOnceStored(const std::string& path) {
  StageData* stage = tools::LoadStageOrExplain(path);
  if (stage == nullptr) return false;
  const tools::StageFigures figures = tools::FiguresOf(*stage);
  FreeStage(stage);
  return figures.areas >= kFewestAreas && std::all_of(figures.differences.begin(), figures.differences.end(),
                     [](const tools::DifferenceFigures& d) {
                       return d.strong >= kMinStrongPixels && d.rect.Width() >= kMinSide &&
                              d.rect.Height() >= kMinSide;
                     });
}

struct Made {
  std::array<int, kChangeKinds> kinds{};  // how many differences of each kind
  int things = 0;                         // things and parts
  int wholeThings = 0;
  int small = 0;   // at most 1 % of the picture
  int larger = 0;  // more than that
  int large = 0;   // more than 3 %
  std::size_t differences = 0;
};

std::optional<Made> MakeStage(const std::string& path, const Theme& theme, std::uint64_t seed) {
  Random rng(seed);
  const Composition& composition = rng.Pick(theme.compositions);
  Scene scene = BuildScene(composition, rng);
  Made made;
  made.things = ThingsAndPartsIn(scene);
  made.wholeThings = WholeThingsIn(scene);
  if (made.things < kMinThings) return std::nullopt;
  const int wanted = std::min(rng.Int(5, 7), made.wholeThings / kThingsPerDifference);
  if (wanted < 5) return std::nullopt;
  const int wantedLarger = rng.Int(1, 2);

  std::vector<std::pair<Change, std::size_t>> plans;
  for (std::size_t i = 0; i < scene.items.size(); ++i)
    if (!scene.items[i].fixed)
      for (int k = 0; k < 3; ++k) plans.push_back({rng.Pick(kChanges), i});
  for (int i = 0; i < 4; ++i) plans.push_back({Change::Add, 0});
  rng.Shuffle(plans);

  const tools::Image original = Render(scene);
  Scene altered = scene;
  tools::Image current = original;
  std::vector<bool> changedItems(scene.items.size() + 8, false);
  std::vector<tools::StageDifference> differences;
  std::vector<tools::Rect> areas;
  for (const auto& [change, index] : plans) {
    if (static_cast<int>(differences.size()) >= wanted) break;
    if (change != Change::Add && changedItems[index]) continue;
    // No kind of change more than twice in a stage, so that each stage mixes them.
    if (made.kinds[static_cast<int>(change)] >= 2) continue;
    const auto candidate = Propose(composition, altered, index, change, rng);
    if (!candidate) continue;
    const Scene trial = Apply(altered, *candidate);
    const tools::Image rendered = Render(trial);
    const Changed seen = Difference(current, rendered);
    if (!seen.any() || seen.strong < kMinStrongPixels) continue;
    const tools::Rect area = AreaOf(seen.box);
    if (!Inside(area)) continue;
    bool clear = true;
    for (const tools::Rect& taken : areas)
      clear = clear && !Grow(area, kDifferenceGap).Overlaps(taken);
    if (!clear) continue;
    const int size = area.Width() * area.Height();
    if (size > kLargeArea && made.large >= 2) continue;
    // The last places go to small changes when too few are small yet, and to larger ones when
    // too few are larger, so that every stage mixes the two.
    const int left = wanted - static_cast<int>(differences.size());
    if (size > kSmallArea && left <= 2 - made.small) continue;
    if (size <= kSmallArea && left <= wantedLarger - made.larger) continue;
    made.large += size > kLargeArea;
    made.small += size <= kSmallArea;
    made.larger += size > kSmallArea;
    altered = trial;
    current = rendered;
    if (candidate->item < changedItems.size()) changedItems[candidate->item] = true;
    areas.push_back(area);
    differences.push_back({area, {}});
    ++made.kinds[static_cast<int>(candidate->change)];
  }
  if (static_cast<int>(differences.size()) < 5 || made.small < 2) return std::nullopt;
  if (OutsideChanges(original, current, areas) != 0) {
    std::fprintf(stderr, "%s: a change reached outside its difference\n", path.c_str());
    return std::nullopt;
  }
  for (tools::StageDifference& d : differences)
    d.patch = tools::Crop(current, d.rect.left, d.rect.top, d.rect.Width(), d.rect.Height());
  std::string error;
  if (!tools::WriteStage(path, original, differences, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return std::nullopt;
  }
  if (!FairOnceStored(path)) {
    std::filesystem::remove(path);
    return std::nullopt;
  }
  made.differences = differences.size();
  return made;
}

}  // namespace
}  // namespace content

namespace {

struct Summary {
  std::array<int, content::kChangeKinds> kinds{};
  int failed = 0;
};

// Draws the stages whose numbers are `first`, `first + step`, ... below `count`, printing a line
// for each; each stage depends only on its number and the seed, so any split of the work across
// processes gives the same files.
Summary MakeShare(const std::filesystem::path& dir, int first, int step, int count,
                  std::uint64_t seed) {
  const auto& themes = content::Themes();
  Summary summary;
  for (int i = first; i < count; i += step) {
    const content::Theme& theme = themes[static_cast<std::size_t>(i) % themes.size()];
    char name[64];
    std::snprintf(name, sizeof name, "%04d-%s.stg", i + 1, theme.name);
    // A scene that leaves too little room for its changes is drawn again from the next seed.
    std::optional<content::Made> made;
    for (std::uint64_t attempt = 0; attempt < 40 && !made; ++attempt)
      made = content::MakeStage((dir / name).string(), theme, seed * 1000003 + i * 101 + attempt);
    if (!made) {
      std::fprintf(stderr, "%s: no scene with five fair changes\n", name);
      ++summary.failed;
      continue;
    }
    for (int k = 0; k < content::kChangeKinds; ++k) summary.kinds[k] += made->kinds[k];
    std::printf("%s: %d things, %d things and parts, %zu differences (%d small, %d large)\n", name,
                made->wholeThings, made->things, made->differences, made->small, made->large);
    std::fflush(stdout);
  }
  return summary;
}

// The stages drawn by `jobs` processes at once: the parent draws a share itself and adds up what
// the others report through a pipe each.
Summary MakeAll(const std::filesystem::path& dir, int count, std::uint64_t seed, int jobs) {
  std::vector<std::pair<pid_t, int>> children;
  for (int job = 1; job < jobs; ++job) {
    int ends[2];
    if (pipe(ends) != 0) break;
    const pid_t pid = fork();
    if (pid < 0) {
      close(ends[0]);
      close(ends[1]);
      break;
    }
    if (pid == 0) {
      close(ends[0]);
      const Summary mine = MakeShare(dir, job, jobs, count, seed);
      const bool written = write(ends[1], &mine, sizeof mine) == static_cast<ssize_t>(sizeof mine);
      _exit(written ? 0 : 1);
    }
    close(ends[1]);
    children.push_back({pid, ends[0]});
  }
  const int step = static_cast<int>(children.size()) + 1;
  Summary all = MakeShare(dir, 0, step, count, seed);
  for (const auto& [pid, from] : children) {
    Summary theirs;
    const bool read = ::read(from, &theirs, sizeof theirs) == static_cast<ssize_t>(sizeof theirs);
    close(from);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!read || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      std::fputs("tavrelo-make-stages: a worker process failed\n", stderr);
      ++all.failed;
      continue;
    }
    all.failed += theirs.failed;
    for (int k = 0; k < content::kChangeKinds; ++k) all.kinds[k] += theirs.kinds[k];
  }
  return all;
}

}  // namespace

int main(int argc, char** argv) {
  int jobs = 1;
  std::vector<const char*> words;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "-j") == 0 && i + 1 < argc)
      jobs = std::max(1, std::atoi(argv[++i]));
    else if (std::strncmp(argv[i], "-j", 2) == 0)
      jobs = std::max(1, std::atoi(argv[i] + 2));
    else
      words.push_back(argv[i]);
  }
  if (words.empty() || words.size() > 3) {
    std::fputs("usage: tavrelo-make-stages [-j JOBS] DIR [COUNT [SEED]]\n", stderr);
    return 2;
  }
  const std::filesystem::path dir = words[0];
  const int count = words.size() > 1 ? std::atoi(words[1]) : 1000;
  const std::uint64_t seed = words.size() > 2 ? std::strtoull(words[2], nullptr, 10) : 20261209;
  std::filesystem::create_directories(dir);
  const auto start = std::chrono::steady_clock::now();
  const Summary summary = MakeAll(dir, count, seed, std::min(jobs, std::max(1, count)));
  std::printf("changes:");
  for (int k = 0; k < content::kChangeKinds; ++k)
    std::printf("%s %d %s", k > 0 ? "," : "", summary.kinds[k], content::kChangeNames[k]);
  std::printf("\n%d stages of %zu places in %.1f s\n", count - summary.failed,
              content::Themes().size(),
              std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  return summary.failed == 0 ? 0 : 1;
}
