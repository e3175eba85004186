#!/usr/bin/env bash
# scale_smoke.sh PROGRAM REPLAY STAGE_DIR XPROBE: the game on a 3840 x 2160 screen shows itself
# at twice its size, and a click on a difference where it is shown finds it. The replay driver
# first chooses Easy, which plays the first differences of the one stage in order, and tells
# where they are in the game's own pixels.
set -u
program=$1 replay=$2 stages=$3 xprobe=$4
source "$(dirname "$0")/lib.sh"
one_stage_on_easy "$stages" "$replay"
menu=19  # the menu bar above the client area, in the game's pixels

rect() {  # rect left|right: the rectangle of target 0 in that picture, "L T R B"
  awk -v side="$1" '$1 == "target" && $2 == 0 {
    for (i = 3; i <= NF; ++i) if (index($i, side "=") == 1) { sub(side "=", "", $i); gsub(",", " ", $i); print $i } }' \
    "$work/replay.out"
}
read -r left top right bottom <<<"$(rect left)"
read -r rleft rtop _ _ <<<"$(rect right)"
[ -n "${bottom:-}" ] && [ -n "${rtop:-}" ] || { echo "the replay told no target"; cat "$work/replay.out"; exit 1; }

start_display 3840x2160
start_game() {
  start_past_splash "$program"
  sleep 0.3
  read -r x y width height <<<"$(geometry "$main")"
}
# The screen pixel where client pixel (cx, cy) of the game's window starts.
screen_x() { echo $(( x + 2 * $1 )); }
screen_y() { echo $(( y + 2 * (menu + $1) )); }
pixel() { "$xprobe" pixel "$(screen_x "$1")" "$(screen_y "$2")"; }
# A stage is showing when the left picture is more than the one colour of the empty frame.
stage_showing() {
  for p in "40 160" "150 250" "250 350" "300 400" "$left $top"; do pixel $p; done | varied
}

start_game
[ "$width" -eq $(( 2 * 632 )) ] && [ "$height" -eq $(( 2 * (420 + menu) )) ] ||
  { echo "the window is ${width} x ${height}, not twice 632 x $(( 420 + menu ))"; exit 1; }
press '^Tavrelo$' F2 stage_showing
before=$(pixel "$left" "$top")
xdotool mousemove "$(screen_x $(( (left + right) / 2 )))" "$(screen_y $(( (top + bottom) / 2 )))" click 1
# A find is outlined in red in both pictures, drawn by masking: no green or blue is left.
outlined() { case $(pixel "$1" "$2") in ??0000) return 0 ;; *) return 1 ;; esac; }
wait_for outlined "$left" "$top"
outlined "$rleft" "$rtop" || { echo "no outline in the right picture"; exit 1; }
[ "$before" != "$(pixel "$left" "$top")" ] || { echo "the outline was there before the click"; exit 1; }
# Each of the game's pixels is a 2 x 2 square on the screen.
[ "$("$xprobe" pixel $(( $(screen_x "$left") + 1 )) $(( $(screen_y "$top") + 1 )))" = "$(pixel "$left" "$top")" ] ||
  { echo "the outline's pixel is not a 2 x 2 square"; exit 1; }
kill -TERM "$app"
wait_exit 5
[ "$status" -eq 0 ] || { echo "exit code $status"; exit 1; }

# The player's choice wins over the screen's size.
export TAVRELO_SCALE=1
start_game
[ "$width" -eq 632 ] && [ "$height" -eq $(( 420 + menu )) ] ||
  { echo "with TAVRELO_SCALE=1 the window is ${width} x ${height}"; exit 1; }
kill -TERM "$app"
wait_exit 5
echo "scale smoke test passed"
