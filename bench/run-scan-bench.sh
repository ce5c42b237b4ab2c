#!/usr/bin/env bash
# Scan benchmark: generates synthetic projects of about 50k, 200k and 800k lines (fixed seed) and,
# for each, times reading+splitting the sources (a) against the full scan (b), in one run.
# Prints b/a per size, how the scan time grows with size, and peak memory against source size.
# Usage: bench/run-scan-bench.sh [build-dir] [runs]
set -euo pipefail
build=${1:-build}
runs=${2:-3}
data="$build/bench-data"
gen="$build/bench/tallyscan6-genproject"
bench="$build/bench/tallyscan6-scanbench"
[ -x "$gen" ] && [ -x "$bench" ] || { echo "build first: cmake --build $build" >&2; exit 2; }

declare -A scan
for size in 50000 200000 800000; do
    dir="$data/p$size"
    [ -f "$dir/Synthetic.vbp" ] || "$gen" --out "$dir" --lines "$size" --seed 7 >/dev/null
    line=$("$bench" "$dir/Synthetic.vbp" "$runs")
    echo "target=$size $line"
    scan[$size]=$(sed -E 's/.*scan_s=([0-9.]+).*/\1/' <<<"$line")
done
awk -v a="${scan[50000]}" -v b="${scan[200000]}" -v c="${scan[800000]}" 'BEGIN {
    printf "growth: 4x size (50k->200k) takes %.2fx the time; 4x size (200k->800k) takes %.2fx\n", b / a, c / b }'
