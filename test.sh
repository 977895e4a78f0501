#!/bin/sh
# Installs what is needed, builds, and runs the whole test suite. Without a PostgreSQL server
# given through TACHO_PG_HOST (CI gives one), a throw-away local one is started for the
# database tests and stopped at the end.
set -e
cd "$(dirname "$0")"
./scripts/deps.sh
./scripts/build.sh
if [ -z "${TACHO_PG_HOST:-}" ]; then
    . ./scripts/pg-start.sh || echo "test.sh: no local PostgreSQL; its tests are skipped" >&2
fi
cd build
ctest --output-on-failure -j2 "$@"
