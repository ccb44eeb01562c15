#!/usr/bin/env bash
# Makes the pictures of the window in the README: the end-to-end run under Xvfb analyses a
# generated map and photographs the window on the way.
#   scripts/screenshot.sh            docs/screenshot.png, after ./test.sh has built build/
#   scripts/screenshot.sh --windows  docs/screenshot-windows.png, the Windows build under
#                                    wine, after ./test.sh --windows has built build-windows/
set -euo pipefail
cd "$(dirname "$0")/.."
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
if [[ "${1:-}" == --windows ]]; then
    b=build-windows
    tests/app/end_to_end.sh --wine $b/app/tarnwick.exe $b/cli/tarnwick-res.exe \
        $b/tests/support/tarnwick-make-map.exe "$shots" >/dev/null
    out=docs/screenshot-windows.png
else
    tests/app/end_to_end.sh build/app/tarnwick build/cli/tarnwick-res \
        build/tests/support/tarnwick-make-map "$shots" >/dev/null
    out=docs/screenshot.png
fi
mkdir -p docs
cp "$shots/main-window-only-custom.png" "$out"
echo "wrote $out"
