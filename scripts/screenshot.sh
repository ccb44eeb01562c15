#!/usr/bin/env bash
# Makes docs/screenshot.png, the picture of the window in the README: the end-to-end run
# under Xvfb analyses a generated map and photographs the window on the way.
#   scripts/screenshot.sh            (after ./test.sh has built build/)
set -euo pipefail
cd "$(dirname "$0")/.."
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
tests/app/end_to_end.sh build/app/tarnwick build/cli/tarnwick-res \
    build/tests/support/tarnwick-make-map "$shots" >/dev/null
mkdir -p docs
cp "$shots/main-window-only-custom.png" docs/screenshot.png
echo "wrote docs/screenshot.png"
