#!/usr/bin/env bash
# Runs a link, leaving out of what it prints binaryen's note for each name in ASYNCIFY_REMOVE that
# the program does not have: the list names every function of the libraries, and the linker
# keeps only those the game calls.
"$@" 2> >(grep -v 'Asyncify removelist contained a non-' >&2)
