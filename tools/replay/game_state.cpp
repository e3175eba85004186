#include "game_state.h"

#include <cstdio>

#include "Tavrelo.h"
#include "replay.h"

namespace replay {
namespace {

const char* PhaseName(DWORD phase) {
  switch (phase) {
    case kIdle:
      return "Idle";
    case kPlaying:
      return "Playing";
    case kLost:
      return "Lost";
    case kWon:
      return "Won";
    default:
      return "?";
  }
}

std::string RectText(const RECT& r, const RECT& picture) {
  char text[96];
  std::snprintf(text, sizeof text, "%ld,%ld,%ld,%ld", static_cast<long>(r.left + picture.left),
                static_cast<long>(r.top + picture.top), static_cast<long>(r.right + picture.left),
                static_cast<long>(r.bottom + picture.top));
  return text;
}

}  // namespace

std::vector<std::string> DescribeGame() {
  const GameState& g = g_Game;
  char line[256];
  std::snprintf(line, sizeof line,
                "state phase=%s stage=%lu score=%lu lives=%lu hints=%lu time=%lu difficulty=%lu "
                "targets=%lu found=%lu",
                PhaseName(g.phase), static_cast<unsigned long>(g.stageNumber),
                static_cast<unsigned long>(g.score), static_cast<unsigned long>(g.lives),
                static_cast<unsigned long>(g.hintsLeft), static_cast<unsigned long>(g.timeLeft),
                static_cast<unsigned long>(g.difficulty), static_cast<unsigned long>(g.targetCount),
                static_cast<unsigned long>(g.foundCount));
  std::vector<std::string> lines{line};
  for (DWORD i = 0; i < g.targetCount && g.targets != nullptr; ++i) {
    const Target& t = g.targets[i];
    lines.push_back("target " + std::to_string(i) + " found=" + std::to_string(t.found) +
                    " left=" + RectText(t.rect, g.leftRect) +
                    " right=" + RectText(t.rect, g.rightRect));
  }
  return lines;
}

bool TargetPoint(int item, bool right, POINT* point) {
  const GameState& g = g_Game;
  if (g.targets == nullptr) return false;
  if (item == replay::kNextItem)  // the first target not found yet, in a stage being played
    for (DWORD i = 0; g.phase == kPlaying && i < g.targetCount && item < 0; ++i)
      if (!g.targets[i].found) item = static_cast<int>(i);
  if (item < 0 || static_cast<DWORD>(item) >= g.targetCount) return false;
  const RECT& r = g.targets[item].rect;
  const RECT& picture = right ? g.rightRect : g.leftRect;
  point->x = picture.left + (r.left + r.right) / 2;
  point->y = picture.top + (r.top + r.bottom) / 2;
  return true;
}

}  // namespace replay
