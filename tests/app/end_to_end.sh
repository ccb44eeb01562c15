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
    $wine && wineserver -k 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# A failure leaves a picture of the whole screen beside the others.
fail() {
    echo "end_to_end: $*" >&2
    [[ -s "$work/tarnwick.log" ]] && sed 's/^/  tarnwick: /' "$work/tarnwick.log" >&2
    [[ -n "${DISPLAY:-}" ]] && import -window root "$shots/failure.png" 2>/dev/null || true
    exit 1
}

# Runs a program of the build under test, and names a file as that program sees it.
if $wine; then
    # The build's wine prefix, its wine started afresh on our display: a wine session
    # keeps the display it began on, and input to a window on another is lost.
    export WINEPREFIX="$(cd "$(dirname "$tarnwick")/.." && pwd)/wineprefix"
    wineserver -k 2>/dev/null || true
    wineserver -w
    run() { "$here/scripts/wine-run.sh" "$@"; }
    native_path() { local p="Z:$1"; echo "${p//\//\\}"; }
    patience=90 # a new wine prefix takes a while to start its first window
else
    run() { "$@"; }
    native_path() { echo "$1"; }
    patience=20
fi
# Only a window on the screen takes input (and wine keeps hidden windows of the same name
# beside the shown ones).
only_visible=--onlyvisible

# Waits until the command succeeds, for at most $1 seconds.
wait_for() {
    local deadline=$((SECONDS + $1)); shift
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.05
    done
}

# A free display of our own. It must not reset when its last client leaves: the window is
# started a second time right after the first has closed, and would find no display.
Xvfb -displayfd 3 -screen 0 1600x900x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
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
find_main() { window=$(xdotool search $only_visible --name '^Cs 1.6 Tarnwick 1.5$' 2>/dev/null | head -n1); [[ -n "$window" ]]; }
wait_for $patience find_main || fail "the main window did not appear"
eval "$(xdotool getwindowgeometry --shell "$window")"
wx=$X wy=$Y
# The client area and its one-pixel frame, as the layout gives them.
[[ "$WIDTH" == 534 && "$HEIGHT" == 576 ]] || fail "the window is ${WIDTH}x${HEIGHT}, not 534x576"
# Client pixel (x, y) on the screen: the client lies one pixel inside the window.
# Wine takes a press at the place of the pointer's last motion that it has handled, so
# there the pointer rests a moment before the press.
if $wine; then rest=0.5; else rest=0; fi
click() { xdotool mousemove --sync $((wx + 1 + $1)) $((wy + 1 + $2)) sleep $rest click 1; }
# A picture of the window. Wine's windows are photographed from the screen: their own X
# windows do not hold what Qt draws into them.
photograph() {
    if $wine; then
        import -window root -crop 534x576+$wx+$wy +repage "$1"
    else
        import -window "$window" "$1"
    fi
}
# The shown list's inside, as text: changes when its entries do.
list_picture() { import -window root -crop 495x416+$((wx + 19))+$((wy + 114)) -depth 8 rgb:- | md5sum; }
white_in_list() {
    import -window root -crop 495x416+$((wx + 19))+$((wy + 114)) png:- |
        convert - -fill black +opaque white -format '%[fx:mean>0]' info: | grep -q 1
}

# Presses at client (x, y) and waits for the condition. A click can be lost: on a busy
# machine the window may be on the screen a moment before it takes input, and under wine
# a window that has just got its turn back from a dialog is made active again. So a press
# whose repetition changes nothing is repeated, every few seconds, until the condition
# holds; a press that lands while the dialog or message it opened is up goes nowhere, for
# they are modal.
press_x=0 press_y=0
pressed_and() { wait_for 3 "$@" || { click $press_x $press_y; false; }; }
press_until() {
    press_x=$1 press_y=$2
    local seconds=$3
    shift 3
    click $press_x $press_y
    wait_for "$seconds" pressed_and "$@"
}

dialog=""
find_dialog() { dialog=$(xdotool search $only_visible --name '^Open$' 2>/dev/null | head -n1); [[ -n "$dialog" ]]; }
press_until 498 56 $patience find_dialog || fail "the file dialog did not open" # "..."
# The path typed into the file name field (Alt+N), over what it holds. Typed again while
# the dialog stays: on a busy machine keys can come before the field takes them, or the
# name's completion take the Return and open a folder instead.
enter_path() {
    xdotool windowfocus --sync "$dialog"
    xdotool key alt+n ctrl+a
    xdotool type --delay 2 "$(native_path "$map")"
    xdotool key Return
}
dialog_gone() { ! find_dialog; }
entered_and_gone() { wait_for $((patience / 4)) dialog_gone || { find_dialog && enter_path; false; }; }
enter_path
wait_for $patience entered_and_gone || fail "the file dialog did not close"

wait_for $patience white_in_list || fail "the list did not fill"
# The list's picture once it has stayed the same for a second (wine repaints what the
# dialog covered a little later).
before=$(list_picture) since=$SECONDS
settled() {
    local now
    now=$(list_picture)
    [[ "$now" == "$before" ]] || { before=$now since=$SECONDS; }
    ((SECONDS - since >= 1))
}
wait_for 20 settled || fail "the list kept changing"
photograph "$shots/main-window-show-all.png"

changed() { [[ "$(list_picture)" != "$before" ]]; }
press_until 123 94 10 changed || fail "choosing Show Only Custom did not change the list"
photograph "$shots/main-window-only-custom.png"

res="$work/maps/de_e2e.res"
message=""
find_message() { message=$(xdotool search $only_visible --name '^Druvo Cs 1.6 Tarnwick 1.5$' 2>/dev/null | head -n1); [[ -n "$message" ]]; }
# Pressed again only while nothing answers: once the message shows, the window takes no clicks.
press_until 477 547 $patience find_message || fail "no message after Make Res" # "Make Res"
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
gone() { ! xdotool search $only_visible --name '^Druvo Cs 1.6 Tarnwick 1.5$' >/dev/null 2>&1; }
wait_for 10 gone || fail "the message did not close"

ended() { ! kill -0 "$app" 2>/dev/null; }
press_until 515 17 10 ended || fail "the close box did not end the program" # the close box

# Starts the window with the map $1 on its command line and waits until it has analysed it.
start_with() {
    run "$tarnwick" "$(native_path "$1")" >>"$work/tarnwick.log" 2>&1 &
    app=$!
    pids+=($app)
    wait_for $patience find_main || fail "the main window did not appear with $1 given"
    eval "$(xdotool getwindowgeometry --shell "$window")"
    wx=$X wy=$Y
    wait_for $patience white_in_list || fail "$1, given on the command line, was not analysed"
}

# Started with the map on its command line, the window analyses it as if chosen with "...".
start_with "$map"
photograph "$shots/main-window-from-command-line.png"
press_until 515 17 10 ended || fail "the close box did not end the program" # the close box

# A map in a game folder, checked and completed through the window's menu: the .res it
# then writes is the one tarnwick-res --follow writes.
game="$work/game/cstrike"
run "$make_map" --game "$(native_path "$work/game")"
map="$game/maps/de_e2e.bsp"
start_with "$map"
before=$(list_picture)
# Right-click on the list, then the menu's item $1 (from 1) by the keyboard.
menu=""
find_menu() { menu=$(xdotool search $only_visible --name '^Cs 1.6 Tarnwick 1.5 Menu$' 2>/dev/null | head -n1); [[ -n "$menu" ]]; }
menu_gone() { ! find_menu; }
choose() {
    xdotool mousemove --sync $((wx + 1 + 200)) $((wy + 1 + 300)) sleep $rest click 3
    wait_for 10 find_menu || fail "a right-click on the list opened no menu"
    for ((i = 0; i < $1; i++)); do xdotool key Down; done
    xdotool key Return
    wait_for 10 menu_gone || fail "the menu did not close"
}
report=""
find_report() { report=$(xdotool search $only_visible --name '^Check Game Folder: ' 2>/dev/null | head -n1); [[ -n "$report" ]]; }
choose 1 # "Check Game Folder"
wait_for $patience find_report || fail "Check Game Folder showed no report"
# Where the main window stands now: it moves aside when the report has no room beside it.
eval "$(xdotool getwindowgeometry --shell "$window")"
wx=$X wy=$Y
counts=$(xdotool getwindowname "$report")
# The counts of tarnwick-res --check --follow: the same check.
expected=$(run "$tarnwick_res" --check --follow "$(native_path "$map")" 2>&1 | tr -d '\r' |
    sed -n 's/^.*\.bsp: \([0-9]* entries: \)/\1/p' | head -n1) || true
[[ -n "$expected" && "$counts" == "Check Game Folder: $expected" ]] ||
    fail "the report's counts are not tarnwick-res's: $counts, not $expected"
# The two windows together, with a margin.
eval "$(xdotool getwindowgeometry --shell "$report" | sed 's/^/report_/')"
right=$((report_X + report_WIDTH > wx + 534 ? report_X + report_WIDTH : wx + 534))
left=$((report_X < wx ? report_X : wx))
sleep 1
import -window root -crop $((right - left + 16))x$((576 + 16))+$((left - 8))+$((wy - 8)) +repage \
    "$shots/check-game-folder.png"
choose 2 # "Complete the List"
wait_for 10 changed || fail "Complete the List did not change the list"
press_until 477 547 $patience find_message || fail "no message after Make Res" # "Make Res"
run "$tarnwick_res" --game "$(native_path "$game")" --follow --overwrite --stdout \
    "$(native_path "$map")" >"$work/expected.res" 2>/dev/null
cmp "$game/maps/de_e2e.res" "$work/expected.res" || fail "the .res differs from tarnwick-res --follow"
grep -q $'^models/e2e/guardT.mdl\r$' "$game/maps/de_e2e.res" || fail "the list was not completed"
xdotool windowfocus --sync "$message"
xdotool key Return
wait_for 10 gone || fail "the message did not close"
press_until 515 17 10 ended || fail "the close box did not end the program" # the close box
echo "end_to_end: passed; screenshots in $shots"
