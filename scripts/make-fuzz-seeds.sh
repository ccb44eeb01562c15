#!/usr/bin/env bash
# Makes the seed inputs of the fuzz targets from the synthetic-map builder of the tests:
#   scripts/make-fuzz-seeds.sh [FOLDER]   (default fuzz-out/seeds; a folder per target)
# The seeds are made afresh every time, so the folder holds nothing else.
set -euo pipefail
cd "$(dirname "$0")/.."
folder=${1:-fuzz-out/seeds}
build=build-fuzz

cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DTARNWICK_FUZZ=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j 2 --target tarnwick-fuzz-seeds >/dev/null
rm -rf "$folder"
"$build/fuzz/tarnwick-fuzz-seeds" "$folder"
