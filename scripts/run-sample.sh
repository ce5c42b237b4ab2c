#!/usr/bin/env bash
# Builds Tallyscan 6 and opens the bundled sample project: in the desktop program when a display
# is available, otherwise with the command-line analysis.
set -euo pipefail
cd "$(dirname "$0")/.."
# Only the two programs: the tests and benchmarks are built by scripts/run-tests.sh.
scripts/build.sh tallyscan6-cli tallyscan6
sample=examples/sample/Hourglass.vbp
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x build/src/ui/tallyscan6 ]; then
    exec build/src/ui/tallyscan6 --project "$sample"
fi
build/src/cli/tallyscan6-cli scan "$sample"
echo
echo "No display found, so this was the command-line analysis. On a desktop, the window opens with:"
echo "    build/src/ui/tallyscan6 --project $sample"
