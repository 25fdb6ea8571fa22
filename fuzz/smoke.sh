#!/bin/sh
# Each fuzz target for a while (30 seconds by default) from its seed corpus;
# a finding, or one input that runs over 10 seconds, stops the script with
# the fuzzer's report.
#   fuzz/smoke.sh [SECONDS]
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-30}
./fuzz/build.sh > /dev/null
for fuzzer in integer_conversion decimal_conversion date_conversion time_conversion read_observation whole_run; do
    work=$(mktemp -d)
    cp fuzz/corpus/"$fuzzer"/* "$work"/
    echo "fuzz: ${fuzzer}_fuzzer for ${seconds} s"
    if ! build-fuzz/"${fuzzer}_fuzzer" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 "$work" \
        > "$work.log" 2>&1; then
        cat "$work.log" >&2
        exit 1
    fi
    grep -E '^stat::number_of_executed_units' "$work.log" || true
    rm -rf "$work" "$work.log"
done
