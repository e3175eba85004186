#!/usr/bin/env bash
# Plays a short game on the SDL2 host under a virtual X server, as a player would, and keeps
# screenshots of the whole screen in docs/screens/: the splash mid-fade, the idle window, a
# stage with found marks, a lost game with the rest in yellow, the About box and the board.
# Needs a build in build/ (tools/dev/test.sh makes one) and Xvfb, xdotool and ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/../.."
out=docs/screens
mkdir -p "$out"
work=$(mktemp -d)
display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 800x560x24 -nolisten tcp >/dev/null 2>&1 &
server=$!
trap 'kill -KILL $app 2>/dev/null || true; kill $server 2>/dev/null || true; rm -rf "$work"' EXIT
export DISPLAY=$display TAVRELO_REGISTRY=$work/user.reg
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

shot() { import -window root "$out/$1.png"; }
# Keys for the window of that name that is not the main window (a dialog or message box), for
# the main window itself when NAME is "main", or for whichever has the keyboard when NAME is
# "held" (an open menu: moving the focus would close it).
keys() {
  local name=$1 window
  shift
  if [ "$name" = held ]; then
    xdotool key --delay 150 "$@"
    sleep 0.6
    return
  fi
  if [ "$name" = main ]; then
    window=$main
  else
    window=$(xdotool search --name "$name" | grep -vx "$main" | tail -n 1)
  fi
  xdotool windowfocus --sync "$window"
  sleep 0.3
  xdotool key --delay 150 "$@"
  sleep 0.6
}
# A click at client point (x, y) of the main window, below its menu bar.
click() {
  xdotool mousemove --window "$main" "$1" $(($2 + 19)) click 1
  sleep 0.3
}

./build/tavrelo >/dev/null 2>&1 &
app=$!
sleep 1.2
shot splash
sleep 5
main=$(xdotool search --name '^Tavrelo$' | head -n 1)
shot idle
# Menus with the mouse, as most players use them: Help, then About.
xdotool mousemove --window "$main" 160 9 click 1
sleep 0.6
xdotool mousemove 190 81 click 1
sleep 0.8
shot about
keys 'About Tavrelo' Return
keys main F2
keys main F3 F3
shot playing
for _ in 1 2 3 4 5; do click 16 104; done
sleep 0.5
shot lost
keys '^Tavrelo$' Return
keys '^Tavrelo$' a n n Return
# The board through the menu with the mouse: Game, then High Score.
xdotool mousemove --window "$main" 25 9 click 1
sleep 0.6
xdotool mousemove 60 109 click 1
sleep 0.8
shot board
keys '^Tavrelo$' Escape
keys main Escape
keys '^Tavrelo$' y
for _ in $(seq 50); do kill -0 $app 2>/dev/null || break; sleep 0.1; done
echo "screens in $out"
