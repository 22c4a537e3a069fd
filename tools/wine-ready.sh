#!/bin/sh
# Says, before the first Windows program of a build tree runs, whether this
# machine can run one, and installs Wine where it can.
#
#   tools/wine-ready.sh BUILD_DIR [i686|x86_64]    the tree's width (i686)
#   tools/wine-ready.sh --width                    i686 where this machine
#                                                  runs 32-bit programs, else x86_64
#
# Wine starts a 32-bit Windows program, which the shipped launcher is,
# through its 32-bit loader, itself a 32-bit Linux program: a kernel built
# or booted without IA-32 emulation refuses it with "Exec format error",
# whatever Wine is told.  64-bit Windows programs need only the 64-bit
# loader.  Where the tree's programs cannot run this says why, what a
# machine needs for them and what works here, and fails.  A yes is kept in
# the build tree; a no is asked again, since the machine may change.
set -eu

tools=$(cd "$(dirname "$0")" && pwd)

# A 32-bit program of 93 bytes that only exits: the kernel's own answer,
# before anything is installed.
runs_32bit_programs() {
    probe=$(mktemp)
    {
        # ELF header: 32-bit, little-endian, an executable for i386 whose
        # entry (0x08048054) follows the one program header.
        printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000'
        printf '\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000\001\000'
        printf '\000\000\000\000\000\000'
        # The file loaded at 0x08048000, readable and executable.
        printf '\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\135\000\000\000\135\000\000\000'
        printf '\005\000\000\000\000\020\000\000'
        # mov eax, 1 (exit); xor ebx, ebx; int 0x80
        printf '\270\001\000\000\000\061\333\315\200'
    } >"$probe"
    chmod +x "$probe"
    answer=$("$probe" 2>&1) || true
    rm -f "$probe"
    case "$answer" in
    *"Exec format error"*) return 1 ;;
    esac
}

if [ "$1" = --width ]; then
    if runs_32bit_programs; then echo i686; else echo x86_64; fi
    exit 0
fi

mkdir -p "$1"
build=$(cd "$1" && pwd)
width=${2:-i686}
stamp=$build/wine-runs.stamp
[ -f "$stamp" ] && exit 0

bits=32
[ "$width" = i686 ] || bits=64
# $1: why, its first line a sentence of its own; $2: what else works here.
refuse() {
    cat >&2 <<END
No $bits-bit Windows program can run on this machine: $1
What works here: make check (the native tests and the static checks of the
launchers), make launcher and make dist$2.
END
    exit 1
}

# $1: how the refusal showed.
no_32bit_programs() {
    # What the kernel says of it, where it lets us read that.
    said=$(dmesg 2>/dev/null | grep -i -m1 -o '[^] ][^]]*IA-32 emulation.*' ||
        grep -o 'ia32_emulation=[^ ]*' /proc/cmdline 2>/dev/null || true)
    refuse "it runs no 32-bit programs.
Wine's 32-bit loader is one$1${said:+
The kernel says: $said}
A machine that runs them needs IA-32 emulation in its kernel, and Wine's
32-bit half (wine32:i386)." "; make test, whose
Windows tests run against the 64-bit build under 64-bit Wine; and make demo ARCH=x86_64"
}

if [ "$width" = i686 ]; then
    # Where the kernel refuses 32-bit programs, installing Wine cannot help.
    if ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "ok installed" &&
        ! runs_32bit_programs; then
        no_32bit_programs " (its package,
wine32:i386, is not installed; it would be refused as well):
  a 32-bit program of 93 bytes: Exec format error"
    fi
    "$tools/install-deps.sh" --wine || refuse "what running them needs could not be
installed (see above)." ""
else
    "$tools/install-deps.sh" --wine64 || refuse "what running them needs could not be
installed (see above)." ""
fi
# The loader itself on its smallest job; Debian's wine names a missing
# 32-bit half only when WINEDEBUG leaves it room to.
status=0
answer=$(WINEDEBUG= wine --version 2>&1 </dev/null) || status=$?
case "$width $status $answer" in
i686\ 126\ * | *"Exec format error"*) no_32bit_programs ":
  $answer" ;;
i686\ 0\ *"wine32 is missing"* | i686\ [1-9]* | x86_64\ [1-9]*) refuse "Wine's loader does not start.
wine --version says: $answer" "" ;;
esac
touch "$stamp"
