#!/bin/sh
# Builds Trasel and starts it.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build
cmake --build build -j "$(nproc)"
exec build/trasel "$@"
