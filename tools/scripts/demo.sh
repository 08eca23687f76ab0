#!/usr/bin/env bash
# The plug-in inside the host emulator, fetching from the bundled sample
# weather server through its own proxy setting: initialise, refresh, a whole
# ticker pass, a refresh while the server answers only after 3 s (the host's
# loop runs on meanwhile), the forecast inserted into the chat input through
# the popup menu, the preferences window, finalise. Then a second start with
# Open-Meteo (Moscow) chosen: a refresh over HTTPS through the same proxy (a
# CONNECT tunnel to the server's TLS origin, its certificate from the tests'
# own authority, trusted in this Wine prefix only): first a place found by
# name in the preferences (Paris of the Chelyabinsk region, among its
# namesakes) and its forecast, then Moscow's and the About page. Then the
# server is stopped and a third start refreshes again: the failure, then the
# last good forecast of Moscow with its age, also in the chat input.
#   demo.sh BUILD_DIR WINE_BUILD_DIR     (build/ and build/wine32 or build/win64)
set -euo pipefail
BUILD=$1
WINE_BUILD=$2
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
OUT="$BUILD/demo"
rm -rf "$OUT" && mkdir -p "$OUT/plugins"
# The emulator's build puts the library it loads beside it.
cp "$WINE_BUILD/tools/host_emulator/host_emulator.exe" "$WINE_BUILD/tools/host_emulator/ostixWeather.dll" "$OUT/"
cp "$ROOT"/data/*_towns.ini "$OUT/plugins/"  # every source's town list

portfile=$(mktemp)
"$BUILD/native/tools/sample_server/sample_server" --port 0 --port-file "$portfile" --data-dir "$ROOT/data" \
    --tls-dir "$OW_TLS_DIR" --max-seconds 300 >/dev/null 2>&1 &
server=$!
trap 'kill $server 2>/dev/null || true; rm -f "$portfile"' EXIT
for _ in $(seq 100); do [ -s "$portfile" ] && break; sleep 0.05; done
port=$(cat "$portfile")
echo "sample weather server on 127.0.0.1:$port"

# Settings a user would choose: Irkutsk from the Gismeteo informer, through
# the proxy, fastest ticker.
printf '%s\r\n' resource=0 city=0 autoupdate=0 bar-section=2 bar-refresh=1 old-style=0 use-scroll=1 \
    use-proxy=1 proxy-host=127.0.0.1 "proxy-port=$port" proxy-auth=0 use-scroll-speed=5 > "$OUT/plugins/ostixweather.ini"

control="http://127.0.0.1:$port/__control"
cat > "$OUT/demo.txt" <<SCRIPT
init
pump 300
status
shot started.bmp
click left
frames 2 3000
shot ticker.bmp
frames 2 60000
status
get $control/mode?name=slow-start&interval_ms=3000
click left
status
get $control/mode?name=normal
menu 1
memo
pump 300
shot inserted.bmp
prefs
pump 800
shot prefs.bmp
final
status
SCRIPT
cat > "$OUT/search.txt" <<SCRIPT
init
prefs
pump 500
shot prefs-open-meteo.bmp
search 2 search.bmp Париж
click left
status
pump 300
shot found.bmp
final
SCRIPT
cat > "$OUT/open-meteo.txt" <<SCRIPT
init
click left
status
menu 3
pump 500
shot about.bmp
final
SCRIPT
cat > "$OUT/offline.txt" <<SCRIPT
init
click left
status
pump 300
shot offline.bmp
menu 1
memo
pump 300
shot offline-inserted.bmp
final
SCRIPT
cd "$OUT"
"$OW_WINE" host_emulator.exe --script demo.txt | tr -d '\r'
# Open-Meteo.com, Moscow, through the proxy, no scrolling.
open_meteo_settings() {
    printf '%s\r\n' resource=2 city=1 autoupdate=0 bar-section=2 bar-refresh=1 old-style=0 use-scroll=0 \
        use-proxy=1 proxy-host=127.0.0.1 "proxy-port=$port" proxy-auth=0 use-scroll-speed=5 > "$OUT/plugins/ostixweather.ini"
}
echo "--- Open-Meteo.com over HTTPS through the proxy: a place found by name ---"
open_meteo_settings
"$OW_WINE" host_emulator.exe --script search.txt | tr -d '\r'
echo "found places (plugins/om_places.ini):"
iconv -f CP1251 -t UTF-8 plugins/om_places.ini | tr -d '\r' || true
echo "--- Open-Meteo.com (Moscow) over HTTPS through the proxy ---"
open_meteo_settings
"$OW_WINE" host_emulator.exe --script open-meteo.txt | tr -d '\r'
echo "--- the server stopped: the last good forecast with its age ---"
kill "$server" 2>/dev/null || true
wait "$server" 2>/dev/null || true
"$OW_WINE" host_emulator.exe --script offline.txt | tr -d '\r'
echo "--- debug log ---"
iconv -f CP1251 -t UTF-8 ostix_weather_debug.log | tr -d '\r' || true
for b in started ticker inserted prefs prefs-open-meteo search found about offline offline-inserted; do
    [ -f "$b.bmp" ] && convert "$b.bmp" "$BUILD/demo-$b.png" && echo "screenshot: build/demo-$b.png"
done
