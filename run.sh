#!/usr/bin/env bash
# Installs what is missing, builds, and opens the Tarnwick window.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh

if [[ "$(uname -s)" == Linux && -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "run.sh: there is no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
    echo "run.sh: run it from a desktop session, or start one first, e.g.: Xvfb :99 & DISPLAY=:99 ./run.sh" >&2
    exit 1
fi

build=build
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j 2 --target tarnwick
exec "$build/app/tarnwick"
