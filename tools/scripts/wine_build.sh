# Which build the Wine tests, the demo and the benchmarks run: the shipped
# 32-bit library in 32-bit Wine wherever this machine runs 32-bit code, the
# 64-bit build of the same sources in 64-bit Wine elsewhere.
# OW_WINE_BUILD=64 takes the 64-bit path on any machine; OW_WINE_BUILD=32
# makes a missing 32-bit Wine an error instead.
# Sourced by env.sh; choose_wine_build exports what the session and the
# scripts under Wine read.

# Whether the kernel runs i386 code, asked of the kernel: a 96-byte i386
# program (ELF header, one program header, then mov ebx,42; mov eax,1;
# int 0x80) must exit with 42. uname names the machine, not what its kernel
# will run.
runs_i386_code() {
    local probe status=0
    mkdir -p "$ROOT/build"
    probe=$(mktemp "$ROOT/build/i386-probe.XXXXXX")
    printf '\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\10\64\0\0\0\0\0\0\0\0\0\0\0\64\0\40\0\1\0\0\0\0\0\0\0''\1\0\0\0\0\0\0\0\0\200\4\10\0\200\4\10\140\0\0\0\140\0\0\0\5\0\0\0\0\20\0\0''\273\52\0\0\0\270\1\0\0\0\315\200' >"$probe"
    chmod +x "$probe"
    "$probe" 2>/dev/null || status=$?
    rm -f "$probe"
    [ "$status" = 42 ]
}

# An emulator registered for i386 programs would answer the probe instead
# of the kernel, and could not carry Wine.
i386_goes_to_an_emulator() {
    grep -qsx enabled /proc/sys/fs/binfmt_misc/qemu-i386
}

export OW_I386_ROOT=$ROOT/build/i386root
has_wine32_packages() { dpkg -s wine32:i386 >/dev/null 2>&1; }
has_i386_root() { [ -x "$OW_I386_ROOT/usr/lib/wine/wine" ]; }

# 32-bit Wine from the machine's own packages, beside the 64-bit ones; an
# install that would remove any of the machine's packages is not made.
wine32_from_packages() {
    local added=""
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
        added=1
    fi
    echo "installing: wine32:i386 (log: build/wine32-packages.log)"
    apt_install --no-remove wine32:i386 >"$ROOT/build/wine32-packages.log" 2>&1 && return 0
    echo "wine32:i386 did not install beside this machine's packages"
    # An i386 index that will not download would fail every later apt-get update.
    if [ -n "$added" ]; then dpkg --remove-architecture i386 && apt-get update -qq || true; fi
    return 1
}

# 32-bit Wine in an i386 Debian root of its own: nothing mixes architectures.
wine32_in_root() {
    dpkg -s debootstrap >/dev/null 2>&1 || apt_install debootstrap || return 1
    # The archive this machine's apt already uses for Debian 12.
    local mirror
    mirror=$(apt-get indextargets --format '$(SITE)' 'Codename: bookworm' 'Label: Debian' 2>/dev/null | head -n1)
    if [ -z "$mirror" ]; then
        echo "no Debian 12 archive in apt's sources to make an i386 root from"
        return 1
    fi
    echo "making an i386 Debian root with 32-bit Wine in build/i386root (log: build/i386root.log)"
    "$ROOT/tools/scripts/i386_root/make.sh" "$OW_I386_ROOT" "$mirror" \
        >"$ROOT/build/i386root.log" 2>&1 && return 0
    echo "the i386 root could not be made: see build/i386root.log"
    return 1
}

use_wine32() {  # WINE WINESERVER WHERE_FROM
    export OW_WINE_BITS=32 WINEARCH=win32 OW_WINE=$1 OW_WINESERVER=$2 OW_WINE_BUILD_DIR=$ROOT/build/wine32
    export OW_WINE_BUILD_TEXT="32-bit build (the shipped DLL; 32-bit Wine $3)"
}
use_wine64() {  # WHY
    export OW_WINE_BITS=64 WINEARCH=win64 OW_WINE=/usr/lib/wine/wine64 OW_WINESERVER=/usr/lib/wine/wineserver64
    export OW_WINE_BUILD_DIR=$ROOT/build/win64 OW_WINE_BUILD_TEXT="64-bit build ($1)"
}

# Needs the packages (ensure_packages) for its installs.
choose_wine_build() {
    case "${OW_WINE_BUILD:-}" in
        64) use_wine64 "OW_WINE_BUILD=64"; return 0 ;;
        "" | 32) ;;
        *) echo "OW_WINE_BUILD is 32, 64 or unset, not '$OW_WINE_BUILD'" >&2; return 1 ;;
    esac
    if i386_goes_to_an_emulator; then
        use_wine64 "i386 programs here go to an emulator"
    elif ! runs_i386_code; then
        use_wine64 "this machine runs no 32-bit code"
    elif has_wine32_packages || { ! has_i386_root && wine32_from_packages; }; then
        use_wine32 /usr/lib/wine/wine /usr/lib/wine/wineserver32 "from the i386 packages"
    elif has_i386_root || wine32_in_root; then  # a root made on an earlier run is used again
        use_wine32 "$ROOT/tools/scripts/i386_root/wine" "$ROOT/tools/scripts/i386_root/wineserver" "in an i386 Debian root"
    else
        use_wine64 "32-bit Wine could not be installed"
    fi
    if [ "${OW_WINE_BUILD:-}" = 32 ] && [ "$OW_WINE_BITS" != 32 ]; then
        echo "OW_WINE_BUILD=32, but this machine gives the $OW_WINE_BUILD_TEXT" >&2
        return 1
    fi
}
