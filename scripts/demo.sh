#!/bin/sh
# The main job: the data folder with its embedded database, filled with the demo fleet.
set -e
cd "$(dirname "$0")/.."
DATA="${TACHO_DATA:-$PWD/demo-data}"
./build/runtime/tacho db init --data "$DATA" --demo
./build/runtime/tacho db info --data "$DATA"
