#!/usr/bin/env bash
# Makes ROOT_DIR a small i386 Debian 12 root that holds 32-bit Wine: the way
# to 32-bit Wine on a machine whose own packages will not take wine32:i386
# (installed versions out of step with the i386 index, or an index that does
# not download). Nothing in it mixes architectures. A root already there is
# made anew.
#   make.sh ROOT_DIR MIRROR      (MIRROR: a Debian archive from apt's own sources)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(realpath -m "${1:?usage: make.sh ROOT_DIR MIRROR}")
mirror=${2:?usage: make.sh ROOT_DIR MIRROR}
# Wine's X11 driver uses these when present; fonts for the dialogs' texts.
packages=(wine32 wine libxrender1 libxrandr2 libxi6 libxcursor1 libxinerama1 libxcomposite1 libxfixes3
    fonts-wine fonts-liberation)

attempt() {  # a mirror can be briefly out of step: try again
    local n
    for n in 1 2 3; do
        "$@" && return 0
        echo "i386 root: attempt $n of '$*' failed" >&2
        [ $n = 3 ] || sleep $((n * 10))
    done
    return 1
}
# debootstrap mounts /proc and /sys in the new root: in a namespace of its
# own, they go when it ends.
fresh() {
    rm -rf "$root.new"
    unshare --mount --propagation private debootstrap --arch=i386 --variant=minbase bookworm "$root.new" "$mirror"
}
attempt fresh
touch "$root.new/etc/hosts"  # minbase has none; enter.sh binds the machine's over it
in_root() { "$here/enter.sh" "$root.new" env DEBIAN_FRONTEND=noninteractive "$@"; }
attempt in_root apt-get update -q
attempt in_root apt-get install -y -q --no-install-recommends "${packages[@]}"
in_root apt-get clean
rm -rf "$root"
mv "$root.new" "$root"
