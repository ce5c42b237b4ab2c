#!/usr/bin/env bash
# Scan benchmark: for each generator profile, generates synthetic projects of about 200k and 800k
# lines (fixed seed) and, for each, times reading+splitting the sources (a) against the full scan (b)
# on one thread and on two. Prints b/a per size, how the one-thread scan time grows for 4x the size,
# and peak memory against source size. Then the same ratio as the scan's users meet it: the CLI scan
# as a process against a process that reads and splits the member files, best of the runs each.
# Usage: bench/run-scan-bench.sh [build-dir] [runs] [profile ...]
#   profiles: default controls forms classes (all four when none is given)
set -euo pipefail
export LC_ALL=C  # a decimal point in the times, whatever the locale
build=${1:-build}
runs=${2:-3}
shift $(($# > 2 ? 2 : $#))
profiles=("$@")
[ ${#profiles[@]} -gt 0 ] || profiles=(default controls forms classes)
data="$build/bench-data"
gen="$build/bench/tallyscan6-genproject"
bench="$build/bench/tallyscan6-scanbench"
readsplit="$build/bench/tallyscan6-readsplit"
cli="$build/src/cli/tallyscan6-cli"
[ -x "$gen" ] && [ -x "$bench" ] && [ -x "$readsplit" ] && [ -x "$cli" ] ||
    { echo "build first: cmake --build $build" >&2; exit 2; }
for profile in "${profiles[@]}"; do
    case $profile in
        default | controls | forms | classes) ;;
        *) echo "unknown profile: $profile (default, controls, forms or classes)" >&2; exit 2 ;;
    esac
done

field() { sed -E "s/.* $1=([0-9.]+).*/\1/" <<<"$2"; }

# The best wall-clock time in seconds of $runs runs of a command (its output discarded), or n/a
# when a run fails.
bestOf() {
    local best="" start took
    for ((k = 0; k < runs; ++k)); do
        start=$EPOCHREALTIME
        "$@" >/dev/null 2>&1 || { echo n/a; return; }
        took=$(awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.6f", b - a }')
        best=$(awk -v a="$took" -v b="${best:-$took}" 'BEGIN { print (a + 0 < b + 0 ? a : b) }')
    done
    echo "$best"
}
ratioOf() { awk -v a="$1" -v b="$2" 'BEGIN { print (a == "n/a" || b == "n/a" || b == 0) ? "n/a" : sprintf("%.1f", a / b) }'; }

summary=()
processes=()
for profile in "${profiles[@]}"; do
    declare -A scan=() ratio=() ratio2=() memory=() process=() process2=()
    for size in 200000 800000; do
        dir="$data/$profile-$size"
        [ -f "$dir/Synthetic.vbp" ] ||
            "$gen" --profile "$profile" --out "$dir" --lines "$size" --seed 7 >/dev/null
        # A run that fails (out of memory under a `ulimit -v`, say) is reported and the others go on.
        if line=$("$bench" "$dir/Synthetic.vbp" "$runs"); then
            echo "profile=$profile target=$size $line"
            scan[$size]=$(field scan_s "$line")
            ratio[$size]=$(field ratio "$line")
            ratio2[$size]=$(field ratio2 "$line")
            memory[$size]=$(field memory_per_source "$line")
        else
            echo "profile=$profile target=$size failed (exit $?)"
            scan[$size]=n/a ratio[$size]=n/a ratio2[$size]=n/a memory[$size]=n/a
        fi
        # As processes: the generated folder holds the project file and its members only.
        mapfile -t members < <(find "$dir" -maxdepth 1 -type f ! -name '*.vbp' | sort)
        base=$(bestOf "$readsplit" "${members[@]}")
        one=$(bestOf "$cli" scan "$dir/Synthetic.vbp" --jobs 1)
        two=$(bestOf "$cli" scan "$dir/Synthetic.vbp" --jobs 2)
        process[$size]=$(ratioOf "$one" "$base")
        process2[$size]=$(ratioOf "$two" "$base")
        echo "profile=$profile target=$size processes: read_split_s=$base cli_scan_s=$one ratio=${process[$size]}" \
            "cli_scan2_s=$two ratio2=${process2[$size]}"
    done
    processes+=("$(printf "%-9s %10s %10s %10s %10s" "$profile" "${process[200000]}" "${process2[200000]}" \
        "${process[800000]}" "${process2[800000]}")")
    summary+=("$(awk -v p="$profile" -v r2="${ratio[200000]}" -v r8="${ratio[800000]}" \
        -v t2="${ratio2[200000]}" -v t8="${ratio2[800000]}" \
        -v s2="${scan[200000]}" -v s8="${scan[800000]}" -v m2="${memory[200000]}" -v m8="${memory[800000]}" '
        function shown(v, format) { return v == "n/a" ? "n/a" : sprintf(format, v) }
        BEGIN {
            growth = s2 == "n/a" || s8 == "n/a" ? "n/a" : sprintf("%.2fx", s8 / s2)
            printf "%-9s %10s %10s %10s %10s %11s %14s %14s", p, shown(r2, "%.1f"), shown(t2, "%.1f"),
                   shown(r8, "%.1f"), shown(t8, "%.1f"), growth, shown(m2, "%.2f"), shown(m8, "%.2f") }')")
done
echo
printf "%-9s %10s %10s %10s %10s %11s %14s %14s\n" profile "ratio@200k" "2 threads" "ratio@800k" \
    "2 threads" "growth(4x)" "mem/byte@200k" "mem/byte@800k"
printf "%s\n" "${summary[@]}"
echo "(ratio: scan time / read-and-split time, one thread and two; growth: one-thread scan time at"
echo " 800k / at 200k; mem/byte: peak extra memory of the scan per byte of source)"
echo
printf "%-9s %10s %10s %10s %10s\n" profile "ratio@200k" "2 threads" "ratio@800k" "2 threads"
printf "%s\n" "${processes[@]}"
echo "(as processes: the CLI scan, tallyscan6-cli scan P.vbp --jobs 1 and 2, against reading and"
echo " splitting the member files in a process of its own; best of the runs each)"
