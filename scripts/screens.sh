#!/bin/sh
# Renders every tab of the chart window in the opening modes 0, 1 and 5 (and 1 in English,
# en_*.png) under offscreen Qt into build/screens/ (builds what it needs first).
set -e
cd "$(dirname "$0")/.."
[ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2 --target window_screens
cd build/runtime
QT_QPA_PLATFORM=offscreen ./window_screens ../screens
ls ../screens/*.png
