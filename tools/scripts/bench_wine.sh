#!/usr/bin/env bash
# The benchmarks under Wine: the download benchmarks, then PE_INITIALIZE
# against the host emulator's start-up and the CPU used while idle. Each
# Windows benchmark program runs against a sample weather server of its own
# on a free loopback port; the figures are printed.
#   bench_wine.sh [WINE_BUILD_DIR [SAMPLE_SERVER]]
# Defaults: the Wine build ./run chooses (build/wine32 or build/win64) and
# build/native/tools/sample_server/sample_server.
# Uses the Wine session in the environment (OW_WINE, WINEPREFIX, DISPLAY);
# without OW_WINE it starts one of its own and stops it afterwards.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
own_session=""
if [ -z "${OW_WINE:-}" ]; then
    source "$ROOT/tools/scripts/env.sh"
    ensure_locale
    choose_wine_build
    own_session=1
fi
build=${1:-$OW_WINE_BUILD_DIR}
server=${2:-$ROOT/build/native/tools/sample_server/sample_server}
benches=$build/tests/wine/bench
download=$benches/wine_download_bench.exe
lifecycle=$benches/wine_lifecycle_bench.exe
for f in "$download" "$lifecycle" "$server"; do
    [ -e "$f" ] || { echo "bench_wine.sh: $f is missing: build it first" >&2; exit 2; }
done
[ -n "$own_session" ] && start_wine_session

run_bench() {
    OW_SAMPLE_SERVER=$server OW_DATA_DIR=$ROOT/data timeout 900 "$ROOT/tests/wine/wine_runner.sh" "$1"
}
status=0
echo "== download benchmarks under Wine: ${OW_WINE_BUILD_TEXT:-$OW_WINE} =="
run_bench "$download" || status=$?
echo "== start-up and idle benchmarks under Wine: ${OW_WINE_BUILD_TEXT:-$OW_WINE} =="
run_bench "$lifecycle" || status=$?
[ -n "$own_session" ] && stop_wine_session
exit "$status"
