#!/usr/bin/env bash
# Spell check benchmark: the CLI's --spell over every Spell Check row of the 200k-line synthetic
# project (fixed seed), dictionary loading included, against the same scan without it. Target: the
# spelling run under 5 s.
# Usage: bench/run-spell-bench.sh [build-dir]
set -euo pipefail
build=${1:-build}
gen="$build/bench/tallyscan6-genproject"
cli="$build/src/cli/tallyscan6-cli"
[ -x "$gen" ] && [ -x "$cli" ] || { echo "build first: cmake --build $build" >&2; exit 2; }
dir="$build/bench-data/p200000"
[ -f "$dir/Synthetic.vbp" ] || "$gen" --out "$dir" --lines 200000 --seed 7 >/dev/null

seconds() { local TIMEFORMAT=%R; { time "$@" >/dev/null 2>&1; } 2>&1; }
scan=$(seconds "$cli" scan "$dir/Synthetic.vbp" --no-progress)
spell=$(seconds "$cli" scan "$dir/Synthetic.vbp" --no-progress --spell)
rows=$("$cli" scan "$dir/Synthetic.vbp" --no-progress --spell --format csv | awk 'found { n++ } /^File,Control/ { found = 1 } END { print n + 0 }')
awk -v a="$scan" -v b="$spell" -v n="$rows" 'BEGIN {
    printf "scan %.2f s, scan + spell check %.2f s (%.2fx; %d words found); target under 5 s: %s\n",
           a, b, b / a, n, (b < 5 ? "met" : "MISSED") }'
