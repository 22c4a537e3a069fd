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
echo ok
