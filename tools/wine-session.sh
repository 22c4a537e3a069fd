#!/bin/sh
# Runs one command inside a private Windows session: a virtual X display, a
# Wine prefix kept in the build folder, and one persistent wineserver that is
# stopped again afterwards.
#
#   tools/wine-session.sh BUILD_DIR COMMAND [ARGS...]
#
# The command sees DISPLAY, WINEPREFIX, WINEARCH (the tree's width) and
# WINEDEBUG.  Its exit status is the script's.
set -eu

build=$(cd "$1" && pwd); shift
# A command inside a session of the same build (a test that runs make demo)
# runs in that session: stopping a second one would stop the first.
if [ "${OV_WINE_SESSION-}" = "$build" ]; then
    exec "$@"
fi
winearch=$(cat "$build/wine-arch" 2>/dev/null || echo win32)
width=i686
[ "$winearch" = win32 ] || width=x86_64
# Where no Windows program can run, say so before anything starts.
"$(dirname "$0")/wine-ready.sh" "$build" $width
export OV_WINE_SESSION="$build"
export WINEPREFIX="$build/wineprefix"
export WINEARCH=$winearch
export WINEDEBUG=-all
# No Mono or Gecko download prompts: nothing here needs .NET or HTML.
export WINEDLLOVERRIDES="mscoree,mshtml="

xvfb_pid=""
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT INT TERM

# Xvfb picks a free display itself and tells us its number.
fifo="$build/.xvfb-display"
rm -f "$fifo"; mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xvfb_pid=$!
read -r display_no <"$fifo"
rm -f "$fifo"
export DISPLAY=":$display_no"

# The server and its services must not inherit our stdout: CTest would wait
# for the pipe to close until its time-out.
if [ ! -f "$WINEPREFIX/.ready" ]; then
    rm -rf "$WINEPREFIX"
    wineboot -i </dev/null >/dev/null 2>&1
    # A crash must end the process, not wait on a dialog; and without a window
    # manager every hidden window would cost two seconds.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    # The classic dialog font, so dialog units map as they do on Windows.
    cp /usr/share/wine/fonts/*.fon "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    wineserver -w
    touch "$WINEPREFIX/.ready"
fi
wineserver -p </dev/null >/dev/null 2>&1
wine wineboot </dev/null >/dev/null 2>&1

"$@"
