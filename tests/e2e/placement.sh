#!/usr/bin/env bash
# Where the options dialog comes up when the startup opens it, under a window
# manager that avoids overlap (Openbox): on a first start and after the
# missing-icon message it is placed as a new window, clear of the centred
# progress window, whole on the screen and with the keyboard focus.
# Usage: placement.sh TARROWIN X11PROBE REGDUMP REGSET
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/wm.sh"
program=$1 regset=$4
start_session
start_window_manager

# "left top right bottom" of a window with its frame, on the screen.
frame_rect() {
    local id=$1 left right top bottom x y w h
    read -r left right top bottom < <(frame_extents "$id")
    read -r x y w h < <(xwininfo -id "$id" |
        awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
             /^  Width:/ {w=$2} /^  Height:/ {h=$2} END {print x, y, w, h}')
    echo "$((x - left)) $((y - top)) $((x + w + right)) $((y + h + bottom))"
}

has_frame() { [ -n "$(frame_extents "$1")" ]; }
is_active() {
    [ "$(xprop -root _NET_ACTIVE_WINDOW | sed -n 's/.*# //p')" = "$(printf '0x%x' "$1")" ]
}

# Both windows of a start that opened the dialog: the progress window centred,
# the dialog clear of it, on the screen and active.
expect_dialog_in_view() { # what the start was
    local main options
    main=$(wait_window '^Processing\.\.\.$')
    options=$(wait_window '^Options$')
    wait_until frame_centred "$main" || fail "$1: the progress window is not centred"
    wait_until has_frame "$options" || fail "$1: the dialog has no frame"
    wait_until is_active "$options" || fail "$1: the dialog does not have the focus"
    local m o
    read -r -a m < <(frame_rect "$main")
    read -r -a o < <(frame_rect "$options")
    echo "$1: progress window ${m[*]}, dialog ${o[*]}"
    if ((o[0] < m[2] && m[0] < o[2] && o[1] < m[3] && m[1] < o[3])); then
        fail "$1: the progress window (${m[*]}) covers part of the dialog (${o[*]})"
    fi
    read -r sw sh < <(xwininfo -root | awk '/^  Width:/ {w=$2} /^  Height:/ {h=$2} END {print w, h}')
    ((o[0] >= 0 && o[1] >= 0 && o[2] <= sw && o[3] <= sh)) ||
        fail "$1: the dialog (${o[*]}) is not whole on the ${sw}x${sh} screen"
    click_in "$main" 216 108 # Cancel
    expect_clean_exit
}

start_program
answer_message # the welcome
expect_dialog_in_view "first start"

"$regset" Icon=7 "CustIconPath=$work/gone.ico"
start_program
answer_message # "Custom icon file does not exist."
expect_dialog_in_view "missing icon file"
echo "PASS"
