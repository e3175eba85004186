#!/usr/bin/env bash
# wayland_smoke.sh PROGRAM REPLAY STAGE_DIR XPROBE: the game on a Wayland display without X, as
# a player on a desktop without Xwayland meets it. Weston (its X11 backend, inside a virtual X
# server, which gives the test its screenshots and its input) is the compositor; the game sees
# WAYLAND_DISPLAY alone.
#   - the splash screen, then the main window, each exactly as our subset composes it
#     (tavrelo-replay's frames of the same moments, wayland.script);
#   - the Game menu opens under its menu bar item, and the About box stands over the main window,
#     both inside the main window's own surface;
#   - F2 shows a stage; Esc and Y end the game with status 0;
#   - resident memory and idle processor time, as measure.sh takes them on X11;
#   - SIGTERM saves the settings, as on X11;
#   - on an output of scale 2, the game is shown at twice its size, each pixel a 2 x 2 square;
#   - a compositor without a seat gets the one line and status 1, not a crash.
set -u
program=$1 replay=$2 stages=$3 xprobe=$4
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
work_with_stages "$stages"
start_display 1920x1200

export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
weston_pid=""
weston_log=$work/weston.log
trap 'stop_all; [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null' EXIT

# start_weston BACKEND [OPTION...]: a compositor of its own on socket tavrelo-smoke.
start_weston() {
  rm -f "$XDG_RUNTIME_DIR"/tavrelo-smoke*
  weston --backend="$1" --socket=tavrelo-smoke --width=1200 --height=900 --idle-time=0 \
    --no-config "${@:2}" >"$weston_log" 2>&1 &
  weston_pid=$!
  for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/tavrelo-smoke" ] && return 0; sleep 0.05; done
  echo "weston did not start:"; tail -n 20 "$weston_log"; exit 1
}
stop_weston() { kill "$weston_pid" 2>/dev/null; wait "$weston_pid" 2>/dev/null; weston_pid=""; }

start_game() {
  rm -f "$work/user.reg"
  (cd "$work" && exec env -u DISPLAY WAYLAND_DISPLAY=tavrelo-smoke "$program") >>"$applog" 2>&1 &
  app=$!
}

# The pictures to find: the replay's frames of the same moments.
mkdir "$work/expected"
(cd "$work" && TAVRELO_REGISTRY=$work/replay.reg "$replay" "$here/wayland.script" \
   "$work/expected" >/dev/null) || { echo "the replay did not run"; exit 1; }

# Weston draws the pointer into what it shows, where it last saw it: it waits in the corner of
# the output, away from the windows, but to click.
off_output() { xdotool mousemove 2 897; }
shows() { "$xprobe" locate "$work/expected/$1.png" >/dev/null; }
at() { "$xprobe" locate "$work/expected/$1.png"; }
same_at() { "$xprobe" compare "$work/expected/$1.png" "$origin_x" "$origin_y" >/dev/null; }

start_weston x11-backend.so
off_output
start_game
wait_for shows splash
wait_seconds=15 wait_for shows main
read -r origin_x origin_y < <(at main)
echo "the splash screen, then the main window at $origin_x, $origin_y"

# A resident set and the processor time of two idle seconds, as measure.sh takes them on X11
# (not in the sanitizer build, whose shadow memory and checks would be what is measured).
if [ -z "${TAVRELO_SANITIZED:-}" ]; then
  rss=$(awk '/^VmRSS/ { print $2 }' "/proc/$app/status")
  ticks() { awk '{ print $14 + $15 }' "/proc/$app/stat"; }
  before=$(ticks); sleep 2; after=$(ticks)
  idle_percent=$(( (after - before) * 100 / $(getconf CLK_TCK) / 2 ))
  echo "resident: $rss KiB; idle processor: $idle_percent %"
  [ "$idle_percent" -lt 1 ] || { echo "idle, the game took $idle_percent % of the processor"; exit 1; }
  # SDL 2.26 makes every Wayland window an OpenGL (EGL) window, and EGL brings in the display's
  # driver; the pixels themselves go through shared memory. That driver is what lies above 32 MiB.
  [ "$rss" -lt $((96 * 1024)) ] || { echo "resident memory $rss KiB is over 96 MiB"; exit 1; }
fi

# The menu bar's "Game" (the caption and frame are the subset's own, 3 + 19 pixels high).
xdotool mousemove $((origin_x + 3 + 14)) $((origin_y + 3 + 19 + 9)) click 1
off_output
wait_for same_at main-menu
xdotool key Escape
wait_for same_at main
echo "the Game menu opens under its menu bar item"
xdotool key alt+h
xdotool key a
wait_for same_at main-about
xdotool key Return
wait_for same_at main
echo "the About box stands over the main window"

xdotool key F2
wait_for eval '! same_at main'
echo "F2 shows a stage"
xdotool key Escape
sleep 0.3
xdotool key y
wait_exit 5
[ "$status" -eq 0 ] || { echo "exit code $status after Esc and Y"; explain; exit 1; }
echo "Esc and Y end the game with status 0"

start_game
wait_for shows splash
wait_seconds=15 wait_for shows main
xdotool key alt+o
xdotool key d
sleep 0.5
kill -TERM "$app"
wait_exit 5
[ "$status" -eq 0 ] || { echo "SIGTERM: exit code $status"; exit 1; }
grep -q '"Option"=dword:00000002' "$work/user.reg" || { echo "SIGTERM: Difficult was not saved"; exit 1; }
[ "$(grep -c '^"' "$work/user.reg")" -eq 23 ] || { echo "SIGTERM: not all 23 values"; exit 1; }
echo "SIGTERM saves the settings"
stop_weston

# Scale 2: the output is 1800 x 1120 screen pixels, 900 x 560 to its clients.
start_weston x11-backend.so --scale=2 --width=900 --height=560
xdotool mousemove 2 1117
start_game
wait_seconds=15 wait_for eval '"$xprobe" locate "$work/expected/main.png" 2 >/dev/null'
echo "on an output of scale 2, the game at twice its size"
kill -TERM "$app"
wait_exit 5
stop_weston

# A compositor without a seat: the one line, and status 1.
start_weston headless-backend.so
line=$(cd "$work" && env -u DISPLAY WAYLAND_DISPLAY=tavrelo-smoke timeout 10 "$program" 2>&1)
status=$?
[ "$status" -eq 1 ] && [ "$(wc -l <<<"$line")" -eq 1 ] && grep -q "no seat" <<<"$line" ||
  { echo "without a seat: status $status, said: $line"; exit 1; }
echo "without a seat: $line"
stop_weston
echo "wayland smoke test passed"
