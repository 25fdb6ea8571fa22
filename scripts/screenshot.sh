#!/bin/sh
# Takes a screenshot of the real window under Xvfb, with records pasted and a
# listing computed, into docs/window.png (shown in the README).
# TRASEL_BUILD_DIR chooses the build directory (default: build).
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

build_dir=${TRASEL_BUILD_DIR:-build}
cmake -S . -B "$build_dir"
cmake --build "$build_dir" -j "$(nproc)" --target ui_screenshot

mkdir -p docs
# Xvfb has no window manager, so the window shows without its title bar.
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" \
    "$build_dir/tests/ui/ui_screenshot" docs/window.png
echo "screenshot: docs/window.png"
