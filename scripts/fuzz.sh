#!/usr/bin/env bash
# Builds the fuzz targets and runs each one after the other: the map scan and the writer
# for SECONDS (default 60) each, the small readers of the game's file formats for a
# quarter of that each:
#   scripts/fuzz.sh [SECONDS]
# An input that crashes, breaks an invariant, runs longer than 2 s or takes more memory
# than the limit fails the run; it is kept in fuzz-out/artifacts/TARGET/. What each
# target learned stays in fuzz-out/corpus/TARGET/ and is the start of the next run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=build-fuzz
out=fuzz-out
# Maps of up to four blocks hold the first, the middle and the last windows and three
# block borders; longer inputs only slow each run down.
max_len=4096

scripts/install-deps.sh
scripts/make-fuzz-seeds.sh "$out/seeds"
cmake --build "$build" -j 2
source scripts/sanitizer-env.sh
# Freed memory stays poisoned until 16 MB more has been freed: the frees of hundreds
# of inputs, and less to keep and recycle than the default 256 MB.
export ASAN_OPTIONS="$ASAN_OPTIONS:quarantine_size_mb=16"

mapfile -t readers <fuzz/readers.txt
reader_seconds=$(((seconds + 3) / 4))

status=0
for target in scan write "${readers[@]}"; do
    time=$seconds
    [[ " ${readers[*]} " == *" $target "* ]] && time=$reader_seconds
    mkdir -p "$out/corpus/$target" "$out/artifacts/$target"
    echo "fuzz: $target for $time s" >&2
    if ! nice -n 10 "$build/fuzz/tarnwick_${target}_fuzzer" \
        -max_total_time="$time" -timeout=2 -rss_limit_mb=1024 -malloc_limit_mb=256 \
        -max_len="$max_len" -print_final_stats=1 \
        -artifact_prefix="$out/artifacts/$target/" \
        "$out/corpus/$target" "$out/seeds/$target" 2>"$out/$target.log"; then
        tail -n 60 "$out/$target.log" >&2
        echo "fuzz: $target FAILED (log: $out/$target.log)" >&2
        status=1
    else
        grep -E '^(#[0-9]+.*DONE|stat::)' "$out/$target.log" >&2 || true
    fi
done
exit "$status"
