#!/bin/sh
# Times trasel-cli end to end on generated files of 250,000, 500,000 and
# 1,000,000 observation lines with --count 999, and reports lines per second
# and peak memory against the file's size (best of three runs each).
#   bench/run-benchmark.sh [BUILD_DIR]     (default: build)
set -eu
cd "$(dirname "$0")/.."
build_dir=${1:-build}
cli="$build_dir/trasel-cli"
records="$build_dir/trasel-bench-records"
if [ ! -x "$cli" ] || [ ! -x "$records" ]; then
    echo "run-benchmark: build first (cmake --build $build_dir), benchmarks on" >&2
    exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

printf '%10s %12s %10s %14s %12s %10s\n' lines "file bytes" "best s" "lines/s" "peak RSS kB" "RSS/file"
for lines in 250000 500000 1000000; do
    input="$work/records-$lines.obs"
    "$records" "$lines" > "$input"
    bytes=$(wc -c < "$input")
    best=""
    peak=0
    for run in 1 2 3; do
        /usr/bin/time -f '%e %M' -o "$work/time" "$cli" --date 14/11/2025 --count 999 "$input" > "$work/listing"
        read -r seconds rss < "$work/time"
        best=$(awk -v a="$seconds" -v b="${best:-$seconds}" 'BEGIN { print (a < b ? a : b) }')
        [ "$rss" -gt "$peak" ] && peak=$rss
    done
    [ "$(wc -l < "$work/listing")" -eq 1005 ] || { echo "run-benchmark: incomplete listing" >&2; exit 1; }
    awk -v n="$lines" -v b="$bytes" -v s="$best" -v r="$peak" 'BEGIN {
        printf "%10d %12d %10.2f %14.0f %12d %10.2f\n", n, b, s, (s > 0 ? n / s : 0), r, r * 1024 / b }'
done
