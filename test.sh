#!/bin/sh
# Installs what is needed, builds, and runs the whole test suite.
set -e
cd "$(dirname "$0")"
./scripts/deps.sh
./scripts/build.sh
cd build
ctest --output-on-failure -j2 "$@"
