#!/usr/bin/env bash
# Runs the direct-connection end-to-end tests (no proxy) inside a private
# network and mount namespace: loopback only, a hosts file that maps the two
# weather hosts to 127.0.0.1, and the sample server on port 80.
#   direct_namespace_test.sh <wine_direct_tests.exe> [gtest arguments]
# Needs OW_SAMPLE_SERVER and OW_DATA_DIR (CTest sets them) and a Wine session
# (OW_WINE, OW_WINESERVER, WINEPREFIX, DISPLAY). Exits 77, which CTest
# reports as skipped, when it is not root or the system refuses the
# namespaces.
set -u
readonly SKIP=77
exe=$1; shift

skip() { echo "SKIPPED: $*"; exit $SKIP; }

if [ "${OW_IN_DIRECT_NAMESPACE:-}" != 1 ]; then
    [ "$(id -u)" = 0 ] || skip "creating network and mount namespaces needs root"
    command -v unshare >/dev/null || skip "unshare is not installed"
    command -v ip >/dev/null || skip "ip (iproute2) is not installed"
    [ -x "${OW_SAMPLE_SERVER:-}" ] || skip "no sample server (OW_SAMPLE_SERVER)"
    unshare --net --mount --fork true 2>/dev/null || skip "unshare --net --mount is not permitted here"
    OW_IN_DIRECT_NAMESPACE=1 exec unshare --net --mount --fork "$0" "$exe" "$@"
fi

# Inside the namespaces: mounts made here are private to them.
ip link set lo up || skip "cannot bring up loopback in the namespace"
hosts=$(mktemp)
trap 'rm -f "$hosts"' EXIT
printf '127.0.0.1 localhost\n127.0.0.1 informer.gismeteo.ru\n127.0.0.1 ru.wunderground.com\n127.0.0.1 api.open-meteo.com\n127.0.0.1 geocoding-api.open-meteo.com\n' >"$hosts"
mount --bind "$hosts" /etc/hosts || skip "cannot bind-mount a hosts file in the namespace"
getent hosts informer.gismeteo.ru | grep -q '^127\.0\.0\.1' || { echo "hosts file not in effect"; exit 1; }

# Wine's sockets are created and connected by its wineserver, so the
# wineserver of the prefix must run inside the namespace too, not the one the
# session outside runs. Its socket lives in a directory under /tmp: the
# prefix's "wineserver" file names it in Debian's Wine, upstream Wine uses
# /tmp/.wine-UID. Empty private copies of both here make the program start
# a wineserver of its own inside, without touching the one outside.
prefix=${WINEPREFIX:-$HOME/.wine}
server_dirs=("/tmp/.wine-$(id -u)")
if [ -f "$prefix/wineserver" ]; then
    server_dirs+=("/tmp/$(cat "$prefix/wineserver")")
fi
for dir in "${server_dirs[@]}"; do
    mkdir -p -m 0700 "$dir"
    mount -t tmpfs -o mode=0700 tmpfs "$dir" || skip "cannot hide the outer wineserver in the namespace"
done
if [ -f "$prefix/wineserver" ]; then
    # Whatever the inner wineserver writes there stays in the namespace.
    cp "$prefix/wineserver" "${server_dirs[1]}/.pointer"
    mount --bind "${server_dirs[1]}/.pointer" "$prefix/wineserver"
fi
wineserver_cmd=${OW_WINESERVER:-wineserver}

portfile=$(mktemp -u)
# With the test authority, the Open-Meteo host's HTTPS on its own port 443.
tls=()
[ -n "${OW_TLS_DIR:-}" ] && tls=(--tls-dir "$OW_TLS_DIR" --tls-port 443)
"$OW_SAMPLE_SERVER" --port 80 --port-file "$portfile" --data-dir "${OW_DATA_DIR:-}" --max-seconds 300 "${tls[@]}" \
    >/dev/null 2>&1 &
server_pid=$!
for _ in $(seq 100); do [ -s "$portfile" ] && break; sleep 0.05; done
rm -f "$portfile"
kill -0 "$server_pid" 2>/dev/null || { echo "the sample server did not start on port 80"; exit 1; }

OW_SERVER_PORT=80 OW_DIRECT_HOSTS=1 "${OW_WINE:-wine}" "$exe" "$@" | tr -d '\r'
status=${PIPESTATUS[0]}
"$wineserver_cmd" -k 2>/dev/null
kill "$server_pid" 2>/dev/null
wait "$server_pid" 2>/dev/null
exit "$status"
