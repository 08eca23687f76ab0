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
"${OW_WINE:-wine}" "$exe" "$@" | tr -d '\r'
status=${PIPESTATUS[0]}
[ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null
exit "$status"
