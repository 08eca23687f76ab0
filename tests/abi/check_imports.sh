#!/usr/bin/env bash
# Every function the library imports must be listed with a first Windows
# client no later than the supported floor, and be imported by name: an
# import the running Windows lacks stops the messenger from loading the DLL.
#   check_imports.sh DLL LIST FLOOR
set -u
export LC_ALL=C  # objdump speaks the locale's language otherwise
dll=$1 list=$2 floor=$3
# Windows clients, oldest first: the names the list's "first" column may use.
clients="Windows NT 4.0|Windows NT 4.0 SP6|Windows 2000 Professional|Windows XP|Windows Vista|Windows 7|Windows 8|Windows 8.1|Windows 10|Windows 11"

headers=$(i686-w64-mingw32-objdump -p "$dll") || { echo "FAILED: cannot read $dll"; exit 1; }
echo "$headers" | awk -v clients="$clients" -v floor="$floor" -v list="$list" \
    -v self="$(basename "$dll" | tr '[:upper:]' '[:lower:]')" '
function failed(text) { print "FAILED: " text; bad++ }
BEGIN {
    n = split(clients, order, "|")
    for (i = 1; i <= n; i++) rank[order[i]] = i
    if (!(floor in rank)) failed("the floor \"" floor "\" is not one of: " clients)
    while ((getline line < list) > 0) {
        row++
        if (line ~ /^#/ || line == "") continue
        if (split(line, f, "\t") != 5) { failed(list " line " row ": not five tab-separated columns"); continue }
        key = f[1] " " f[2]
        if (f[1] != tolower(f[1])) failed(list " line " row ": the DLL name is not lower case")
        if (!(f[3] in rank)) failed(list " line " row ": \"" f[3] "\" is not one of: " clients)
        if (key in first) failed(list " line " row ": " key " is listed twice")
        first[key] = f[3]; basis[key] = f[4]
    }
    if (row == 0) failed("cannot read " list)
}
/^\tDLL Name: / { module = tolower(substr($0, index($0, ":") + 2)); next }
/^[^\t]/ { module = "" }
module != "" && /^\t[0-9a-f]+\t +[0-9]+  [^ ]+$/ {
    name = $NF
    if (module == self) next  # its own GetVersion, checked in check_dll.sh
    imports++
    key = module " " name
    if (name == "<none>") {
        failed(module " ordinal " $2 " is imported by ordinal only: import it by name, so it can be checked here")
    } else if (!(key in first)) {
        failed(key " is not in " list ": add it with the first Windows client its documentation gives (Requirements, Minimum supported client) and the page address")
    } else if (rank[first[key]] > rank[floor]) {
        failed(key " first appears in " first[key] ", later than the supported floor " floor)
    } else {
        good++
        if (basis[key] != "docs") noted = noted " " name
    }
}
END {
    if (imports == 0) failed("no imports read from the headers of " self)
    if (noted != "") print "first client not from the documented minimum (see the basis column):" noted
    printf "%d imports checked against the floor %s\n", imports, floor
    printf "%d passed, %d failed\n", good, bad
    exit bad > 0
}'
