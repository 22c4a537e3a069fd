#!/bin/sh
# Maps real small drives into the Wine prefix, for tests of low space and
# full disks: tmpfs mounts of a fixed size, linked in as drive letters.
#
#   tools/small-drives.sh mount|unmount BUILD_DIR
#
#   T:  5 MiB   less free space than the launcher asks for
#   U: 11 MiB   enough for the free-space check, too little for a big payload
#
# Mounting needs root.  Where it is not permitted the drives are simply not
# there and the tests that need them skip, saying why.
set -u

build=$(cd "$2" && pwd)
prefix=${WINEPREFIX:-$build/wineprefix}

drives="t:5m u:11m"

unmount_all() {
    for spec in $drives; do
        letter=${spec%%:*}
        rm -f "$prefix/dosdevices/$letter:"
        if mountpoint -q "$build/drives/$letter" 2>/dev/null; then
            umount "$build/drives/$letter" 2>/dev/null || true
        fi
    done
}

case "$1" in
mount)
    unmount_all
    for spec in $drives; do
        letter=${spec%%:*}
        size=${spec#*:}
        mkdir -p "$build/drives/$letter"
        if ! mount -t tmpfs -o "size=$size" tmpfs "$build/drives/$letter" 2>/dev/null; then
            echo "small drives not mapped: mounting a tmpfs needs root (tests that need them skip)"
            unmount_all
            exit 0
        fi
        ln -sfn "$build/drives/$letter" "$prefix/dosdevices/$letter:"
    done
    echo "small drives mapped: T: 5 MiB, U: 11 MiB"
    ;;
unmount)
    unmount_all
    ;;
*)
    echo "usage: $0 mount|unmount BUILD_DIR" >&2
    exit 2
    ;;
esac
