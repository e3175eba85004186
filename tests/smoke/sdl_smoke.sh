#!/usr/bin/env bash
# sdl_smoke.sh PROGRAM: the demo program on the SDL2 host under a virtual X server, driven by
# xdotool as a person would: open the About box (F1) and close it (Esc), ask to exit (Esc),
# answer Yes (Y); the program must end with exit code 0.
set -u
program=$1
source "$(dirname "$0")/lib.sh"
start_display 1280x800

"$program" >"$applog" 2>&1 &
app=$!

press "^Tavrelo demo$" F1 exists "^About Tavrelo$"
press "^About Tavrelo$" Escape gone "^About Tavrelo$"
press "^Tavrelo demo$" Escape exists "^Tavrelo$"
press "^Tavrelo$" y ended

wait_exit 5
[ "$status" -eq 0 ] || { echo "exit code $status"; exit 1; }
echo "smoke test passed"
