#!/usr/bin/env bash
# The plug-in inside the host emulator: initialise, preferences, finalise.
set -euo pipefail
BUILD=$1
OUT="$BUILD/demo"
rm -rf "$OUT" && mkdir -p "$OUT/plugins"
cp "$BUILD/win64/tools/host_emulator/host_emulator.exe" "$BUILD/win64/src/ostixWeather.dll" "$OUT/"
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
for f in gis_towns.ini wu_towns.ini; do [ -f "$ROOT/data/$f" ] && cp "$ROOT/data/$f" "$OUT/plugins/"; done
cat > "$OUT/demo.txt" <<'SCRIPT'
init
pump 300
status
shot demo.bmp
prefs
pump 500
shot prefs.bmp
final
status
SCRIPT
cd "$OUT"
"$OW_WINE" host_emulator.exe --script demo.txt | tr -d '\r'
echo "--- debug log ---"
iconv -f CP1251 -t UTF-8 ostix_weather_debug.log || true
for b in demo prefs; do
    [ -f "$b.bmp" ] && convert "$b.bmp" "$BUILD/$b.png" && echo "screenshot: $BUILD/$b.png"
done
