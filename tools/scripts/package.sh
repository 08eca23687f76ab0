#!/usr/bin/env bash
# Packs the shipped 32-bit library, every source's town list (data/*_towns.ini)
# and the installation text into dist/ostixWeather-<version>.zip:
#   INSTALL.txt
#   plugins/ostixWeather.dll
#   plugins/gis_towns.ini, plugins/om_towns.ini, plugins/wu_towns.ini
# The archive is reproducible: fixed entry order, fixed permissions, every
# time stamp set to SOURCE_DATE_EPOCH (default: the time of the last commit),
# and no extra fields.
#   package.sh [WIN32_BUILD_DIR [OUT_DIR]]   (defaults build/win32 and dist)
set -euo pipefail
export LC_ALL=C  # the checks below read the tools' English output
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=${1:-$ROOT/build/win32}
OUT_DIR=${2:-$ROOT/dist}

version=$(sed -n 's/^project(ostixWeather VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt")
dll=$BUILD/src/ostixWeather.dll
out=$OUT_DIR/ostixWeather-$version.zip

fail() { echo "package: $*" >&2; exit 1; }
mapfile -t lists < <(cd "$ROOT/data" && LC_ALL=C ls -- *_towns.ini)
[ "${#lists[@]}" -gt 0 ] || fail "no town lists in data/"
[ -n "$version" ] || fail "no version in CMakeLists.txt"
[ -f "$dll" ] || fail "no $dll: build the 32-bit library first"
# Only the shipped build goes out: 32-bit, size-optimised, without symbols.
grep -q '^CMAKE_BUILD_TYPE:STRING=MinSizeRel$' "$BUILD/CMakeCache.txt" || fail "$BUILD is not a MinSizeRel build"
i686-w64-mingw32-objdump -f "$dll" | grep -q 'file format pei-i386' || fail "$dll is not a 32-bit DLL"
[ -z "$(i686-w64-mingw32-objdump -t "$dll" | sed -n '/^\[/p')" ] || fail "$dll still has symbols"

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$ROOT" log -1 --format=%ct 2>/dev/null || echo 315532800)  # else 1980-01-01
fi

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/plugins"
cp "$ROOT/packaging/INSTALL.txt" "$stage/"
cp "$dll" "${lists[@]/#/$ROOT/data/}" "$stage/plugins/"
chmod 644 "$stage/INSTALL.txt" "$stage"/plugins/*
chmod 755 "$stage/plugins"
find "$stage" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +

mkdir -p "$OUT_DIR"
out=$(cd "$OUT_DIR" && pwd)/$(basename "$out")  # zip runs in the staging folder
rm -f "$out"
# -X: no uid/gid or extended time fields; -D: no directory entries; zip
# writes DOS times in local time, so the zone is fixed too.
(cd "$stage" && TZ=UTC zip -X -D -9 -q "$out" \
    INSTALL.txt plugins/ostixWeather.dll "${lists[@]/#/plugins/}")
echo "$out: $(stat -c %s "$out") bytes, sha256 $(sha256sum "$out" | cut -d' ' -f1)"
