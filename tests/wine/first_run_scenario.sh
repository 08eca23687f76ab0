#!/usr/bin/env bash
# The whole first run as a user meets it: the real package, unpacked into an
# empty messenger folder, the scenario program copied beside it and started
# there (so that folder is the program's directory and its current
# directory).
#   first_run_scenario.sh WIN32_BUILD_DIR PLUGIN_DLL SCENARIO_EXE [gtest arguments]
# The first forecast comes over the default direct connection, so the program
# runs through direct_namespace_test.sh: a private network where the weather
# hosts are loopback and the sample server answers on port 80 (it is the
# proxy of the later steps as well). Exits 77 (skipped) where that cannot be.
set -euo pipefail
readonly SKIP=77
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
win32=$1 plugin=$2 exe=$3
shift 3

fail() { echo "first run: $*" >&2; exit 1; }
[ -n "$win32" ] && [ -d "$win32" ] || { echo "SKIPPED: no 32-bit build (configure with -DOW_WIN32_BUILD_DIR)"; exit $SKIP; }

work=$(mktemp -d "${TMPDIR:-/tmp}/ow_first_run.XXXXXX")
trap 'rm -rf "$work"' EXIT
"$root/tools/scripts/package.sh" "$win32" "$work/dist" >/dev/null
zips=("$work"/dist/ostixWeather-*.zip)
[ -f "${zips[0]}" ] || fail "package.sh made no archive"

host=$work/Ostix
mkdir "$host"
(cd "$host" && unzip -q "${zips[0]}")
listing=$(cd "$host" && find . -type f | sort | tr '\n' ' ')
[ "$listing" = "./INSTALL.txt ./plugins/gis_towns.ini ./plugins/om_towns.ini ./plugins/ostixWeather.dll ./plugins/wu_towns.ini " ] ||
    fail "unexpected package contents: $listing"

# The package ships the 32-bit library: PE32 (optional-header magic 0x10b)
# for the i386 (machine 0x14c).
le() { od -An -tu"$2" -j"$1" -N"$2" "$3" | tr -d ' '; }
shipped=$host/plugins/ostixWeather.dll
pe=$(le 60 4 "$shipped")
[ "$(od -An -c -j"$pe" -N4 "$shipped" | tr -d ' ')" = 'PE\0\0' ] || fail "the shipped DLL is no PE file"
[ "$(le $((pe + 4)) 2 "$shipped")" = 332 ] || fail "the shipped DLL is not for i386"
[ "$(le $((pe + 24)) 2 "$shipped")" = 267 ] || fail "the shipped DLL is not PE32"

# The library under test takes the shipped one's place: the very same file
# under 32-bit Wine, the 64-bit build of the same sources under 64-bit Wine;
# everything else stays as unpacked.
cp "$plugin" "$shipped"
cp "$exe" "$host/"

cd "$host"
status=0
"$here/direct_namespace_test.sh" "$host/$(basename "$exe")" "$@" || status=$?
if [ "$status" != 0 ] && [ "$status" != $SKIP ] && [ -f ostix_weather_debug.log ]; then
    echo "--- ostix_weather_debug.log ---"
    iconv -f CP1251 -t UTF-8 ostix_weather_debug.log | tr -d '\r' || true
    echo "--- plugins/ostixweather.ini ---"
    iconv -f CP1251 -t UTF-8 plugins/ostixweather.ini 2>/dev/null | tr -d '\r' || true
fi
exit "$status"
