#!/usr/bin/env bash
# Makes the pictures of the window in the README: the end-to-end run under Xvfb analyses a
# generated map and photographs the window on the way, then checks a game folder's map.
#   scripts/screenshot.sh            docs/screenshot.png and docs/screenshot-check.png,
#                                    after ./test.sh has built build/
#   scripts/screenshot.sh --windows  docs/screenshot-windows.png and
#                                    docs/screenshot-check-windows.png, the Windows build
#                                    under wine, after ./test.sh --windows has built
#                                    build-windows/
set -euo pipefail
cd "$(dirname "$0")/.."
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
if [[ "${1:-}" == --windows ]]; then
    b=build-windows
    tests/app/end_to_end.sh --wine $b/app/tarnwick.exe $b/cli/tarnwick-res.exe \
        $b/tests/support/tarnwick-make-map.exe "$shots" >/dev/null
    out=docs/screenshot-windows.png check=docs/screenshot-check-windows.png
else
    tests/app/end_to_end.sh build/app/tarnwick build/cli/tarnwick-res \
        build/tests/support/tarnwick-make-map "$shots" >/dev/null
    out=docs/screenshot.png check=docs/screenshot-check.png
fi
mkdir -p docs
cp "$shots/main-window-only-custom.png" "$out"
cp "$shots/check-game-folder.png" "$check"
echo "wrote $out and $check"
