#!/usr/bin/env bash
# Runs one Windows test program under Wine, with a fresh sample weather
# server on a free loopback port when one is built (its port in
# OW_SERVER_PORT, its data from OW_DATA_DIR, its HTTPS from OW_TLS_DIR).
set -u
# No Wine of the machine's own: only the session's can run the programs of
# the chosen build (tools/scripts/env.sh: choose_wine_build, start_wine_session).
: "${OW_WINE:?no Wine session: OW_WINE is not set}"
exe=$1; shift
server_pid=""
if [ -n "${OW_SAMPLE_SERVER:-}" ] && [ -x "${OW_SAMPLE_SERVER}" ]; then
    portfile=$(mktemp)
    tls=()
    [ -n "${OW_TLS_DIR:-}" ] && tls=(--tls-dir "$OW_TLS_DIR")
    "$OW_SAMPLE_SERVER" --port 0 --port-file "$portfile" --data-dir "${OW_DATA_DIR:-}" --max-seconds 600 "${tls[@]}" \
        >/dev/null 2>&1 &
    server_pid=$!
    for _ in $(seq 100); do [ -s "$portfile" ] && break; sleep 0.05; done
    export OW_SERVER_PORT=$(cat "$portfile")
    rm -f "$portfile"
fi
# The program writes to a file that is shown as it grows: Wine processes it
# starts for the session (explorer's desktop) inherit its output, and were
# that CTest's pipe, CTest would wait for them to go away, seconds a test.
output=$(mktemp)
trap 'rm -f "$output"; [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null' EXIT
"$OW_WINE" "$exe" "$@" >"$output" 2>&1 &
program=$!
trap 'kill "$program" 2>/dev/null; exit 143' TERM INT
tail -n +1 -s 0.1 -f --pid="$program" "$output" | tr -d '\r'
wait "$program"
