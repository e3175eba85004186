// tavrelo-replay SCRIPT OUTDIR: the game on the headless host, driven by a script. Besides the
// driver's lines, `state` prints the game record and `find N left|right` clicks the middle of
// target N in the left or right picture.
#include <cstdio>

#include "game_state.h"
#include "replay.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: tavrelo-replay SCRIPT OUTDIR\n", stderr);
    return 2;
  }
  return replay::Run(argv[1], argv[2], WinMain, {replay::DescribeGame, replay::TargetPoint});
}
