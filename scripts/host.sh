#!/bin/sh
# The application on the demo database: the data folder ./demo-data (TACHO_DATA), with the
# demo fleet and its stored charts, and the generator's sample scans in demo-data/samples to
# import (among them strona_a4_200dpi.png, a sheet with two discs).
set -e
cd "$(dirname "$0")/.."
BIN=./build/runtime
DATA="${TACHO_DATA:-$PWD/demo-data}"
mkdir -p "$DATA"
[ -f "$DATA/samples/strona_a4_200dpi.png" ] || $BIN/chartgen --out "$DATA/samples" --samples >/dev/null
exec $BIN/tacho-host --data "$DATA" --demo "$@"
