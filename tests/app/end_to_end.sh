#!/usr/bin/env bash
# Runs the built window under a real X server as a person would: opens a generated map
# through the file dialog, chooses "Show Only Custom", presses "Make Res", and compares
# the written .res with what tarnwick-res writes for the same map, byte for byte.
#   end_to_end.sh [--wine] TARNWICK TARNWICK_RES MAKE_MAP SCREENSHOT_DIR [REFERENCE_RES]
# With --wine the three programs are Windows programs, run under wine on the same X server.
# REFERENCE_RES, when given and present, is a second tarnwick-res (the Linux one for a
# Windows run) whose file must be the same too.
set -euo pipefail
wine=false
if [[ "${1:-}" == --wine ]]; then wine=true; shift; fi
tarnwick=$1 tarnwick_res=$2 make_map=$3 shots=$4 reference_res=${5:-}
mkdir -p "$shots"
here=$(cd "$(dirname "$0")/../.." && pwd)

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "end_to_end: $*" >&2; exit 1; }

# Runs a program of the build under test, and names a file as that program sees it.
if $wine; then
    run() { "$here/scripts/wine-run.sh" "$@"; }
    native_path() { local p="Z:$1"; echo "${p//\//\\}"; }
    patience=90 # a new wine prefix takes a while to start its first window
else
    run() { "$@"; }
    native_path() { echo "$1"; }
    patience=20
fi

# Waits until the command succeeds, for at most $1 seconds.
wait_for() {
    local deadline=$((SECONDS + $1)); shift
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.05
    done
}

# A free display of our own.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
wait_for 10 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"
$wine || export HOME="$work"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$work/maps" "$work/runtime" && chmod 700 "$work/runtime"

map="$work/maps/de_e2e.bsp"
run "$make_map" 1 "$(native_path "$map")"
echo "A map made for the test" >"$work/maps/de_e2e.txt"

run "$tarnwick" >"$work/tarnwick.log" 2>&1 &
app=$!
pids+=($app)

window=""
find_main() { window=$(xdotool search --name '^Cs 1.6 Tarnwick 1.5$' 2>/dev/null | head -n1); [[ -n "$window" ]]; }
wait_for $patience find_main || fail "the main window did not appear"
eval "$(xdotool getwindowgeometry --shell "$window")"
wx=$X wy=$Y
# The client area and its one-pixel frame, as the layout gives them.
[[ "$WIDTH" == 534 && "$HEIGHT" == 576 ]] || fail "the window is ${WIDTH}x${HEIGHT}, not 534x576"
# Client pixel (x, y) on the screen: the client lies one pixel inside the window.
click() { xdotool mousemove --sync $((wx + 1 + $1)) $((wy + 1 + $2)) click 1; }
# The shown list's inside, as text: changes when its entries do.
list_picture() { import -window root -crop 495x416+$((wx + 19))+$((wy + 114)) -depth 8 rgb:- | md5sum; }
white_in_list() {
    import -window root -crop 495x416+$((wx + 19))+$((wy + 114)) png:- |
        convert - -fill black +opaque white -format '%[fx:mean>0]' info: | grep -q 1
}

click 498 56 # "..."
dialog=""
find_dialog() { dialog=$(xdotool search --name '^Open$' 2>/dev/null | head -n1); [[ -n "$dialog" ]]; }
wait_for $patience find_dialog || fail "the file dialog did not open"
xdotool windowfocus --sync "$dialog"
xdotool type --delay 2 "$(native_path "$map")"
xdotool key Return

wait_for 20 white_in_list || fail "the list did not fill"
before=$(list_picture)
import -window "$window" "$shots/main-window-show-all.png"

click 123 94 # "Show Only Custom"
changed() { [[ "$(list_picture)" != "$before" ]]; }
wait_for 10 changed || fail "choosing Show Only Custom did not change the list"
import -window "$window" "$shots/main-window-only-custom.png"

click 477 547 # "Make Res"
res="$work/maps/de_e2e.res"
message=""
find_message() { message=$(xdotool search --name '^Druvo Cs 1.6 Tarnwick 1.5$' 2>/dev/null | head -n1); [[ -n "$message" ]]; }
wait_for 20 find_message || fail "no message after Make Res"
[[ -f "$res" ]] || fail "Make Res wrote no file"
run "$tarnwick_res" --only-custom --stdout "$(native_path "$map")" >"$work/expected.res" 2>/dev/null
cmp "$res" "$work/expected.res" || fail "the .res differs from tarnwick-res --only-custom"
if [[ -n "$reference_res" && -x "$reference_res" ]]; then
    "$reference_res" --only-custom --stdout "$map" >"$work/reference.res" 2>/dev/null
    cmp "$res" "$work/reference.res" || fail "the .res differs from $reference_res's"
fi
grep -q $'^maps/de_e2e.txt\r$' "$res" || fail "the description file is missing"
! grep -q $'^halflife.wad\r$' "$res" || fail "a stock package was written"

xdotool windowfocus --sync "$message"
xdotool key Return
gone() { ! xdotool search --name '^Druvo Cs 1.6 Tarnwick 1.5$' >/dev/null 2>&1; }
wait_for 10 gone || fail "the message did not close"

click 515 17 # the close box
ended() { ! kill -0 "$app" 2>/dev/null; }
wait_for 10 ended || fail "the close box did not end the program"
echo "end_to_end: passed; screenshots in $shots"
