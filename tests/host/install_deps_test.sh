#!/bin/sh
# tools/install-deps.sh while the package mirror is in the middle of a sync:
# apt-get update fails for one index, every time.  With the build's packages
# all present it asks apt nothing; missing Wine's 32-bit package it tries the
# update again, installs nothing, and says which index, why, and what is
# missing.
set -eu
fake=$(mktemp -d)
trap 'rm -rf "$fake"' EXIT
fail() { echo "FAILED: $*"; cat "$fake/out"; exit 1; }

cat >"$fake/apt-get" <<'END'
#!/bin/sh
echo "$*" >>"$(dirname "$0")/apt.log"
echo "E: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 203.0.113.80 80]" >&2
exit 100
END
printf '#!/bin/sh\n[ "$3" = wine32:i386 ] || printf "install ok installed"\n' >"$fake/dpkg-query"
printf '#!/bin/sh\n[ "$1" != --print-foreign-architectures ] || echo i386\n' >"$fake/dpkg"
printf '#!/bin/sh\nexec "$@"\n' >"$fake/sudo"
chmod +x "$fake"/*
export PATH="$fake:$PATH" OV_APT_RETRY_PAUSE=0

"$1/tools/install-deps.sh" >"$fake/out" 2>&1 || fail "the build's packages, all present"
[ ! -e "$fake/apt.log" ] || fail "apt-get $(cat "$fake/apt.log")"

! "$1/tools/install-deps.sh" --wine >"$fake/out" 2>&1 || fail "succeeded with an index missing"
for said in bookworm-security/main/binary-i386/Packages.xz "Mirror sync in progress" "in the middle of a sync" wine32:i386; do
    grep -q "$said" "$fake/out" || fail "no \"$said\""
done
[ "$(grep -c ^update "$fake/apt.log")" -gt 1 ] || fail "apt-get update tried once"
! grep -q ^install "$fake/apt.log" || fail "installed with an index missing"
echo ok
