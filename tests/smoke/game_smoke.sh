#!/usr/bin/env bash
# game_smoke.sh PROGRAM STAGE_DIR: the game on the SDL2 host under a virtual X server, driven
# by xdotool as a player would: a key ends the splash screen, F2 starts a game, F3 takes a hint,
# Esc asks to exit and Y answers; the game must end with exit code 0 and save its settings.
set -u
program=$1 stages=$2
source "$(dirname "$0")/lib.sh"
work_with_stages "$stages"
start_display 1024x700

# The windows named Tavrelo: the main window, and a message box while one is open.
start_past_splash "$program"
sleep 0.5
for _ in $(seq 30); do
  focus "$main"
  xdotool key space F2 F3
  sleep 0.3
  xdotool key Escape
  for _ in $(seq 10); do [ "$(count_named '^Tavrelo$')" -ge 2 ] && break 2; sleep 0.1; done
done
[ "$(count_named '^Tavrelo$')" -ge 2 ] || { echo "the exit question never came"; exit 1; }
box=$(xdotool search --name '^Tavrelo$' | grep -vx "$main" | tail -n 1)
focus "$box"
sleep 0.3
xdotool key y
wait_exit 5
[ "$status" -eq 0 ] || { echo "exit code $status"; exit 1; }
grep -q '"Option"=dword:00000001' "$work/user.reg" || { echo "the settings were not saved"; exit 1; }
echo "game smoke test passed"
