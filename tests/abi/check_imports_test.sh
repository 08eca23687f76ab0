#!/usr/bin/env bash
# check_imports.sh against small DLLs built here, each with one known fault:
# it must pass the clean one and name the fault in each of the others.
#   check_imports_test.sh LIST FLOOR
set -u
list=$1 floor=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/ow-imports.XXXXXX")
trap 'rm -rf "$work"' EXIT
pass=0 fail=0

# A DLL of its own, calling only what the C body names (no runtime).
dll() {  # NAME C_BODY [LIBS...]
    local name=$1 body=$2; shift 2
    printf '#include <windows.h>\n%s\n' "$body" > "$work/$name.c"
    i686-w64-mingw32-gcc -shared -nostdlib -Wl,-e,0 -o "$work/$name.dll" "$work/$name.c" "$@" -lkernel32
}

# CASE LIST FLOOR DLL EXPECTED_EXIT EXPECTED_TEXT
expect() {
    local output status
    output=$("$here/check_imports.sh" "$work/$4.dll" "$2" "$3" 2>&1)
    status=$?
    if [ "$status" -eq "$5" ] && grep -qF -- "$6" <<<"$output"; then
        echo "ok: $1"; pass=$((pass + 1))
    else
        echo "FAILED: $1 (exit $status, expected $5 and \"$6\"):"; echo "$output"; fail=$((fail + 1))
    fi
}

dll listed 'DWORD Probe(void) { return GetTickCount(); }'
expect "a listed import passes" "$list" "$floor" listed 0 "1 passed, 0 failed"

dll unlisted 'BOOL Probe(void) { return Beep(440, 10); }'
expect "an unlisted import fails" "$list" "$floor" unlisted 1 "kernel32.dll Beep is not in $list: add it"

# Listed with its documented first version, which is later than the floor.
cp "$list" "$work/later.tsv"
printf 'kernel32.dll\tGetTickCount64\tWindows Vista\tdocs\t%s\n' \
    https://learn.microsoft.com/en-us/windows/win32/api/sysinfoapi/nf-sysinfoapi-gettickcount64 >> "$work/later.tsv"
dll later 'ULONGLONG Probe(void) { return GetTickCount64(); }'
expect "an import later than the floor fails" "$work/later.tsv" "Windows XP" later 1 \
    "kernel32.dll GetTickCount64 first appears in Windows Vista, later than the supported floor Windows XP"

printf 'LIBRARY "shlwapi.dll"\nEXPORTS\nByOrdinal@0 @158 NONAME\n' > "$work/ordinal.def"
i686-w64-mingw32-dlltool -k -d "$work/ordinal.def" -l "$work/libordinal.a"
dll ordinal 'int WINAPI ByOrdinal(void); int Probe(void) { return ByOrdinal(); }' "$work/libordinal.a"
expect "an import by ordinal fails" "$list" "$floor" ordinal 1 "shlwapi.dll ordinal 158 is imported by ordinal only"

sed 's/\tWindows 2000 Professional\t/\tWindows 2000\t/' "$list" > "$work/misnamed.tsv"
expect "a Windows name the check does not order fails" "$work/misnamed.tsv" "$floor" listed 1 \
    "\"Windows 2000\" is not one of"

echo "$pass passed, $fail failed"
exit $fail
