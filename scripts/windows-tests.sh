#!/usr/bin/env bash
# Runs the tests of a Windows build under wine, on an X server of their own:
#   scripts/windows-tests.sh BUILD_FOLDER [CTEST ARGUMENTS...]
# The wine prefix (BUILD_FOLDER/wineprefix) is created once, before tests that start
# together would race for it. Nothing of the user's display is used.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "$1" && pwd); shift

work=$(mktemp -d)
xvfb=""
cleanup() {
    WINEPREFIX="$build/wineprefix" wineserver -k 2>/dev/null || true
    [[ -n "$xvfb" ]] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [[ -s "$work/display" ]] && break; sleep 0.1; done
[[ -s "$work/display" ]] || { echo "windows-tests: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(cat "$work/display")"
unset WAYLAND_DISPLAY

WINEPREFIX="$build/wineprefix" scripts/wine-run.sh wineboot --init >"$build/wineboot.log" 2>&1 ||
    { cat "$build/wineboot.log" >&2; exit 1; }
# The faces the window draws with, from Debian's fonts-wine, where wine's programs find
# them: wine does not offer its own copies to them.
fonts="$build/wineprefix/drive_c/windows/Fonts"
for face in tahoma.ttf tahomabd.ttf marlett.ttf ms_sans_serif.ttf; do
    [[ -f "$fonts/$face" ]] || cp "/usr/share/wine/fonts/$face" "$fonts/"
done
ctest --test-dir "$build" --output-on-failure -j 2 "$@"
