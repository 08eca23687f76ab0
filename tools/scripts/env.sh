# Shared set-up for ./run: packages, the Russian locale, Xvfb and Wine.
# Sourced, not run.

# The shipped library is 32-bit (g++-mingw-w64-i686). This machine's kernel
# runs 64-bit user code only, so the end-to-end tests load a 64-bit build of
# the same sources into 64-bit Wine (g++-mingw-w64-x86-64, wine64).
OW_APT_PACKAGES=(cmake g++ clang libclang-rt-14-dev googletest libgtest-dev libbenchmark-dev libcpp-httplib-dev
    g++-mingw-w64-i686 g++-mingw-w64-x86-64 g++-i686-linux-gnu qemu-user-static wine wine64 xvfb xauth locales imagemagick zip unzip)

ensure_packages() {
    local missing=()
    for p in "${OW_APT_PACKAGES[@]}"; do
        dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "installing: ${missing[*]}"
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
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

start_wine_session() {
    export WINEDEBUG=-all
    export WINEARCH=win64
    export OW_WINE=/usr/lib/wine/wine64
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
    "$OW_WINE" wineboot -i >/dev/null 2>&1 || true
    # Without a window manager, managed windows react slowly.
    "$OW_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    wineserver -p 60 >/dev/null 2>&1 || true
}

stop_wine_session() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "${OW_XVFB_PID:-}" ]; then kill "$OW_XVFB_PID" 2>/dev/null || true; fi
}
