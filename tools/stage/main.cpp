// tavrelo-stage: the stage authors' tool.
#include <cstdio>
#include <cstring>

#include "commands.h"

namespace {

struct Command {
  const char* name;
  int (*run)(const tools::Arguments&);
  const char* synopsis;
};

const Command kCommands[] = {
    {"inspect", tools::RunInspect,
     "inspect FILE...                       what a stage holds; status 1 if the game refuses it"},
    {"pack", tools::RunPack,
     "pack -o OUT.stg PICTURE L,T[,R,B],PATCH...\n      a stage from upright PNG or JPEG pictures; "
     "@LIST reads words from LIST"},
    {"unpack", tools::RunUnpack,
     "unpack FILE DIR                       the pictures as PNG, and a list for pack"},
    {"make", tools::RunMake,
     "make -o OUT.stg ORIGINAL ALTERED      a stage from where two pictures differ"},
    {"preview", tools::RunPreview,
     "preview FILE OUT.png [--marks]        the two pictures side by side, as played"},
    {"decode", tools::RunDecode,
     "decode IN.jpg OUT.bmp                 the BMP image the game decodes"},
};

int Usage() {
  std::fputs("usage: tavrelo-stage COMMAND ARGS...\n", stderr);
  for (const Command& command : kCommands) std::fprintf(stderr, "  %s\n", command.synopsis);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  for (const Command& command : kCommands) {
    if (std::strcmp(argv[1], command.name) == 0)
      return command.run(tools::Arguments(argv + 2, argv + argc));
  }
  std::fprintf(stderr, "tavrelo-stage: unknown command '%s'\n", argv[1]);
  return Usage();
}
