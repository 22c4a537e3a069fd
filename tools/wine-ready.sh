#!/bin/sh
# Says, before the first Windows program of a build tree runs, whether this
# machine can run one, and installs Wine where it can.
#
#   tools/wine-ready.sh BUILD_DIR
#
# The launcher and its tests are 32-bit Windows programs, and Wine starts
# them through its 32-bit loader, itself a 32-bit Linux program: a kernel
# built or booted without IA-32 emulation refuses it with "Exec format
# error", whatever Wine is told.  Where that happens this says so once, with
# what still works here, and fails: a test run that cannot run must not end
# as if it had.  A yes is kept in the build tree; a no is asked again, since
# the machine may change.
set -eu

tools=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$1"
build=$(cd "$1" && pwd)
stamp=$build/wine-runs.stamp
[ -f "$stamp" ] && exit 0

refuse() {
    cat >&2 <<EOF
No Windows program can run on this machine: the tests under Wine, make demo,
make screenshot and make bench need one.
$1
What works here: make check (the native tests and the static checks of the
launchers), make launcher and make dist.
EOF
    exit 1
}

# $1: how the refusal showed, after the line that says what it means.
no_32bit_programs() {
    # What the kernel says of it, where it lets us read that.
    said=$(dmesg 2>/dev/null | grep -i -m1 -o '[^] ][^]]*IA-32 emulation.*' ||
        grep -o 'ia32_emulation=[^ ]*' /proc/cmdline 2>/dev/null || true)
    refuse "This machine runs no 32-bit programs, and Wine's 32-bit loader is one$1${said:+
The kernel says: $said}"
}

# Without Wine's 32-bit half, a 32-bit program of 93 bytes that only exits
# asks the kernel first: where it is refused, installing Wine cannot help.
if ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "ok installed"; then
    probe=$build/ia32-probe
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
    *"Exec format error"*) no_32bit_programs " (its package,
wine32:i386, is not installed; it would be refused as well):
  a 32-bit program of 93 bytes: Exec format error" ;;
    esac
fi

"$tools/install-deps.sh" --wine || refuse "What running Windows programs needs could not be installed (see above)."
# The loader itself on its smallest job; Debian's wine names the missing
# 32-bit half only when WINEDEBUG leaves it room to.
status=0
answer=$(WINEDEBUG= wine --version 2>&1 </dev/null) || status=$?
case "$status $answer" in
126\ * | *"Exec format error"*) no_32bit_programs ":
  $answer" ;;
0\ *"wine32 is missing"* | [1-9]*) refuse "Wine's 32-bit loader does not start: wine --version says
$answer" ;;
esac
touch "$stamp"
