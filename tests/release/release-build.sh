#!/bin/sh
# Release builds end to end, as a product team makes them with make: a
# refused payload leaves the other targets working; a launcher signed with
# a throwaway certificate verifies; a bad or mismatched key leaves no OUT;
# two build folders give the same bytes; the bundle's ovpack.exe packs as
# ovpack does.  The signed launcher, one with its own version details and
# one stamped by ovpack.exe are left in WORK_DIR for release_check, which
# runs them under Wine.  Each manifest parses, with the level chosen.
#
#   tools/wine-session.sh BUILD_DIR/win tests/release/release-build.sh SOURCE_DIR BUILD_DIR WORK_DIR
#
# (CTest runs it so, as release_build.)
set -eu

src=$(cd "$1" && pwd)
build=$(cd "$2" && pwd)
work=$3
rm -rf "$work"; mkdir -p "$work"
work=$(cd "$work" && pwd)
cd "$work"

# The make that runs the tests must not hand its options to these.
unset MAKEFLAGS MFLAGS MAKELEVEL

fail() { echo "FAILED: $*" >&2; exit 1; }
# make in the source folder; its output in make.log, shown when it fails.
mk() { make -C "$src" --no-print-directory "$@" >make.log 2>&1; }
mk_ok() { mk "$@" || { cat make.log; fail "make $*"; }; }
# The build refuses, says why, and leaves no OUT nor anything beside it.
mk_refused() {
    why=$1; shift
    mk "$@" OUT="$work/out/refused.exe" && { cat make.log; fail "make $* succeeded"; }
    grep -q "$why" make.log || { cat make.log; fail "make $*: no \"$why\""; }
    [ -z "$(ls -A out)" ] || fail "make $* left $(ls -A out)"
}

"$src/tools/install-deps.sh" openssl osslsigncode icoutils python3

# The demo payload with the stand-ins, its times pinned.
cp -a "$build/win/payload/demo" payload
find payload -type f -exec touch -a -m -d '2024-01-01 00:00:00 UTC' {} +
mkdir out

echo "== a refused payload, then make and make demo"
cp -a payload refused
rm refused/SETUPBASE/Bootlace.exe
sed -i /Bootlace/d refused/SETUPBASE.order
mk_refused "holds Bootlace.exe" launcher BUILD="$build" PAYLOAD="$work/refused"
mk_ok BUILD="$build"
mk_ok demo BUILD="$build"
grep -q "the temporary folder is clean again" make.log || { cat make.log; fail "make demo"; }

echo "== signed with a throwaway certificate"
openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out cert.pem -days 2 -subj "/CN=Orvane test signer" \
    -addext extendedKeyUsage=codeSigning 2>/dev/null
openssl genpkey -algorithm RSA -pkeyopt rsa_keygen_bits:2048 -out other.pem 2>/dev/null
openssl pkcs12 -export -inkey key.pem -in cert.pem -out signer.p12 -passout pass:s3cret
echo "not a key" >garbage.pem
mk_ok launcher BUILD="$build" PAYLOAD="$work/payload" OUT="$work/signed.exe" SIGN="$work/key.pem,$work/cert.pem" \
    SIGN_CA="$work/cert.pem"
cat make.log
osslsigncode verify -in signed.exe -CAfile cert.pem >verify.log 2>&1 || { cat verify.log; fail "verify"; }
grep -q "Signature verification: ok" verify.log || { cat verify.log; fail "verify"; }
SIGN_PASSWORD=s3cret mk_ok launcher BUILD="$build" PAYLOAD="$work/payload" OUT="$work/signed-p12.exe" \
    SIGN="$work/signer.p12" SIGN_CA="$work/cert.pem"

echo "== bad keys leave no OUT"
mk_refused "garbage.pem is not a private key" launcher BUILD="$build" PAYLOAD="$work/payload" \
    SIGN="$work/garbage.pem,$work/cert.pem"
mk_refused "other.pem does not match the certificate" launcher BUILD="$build" PAYLOAD="$work/payload" \
    SIGN="$work/other.pem,$work/cert.pem"
SIGN_PASSWORD=wrong mk_refused "SIGN_PASSWORD is not its password" launcher BUILD="$build" PAYLOAD="$work/payload" \
    SIGN="$work/signer.p12"
mk_refused "does not verify" launcher BUILD="$build" PAYLOAD="$work/payload" SIGN="$work/key.pem,$work/cert.pem"
mk_refused "EXECUTION_LEVEL \"asAdmin\"" launcher BUILD="$build" PAYLOAD="$work/payload" EXECUTION_LEVEL=asAdmin

echo "== the same bytes from two build folders"
mk_ok launcher BUILD="$build" PAYLOAD="$work/payload" OUT="$work/unsigned.exe"
mk_ok launcher BUILD="$work/elsewhere/b" PAYLOAD="$work/payload" OUT="$work/elsewhere.exe"
sha256sum unsigned.exe elsewhere.exe
cmp unsigned.exe elsewhere.exe || fail "two build folders, two launchers"

echo "== own version details"
mk_ok launcher BUILD="$build" PAYLOAD="$work/payload" OUT="$work/versioned.exe" VERSION=1.2.3.4 \
    PRODUCT_VERSION=1.2 COPYRIGHT="Copyright (C) 2031 Test" EXECUTION_LEVEL=asInvoker

echo "== make dist"
mk_ok dist BUILD="$build" DIST="$work/dist"
version=$(sed -n 's/^VERSION=//p' "$src/resources/version.txt")
tar -xzf "dist/orvane-launcher-$version.tar.gz" -C dist
bundle=dist/orvane-launcher-$version
ls -l "dist/orvane-launcher-$version.tar.gz" "$bundle"

echo "== ovpack.exe packs and stamps as ovpack (to the same bytes) and make launcher do"
"$bundle/ovpack" pack-payload payload packed >/dev/null
wine "$bundle/ovpack.exe" pack-payload payload packed.exe >/dev/null
[ "$(ls packed)" = "$(ls packed.exe)" ] || fail "ovpack.exe packed other archives"
for archive in packed/*.ovarc; do
    cmp "$archive" "packed.exe/${archive#packed/}" || fail "ovpack.exe packed ${archive#packed/} otherwise"
done
wine "$bundle/ovpack.exe" launcher --stub "$bundle/ZAZezorBare.exe" --payload payload -o stamped.exe
[ -f stamped.exe ] || fail "ovpack.exe launcher wrote nothing"
"$bundle/ovpack" launcher --stub "$bundle/ZAZezorBare.exe" --payload payload -o native.exe
cmp stamped.exe native.exe || fail "ovpack on Linux wrote another launcher than ovpack.exe"
osslsigncode sign -certs cert.pem -key key.pem -h sha256 -in native.exe -out native-signed.exe >/dev/null &&
    osslsigncode verify -in native-signed.exe -CAfile cert.pem | grep -q "Signature verification: ok" ||
    fail "the launcher ovpack wrote does not verify once signed"
wine "$bundle/ovpack.exe" launcher --stub "$bundle/ZAZezorBare.exe" --payload payload -o highest.exe \
    --execution-level highestAvailable
! wine "$bundle/ovpack.exe" launcher --stub "$bundle/ZAZezorBare.exe" --payload payload -o out/x.exe \
    --execution-level asAdmin 2>/dev/null && [ -z "$(ls -A out)" ] || fail "ovpack.exe took --execution-level asAdmin"
for made in unsigned:requireAdministrator versioned:asInvoker stamped:requireAdministrator highest:highestAvailable; do
    wrestool -x --raw -t 24 -n 1 -L 0 "${made%:*}.exe" | python3 "$src/tests/release/manifest_check.py" "${made#*:}" ||
        fail "the manifest of ${made%:*}.exe"
done
echo "ok"
