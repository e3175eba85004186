// tavrelo-replay SCRIPT OUTDIR: the program linked with this driver, run headless from a script.
#include <cstdio>

#include "replay.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: tavrelo-replay SCRIPT OUTDIR\n", stderr);
    return 2;
  }
  return replay::Run(argv[1], argv[2], WinMain);
}
