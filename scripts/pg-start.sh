# Starts a throw-away PostgreSQL cluster for the database tests and exports its address.
# Meant to be sourced (". ./scripts/pg-start.sh"); POSIX sh. Exports TACHO_PG_HOST,
# TACHO_PG_PORT, TACHO_PG_USER, TACHO_PG_DB and TACHO_PG_DIR; the server is stopped and its
# folder removed when the sourcing shell exits.
# As root the cluster runs as the postgres user (the server refuses to run as root).

tacho_pg_start() {
    TACHO_PG_BIN=${TACHO_PG_BIN:-}
    if [ -z "$TACHO_PG_BIN" ]; then
        for d in /usr/lib/postgresql/*/bin; do
            [ -x "$d/initdb" ] && TACHO_PG_BIN=$d
        done
    fi
    if [ -z "$TACHO_PG_BIN" ] || [ ! -x "$TACHO_PG_BIN/initdb" ]; then
        echo "pg-start: PostgreSQL server binaries not found (install postgresql)" >&2
        return 1
    fi

    if [ "$(id -u)" = 0 ]; then
        tacho_pg_as() { runuser -u postgres -- "$@"; }
    else
        tacho_pg_as() { "$@"; }
    fi

    TACHO_PG_DIR=$(mktemp -d "${TMPDIR:-/tmp}/tacho-pg.XXXXXX") || return 1
    chmod 755 "$TACHO_PG_DIR"
    [ "$(id -u)" = 0 ] && chown postgres "$TACHO_PG_DIR"

    if ! tacho_pg_as "$TACHO_PG_BIN/initdb" -D "$TACHO_PG_DIR/data" -U postgres \
        --auth=trust --encoding=UTF8 --locale=C.UTF-8 >"$TACHO_PG_DIR/initdb.log" 2>&1; then
        echo "pg-start: initdb failed, see $TACHO_PG_DIR/initdb.log" >&2
        cat "$TACHO_PG_DIR/initdb.log" >&2
        return 1
    fi

    # First free port from 54320 on; a port taken by someone else makes the start fail.
    port=54320
    started=0
    while [ $port -lt 54400 ]; do
        if ! (ss -ltn 2>/dev/null | grep -q "[:.]$port ") &&
            tacho_pg_as "$TACHO_PG_BIN/pg_ctl" -D "$TACHO_PG_DIR/data" -w -t 30 \
                -l "$TACHO_PG_DIR/server.log" \
                -o "-h 127.0.0.1 -p $port -k $TACHO_PG_DIR -c fsync=off -c full_page_writes=off" \
                start >/dev/null 2>&1; then
            started=1
            break
        fi
        port=$((port + 1))
    done
    if [ $started = 0 ]; then
        echo "pg-start: the server did not start, see $TACHO_PG_DIR/server.log" >&2
        return 1
    fi

    if ! "$TACHO_PG_BIN/createdb" -h 127.0.0.1 -p $port -U postgres tacho_test; then
        echo "pg-start: could not create the test database" >&2
        return 1
    fi

    export TACHO_PG_HOST=127.0.0.1
    export TACHO_PG_PORT=$port
    export TACHO_PG_USER=postgres
    export TACHO_PG_DB=tacho_test
    export TACHO_PG_DIR TACHO_PG_BIN
    trap 'tacho_pg_as "$TACHO_PG_BIN/pg_ctl" -D "$TACHO_PG_DIR/data" -m fast stop >/dev/null 2>&1; rm -rf "$TACHO_PG_DIR"' EXIT
    echo "pg-start: PostgreSQL on 127.0.0.1:$port, database tacho_test ($TACHO_PG_DIR)"
}

tacho_pg_start
