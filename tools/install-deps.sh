#!/bin/sh
# Installs the Debian packages the build, the tests and the demo need, and
# nothing when they are all present already. Safe to run on every make.
set -eu

PKGS="g++-mingw-w64-i686 binutils-mingw-w64-i686 mingw-w64-i686-dev \
libz-mingw-w64-dev wine wine32:i386 xvfb xauth cmake make zlib1g-dev \
googletest fonts-wine x11-utils locales"
[ $# -gt 0 ] && PKGS="$PKGS $*"

missing=""
for p in $PKGS; do
    # dpkg-query knows "wine32:i386" as well as plain names
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "installing:$missing"
case "$missing" in
*:i386*)
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $SUDO dpkg --add-architecture i386
    fi ;;
esac
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
