#!/usr/bin/env bash
# tarnwick's own options, answered without a display: --help and --version print and exit
# 0, an unknown option is an error (status 2) with the usage. Without a display the window
# says so in one line and exits 1.
#   options_test.sh TARNWICK VERSION
set -u
tarnwick=$1
version=$2
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
check() { # NAME EXPECTED_STATUS EXPECTED_TEXT FILE ARGUMENTS...
    local name=$1 status=$2 text=$3 file=$4
    shift 4
    "$tarnwick" "$@" >"$work/out" 2>"$work/err"
    local got=$?
    if [[ $got != "$status" ]] || ! grep -qF -- "$text" "$work/$file"; then
        echo "FAIL $name: status $got, out: $(cat "$work/out") err: $(cat "$work/err")"
        failed=1
    fi
}
check help 0 "usage: tarnwick [MAP.bsp]" out --help
check short_help 0 "usage: tarnwick [MAP.bsp]" out -h
check version 0 "tarnwick $version" out --version
check unknown 2 "tarnwick: unknown option --bogus" err --bogus
check usage_with_unknown 2 "usage: tarnwick" err -platform offscreen -x
no_display="tarnwick needs a desktop session: no display was found"
check no_display 1 "$no_display" err
check no_x_display 1 "$no_display" err -platform xcb
QT_QPA_PLATFORM="wayland;xcb" check no_display_for_either 1 "$no_display" err
WAYLAND_DISPLAY=wayland-9 check x_without_its_display 1 "$no_display" err -platform xcb:nomitshm
DISPLAY= check empty_display 1 "$no_display" err
[[ $(wc -l <"$work/err") == 1 ]] || { echo "FAIL one_line: $(cat "$work/err")"; failed=1; }
exit $failed
