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
    {"decode", tools::RunDecode, "decode IN.jpg OUT.bmp    write the BMP image the game decodes"},
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
