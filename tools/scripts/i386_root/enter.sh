#!/usr/bin/env bash
# Runs a command inside the i386 root, in a mount namespace of its own. The
# machine's /proc, /sys, /dev, /tmp (X's and Wine's sockets, temporary
# folders), /etc/hosts (the private-network tests bind their own over it) and
# the project's tree are bound in at the same paths, so a path means the same
# inside and out; nothing stays mounted when the command ends.
#   enter.sh ROOT_DIR COMMAND [ARGS...]     (as root, from any folder of the tree)
set -euo pipefail
root=$(realpath "$1"); shift
project=$(cd "$(dirname "$0")/../../.." && pwd)

if [ "${OW_IN_I386_MOUNTS:-}" != "$root" ]; then
    OW_IN_I386_MOUNTS=$root exec unshare --mount --propagation private "$0" "$root" "$@"
fi
for dir in "$project" /proc /sys /dev /tmp ${TMPDIR:+"$TMPDIR"}; do  # the tree first: it holds the root
    mkdir -p "$root$dir"
    mount --rbind "$dir" "$root$dir"
done
mount --bind /etc/hosts "$root/etc/hosts"
exec chroot "$root" /bin/sh -c 'cd "$1" && shift && exec "$@"' enter "$PWD" "$@"
