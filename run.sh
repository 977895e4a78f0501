#!/bin/sh
# Installs what is needed, builds, and runs the main job on the embedded database (SQLite).
set -e
cd "$(dirname "$0")"
./scripts/deps.sh
./scripts/build.sh
exec ./scripts/demo.sh "$@"
