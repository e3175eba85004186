#!/usr/bin/env bash
# sdl_smoke.sh PROGRAM: the demo program on the SDL2 host under a virtual X server, driven by
# xdotool as a person would: open the About box (F1) and close it (Esc), ask to exit (Esc),
# answer Yes (Y); the program must end with exit code 0.
set -u
program=$1
display=":$(( 90 + RANDOM % 100 ))"
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
server=$!
# A plain TERM would only bring up the exit question.
trap 'kill -KILL $app 2>/dev/null; kill $server 2>/dev/null' EXIT
export DISPLAY=$display
# Under the sanitizers, the desktop libraries SDL loads (D-Bus, X11 backends) keep a few blocks
# to the end; the program's own blocks are checked by the unit tests.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

"$program" >/dev/null 2>&1 &
app=$!

exists() { xdotool search --name "$1" >/dev/null 2>&1; }
gone() { ! exists "$1"; }
ended() { ! kill -0 $app 2>/dev/null; }

# Gives the window named $1 the keyboard and presses $2 until the check "$3 $4" holds: a loaded
# machine may take a while to map a window or pass on its focus, so a press can be lost.
press() {
  local name=$1 key=$2 check=$3 subject=${4:-}
  for _ in $(seq 20); do
    local window
    window=$(xdotool search --name "$name" 2>/dev/null | head -n 1)
    if [ -n "$window" ]; then
      xdotool windowfocus --sync "$window" 2>/dev/null
      sleep 0.3
      xdotool key "$key"
    fi
    for _ in $(seq 10); do
      $check "$subject" && return 0
      sleep 0.1
    done
  done
  echo "pressing $key on '$name' never made '$check $subject' true"
  exit 1
}

press "^Tavrelo demo$" F1 exists "^About Tavrelo$"
press "^About Tavrelo$" Escape gone "^About Tavrelo$"
press "^Tavrelo demo$" Escape exists "^Tavrelo$"
press "^Tavrelo$" y ended

for _ in $(seq 50); do kill -0 $app 2>/dev/null || break; sleep 0.1; done
if kill -0 $app 2>/dev/null; then echo "the program did not end"; exit 1; fi
wait $app
status=$?
[ $status -eq 0 ] || { echo "exit code $status"; exit 1; }
echo "smoke test passed"
