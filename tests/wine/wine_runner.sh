#!/usr/bin/env bash
# Runs one Windows test program under Wine, with a fresh sample weather
# server on a free loopback port when one is built (its port in
# OW_SERVER_PORT, its data from OW_DATA_DIR).
set -u
exe=$1; shift
server_pid=""
if [ -n "${OW_SAMPLE_SERVER:-}" ] && [ -x "${OW_SAMPLE_SERVER}" ]; then
    portfile=$(mktemp)
    "$OW_SAMPLE_SERVER" --port 0 --port-file "$portfile" --data-dir "${OW_DATA_DIR:-}" --max-seconds 600 >/dev/null 2>&1 &
    server_pid=$!
    for _ in $(seq 100); do [ -s "$portfile" ] && break; sleep 0.05; done
    export OW_SERVER_PORT=$(cat "$portfile")
    rm -f "$portfile"
fi
# The program's output goes to a file, shown when it ends (or is stopped):
# the Wine processes it starts for the session (explorer's desktop) inherit
# its output, and on a pipe CTest would wait for them to go away, seconds a
# test.
output=$(mktemp)
program=""
finish() {
    [ -n "$program" ] && kill "$program" 2>/dev/null
    tr -d '\r' <"$output"
    rm -f "$output"
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null
}
trap finish EXIT
trap 'exit 143' TERM INT
"${OW_WINE:-wine}" "$exe" "$@" >"$output" 2>&1 &
program=$!
wait "$program"
status=$?
program=""
exit "$status"
