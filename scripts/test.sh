#!/bin/sh
# Builds Trasel and runs every test. With --sanitize, builds into build-sanitize
# with AddressSanitizer and UndefinedBehaviorSanitizer and runs the tests there.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

build_dir=build
options=""
if [ "${1:-}" = "--sanitize" ]; then
    build_dir=build-sanitize
    options="-DTRASEL_SANITIZE=ON -DTRASEL_BUILD_BENCHMARKS=OFF"
fi

# shellcheck disable=SC2086
cmake -S . -B "$build_dir" $options
cmake --build "$build_dir" -j "$(nproc)"
ctest --test-dir "$build_dir" --output-on-failure --no-tests=error -j "$(nproc)"
