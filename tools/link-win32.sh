#!/bin/sh
# Runs a link step of the posix-thread-model compiler driver with the win32
# model's driver instead.  The launcher starts no threads; the posix model's
# runtime (winpthreads, about 30 KB) is only needed by the test framework.
#
#   tools/link-win32.sh DRIVER ARGS...
case "$1" in
*-posix)
    driver=${1%-posix}-win32
    shift
    exec "$driver" "$@"
    ;;
*)
    exec "$@"
    ;;
esac
