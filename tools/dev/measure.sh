#!/usr/bin/env bash
# Start-up time, memory and idle processor time of the game as a player meets them: the real
# program on a fresh 1920 x 1080 virtual X server, started RUNS times, with the medians.
#   tools/dev/measure.sh [PROGRAM [RUNS]]     (default: build/tavrelo, 5 runs)
# Each run starts PROGRAM from the top of the checkout with a fresh settings file and reports:
#   first-map-ms      exec to the first window on the screen (the splash screen)
#   rss-kib           resident memory, one second after the main window appeared
#   idle-cpu-percent  processor time over the two seconds after that, the game idle
#   exit-status       after SIGTERM, which ends the session (0: ended, settings saved)
# It needs a build with tavrelo-xprobe (cmake --build build --target tavrelo-xprobe).
set -euo pipefail
program=${1:+$(realpath "$1")}
cd "$(dirname "$0")/../.."
program=${program:-$PWD/build/tavrelo}
runs=${2:-5}
probe=build/tools/tavrelo-xprobe
[ -x "$probe" ] || { echo "measure.sh: build $probe first" >&2; exit 2; }

work=$(mktemp -d)
display=":$(( 200 + RANDOM % 100 ))"
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp -noreset >/dev/null 2>&1 &
server=$!
trap 'kill $server 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

for run in $(seq "$runs"); do
  rm -f "$work/user.reg"
  # From build/, so that the game lists the whole stage set the build drew, as a player's does.
  (cd build && TAVRELO_REGISTRY="$work/user.reg" "../$probe" launch --title Tavrelo --settle 1000 \
     --idle 2000 --term -- "$program") >"$work/run$run" || true
  echo "run $run: $(tr '\n' ' ' <"$work/run$run")"
done

median() {
  local values
  values=$(cat "$work"/run* | awk -v key="$1" '$1 == key { print $2 }' | sort -g)
  [ -n "$values" ] || { echo "$1: none"; return; }
  echo "$1 median: $(echo "$values" | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')" \
       "(of $(echo "$values" | wc -l): $(echo $values))"
}
for key in first-map-ms rss-kib idle-cpu-percent exit-status; do median $key; done
