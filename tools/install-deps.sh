#!/bin/sh
# Installs the Debian packages the build needs, and nothing when they are all
# present already. Safe to run on every make.
#
#   tools/install-deps.sh [--wine|--x86_64|--wine64] [PACKAGE...]
#
# Without an option: what building and the checks that run no Windows
# program need (make, make check, make launcher, make dist); these work on
# any 64-bit machine.  --wine adds what running 32-bit Windows programs
# needs (make test, make demo): Wine with its 32-bit half, which only a
# machine that runs 32-bit programs can use (tools/wine-ready.sh).
# --x86_64 adds the compilers of the 64-bit tree, --wine64 what running its
# programs needs.
#
# OV_APT_RETRY_PAUSE: seconds between tries of apt-get update (default 30).
set -eu

# xz-utils: tar unpacks zlib's sources from binutils-source's .tar.xz with
# it, and a minimal Debian (a container's, a debootstrap) comes without it.
PKGS="g++-mingw-w64-i686 binutils-mingw-w64-i686 mingw-w64-i686-dev \
libz-mingw-w64-dev cmake make zlib1g-dev googletest binutils-source xz-utils python3"
# What running Windows programs needs beside Wine's loaders.
session="xvfb xauth fonts-wine x11-utils locales"
case "${1-}" in
--wine) shift; PKGS="$PKGS wine wine32:i386 $session" ;;
# The 64-bit tree: its compilers, of both thread models, and 64-bit Wine.
--x86_64) shift; PKGS="$PKGS g++-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-win32 mingw-w64-x86-64-dev" ;;
--wine64) shift; PKGS="$PKGS wine wine64 $session" ;;
esac
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

# A mirror caught in the middle of a sync serves an index that does not
# match its release file for a minute or so: try again a few times.  While
# an index cannot be read nothing is installed, since apt would take the
# packages of that index from an old list or from none, and so skip its
# security updates; every source stays as the system has it.
pause=${OV_APT_RETRY_PAUSE:-30}
log=$(mktemp)
trap 'rm -f "$log"' EXIT
tries=1
until $SUDO apt-get update -qq 2>"$log"; do
    if [ "$tries" -ge 4 ]; then
        indexes=$(sed -n 's/^[EW]: Failed to fetch \([^ ]*\) *\(.*\)$/  \1\n    (\2)/p' "$log" |
            sed 's/ *\[IP: [^]]*\]//')
        cat >&2 <<EOF
install-deps: cannot install$missing
apt-get update could not read, $tries times over $(((tries - 1) * pause)) seconds:
${indexes:-$(cat "$log")}
The mirror may be in the middle of a sync: try again later.  Nothing was
installed: apt would take what that index holds from an old list or from
none, without its security updates.
EOF
        exit 100
    fi
    echo "apt-get update failed; trying again in $pause seconds" >&2
    sleep "$pause"
    tries=$((tries + 1))
done
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null ||
    { echo "could not install:$missing" >&2; exit 100; }
