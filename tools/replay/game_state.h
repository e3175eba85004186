// What a test sees of the game: its record and targets as lines of text, and the client point
// that hits a target. tavrelo-replay prints them for `state` and clicks them for `find`; the
// browser's page offers the same to its tests when opened with ?test.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace replay {

// "state phase=... stage=... score=..." then "target N found=F left=L,T,R,B right=L,T,R,B" for
// each target, in client coordinates, right and bottom exclusive.
std::vector<std::string> DescribeGame();

// The middle of target `item` (kNextItem: the first not found yet, while a stage is played) in
// the left or right picture, in client coordinates; false when there is no such target.
bool TargetPoint(int item, bool right, POINT* point);

}  // namespace replay
