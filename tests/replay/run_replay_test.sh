#!/usr/bin/env bash
# run_replay_test.sh PROGRAM SCRIPT EXPECTED OUTDIR: runs a replay and compares what it printed.
set -u
program=$1 script=$2 expected=$3 outdir=$4
mkdir -p "$outdir"
actual="$outdir/$(basename "$script" .script).out"
"$program" "$script" "$outdir" >"$actual" 2>"$outdir/stderr.txt"
status=$?
if ! diff -u "$expected" "$actual"; then
  echo "replay output differs from $expected (exit status $status)"
  exit 1
fi
exit "$status"
