#!/usr/bin/env bash
# run_game_replay.sh PROGRAM STAGES WORKDIR SCRIPT...: runs the game from a fresh WORKDIR, each
# SCRIPT in turn with the same registry file, and compares what each printed with the file
# beside it named .expected.
#   STAGES: all (the fixed set of tests/fixtures/Stage, whose pictures the expected lines pin),
#   none, N (its first N files), or broken:N (its first N files and, listed first, a file that
#   is not a stage).
# A script with a line "#! registry" has the game's registry values appended to its output as
# "registry NAME=VALUE" lines. One with "#! damage KIND" finds the registry file damaged as a
# text editor, a full disk or a stray write would leave it (value: a bad dword, text: a line that
# is no registry line, cut: the file cut off after 300 bytes, nul: three NUL bytes at the end,
# version: another version in the header), and the copy the game keeps aside must equal it. Any
# leak report fails the run whatever the expected file says.
set -u
program=$1 stages=$2 work=$3
shift 3
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
rm -rf "$work"
mkdir -p "$work/Stage" "$work/out"
shipped=("$source_dir"/tests/fixtures/Stage/*.stg)
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
  damage=$(sed -n 's/^#! damage //p' "$script")
  case $damage in
    "") ;;
    value) sed -i 's/^"Score5"=dword:00000000$/"Score5"=dword:0000zz00/' "$work/user.reg" ;;
    text) sed -i '/^\[Software/i this line is not a registry line' "$work/user.reg" ;;
    cut) head -c 300 "$work/user.reg" >"$work/cut" && mv "$work/cut" "$work/user.reg" ;;
    nul) printf '\0\0\0' >>"$work/user.reg" ;;
    version) sed -i '1s/Version 2/Version 3/' "$work/user.reg" ;;
    *) echo "$name: no damage called $damage"; status=1 ;;
  esac
  [ -n "$damage" ] && cp "$work/user.reg" "$work/$name.damaged-input"
  (cd "$work" && "$program" "$script" "$work/out") >"$actual" 2>"$work/$name.err"
  code=$?
  if grep -q '^#! registry' "$script"; then
    sed -n '/Kestrelwork/,/^$/p' "$work/user.reg" | grep '^"' | sed 's/^"\([^"]*\)"=/registry \1=/' >>"$actual"
  fi
  # Paths of the work folder are said relative to it, so that the expected lines hold anywhere.
  sed -i "s|$work/||g" "$actual"
  if [ -n "$damage" ] && ! cmp -s "$work/user.reg.damaged" "$work/$name.damaged-input"; then
    echo "$name: the damaged file was not kept aside as it was"
    status=1
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
