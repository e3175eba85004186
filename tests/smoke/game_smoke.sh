#!/usr/bin/env bash
# game_smoke.sh PROGRAM STAGE_DIR: the game on the SDL2 host under a virtual X server, driven
# by xdotool as a player would: a key ends the splash screen, F2 starts a game, F3 takes a hint,
# Esc asks to exit and Y answers; the game must end with exit code 0 and save its settings.
set -u
program=$1 stages=$2
work=$(mktemp -d)
mkdir "$work/Stage" && cp "$stages"/0[1-3]-*.stg "$work/Stage/"
display=":$(( 90 + RANDOM % 100 ))"
Xvfb "$display" -screen 0 1024x700x24 -nolisten tcp >/dev/null 2>&1 &
server=$!
# A plain TERM would only bring up the exit question.
trap 'kill -KILL $app 2>/dev/null; kill $server 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY=$display TAVRELO_REGISTRY=$work/user.reg
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"  # see sdl_smoke.sh
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

(cd "$work" && exec "$program") >/dev/null 2>&1 &
app=$!
# The windows named Tavrelo: the main window, and a message box while one is open.
count() { xdotool search --name '^Tavrelo$' 2>/dev/null | wc -l; }
for _ in $(seq 100); do [ "$(count)" -ge 1 ] && break; sleep 0.1; done
# The main window is the first; the splash screen has no name and ends at any key.
sleep 0.5
for _ in $(seq 30); do
  main=$(xdotool search --name '^Tavrelo$' | head -n 1)
  [ -n "$main" ] && xdotool windowfocus --sync "$main" 2>/dev/null
  xdotool key space F2 F3
  sleep 0.3
  xdotool key Escape
  for _ in $(seq 10); do [ "$(count)" -ge 2 ] && break 2; sleep 0.1; done
done
[ "$(count)" -ge 2 ] || { echo "the exit question never came"; exit 1; }
box=$(xdotool search --name '^Tavrelo$' | grep -vx "$main" | tail -n 1)
xdotool windowfocus --sync "$box" 2>/dev/null
sleep 0.3
xdotool key y
for _ in $(seq 50); do kill -0 $app 2>/dev/null || break; sleep 0.1; done
if kill -0 $app 2>/dev/null; then echo "the game did not end"; exit 1; fi
wait $app
status=$?
[ $status -eq 0 ] || { echo "exit code $status"; exit 1; }
grep -q '"Option"=dword:00000001' "$work/user.reg" || { echo "the settings were not saved"; exit 1; }
echo "game smoke test passed"
