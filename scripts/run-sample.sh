#!/usr/bin/env bash
# Builds Tallyscan 6 and analyses the bundled sample project.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
build/src/cli/tallyscan6-cli scan examples/sample/Hourglass.vbp
