#!/usr/bin/env bash
# Installs what is missing, builds everything into build/ and runs every test.
#   ./test.sh              the ordinary build
#   ./test.sh --sanitize   the same suite built with AddressSanitizer and
#                          UndefinedBehaviorSanitizer, in build-sanitize/
#   ./test.sh --windows    the analysis library, tarnwick-res and their tests built
#                          for Windows with mingw-w64 and run under wine, in
#                          build-windows/
set -euo pipefail
cd "$(dirname "$0")"

build=build
options=()
deps=()
case "${1:-}" in
"") ;;
--sanitize)
    build=build-sanitize
    options=(-DTARNWICK_SANITIZE=ON -DTARNWICK_BUILD_BENCH=OFF)
    source scripts/sanitizer-env.sh
    ;;
--windows)
    build=build-windows
    options=(-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake)
    deps=(--windows)
    ;;
*)
    echo "usage: $0 [--sanitize | --windows]" >&2
    exit 2
    ;;
esac

scripts/install-deps.sh "${deps[@]}"

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}" >/dev/null
cmake --build "$build" -j 2
if [[ "$build" == build-windows ]]; then
    # Creates the wine prefix once, before tests that start together would race for it.
    WINEPREFIX="$PWD/$build/wineprefix" scripts/wine-run.sh wineboot --init \
        >"$build/wineboot.log" 2>&1 || { cat "$build/wineboot.log" >&2; exit 1; }
fi
ctest --test-dir "$build" --output-on-failure -j 2
