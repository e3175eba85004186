#!/usr/bin/env bash
# input_smoke.sh PROGRAM REPLAY STAGE_DIR XPROBE: the player's mouse and keyboard on the SDL2
# host under a virtual X server, as xdotool gives them: on a stage on Easy, middle and side
# clicks on a picture cost no life (a find and four misses then leave the game on, the fifth
# miss ends it); the name entry takes "Jürgen Ærø" typed as a keyboard types it, and the board
# keeps it so.
set -u
program=$1 replay=$2 stages=$3 xprobe=$4
source "$(dirname "$0")/lib.sh"
one_stage_on_easy "$stages" "$replay"
menu=19  # the menu bar above the client area, in the game's pixels

# A miss is a point of the left picture in none of the differences.
miss=$(awk '$1 == "target" { for (i = 3; i <= NF; ++i) if (index($i, "left=") == 1) {
              sub("left=", "", $i); split($i, r, ","); n++; L[n] = r[1]; T[n] = r[2]; R[n] = r[3]; B[n] = r[4] } }
            END { for (y = 110; y < 380; y += 20) for (x = 20; x < 300; x += 20) {
                    inside = 0; for (k = 1; k <= n; ++k) if (x >= L[k] - 4 && x < R[k] + 4 && y >= T[k] - 4 && y < B[k] + 4) inside = 1
                    if (!inside) { print x, y; exit } } }' "$work/replay.out")
[ -n "$miss" ] || { echo "the replay told no targets"; cat "$work/replay.out"; exit 1; }
read -r mx my <<<"$miss"
# The first difference on Easy, found first: a score that goes on the board.
read -r fx fy < <(awk '$1 == "target" && $2 == 0 { for (i = 3; i <= NF; ++i) if (index($i, "left=") == 1) {
                          sub("left=", "", $i); split($i, r, ","); print int((r[1] + r[3]) / 2), int((r[2] + r[4]) / 2) } }' \
                      "$work/replay.out")

start_display 1024x700
start_past_splash "$program"
sleep 0.3
choose_easy() {
  closed=$(popups)
  press '^Tavrelo$' alt+o menu_open
  xdotool key e
  sleep 0.3
}
choose_easy
read -r x y _ _ <<<"$(geometry "$main")"
pixel() { "$xprobe" pixel $(( x + $1 )) $(( y + menu + $2 )); }
stage_showing() { for p in "40 160" "150 250" "250 350" "300 400"; do pixel $p; done | varied; }
press '^Tavrelo$' F2 stage_showing
at_miss() { xdotool mousemove $(( x + mx )) $(( y + menu + my )) click "$1"; sleep 0.15; }
xdotool mousemove $(( x + fx )) $(( y + menu + fy )) click 1
sleep 0.2
# xdotool's buttons: 2 the middle one, 8 and 9 the side ones (back and forward).
at_miss 2; at_miss 8; at_miss 9; at_miss 2
for _ in 1 2 3 4; do at_miss 1; done
sleep 0.5
[ "$(count_named '^Tavrelo$')" -eq 1 ] || { echo "the game was lost before the fifth miss"; exit 1; }
at_miss 1
wait_for eval '[ "$(count_named "^Tavrelo$")" -ge 2 ]'
echo "middle and side clicks cost nothing: the fifth left miss lost the game"
others() { xdotool search --name '^Tavrelo$' 2>/dev/null | grep -vx "$main"; }
box=$(others | tail -n 1)
focus "$box"
sleep 0.3
xdotool key Return  # the message box goes; the name entry comes
new_entry() { entry=$(others | grep -vx "$box" | tail -n 1); [ -n "$entry" ]; }
wait_for new_entry
# The entry has the keyboard, and the game has turned text input on for its box, before a key.
focus "$entry" || focus "$entry"
sleep 1
# xdotool binds a letter the keyboard lacks to a spare key alone, which X then types in small
# letters unless Shift is held: the capital is typed with Shift, as a keyboard with it would.
xdotool type --delay 60 'Jürgen '
xdotool key shift+AE
xdotool type --delay 60 'rø'
sleep 0.3
xdotool key Return
want=$(printf '"Name0"="J\\xfcrgen \\xc6r\\xf8"')
stored() { grep -aqF "$want" "$work/user.reg" 2>/dev/null; }
for _ in $(seq 50); do stored && break; sleep 0.1; done
stored || { echo "the board holds: $(grep -a '"Name0"' "$work/user.reg")"; exit 1; }
echo "the board keeps Jürgen Ærø as typed"
kill -TERM "$app"
wait_exit 5
echo "input smoke test passed"
