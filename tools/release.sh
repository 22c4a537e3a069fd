#!/bin/sh
# Release builds: a launcher around a payload (make launcher), optionally
# signed, and the release bundle (make dist).  Both build in trees of their
# own, BUILD/release/host (the packer, optimised, without sanitisers) and
# BUILD/release/win, so that a refused or interrupted build leaves every
# other target as it was, and a second payload costs only its packing and
# one link.
#
#   tools/release.sh launcher BUILD PAYLOAD OUT [i686|x86_64]
#   tools/release.sh dist BUILD DIR
#
# A launcher is built for 32-bit Windows, or with x86_64 for 64-bit Windows,
# in a tree of its own (BUILD/release/win64); the bundle holds the 32-bit one.
#
# From the environment (the Makefile exports them): the version details of
# resources/version.txt (PRODUCT_NAME, FILE_DESCRIPTION, VERSION,
# PRODUCT_VERSION, COPYRIGHT), EXECUTION_LEVEL (the manifest's
# requestedExecutionLevel: asInvoker, highestAvailable or, the default,
# requireAdministrator), WAIT_FOR_NEXT_STAGE (yes: the launcher waits for
# the next stage and exits with its exit code), SOURCE_DATE_EPOCH, and for signing SIGN
# (KEY.pem,CERT.pem or FILE.p12), SIGN_PASSWORD (the PKCS#12 password),
# SIGN_CA (trusted certificates for the check; default: the system's) and
# SIGN_TIMESTAMP (an RFC 3161 time-stamp server).
set -eu
cd "$(dirname "$0")/.."
src=$(pwd)

die() { echo "$*" >&2; exit 1; }

command=$1
# Any other level is refused before anything is built.
case "${EXECUTION_LEVEL-}" in
"" | asInvoker | highestAvailable | requireAdministrator) ;;
*) die "EXECUTION_LEVEL \"$EXECUTION_LEVEL\": give asInvoker, highestAvailable or requireAdministrator" ;;
esac
case "${WAIT_FOR_NEXT_STAGE-}" in
"" | yes | no) ;;
*) die "WAIT_FOR_NEXT_STAGE \"$WAIT_FOR_NEXT_STAGE\": give yes or no" ;;
esac
mkdir -p "$2"
build=$(cd "$2" && pwd)/release
host=$build/host
width=${5:-i686}
win=$build/win
[ "$width" = i686 ] || win=$build/win64

# Configures and builds the two trees; $1 names the payload ("" for none),
# the rest are the Windows targets to build.
build_trees() {
    payload=$1; shift
    cmake -S "$src" -B "$host" -DCMAKE_BUILD_TYPE=Release -DOV_SANITIZE=OFF >/dev/null
    cmake --build "$host" --target ovpack -- --no-print-directory >/dev/null
    cmake -S "$src" -B "$win" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-$width.cmake" -DOV_HOST_BUILD="$host" \
        -DOV_LAUNCHER_PAYLOAD="$payload" -DOV_SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH-}" \
        -DOV_PRODUCT_NAME="${PRODUCT_NAME-}" -DOV_FILE_DESCRIPTION="${FILE_DESCRIPTION-}" \
        -DOV_VERSION="${VERSION-}" -DOV_PRODUCT_VERSION="${PRODUCT_VERSION-}" -DOV_COPYRIGHT="${COPYRIGHT-}" \
        -DOV_EXECUTION_LEVEL="${EXECUTION_LEVEL-}" -DOV_WAIT_FOR_NEXT_STAGE="${WAIT_FOR_NEXT_STAGE-}" >/dev/null
    for target in "$@"; do
        cmake --build "$win" --target "$target" -- --no-print-directory >/dev/null
    done
}

# Signs $1 into $2 with Authenticode (SHA-256) and checks the signature.
# Each refusal names its cause.
sign() {
    unsigned=$1 signed=$2
    case "$SIGN" in
    *,*)
        key=${SIGN%%,*} cert=${SIGN#*,}
        [ -r "$key" ] || die "SIGN: cannot read the key $key"
        [ -r "$cert" ] || die "SIGN: cannot read the certificate $cert"
        keypub=$(openssl pkey -in "$key" -pubout 2>/dev/null) ||
            die "SIGN: $key is not a private key in PEM form (or it needs a password: use a PKCS#12 file)"
        certpub=$(openssl x509 -in "$cert" -noout -pubkey 2>/dev/null) ||
            die "SIGN: $cert is not a certificate in PEM form"
        [ "$keypub" = "$certpub" ] || die "SIGN: the key $key does not match the certificate $cert"
        set -- -certs "$cert" -key "$key"
        ;;
    *)
        [ -r "$SIGN" ] || die "SIGN: cannot read $SIGN (give KEY.pem,CERT.pem or a PKCS#12 file)"
        printf '%s' "${SIGN_PASSWORD-}" | openssl pkcs12 -in "$SIGN" -passin stdin -noout 2>/dev/null ||
            die "SIGN: cannot open the PKCS#12 file $SIGN: not PKCS#12, or SIGN_PASSWORD is not its password"
        set -- -pkcs12 "$SIGN" -readpass /dev/stdin
        ;;
    esac
    [ -z "${SIGN_TIMESTAMP-}" ] || set -- "$@" -ts "$SIGN_TIMESTAMP"
    printf '%s' "${SIGN_PASSWORD-}" |
        osslsigncode sign "$@" -h sha256 -n "${FILE_DESCRIPTION-Orvane Setup}" -in "$unsigned" -out "$signed" \
            >"$signed.log" 2>&1 || { cat "$signed.log" >&2; rm -f "$signed.log"; die "signing failed: see above"; }
    rm -f "$signed.log"
    ca=${SIGN_CA:-/etc/ssl/certs/ca-certificates.crt}
    if ! osslsigncode verify -in "$signed" -CAfile "$ca" >"$signed.log" 2>&1; then
        cat "$signed.log" >&2; rm -f "$signed.log"
        die "the signature does not verify against $ca (a certificate of your own CA: give it as SIGN_CA)"
    fi
    # The digest, who signed (the first signer's subject and issuer) and the verdict.
    awk '/^Message digest algorithm  :/ || /^Signature verification/ || (/Subject:|Issuer :/ && !seen[$1]++)' \
        "$signed.log" | sed 's/^[[:space:]]*/  /'
    rm -f "$signed.log"
}

launcher() {
    payload=$1 out=$2
    [ -n "$payload" ] && [ -n "$out" ] || die "usage: make launcher PAYLOAD=<dir> OUT=<file.exe> [SIGN=<key.pem>,<cert.pem>]"
    [ -d "$payload" ] || die "no payload folder $payload"
    [ -z "${SIGN-}" ] || tools/install-deps.sh osslsigncode openssl ca-certificates
    payload=$(cd "$payload" && pwd)
    build_trees "$payload" custom_launcher
    # OUT appears whole, signed and checked, or not at all.
    temporary=$(mktemp "$out.XXXXXX")
    trap 'rm -f "$temporary" "$temporary.signed" "$temporary.signed.log"' EXIT
    trap 'exit 130' INT TERM
    if [ -n "${SIGN-}" ]; then
        sign "$win/payload/custom_launcher.exe" "$temporary.signed"
        mv "$temporary.signed" "$temporary"
    else
        cp "$win/payload/custom_launcher.exe" "$temporary"
    fi
    chmod 0644 "$temporary"
    mv "$temporary" "$out"
    echo "built $out around $payload"
}

dist() {
    folder=$1
    version=${VERSION:-$(sed -n 's/^VERSION=//p' resources/version.txt)}
    build_trees "" ZAZezorBare ovpack
    name=orvane-launcher-$version
    stage=$build/dist/$name
    rm -rf "$build/dist"; mkdir -p "$stage" "$folder"
    cp "$win/payload/ZAZezorBare.exe" "$win/tools/ovpack/ovpack.exe" "$host/tools/ovpack/ovpack" "$stage/"
    cp docs/release-bundle.md "$stage/README.md"
    # The same bytes for the same inputs: fixed owner, order and times.
    tar -C "$build/dist" --sort=name --owner=0 --group=0 --numeric-owner --mtime="@${SOURCE_DATE_EPOCH:-0}" \
        -cf - "$name" | gzip -9n >"$folder/$name.tar.gz.tmp"
    mv "$folder/$name.tar.gz.tmp" "$folder/$name.tar.gz"
    echo "wrote $folder/$name.tar.gz"
}

case "$command" in
launcher) launcher "$3" "$4" ;;
dist) dist "$3" ;;
*) die "unknown command $command" ;;
esac
