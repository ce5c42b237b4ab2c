#!/usr/bin/env bash
# Takes the picture of the main window in docs/screenshot-main.png: the sample project opened, a
# file selected in the tree and the Code Review tab showing "Never Called". Needs xvfb-run.
#   scripts/screenshot.sh [OUT.png]            (BUILD_DIR defaults to build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
out=${1:-docs/screenshot-main.png}
[ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" -j2 --target tallyscan6-screenshot >/dev/null
mkdir -p "$(dirname "$out")"
xvfb-run -a -s "-screen 0 1400x900x24" "$build/bench/tallyscan6-screenshot" --out "$out" \
    --project examples/sample/Hourglass.vbp --select modMain.bas --tab 2 --list 1 --size 1180x720 2>/dev/null
echo "$out"
