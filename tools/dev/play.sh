#!/usr/bin/env bash
# Sets up what is missing, builds the game and its stage set and starts it.
#   tools/dev/play.sh
set -euo pipefail
cd "$(dirname "$0")/../.."

"tools/dev/install-deps.sh"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2 --target tavrelo tavrelo_stages
# The game finds its stages in .\Stage\, beside where it is started: the build draws them there.
cd build
exec ./tavrelo
