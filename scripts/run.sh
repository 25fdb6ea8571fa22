#!/bin/sh
# Builds Trasel and starts it.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build
cmake --build build -j "$(nproc)"
if [ -x build/trasel ]; then
    exec build/trasel "$@"
fi
# Until the window exists, show what the core can do.
exec build/tests/textconv/textconv_tests --gtest_brief=1
