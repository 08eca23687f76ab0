#!/usr/bin/env bash
# The download benchmarks under Wine: starts a sample weather server on a free
# loopback port, runs the Windows benchmark program against it and prints
# the figures.
#   bench_wine.sh [WIN64_BUILD_DIR [SAMPLE_SERVER]]
# Defaults: build/win64 and build/native/tools/sample_server/sample_server.
# Uses the Wine session in the environment (OW_WINE, WINEPREFIX, DISPLAY);
# without OW_WINE it starts one of its own and stops it afterwards.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$ROOT/build/win64}
server=${2:-$ROOT/build/native/tools/sample_server/sample_server}
bench=$build/tests/wine/bench/wine_download_bench.exe
for f in "$bench" "$server"; do
    [ -e "$f" ] || { echo "bench_wine.sh: $f is missing: build it first" >&2; exit 2; }
done

own_session=""
if [ -z "${OW_WINE:-}" ]; then
    source "$ROOT/tools/scripts/env.sh"
    ensure_locale
    start_wine_session
    own_session=1
fi

echo "== download benchmarks under Wine (64-bit build of the plug-in) =="
status=0
OW_SAMPLE_SERVER=$server OW_DATA_DIR=$ROOT/data timeout 900 "$ROOT/tests/wine/wine_runner.sh" "$bench" || status=$?
[ -n "$own_session" ] && stop_wine_session
exit "$status"
