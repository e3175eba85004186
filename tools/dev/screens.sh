#!/usr/bin/env bash
# Plays a short game on the SDL2 host under a virtual X server, as a player would, and keeps
# screenshots in docs/screens/: the splash mid-fade, the idle window, a stage with found marks,
# a lost game with the rest in yellow, the About box, the board and the exit question.
#   tools/dev/screens.sh         on an 800 x 560 screen, at the game's own size
#   tools/dev/screens.sh --2x    on a 3840 x 2160 screen, where the game shows itself at twice
#                                its size by itself; into docs/screens/2x/ (no splash: it stands
#                                in the middle of the large screen)
# Needs a build in build/ (tools/dev/test.sh makes one), Xvfb and xdotool.
set -Eeuo pipefail
cd "$(dirname "$0")/../.."
scale=1 screen=800x560 out=docs/screens
if [ "${1:-}" = --2x ]; then
  scale=2 screen=3840x2160 out=docs/screens/2x
fi
mkdir -p "$out"
cmake --build build --target tavrelo tavrelo-xprobe >/dev/null
source tests/smoke/lib.sh
trap 'echo "screens.sh: line $LINENO failed" >&2' ERR
work=$(mktemp -d) && cleanup=$work
start_display "$screen"
export TAVRELO_REGISTRY=$work/user.reg

# The top-left 800 x 560 of the screen, in the game's pixels, where its window stands.
shot() { build/tools/tavrelo-xprobe shot "$out/$1.png" 0 0 $((800 * scale)) $((560 * scale)); }
# A message box, which stands in the middle of the screen, with a margin of 40 of the game's
# pixels around it.
shot_box() {
  local box x y width height margin=$((40 * scale))
  wait_for other_than_main '^Tavrelo$'
  box=$(xdotool search --name '^Tavrelo$' | grep -vx "$main" | tail -n 1)
  read -r x y width height <<<"$(geometry "$box")"
  build/tools/tavrelo-xprobe shot "$out/$1.png" $((x - margin)) $((y - margin)) \
    $((width + 2 * margin)) $((height + 2 * margin))
}
other_than_main() { xdotool search --name "$1" 2>/dev/null | grep -qvx "$main"; }
# Keys for the window of that name that is not the main window (a dialog or message box), or
# for the main window itself when NAME is "main".
keys() {
  local name=$1 window
  shift
  if [ "$name" = main ]; then
    window=$main
  else
    wait_for other_than_main "$name"
    window=$(xdotool search --name "$name" | grep -vx "$main" | tail -n 1)
  fi
  xdotool windowfocus --sync "$window"
  sleep 0.3
  xdotool key --delay 150 "$@"
  sleep 0.6
}
# A click at point (x, y) of the main window in the game's pixels: y = 0 is the top of the menu
# bar, so the client area starts at y = 19.
click_at() {
  xdotool mousemove --window "$main" $(($1 * scale)) $(($2 * scale)) click 1
  sleep 0.6
}
# The same for a point on the screen.
click_screen() {
  xdotool mousemove $(($1 * scale)) $(($2 * scale)) click 1
  sleep 0.8
}

# The screens show stages of the fixed set the replays use, so that they are made again alike.
mkdir "$work/play" && ln -s "$PWD/tests/fixtures/Stage" "$work/play/Stage"
(cd "$work/play" && exec "$OLDPWD/build/tavrelo") >/dev/null 2>&1 &
app=$!
sleep 1.2
[ "$scale" -eq 1 ] && shot splash
wait_for exists '^Tavrelo$'
main=$(window_of '^Tavrelo$')
sleep 0.5
shot idle
# Menus with the mouse, as most players use them: Help, then About.
click_at 160 9
click_screen 190 81
shot about
keys 'About Tavrelo' Return
keys main F2
keys main F3 F3
shot playing
for _ in 1 2 3 4 5; do click_at 16 123; done
sleep 0.5
shot lost
keys '^Tavrelo$' Return
keys '^Tavrelo$' a n n Return
# The board through the menu with the mouse: Game, then High Score.
click_at 25 9
click_screen 60 109
shot board
keys '^Tavrelo$' Escape
keys main Escape
shot_box question
keys '^Tavrelo$' y
wait_exit 5
echo "screens in $out"
