#!/bin/sh
# Times trasel-cli end to end on generated files of 250,000, 500,000 and
# 1,000,000 observation lines with --count 999, and reports lines per second
# (wall clock, and CPU time user + system) and the peak memory against the
# file's size and against the limit of 1.5 times the file plus 16 MB. Beside
# each, `wc -l` on the same file in the same run: reading the file is the
# floor. Best of five runs each: other work on the machine only ever slows a
# run down.
#   bench/run-benchmark.sh [BUILD_DIR]     (default: build)
set -eu
cd "$(dirname "$0")/.."
build_dir=${1:-build}
cli="$build_dir/trasel-cli"
records="$build_dir/trasel-bench-records"
if [ ! -x "$cli" ] || [ ! -x "$records" ]; then
    echo "run-benchmark: build first (cmake --build $build_dir, with TRASEL_BUILD_BENCHMARKS on)" >&2
    exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

printf '%9s %11s %8s %8s %12s %12s %9s %8s %9s %8s %8s\n' \
    lines "file bytes" "wall s" "cpu s" "lines/s wall" "lines/s cpu" "peak kB" "RSS/file" "limit kB" "wc -l s" "/ wc -l"
for lines in 250000 500000 1000000; do
    input="$work/records-$lines.obs"
    "$records" "$lines" > "$input"
    bytes=$(wc -c < "$input")
    : > "$work/runs"
    : > "$work/wc"
    for run in 1 2 3 4 5; do
        begin=$(date +%s.%N)
        wc -l "$input" > /dev/null
        end=$(date +%s.%N)
        echo "$begin $end" >> "$work/wc"
        begin=$(date +%s.%N)
        /usr/bin/time -f '%U %S %M' -o "$work/time" "$cli" --date 14/11/2025 --count 999 "$input" > "$work/listing"
        end=$(date +%s.%N)
        read -r user system rss < "$work/time"
        echo "$begin $end $user $system $rss" >> "$work/runs"
    done
    [ "$(wc -l < "$work/listing")" -eq 1005 ] || { echo "run-benchmark: incomplete listing" >&2; exit 1; }
    wc_best=$(awk '{ t = $2 - $1; if (NR == 1 || t < best) best = t } END { printf "%.4f", best }' "$work/wc")
    awk -v n="$lines" -v b="$bytes" -v wc="$wc_best" '
        { wall = $2 - $1; cpu = $3 + $4
          if (NR == 1 || wall < bestWall) bestWall = wall
          if (NR == 1 || cpu < bestCpu) bestCpu = cpu
          if ($5 > peak) peak = $5 }
        END { limit = (1.5 * b + 16 * 1024 * 1024) / 1024
              printf "%9d %11d %8.3f %8.2f %12.0f %12.0f %9d %8.2f %9d %8.4f %8.1f\n",
                     n, b, bestWall, bestCpu, n / bestWall, (bestCpu > 0 ? n / bestCpu : 0), peak, peak * 1024 / b,
                     limit, wc, bestWall / wc }
    ' "$work/runs"
done
