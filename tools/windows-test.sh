#!/bin/sh
# Runs one Windows test, or skips it saying why: exit 77, which CTest shows
# as skipped.  OV_WINDOWS_SKIP holds the reason, where this machine runs no
# Windows program of the tree's width (make test sets it), or where what a
# test checks exists only in the shipped 32-bit build (the test's own
# environment).
#
#   tools/windows-test.sh COMMAND [ARGS...]
if [ -n "${OV_WINDOWS_SKIP-}" ]; then
    echo "skipped: $OV_WINDOWS_SKIP"
    exit 77
fi
exec "$@"
