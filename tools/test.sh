#!/bin/sh
# make test: what make check runs (the native tests under the sanitizers and
# the static checks of the 32-bit launchers), then the Windows tests under
# Wine, and last a word on what ran, what did not and why.
#
#   tools/test.sh BUILD [i686|x86_64]
#
# Without a width the Windows tests run against the shipped 32-bit build
# where this machine runs 32-bit programs, else against the same sources
# built for 64-bit Windows, under 64-bit Wine.  Where no Windows program can
# run at all they are listed as skipped, with the reason.  The run fails only
# where a test that ran failed.
set -u
cd "$(dirname "$0")/.."
build=$1
width=${2:-$(tools/wine-ready.sh --width)}
make="${MAKE:-make} --no-print-directory"
win32=$build/win
tree=$win32
[ "$width" = i686 ] || tree=$build/win64
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT

# $1: the log's name; the rest, the run.  Its status goes to $logs/$1.status.
logged() {
    name=$1; shift
    { "$@"; echo $? >"$logs/$name.status"; } 2>&1 | tee "$logs/$name"
}

$make win ARCH=i686 || exit
logged check ctest --test-dir "$win32" --output-on-failure -L 'native|static'
# Each test's own words, kept before a second run in the same tree writes over them.
cat "$win32"/Testing/Temporary/LastTest*.log >"$logs/check.tests" 2>/dev/null

# A refusal goes to the last lines; what installing says, to the screen.
exec 3>&1
if refusal=$(tools/wine-ready.sh "$tree" "$width" 2>&1 >&3); then
    [ "$tree" = "$win32" ] || $make win ARCH="$width" || exit
    logged windows tools/wine-session.sh "$tree" ctest --test-dir "$tree" --output-on-failure --timeout 600 -L wine
else
    # The tree already built lists its Windows tests as skipped.
    tree=$win32
    logged windows env OV_WINDOWS_SKIP="$(printf '%s' "$refusal" | head -n 1)" \
        ctest --test-dir "$tree" --output-on-failure -L wine
fi

# The counts of both runs: CTest counts a skipped test among those that did
# not fail, and lists it under "did not run".
total=$(sed -n 's/.* tests failed out of \([0-9]*\)$/\1/p' "$logs/check" "$logs/windows" | awk '{n+=$1} END {print n+0}')
failed=$(sed -n 's/.* \([0-9]*\) tests failed out of .*/\1/p' "$logs/check" "$logs/windows" | awk '{n+=$1} END {print n+0}')
skipped=$(grep -c '^[[:space:]]*[0-9]* - .* (\(Skipped\|Disabled\))$' "$logs/check" "$logs/windows" |
    awk -F: '{n+=$NF} END {print n+0}')

echo
cat "$win32/bare-launcher-size.txt"
if [ "$width" != i686 ] && [ -z "$refusal" ]; then
    echo "The Windows tests ran against the 64-bit build; the 32-bit launcher was not run on this machine."
fi
[ -z "$refusal" ] || printf '%s\n' "$refusal"
if [ "$skipped" -gt 0 ]; then
    echo "$skipped tests did not run (listed above as skipped), for these reasons:"
    # Each skipped test's own words, from CTest's logs of the runs.
    cat "$logs/check.tests" "$tree"/Testing/Temporary/LastTest*.log 2>/dev/null |
        sed -n 's/^skipped: //p; /^small drives not mapped: /p' | sort | uniq -c | sed 's/^ *\([0-9]*\) /  (\1) /'
    [ "$width" = i686 ] || echo "A machine that runs 32-bit programs, with Wine's 32-bit half (wine32:i386), runs them all."
fi
echo "tests: $((total - failed - skipped)) passed, $failed failed, $skipped skipped"
[ "$(cat "$logs/check.status")" = 0 ] && [ "$(cat "$logs/windows.status")" = 0 ]
