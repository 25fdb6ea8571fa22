#!/bin/sh
# Builds the fuzz targets with clang into build-fuzz: the core instrumented
# for coverage, AddressSanitizer and UndefinedBehaviorSanitizer.
set -eu
cd "$(dirname "$0")/.."
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTRASEL_BUILD_FUZZERS=ON -DTRASEL_BUILD_GUI=OFF -DTRASEL_BUILD_BENCHMARKS=OFF -DBUILD_TESTING=OFF
cmake --build build-fuzz -j "$(nproc)"
