#!/usr/bin/env bash
# Installs what is missing, builds everything into build/ and runs every test.
#   ./test.sh              the ordinary build
#   ./test.sh --sanitize   the same suite built with AddressSanitizer and
#                          UndefinedBehaviorSanitizer, in build-sanitize/
#   ./test.sh --windows    the whole program and its tests built for Windows with
#                          mingw-w64 and a static Qt for Windows (built once into a
#                          cache by scripts/build-qt-windows.sh), run under wine on an
#                          Xvfb of their own, in build-windows/
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
    deps=(--windows)
    ;;
*)
    echo "usage: $0 [--sanitize | --windows]" >&2
    exit 2
    ;;
esac

scripts/install-deps.sh "${deps[@]}"

if [[ "$build" == build-windows ]]; then
    qt=$(scripts/build-qt-windows.sh)
    toolchain="$qt/lib/cmake/Qt6/qt.toolchain.cmake"
    # A folder configured with another toolchain (the command line alone, before) starts over.
    if [[ -f "$build/CMakeCache.txt" ]] && ! grep -qF "$toolchain" "$build/CMakeCache.txt"; then
        rm -rf "$build"
    fi
    options=(-DCMAKE_TOOLCHAIN_FILE="$toolchain"
             -DQT_CHAINLOAD_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake"
             -DTARNWICK_CORE_ONLY=OFF -DTARNWICK_NATIVE_BUILD="$PWD/build")
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}" >/dev/null
cmake --build "$build" -j 2
if [[ "$build" == build-windows ]]; then
    exec scripts/windows-tests.sh "$build"
fi
ctest --test-dir "$build" --output-on-failure -j 2
