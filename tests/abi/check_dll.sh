#!/usr/bin/env bash
# Static checks of the shipped 32-bit library: its format, exports by
# ordinal, the import of its own GetVersion, its resources and its size.
set -u
export LC_ALL=C  # objdump speaks the locale's language otherwise
dll=$1
fail=0 pass=0
check() { if eval "$2"; then echo "ok: $1"; pass=$((pass + 1)); else echo "FAILED: $1"; fail=$((fail + 1)); fi; }
headers=$(i686-w64-mingw32-objdump -p "$dll")
check "PE32 for i386" 'i686-w64-mingw32-objdump -f "$dll" | grep -q "file format pei-i386"'
exports=$(echo "$headers" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p')
n=0
for pair in "0 PMB" "1 GetVersion" "2 sendmsg" "3 getcmd" "4 pluginFun"; do
    index=${pair% *} name=${pair#* }
    check "export $name at ordinal $((index + 1))" 'echo "$exports" | grep -qE "\[ *$index\] $name\s*\$"'
done
check "exactly five exports" '[ "$(echo "$exports" | grep -cE "\[ *[0-9]+\] ")" -eq 5 ]'
check "imports GetVersion from ostixWeather.dll" \
    'echo "$headers" | sed -n "/DLL Name: ostixWeather.dll/,/^$/p" | grep -qw GetVersion'
check "no time stamp" 'echo "$headers" | grep -q "^Time/Date.*00000000\|^Time/Date\s*Thu Jan  1 00:00:00 1970"'
check "MAINICON resource" 'grep -qa "M.A.I.N.I.C.O.N" "$dll"'
size=$(stat -c %s "$dll")
echo "size: $size bytes ($((size / 1024)) KiB)"
echo "$pass passed, $fail failed"
exit $fail
