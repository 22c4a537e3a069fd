#!/bin/sh
# Builds the archive fuzz target and runs it for a bounded number of inputs
# from a fixed seed, starting from archives that ovpack packs here.
#
#   tests/fuzz/run-fuzz.sh WORK_DIR OVPACK [RUNS]
#
# Exits non-zero when libFuzzer finds a crash, a leak or a read outside the
# input; the input is then kept in WORK_DIR as crash-* (or leak-*, oom-*).
set -eu

work=$(mkdir -p "$1" && cd "$1" && pwd)
ovpack=$2
runs=${3:-3000000}
root=$(cd "$(dirname "$0")/../.." && pwd)

cmake -S "$root/tests/fuzz" -B "$work/build" -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$work/build" -- --no-print-directory

# Seed archives: none, one, and several entries in nested folders, with
# contents that do and do not compress.  Rebuilt every run, so every run
# starts from the same corpus.
rm -rf "$work/seeds" "$work/corpus"
mkdir -p "$work/seeds/empty" "$work/seeds/one" "$work/seeds/tree/lib/sub" "$work/corpus"
printf 'hello' >"$work/seeds/one/Bootlace.exe"
seq 1 300 >"$work/seeds/tree/readme.txt"
awk 'BEGIN { x = 7; for (i = 0; i < 600; i++) { x = (x * 1103515245 + 12345) % 2147483648; printf "%c", x % 95 + 32 } }' \
    >"$work/seeds/tree/lib/noise.dat"
: >"$work/seeds/tree/lib/sub/empty.cfg"
for seed in empty one tree; do
    "$ovpack" create "$work/corpus/$seed.ovarc" "$work/seeds/$seed" --jobs 1
done

cd "$work"
started=$(date +%s)
"$work/build/archive_fuzz" -seed=1 -runs="$runs" -max_len=4096 -print_final_stats=1 \
    -artifact_prefix="$work/" "$work/corpus" 2>"$work/fuzz.log" || {
    tail -n 60 "$work/fuzz.log"
    exit 1
}
echo "archive fuzzing: $(grep -E '^stat::number_of_executed_units' "$work/fuzz.log" | awk '{print $2}') inputs" \
    "in $(($(date +%s) - started)) s, no crash; log in $work/fuzz.log"
