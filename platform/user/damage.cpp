#include "damage.h"

#include <algorithm>
#include <map>
#include <string>

#include "../common/never_destroyed.h"
#include "../gdi/gdi_state.h"
#include "user_state.h"

namespace platform::user {
namespace {

// How a top-level window stands on the screen: a change of any of it repaints its frame.
struct Look {
  RECT frame{};
  std::size_t stacking = 0;  // among the windows shown, from the bottom
  std::string caption;
  bool active = false;
  std::string menuBar;
  int clientWidth = 0, clientHeight = 0;
  bool operator==(const Look& o) const {
    return EqualRect(&frame, &o.frame) && stacking == o.stacking && caption == o.caption && active == o.active &&
           menuBar == o.menuBar && clientWidth == o.clientWidth && clientHeight == o.clientHeight;
  }
};

struct Damage {
  bool first = true;
  int screenWidth = 0, screenHeight = 0;
  std::map<HWND, Look> shown;            // as the last call found them
  std::map<HWND, gdi::Box> drawn;        // client coordinates
};

Damage& Tracked() {
  static NeverDestroyed<Damage> damage;
  return damage.get();
}

gdi::Box BoxOf(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

gdi::Box Union(const gdi::Box& a, const gdi::Box& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

bool Touch(const gdi::Box& a, const gdi::Box& b) {
  return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

}  // namespace

void DamageClient(HWND top, const gdi::Box& box) {
  if (box.Empty()) return;
  auto [it, added] = Tracked().drawn.try_emplace(top, box);
  if (!added) it->second = Union(it->second, box);
}

std::vector<gdi::Box> TakeScreenDamage() {
  Damage& damage = Tracked();
  const gdi::Box screen{0, 0, gdi::ScreenWidth(), gdi::ScreenHeight()};
  std::vector<gdi::Box> boxes;
  std::map<HWND, Look> now;
  for (HWND hwnd : State().order) {
    const Window* w = FindWindowOf(hwnd);
    if (w == nullptr || w->parent != nullptr || !(w->style & WS_VISIBLE) || w->minimized) continue;
    Look look;
    look.frame = w->window;
    look.stacking = now.size();
    look.caption = (w->style & WS_CAPTION) == WS_CAPTION ? w->text : "";
    look.active = State().active == hwnd || IsWindowEnabled(hwnd);
    if (const Menu* bar = FindMenu(w->menu))
      for (const MenuItem& item : bar->items) look.menuBar += item.text + '\n';
    look.clientWidth = w->surface.width, look.clientHeight = w->surface.height;
    const auto before = damage.shown.find(hwnd);
    if (before == damage.shown.end() || !(before->second == look)) {
      if (before != damage.shown.end()) boxes.push_back(BoxOf(before->second.frame));
      boxes.push_back(BoxOf(look.frame));
    } else if (const auto drawn = damage.drawn.find(hwnd); drawn != damage.drawn.end()) {
      const RECT client = ClientArea(*w);
      boxes.push_back(drawn->second.Offset(client.left, client.top));
    }
    now.emplace(hwnd, std::move(look));
  }
  for (const auto& [hwnd, look] : damage.shown)
    if (now.count(hwnd) == 0) boxes.push_back(BoxOf(look.frame));  // gone, or hidden
  damage.shown = std::move(now);
  damage.drawn.clear();
  if (damage.first || screen.right != damage.screenWidth || screen.bottom != damage.screenHeight) {
    damage.first = false;
    damage.screenWidth = screen.right, damage.screenHeight = screen.bottom;
    return {screen};
  }
  for (gdi::Box& box : boxes) box = box.Intersect(screen);
  boxes.erase(std::remove_if(boxes.begin(), boxes.end(), [](const gdi::Box& b) { return b.Empty(); }),
              boxes.end());
  return MergeBoxes(std::move(boxes));
}

std::vector<gdi::Box> MergeBoxes(std::vector<gdi::Box> boxes, std::size_t most) {
  for (bool merged = true; merged;) {
    merged = false;
    for (std::size_t i = 0; i < boxes.size() && !merged; ++i)
      for (std::size_t j = i + 1; j < boxes.size() && !merged; ++j)
        if (Touch(boxes[i], boxes[j])) {
          boxes[i] = Union(boxes[i], boxes[j]);
          boxes.erase(boxes.begin() + static_cast<std::ptrdiff_t>(j));
          merged = true;
        }
  }
  if (boxes.size() > most) {
    gdi::Box all = boxes.front();
    for (const gdi::Box& box : boxes) all = Union(all, box);
    boxes = {all};
  }
  return boxes;
}

}  // namespace platform::user
