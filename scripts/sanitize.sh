#!/bin/sh
# Builds into build-san with the address and undefined-behaviour sanitizers and runs the whole
# suite there (arguments go to ctest). A finding stops the program, so the test fails.
# The benchmark is left out: its timings mean nothing under the sanitizers.
set -e
cd "$(dirname "$0")/.."
ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1"
UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
LSAN_OPTIONS="suppressions=$(pwd)/scripts/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS
cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTACHO_SANITIZE=address,undefined -DTACHO_BUILD_BENCH=OFF
cmake --build build-san -j2
cd build-san
ctest --output-on-failure -j2 "$@"
