# Shared set-up for ./run: packages, the Russian locale, Xvfb and Wine.
# Sourced, not run.

# The shipped library is 32-bit (g++-mingw-w64-i686). Where the machine runs
# 32-bit code, the Wine tests load it into 32-bit Wine (wine_build.sh picks
# the Wine); elsewhere a 64-bit build of the same sources goes into 64-bit
# Wine (g++-mingw-w64-x86-64, wine64).
OW_APT_PACKAGES=(cmake g++ clang libclang-rt-14-dev googletest libgtest-dev libbenchmark-dev libcpp-httplib-dev
    g++-mingw-w64-i686 g++-mingw-w64-x86-64 g++-i686-linux-gnu qemu-user-static wine wine64 xvfb xauth locales imagemagick zip unzip
    openssl libssl-dev rapidjson-dev)

# Installs packages. An index can be briefly broken or out of step with its
# mirror ("File has unexpected size ... Mirror sync in progress?"): the tries
# after the first fetch the indexes by hash, past any cache. Waits for
# another apt-get to finish rather than failing.
apt_install() {
    local options=(-o DPkg::Lock::Timeout=600) n
    for n in 1 2 3; do
        apt-get update -qq "${options[@]}" || true
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${options[@]}" "$@" >/dev/null && return 0
        options=(-o DPkg::Lock::Timeout=600 -o Acquire::By-Hash=force -o Acquire::http::No-Cache=true)
        [ $n = 3 ] || sleep $((5 * n))
    done
    return 1
}

ensure_packages() {
    local missing=()
    for p in "${OW_APT_PACKAGES[@]}"; do
        dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "installing: ${missing[*]}"
        apt_install "${missing[@]}"
    fi
    ensure_locale
}

# Wine takes the ANSI code page from the locale: Russian users have 1251.
ensure_locale() {
    export LOCPATH="$ROOT/build/locale"
    if [ ! -e "$LOCPATH/ru_RU.UTF-8/LC_CTYPE" ]; then
        mkdir -p "$LOCPATH"
        localedef -i ru_RU -f UTF-8 "$LOCPATH/ru_RU.UTF-8" >/dev/null 2>&1 || true
    fi
}

source "$ROOT/tools/scripts/wine_build.sh"

# Needs choose_wine_build first (OW_WINE, OW_WINESERVER, WINEARCH).
start_wine_session() {
    export WINEDEBUG=-all
    export WINEPREFIX="${OW_WINEPREFIX:-$ROOT/build/wineprefix}"  # one per engineer when several run at once
    export LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d"  # a crash ends the program instead of waiting in a debugger
    if [ -z "${DISPLAY:-}" ] || [ -n "${OW_OWN_XVFB:-}" ]; then
        local n=$((90 + RANDOM % 100))
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        OW_XVFB_PID=$!
        export DISPLAY=":$n"
        for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    fi
    # A fresh prefix for every run keeps one run's files out of the next.
    rm -rf "$WINEPREFIX"
    # wineboot returns while the prefix is still being filled: wait for its
    # processes to end, and make it again should the prefix lack its system.
    local try
    for try in 1 2; do
        "$OW_WINE" wineboot -i >/dev/null 2>&1 || true
        "$OW_WINESERVER" -w >/dev/null 2>&1 || true
        ls "$WINEPREFIX"/drive_c/windows/system32/kernel32.dll >/dev/null 2>&1 && break
        "$OW_WINESERVER" -k >/dev/null 2>&1 || true
        rm -rf "$WINEPREFIX"
    done
    # The sample server's HTTPS stands on an authority of the tests' own,
    # which only the session's Wine prefix is told to trust.
    "$ROOT/tools/scripts/test_ca.sh" "$ROOT/build/test-ca" >/dev/null
    export OW_TLS_DIR="$ROOT/build/test-ca"
    # Without a window manager, managed windows react slowly.
    "$OW_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
}

stop_wine_session() {
    "$OW_WINESERVER" -k >/dev/null 2>&1 || true
    if [ -n "${OW_XVFB_PID:-}" ]; then kill "$OW_XVFB_PID" 2>/dev/null || true; fi
}
