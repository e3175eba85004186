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
     "inspect [--stats] FILE...             what a stage holds; status 1 if the game refuses it;\n"
     "      --stats: how busy the picture is and how large each difference"},
    {"pack", tools::RunPack,
     "pack -o OUT.stg PICTURE L,T[,R,B],PATCH...\n      a stage from upright PNG or JPEG pictures; "
     "@LIST reads words from LIST"},
    {"unpack", tools::RunUnpack,
     "unpack FILE DIR                       the pictures as PNG, and a list for pack"},
    {"make", tools::RunMake,
     "make -o OUT.stg ORIGINAL ALTERED      a stage from where two pictures differ"},
    {"preview", tools::RunPreview,
     "preview FILE OUT.png [--marks]        the two pictures side by side, as played"},
    {"sheet", tools::RunSheet,
     "sheet OUT.png FILE... [--marks]       a contact sheet of stages, as played\n"
     "  sheet --by-place DIR FILE...          one sheet a place, DIR/PLACE.png"},
    {"decode", tools::RunDecode,
     "decode IN.jpg OUT.bmp                 the BMP image the game decodes"},
};

// The usage, on standard output when asked for (status 0), else on standard error (status 2).
int Usage(bool asked) {
  std::FILE* out = asked ? stdout : stderr;
  std::fputs("usage: tavrelo-stage COMMAND ARGS...\n", out);
  for (const Command& command : kCommands) std::fprintf(out, "  %s\n", command.synopsis);
  if (asked) std::fputs("See tavrelo-stage(1) for the stage file and each command.\n", out);
  return asked ? 0 : 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage(false);
  if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) return Usage(true);
  if (std::strcmp(argv[1], "--version") == 0) {
    std::printf("tavrelo-stage %s\n", TAVRELO_VERSION);
    return 0;
  }
  for (const Command& command : kCommands) {
    if (std::strcmp(argv[1], command.name) == 0)
      return command.run(tools::Arguments(argv + 2, argv + argc));
  }
  std::fprintf(stderr, "tavrelo-stage: unknown command '%s'\n", argv[1]);
  return Usage(false);
}
