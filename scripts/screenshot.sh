#!/usr/bin/env bash
# Takes the pictures of the main window for the documentation, on the sample project:
#   docs/screenshot-main.png      a file selected in the tree, the Code Review tab showing "Never Called"
#   docs/screenshot-codeview.png  the Code View tab showing a routine with its comments and problem marks
#   docs/screenshot-unsaved.png   the Code View tab with an unsaved edit (its markers) and the Code View
#                                 menu open, with the commands that do not apply disabled
# Needs xvfb-run.
#   scripts/screenshot.sh [MAIN.png [CODEVIEW.png [UNSAVED.png]]]   (BUILD_DIR defaults to build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
out=${1:-docs/screenshot-main.png}
code=${2:-docs/screenshot-codeview.png}
unsaved=${3:-docs/screenshot-unsaved.png}
[ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" -j2 --target tallyscan6-screenshot >/dev/null
mkdir -p "$(dirname "$out")" "$(dirname "$code")" "$(dirname "$unsaved")"
out=$(realpath "$out")
code=$(realpath "$code")
unsaved=$(realpath "$unsaved")
# The pictures show the project's folder: take them on a copy in a plain folder, not in the checkout.
stage=/tmp/Projects/Hourglass
rm -rf "$stage" && mkdir -p "$stage" && cp -r examples/sample examples/shared "$stage"/
bin=$(realpath "$build/bench/tallyscan6-screenshot")
cd "$stage"
xvfb-run -a -s "-screen 0 1400x900x24" "$bin" --out "$out" \
    --project sample/Hourglass.vbp --select modMain.bas --tab 2 --list 1 --size 1180x720 2>/dev/null
xvfb-run -a -s "-screen 0 1400x900x24" "$bin" --out "$code" \
    --project sample/Hourglass.vbp --select frmMain.frm --tab 1 --routine ExportCsv \
    --size 1180x720 2>/dev/null
xvfb-run -a -s "-screen 0 1400x900x24" "$bin" --out "$unsaved" \
    --project sample/Hourglass.vbp --select frmMain.frm --tab 1 --routine ExportCsv \
    --type "    Dim nRows As Long|" --menu "Code View" --size 1180x720 2>/dev/null
echo "$out"
echo "$code"
echo "$unsaved"
