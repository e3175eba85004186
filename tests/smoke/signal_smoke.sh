#!/usr/bin/env bash
# signal_smoke.sh PROGRAM STAGE_DIR: the signals that end a program on Linux end the game's
# session, as Windows ends it at log-off: the game saves its settings and ends with status 0.
#   SIGTERM in the middle of a stage, after Difficult was chosen: the choice is in the file.
#   SIGHUP while the exit question is up: the game ends all the same, with its settings saved.
#   SIGINT while the splash screen is up, before the settings were read: the file is untouched.
set -u
program=$1 stages=$2
source "$(dirname "$0")/lib.sh"
work_with_stages "$stages"
start_display 1280x800

start_game() {
  (cd "$work" && exec "$program") >>"$applog" 2>&1 &
  app=$!
}
ends_with_status_0() {
  kill -s "$1" "$app"
  wait_exit 5
  [ "$status" -eq 0 ] || { echo "SIG$1: exit code $status"; exit 1; }
}
option_is() { grep -q "\"Option\"=dword:0000000$1" "$work/user.reg"; }
question_up() { [ "$(count_named '^Tavrelo$')" -ge 2 ]; }

start_game
end_splash
choose_difficult
sleep 0.3
xdotool key F2
sleep 0.5
ends_with_status_0 TERM
option_is 2 || { echo "SIGTERM: Difficult was not saved"; cat "$work/user.reg"; exit 1; }
[ "$(grep -c '^"' "$work/user.reg")" -eq 23 ] || { echo "SIGTERM: not all 23 values"; exit 1; }

rm "$work/user.reg"
start_game
end_splash
press '^Tavrelo$' Escape question_up
ends_with_status_0 HUP
[ "$(grep -c '^"' "$work/user.reg")" -eq 23 ] || { echo "SIGHUP: the settings were not saved"; exit 1; }

printf 'keep' >>"$work/user.reg"  # anything written over it would lose this
before=$(md5sum <"$work/user.reg")
start_game
sleep 0.5
ends_with_status_0 INT
[ "$(md5sum <"$work/user.reg")" = "$before" ] || { echo "SIGINT: the stored settings changed"; exit 1; }
echo "signal smoke test passed"
