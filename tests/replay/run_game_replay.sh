#!/usr/bin/env bash
# run_game_replay.sh PROGRAM STAGES WORKDIR SCRIPT...: runs the game from a fresh WORKDIR, each
# SCRIPT in turn with the same registry file, and compares what each printed with the file
# beside it named .expected.
#   STAGES: all (the shipped set), none, N (the first N shipped files), or broken:N (the first
#   N shipped files and, listed first, a file that is not a stage).
# A script with a line "#! registry" has the game's registry values appended to its output as
# "registry NAME=VALUE" lines. Any leak report fails the run whatever the expected file says.
set -u
program=$1 stages=$2 work=$3
shift 3
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
rm -rf "$work"
mkdir -p "$work/Stage" "$work/out"
shipped=("$source_dir"/Stage/*.stg)
case $stages in
  all) cp "${shipped[@]}" "$work/Stage/" ;;
  none) ;;
  broken:*)
    count=${stages#broken:}
    [ "$count" -gt 0 ] && cp "${shipped[@]:0:$count}" "$work/Stage/"
    printf 'not a stage file at all\n' >"$work/Stage/00-broken.stg" ;;
  *) cp "${shipped[@]:0:$stages}" "$work/Stage/" ;;
esac
export TAVRELO_REGISTRY="$work/user.reg"
status=0
for script in "$@"; do
  script=$(cd "$(dirname "$script")" && pwd)/$(basename "$script")
  name=$(basename "$script" .script)
  actual="$work/$name.out"
  (cd "$work" && "$program" "$script" "$work/out") >"$actual" 2>"$work/$name.err"
  code=$?
  if grep -q '^#! registry' "$script"; then
    sed -n '/Kestrelwork/,/^$/p' "$work/user.reg" | grep '^"' | sed 's/^"\([^"]*\)"=/registry \1=/' >>"$actual"
  fi
  if grep -q 'Memory leak detected' "$actual"; then
    echo "$name: the game reported a leak"
    status=1
  fi
  if ! diff -u "${script%.script}.expected" "$actual"; then
    echo "$name: replay output differs (exit status $code)"
    status=1
  elif [ "$code" -ne 0 ]; then
    echo "$name: replay exit status $code"
    status=1
  fi
done
exit $status
