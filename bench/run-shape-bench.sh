#!/usr/bin/env bash
# Shape benchmark: for each extreme shape of bench/shapes.py, writes a project of SIZE and one of 4x
# SIZE, times a one-thread CLI scan of each (best of three) and prints how the time grows. A scan
# whose time grows far beyond 4x for 4x the size has a cost that is not linear in that shape.
# Usage: bench/run-shape-bench.sh [build-dir] [size] [shape ...]
set -euo pipefail
build=${1:-build}
size=${2:-20000}
shift $(($# > 2 ? 2 : $#))
cli="$build/src/cli/tallyscan6-cli"
[ -x "$cli" ] || { echo "build first: cmake --build $build" >&2; exit 2; }
command -v python3 >/dev/null || { echo "needs python3" >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
data="$build/bench-data/shapes"
shapes=("$@")
[ ${#shapes[@]} -gt 0 ] || mapfile -t shapes < <(python3 -c "
import sys; sys.path.insert(0, '$here'); import shapes; print('\n'.join(shapes.SHAPES))")

best_of_three() {
    local best=999999 start end ms
    for _ in 1 2 3; do
        start=$(date +%s%N)
        "$cli" scan "$1" --jobs 1 >/dev/null
        end=$(date +%s%N)
        ms=$(((end - start) / 1000000))
        ((ms < best)) && best=$ms
    done
    echo "$best"
}

printf "%-18s %10s %10s %8s\n" shape "ms@size" "ms@4x" growth
for shape in "${shapes[@]}"; do
    for n in "$size" $((4 * size)); do
        [ -f "$data/$n/$shape/P.vbp" ] || python3 "$here/shapes.py" "$data/$n" "$n" "$shape"
    done
    small=$(best_of_three "$data/$size/$shape/P.vbp")
    large=$(best_of_three "$data/$((4 * size))/$shape/P.vbp")
    awk -v s="$shape" -v a="$small" -v b="$large" 'BEGIN {
        g = a > 0 ? b / a : 0
        printf "%-18s %10d %10d %7.1fx%s\n", s, a, b, g, (a >= 20 && g > 6) ? "  (grows faster than the size)" : "" }'
done
echo "(one-thread CLI scans, process start included; growth under 20 ms is mostly start-up)"
