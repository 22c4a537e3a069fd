#!/bin/sh
# Prints the benchmark's markdown table from the results bench/bench.sh
# gathered in WORK (results.txt, payload*.count, pack*.ms, the installers).
#
#   bench/table.sh WORK BARE_LAUNCHER NSIS_STUB OVBENCHGEN JOBS IDENTICAL RUNS
set -eu

work=$1 bare=$2 stub=$3 gen=$4 jobs=$5 identical=$6 runs=$7
results="$work/results.txt"

# field TAG KIND LABEL NAME: the value after NAME on the line "TAG KIND LABEL ..."
field() {
    awk -v tag="$1" -v kind="$2" -v label="$3" -v name="$4" \
        '$1 == tag && $2 == kind && $3 == label { for (i = 4; i < NF; i++) if ($i == name) print $(i + 1) }' "$results"
}

# first TAG KIND LABEL: the value right after LABEL ("inflate5 median inflate 12.3 ...")
first() { awk -v tag="$1" -v kind="$2" -v label="$3" '$1 == tag && $2 == kind && $3 == label { print $4 }' "$results"; }

# 1234567 -> 1,234,567
grouped() {
    awk -v n="$1" 'BEGIN {
        s = n ""; out = ""
        while (length(s) > 3) { out = "," substr(s, length(s) - 2) out; s = substr(s, 1, length(s) - 3) }
        print s out
    }'
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

median() {
    sort -n "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

pe() { "$gen" pe-sizes "$1" | awk -v name="$2" '{ for (i = 1; i < NF; i++) if ($i == name) print $(i + 1) }'; }

row() { echo "| $1 | $2 | $3 | $4 | ${5:-} | ${6:-} |"; }

bytes_of() { read -r _ _ _ bytes <"$work/payload$1.count"; echo "$bytes"; }
files_of() { read -r _ files _ _ <"$work/payload$1.count"; echo "$files"; }

echo "Payloads: $(files_of 5) files in nested folders over the five extracted archives," \
    "$(grouped "$(bytes_of 5)") and $(grouped "$(bytes_of 50)") bytes (text, code and incompressible content);" \
    "\"stand-in only\" is the next stage alone ($(grouped "$(bytes_of 0)") bytes)."
echo "Medians of $runs rounds after a warm-up, the launcher and the two NSIS installers alternating; ratio = median of the per-round ratios."
echo "\"NSIS\" is silent and opens no window; \"NSIS with a window\" shows a Banner window from before its extraction until after its Exec."
echo "$(wine --version), $(makensis -VERSION) with zlib, $(nproc) cores, $(date -u +%Y-%m-%d)."
echo
row "measure" "launcher" "NSIS" "launcher / NSIS" "NSIS with a window" "launcher / NSIS with a window"
row "---" "---:" "---:" "---:" "---:" "---:"
for size in 0 5 50; do
    case $size in 0) what="stand-in only" ;; *) what="$size MiB" ;; esac
    for point in next exit; do
        case $point in next) step="start to next stage" ;; *) step="start to exit" ;; esac
        row "$what: $step (ms)" "$(field "race$size" median launcher "$point")" \
            "$(field "race$size" median nsis "$point")" "$(field "race$size" ratio launcher/nsis "$point")" \
            "$(field "race$size" median nsisw "$point")" "$(field "race$size" ratio launcher/nsisw "$point")"
    done
    row "$what: CPU time after the next stage starts, main thread (ms)" \
        "$(field "race$size" median launcher cpu-after)" "$(field "race$size" median nsis cpu-after)" "" \
        "$(field "race$size" median nsisw cpu-after)" ""
done
row "four launchers started together (stand-in only): start to exit (ms)" "$(field together median together exit)" "" ""
row "four launchers started together: CPU time after the next stage starts, median / most (ms)" \
    "$(field together median together cpu-after) / $(field together most together cpu-after)" "" ""
row "floor: a process start, the stand-in started directly (ms)" "$(field start median standin next)" "" ""
for size in 5 50; do
    row "floor: inflate the $size MiB archives in memory, 32-bit zlib (ms)" \
        "$(first "inflate$size" median inflate)" "" ""
    row "the launcher's inflate pump alone on the $size MiB archives, output dropped (ms)" \
        "$(first "pump$size" median pump)" "" ""
    row "floor: copy the inflated $size MiB tree (ms)" "$(first "copy$size" median copy)" "" ""
    row "floor: write the $size MiB tree from memory, whole files (ms)" "$(first "write$size" median write)" "" ""
    row "floor: write the $size MiB tree from memory, 100-byte pieces (ms)" "$(first "pieces$size" median write)" "" ""
done
for size in 5 50; do
    a=$(stat -c %s "$work/launcher$size.exe") b=$(stat -c %s "$work/nsis$size.exe")
    row "installer file, $size MiB payload (bytes)" "$(grouped "$a")" "$(grouped "$b")" "$(ratio "$a" "$b")"
done
a=$(pe "$bare" code) b=$(pe "$stub" code)
row "code: executable without its resource section (bytes)" "$(grouped "$a")" "$(grouped "$b")" "$(ratio "$a" "$b")"
a=$(pe "$bare" file) b=$(pe "$stub" file)
row "whole executable, empty payload / bare stub (bytes)" "$(grouped "$a")" "$(grouped "$b")" "$(ratio "$a" "$b")"

one=$(median "$work/pack1.ms") all=$(median "$work/packN.ms")
rate() {
    awk -v b="$(bytes_of 50)" -v ms="$1" 'BEGIN { printf "%.1f MiB/s (%.2f s)", b / 1048576 / (ms / 1000), ms / 1000 }'
}
row "ovpack create, 50 MiB payload, --jobs 1" "$(rate "$one")" "" ""
row "ovpack create, 50 MiB payload, --jobs $jobs" "$(rate "$all")" "" ""
row "ovpack speed-up with $jobs jobs; output byte-identical" "$(ratio "$one" "$all")x; $identical" "" ""
