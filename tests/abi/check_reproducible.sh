#!/usr/bin/env bash
# Builds the library a second time from a copy of the source tree in another
# directory and compares the two DLLs byte for byte: no time stamps, no build
# or source paths may end up in the shipped file.
#   check_reproducible.sh SOURCE_DIR DLL TOOLCHAIN_FILE BUILD_TYPE
set -euo pipefail
src=$1 dll=$2 toolchain=$(basename "$3") type=$4
work=$(mktemp -d "${TMPDIR:-/tmp}/ow-reproducible.XXXXXX")

# The working tree as it is (new files included), without builds or history.
mkdir "$work/source"
tar -C "$src" --exclude=./build --exclude=./dist --exclude=./.git -cf - . | tar -C "$work/source" -xf -

cmake -S "$work/source" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$work/source/cmake/$toolchain" \
    -DCMAKE_BUILD_TYPE="$type" >/dev/null
cmake --build "$work/build" -j2 --target ostixWeather >/dev/null
second=$work/build/src/$(basename "$dll")

if cmp "$dll" "$second"; then
    echo "identical: $(stat -c %s "$dll") bytes, $(sha256sum "$dll" | cut -c1-16)"
    rm -rf "$work"
    exit 0
fi
echo "the second build differs; first differing bytes (offset, octal values):"
cmp -l "$dll" "$second" | head -20 || true
echo "sections:"
diff <(i686-w64-mingw32-objdump -h "$dll" | tail -n +4) <(i686-w64-mingw32-objdump -h "$second" | tail -n +4) || true
echo "second build kept in $work"
exit 1
