#!/usr/bin/env bash
# Installs what is missing, builds everything into build/ and runs every test.
#   ./test.sh              the ordinary build
#   ./test.sh --sanitize   the same suite built with AddressSanitizer and
#                          UndefinedBehaviorSanitizer, in build-sanitize/
set -euo pipefail
cd "$(dirname "$0")"

build=build
options=()
case "${1:-}" in
"") ;;
--sanitize)
    build=build-sanitize
    options=(-DTARNWICK_SANITIZE=ON -DTARNWICK_BUILD_BENCH=OFF)
    source scripts/sanitizer-env.sh
    ;;
*)
    echo "usage: $0 [--sanitize]" >&2
    exit 2
    ;;
esac

scripts/install-deps.sh

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}" >/dev/null
cmake --build "$build" -j 2
ctest --test-dir "$build" --output-on-failure -j 2
