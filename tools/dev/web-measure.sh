#!/usr/bin/env bash
# What a player of the game in a browser feels, measured in headless Chromium (tests/web/measure.js):
# bytes on a first visit, the time to the splash screen and to the main window, the renderer's CPU
# while the game stands idle or a stage runs, and memory. Medians of RUNS (5) first visits.
#   tools/dev/web-measure.sh
set -euo pipefail
cd "$(dirname "$0")/../.."
tools/dev/web.sh >/dev/null
(cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
TAVRELO_WEB_SITE=$PWD/build-web node tests/web/measure.js
