#!/usr/bin/env bash
# Runs a Windows program of a cross build under wine, headless and quietly:
#   scripts/wine-run.sh PROGRAM.exe [ARGUMENTS...]
# The wine prefix lives in the build folder that holds the program (wineprefix/), unless
# WINEPREFIX says otherwise; the first start creates it.
set -euo pipefail

if [[ -z "${WINEPREFIX:-}" ]]; then
    build=$(cd "$(dirname "$1")" && pwd)
    while [[ "$build" != / && ! -f "$build/CMakeCache.txt" ]]; do
        build=$(dirname "$build")
    done
    [[ "$build" == / ]] && { echo "wine-run: $1 is not inside a build folder" >&2; exit 2; }
    export WINEPREFIX="$build/wineprefix"
fi
export WINEDEBUG=-all
# No .NET or browser engine: wine would offer to download them.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
exec wine "$@"
