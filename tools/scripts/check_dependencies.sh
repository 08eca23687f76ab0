#!/usr/bin/env bash
# Checks that the sources depend on each other in one direction only:
#   src/common/          portable pieces several subsystems share: includes only itself
#   src/common/win32/    Win32 pieces several subsystems share: common only
#   src/<sub>/core/      a subsystem's portable core: common and itself, no Win32 header
#   src/<sub>/win32/     its Win32 layer: common, common/win32 and its own subsystem
#   src/host/            composes the rest: may use everything; nothing uses it
# Prints every include that breaks a rule and exits 1 when there is one.
#   check_dependencies.sh [SRC_DIR]
set -u
src=${1:-$(cd "$(dirname "$0")/../.." && pwd)/src}
win32_header='<(windows|wininet|commctrl|commdlg|shellapi|shlobj|psapi|tlhelp32|ole2|objbase|mmsystem|winsock2?|ws2tcpip|winuser|winbase|windef|wingdi|winnt|winreg|winerror|winver|tchar)\.h>'
status=0

complain() {
    echo "$1: $2 ($3)"
    status=1
}

# The quoted includes of a file, one per line: "dir/.../name.h".
quoted_includes() { sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$1"; }

while IFS= read -r file; do
    rel=${file#"$src"/}
    dir=$(dirname "$rel")
    sub=${rel%%/*}
    portable=0
    case "$dir" in
        common | */core) portable=1 ;;
    esac
    if [ "$portable" = 1 ] && grep -Eiq "^[[:space:]]*#[[:space:]]*include[[:space:]]*$win32_header" "$file"; then
        complain "$rel" "$(grep -Eio "$win32_header" "$file" | head -1)" "portable code includes no Win32 header"
    fi
    while IFS= read -r inc; do
        [ -n "$inc" ] || continue
        target=${inc%%/*}
        case "$dir" in
            common)
                [[ "$inc" == common/* && "$inc" != common/win32/* ]] ||
                    complain "$rel" "$inc" "common includes only common" ;;
            common/win32)
                [[ "$inc" == common/* ]] || complain "$rel" "$inc" "common/win32 includes only common" ;;
            host/*) ;;
            */core)
                [[ ("$inc" == common/* && "$inc" != common/win32/*) || "$inc" == "$sub"/core/* ]] ||
                    complain "$rel" "$inc" "a core includes only common and itself" ;;
            */win32)
                [[ "$inc" == common/* || "$target" == "$sub" ]] ||
                    complain "$rel" "$inc" "a Win32 layer includes only common and its own subsystem" ;;
            *)
                complain "$rel" "$inc" "a file outside the known folders" ;;
        esac
    done < <(quoted_includes "$file")
done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) | sort)

[ "$status" = 0 ] && echo "dependencies: one direction (common, cores, Win32 layers, host)"
exit "$status"
