#!/bin/sh
# Installs what is needed and builds. With a display (DISPLAY or WAYLAND_DISPLAY set) starts
# the application tacho-host on the demo database; without one runs the command-line demo.
set -e
cd "$(dirname "$0")"
./scripts/deps.sh
./scripts/build.sh
if [ -n "$DISPLAY" ] || [ -n "$WAYLAND_DISPLAY" ]; then
    exec ./scripts/host.sh "$@"
fi
exec ./scripts/demo.sh "$@"
