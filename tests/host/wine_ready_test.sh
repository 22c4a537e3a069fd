#!/bin/sh
# Windows programs on a machine that runs no 32-bit programs, where Wine's
# 32-bit loader is refused with "Exec format error": tools/wine-session.sh
# stops before anything starts, says why and what works here, and keeps no
# verdict; where the loader starts, the verdict is kept for the build tree.
set -eu
fake=$(mktemp -d)
trap 'rm -rf "$fake"' EXIT
fail() { echo "FAILED: $*"; cat "$fake/out"; exit 1; }

printf '#!/bin/sh\necho "/usr/bin/wine: 45: exec: /usr/lib/wine/wine: Exec format error" >&2\nexit 126\n' >"$fake/wine"
printf '#!/bin/sh\nprintf "install ok installed"\n' >"$fake/dpkg-query"
chmod +x "$fake"/*
mkdir "$fake/build"
export PATH="$fake:$PATH"

! "$1/tools/wine-session.sh" "$fake/build" touch "$fake/ran" >"$fake/out" 2>&1 || fail "a session ran"
[ ! -e "$fake/ran" ] || fail "the command ran"
for said in "Exec format error" "runs no 32-bit programs" "make check"; do
    grep -q "$said" "$fake/out" || fail "no \"$said\""
done
[ -z "$(ls "$fake/build")" ] || fail "left $(ls "$fake/build")"

printf '#!/bin/sh\necho wine-8.0\n' >"$fake/wine"
"$1/tools/wine-ready.sh" "$fake/build" >"$fake/out" 2>&1 || fail "the loader started, yet refused"
printf '#!/bin/sh\nexit 126\n' >"$fake/wine"
"$1/tools/wine-ready.sh" "$fake/build" >"$fake/out" 2>&1 || fail "the loader started once, yet asked again"

# make test where Wine's loader is refused: the tests that need no Windows
# program run, each Windows test is listed as skipped with the reason, and
# the run passes only while nothing that ran failed.
rm "$fake/build/wine-runs.stamp"
printf '#!/bin/sh\necho "/usr/bin/wine: 45: exec: /usr/lib/wine/wine: Exec format error" >&2\nexit 126\n' >"$fake/wine"
mkdir "$fake/build/win"
echo "win32" >"$fake/build/win/wine-arch"
echo "the bare launcher: 1 byte" >"$fake/build/win/bare-launcher-size.txt"
src=$1
tree() {
    cat >"$fake/build/win/CTestTestfile.cmake" <<END
add_test(native $1)
add_test(windows sh $src/tools/windows-test.sh false)
set_tests_properties(native PROPERTIES LABELS native)
set_tests_properties(windows PROPERTIES LABELS wine SKIP_RETURN_CODE 77)
END
}
tree true
MAKE=true "$1/tools/test.sh" "$fake/build" i686 >"$fake/out" 2>&1 || fail "make test failed with nothing failed"
for said in "windows (Skipped)" "1 tests did not run" "(1) No 32-bit Windows program can run" "tests: 1 passed, 0 failed, 1 skipped"; do
    grep -q "$said" "$fake/out" || fail "no \"$said\""
done
tree false
! MAKE=true "$1/tools/test.sh" "$fake/build" i686 >"$fake/out" 2>&1 || fail "make test passed with a failure"
grep -q "tests: 0 passed, 1 failed, 1 skipped" "$fake/out" || fail "no count of the failure"
echo ok
