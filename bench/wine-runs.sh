#!/bin/sh
# The benchmark's runs under Wine, inside tools/wine-session.sh; called by
# bench/bench.sh with its work folder, which holds the programs, payloads
# and archives it made, and with the names of the archives a launcher
# extracts in OV_EXTRACTED_ARCHIVES.  Prints ovbench's lines, each prefixed with the
# row it belongs to ("<row> median ...").
#
#   bench/wine-runs.sh WIN_BUILD WORK RUNS
set -eu

win=$1
work=$2
runs=$3
extracted=${OV_EXTRACTED_ARCHIVES:?bench/bench.sh names the archives}
ovbench="$win/bench/ovbench.exe"
standin="$win/bench/standin/Bootlace.exe"
root='C:\ovbench'

# A Unix path as the Windows programs see it (Wine maps / to Z:).
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }

# Runs ovbench and prints its result lines, tagged; every line goes to the
# log, and a failing run ends the benchmark.
tagged() {
    tag=$1; shift
    echo "timing $tag ..." >&2
    if ! wine "$ovbench" "$@" >"$work/last.log" 2>&1; then
        cat "$work/last.log" >&2
        exit 1
    fi
    # Wine's runtime ends printed lines with CR LF.
    tr -d '\r' <"$work/last.log" >>"$work/wine.log"
    tr -d '\r' <"$work/last.log" | sed -n "s/^\(median\|ratio\|most\) /$tag &/p"
}

: >"$work/wine.log"
tagged start race --runs "$runs" "$root" "standin=$(winpath "$standin")"
for size in 0 5 50; do
    read -r _ files _ bytes <"$work/payload$size.count"
    tagged "race$size" race --runs "$runs" --expect "$files" "$bytes" "$root" \
        "launcher=$(winpath "$work/launcher$size.exe")" "nsis=$(winpath "$work/nsis$size.exe")" \
        "nsisw=$(winpath "$work/nsisw$size.exe")"
done
# Four launchers at once: all but one splash may lose the focus before
# their next stage starts, and then wait out the final wait in full.
# Each round lasts those five seconds, so fewer rounds.
tagged together together --runs 3 "$root" "$(winpath "$work/launcher0.exe")"
for size in 5 50; do
    set --
    for name in $extracted; do
        set -- "$@" "$(winpath "$work/archives$size/$name.ovarc")"
    done
    tagged "inflate$size" inflate --runs "$runs" "$@"
    tagged "pump$size" pump --runs "$runs" "$@"
    set --
    for name in $extracted; do
        set -- "$@" "$(winpath "$work/payload$size/$name")"
    done
    tagged "copy$size" copy --runs "$runs" "$root" "$@"
    tagged "write$size" write --runs "$runs" "$root" "$@"
    # The launcher writes its files in pieces of at most 100 bytes.
    tagged "pieces$size" write --runs "$runs" --piece 100 "$root" "$@"
done
