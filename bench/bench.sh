#!/bin/sh
# make bench: the launcher against an NSIS installer doing the same job,
# on generated payloads, with the floors, the sizes and the packer's
# throughput; prints one markdown table (also kept in <build>/bench/table.md).
#
#   bench/bench.sh BUILD      (BUILD as given to make; the Windows build is made)
#
# BENCH_RUNS sets the timed rounds (default 11, at least 7 for the table).
set -eu

cd "$(dirname "$0")/.."
build=$1
make=${MAKE:-make}
runs=${BENCH_RUNS:-11}
win="$(pwd)/$build/win"
work="$(pwd)/$build/bench"
tools="$(pwd)/$build/bench-host"
standin="$win/bench/standin/Bootlace.exe"
stub=/usr/share/nsis/Stubs/zlib-x86-ansi
jobs=$(nproc)
mkdir -p "$work"

say() { echo "bench: $*" >&2; }

# The packer is timed, so it comes from an optimised build without the
# sanitisers of the test build.
say "building the host tools (release)"
cmake -S . -B "$tools" -DCMAKE_BUILD_TYPE=Release -DOV_SANITIZE=OFF >/dev/null
cmake --build "$tools" --target ovpack ovbenchgen -j"$jobs" -- --no-print-directory >/dev/null
ovpack="$tools/tools/ovpack/ovpack"
# The archives a launcher extracts, in order, from the one list.
extracted=$("$ovpack" archive-names)
export OV_EXTRACTED_ARCHIVES="$extracted"
gen="$tools/bench/ovbenchgen"

# An installer that does what the launcher does: zlib, silent, the files
# into a new folder under the temporary directory, then the next stage,
# without waiting for it.  With "banner" it also shows a window over that
# whole job (NSIS's Banner plug-in), as the launcher shows its splash: the
# first window of a process is a cost of its own under Wine.
make_nsis() {
    payload=$1 out=$2 window=${3:-}
    {
        echo 'Unicode false'
        echo 'SetCompressor /FINAL zlib'
        echo 'SilentInstall silent'
        echo 'RequestExecutionLevel user'
        echo 'Name "Orvane benchmark"'
        echo "OutFile \"$out\""
        echo 'Section'
        if [ "$window" = banner ]; then echo '  Banner::show "Orvane benchmark"'; fi
        echo '  GetTempFileName $0'
        echo '  Delete $0'
        echo '  CreateDirectory $0'
        echo '  SetOutPath $0'
        for name in $extracted; do
            if [ -d "$payload/$name" ]; then echo "  File /r \"$payload/$name/*\""; fi
        done
        echo "  Exec '\"\$0\\Bootlace.exe\"'"
        if [ "$window" = banner ]; then echo '  Banner::destroy'; fi
        echo 'SectionEnd'
    } >"$out.nsi"
    makensis -V1 "$out.nsi" >/dev/null
}

# Archives record their files' times, and reading a file may move its access
# time: pinned before each packing, the same payload packs to the same bytes.
pin_times() { find "$1" -type f -exec touch -a -m -d '2024-01-01 00:00:00 UTC' {} +; }

for size in 0 5 50; do
    say "payload of $size MiB: generating, building the launcher and the NSIS installers"
    rm -rf "$work/payload$size"
    "$gen" payload "$work/payload$size" $((size * 1048576)) "$standin" >"$work/payload$size.count"
    pin_times "$work/payload$size"
    "$make" --no-print-directory launcher BUILD="$build" PAYLOAD="$work/payload$size" \
        OUT="$work/launcher$size.exe" >/dev/null
    make_nsis "$work/payload$size" "$work/nsis$size.exe"
    make_nsis "$work/payload$size" "$work/nsisw$size.exe" banner
done

now_ns() { date +%s%N; }

# Packs the five archives of a payload into folder with threads threads;
# prints the milliseconds it took.
pack() {
    payload=$1 folder=$2 threads=$3
    rm -rf "$folder"; mkdir -p "$folder"
    pin_times "$payload"
    start=$(now_ns)
    for name in $extracted; do
        "$ovpack" create "$folder/$name.ovarc" "$payload/$name" --jobs "$threads" >/dev/null
    done
    end=$(now_ns)
    echo $(((end - start) / 1000000))
}

say "ovpack create on the 50 MiB payload, --jobs 1 and --jobs $jobs"
# The inflate floor reads these archives: the entries the launchers carry.
pack "$work/payload5" "$work/archives5" "$jobs" >/dev/null
: >"$work/pack1.ms"; : >"$work/packN.ms"
for round in 1 2 3; do
    pack "$work/payload50" "$work/archives50-1" 1 >>"$work/pack1.ms"
    pack "$work/payload50" "$work/archives50" "$jobs" >>"$work/packN.ms"
done
identical=yes
for name in $extracted; do
    cmp -s "$work/archives50-1/$name.ovarc" "$work/archives50/$name.ovarc" || identical=NO
done

say "timing under Wine ($runs rounds after a warm-up, the sides alternating)"
tools/wine-session.sh "$win" sh bench/wine-runs.sh "$win" "$work" "$runs" >"$work/results.txt"

sh bench/table.sh "$work" "$win/payload/ZAZezorBare.exe" "$stub" "$gen" "$jobs" "$identical" "$runs" \
    | tee "$work/table.md"
