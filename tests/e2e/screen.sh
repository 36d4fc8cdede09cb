#!/usr/bin/env bash
# What the screen shows under a real window manager: every step of both bars
# drawn at a slow speed, the title exactly as typed (with "[*]", and empty),
# the frames the windows ask for, the progress window centred frame and all, and
# window icons for dense screens.
# Usage: screen.sh TARROWIN X11PROBE REGDUMP REGSET BARSAMPLER
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/wm.sh"
program=$1 regset=$4 barsampler=$5
start_session
start_window_manager

# The window icon at 100 % and at 200 %.
has_icon_sizes() {
    local sizes
    sizes=$(xprop -id "$1" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | sort -u)
    grep -qx 'Icon (32 x 32)' <<<"$sizes" && grep -qx 'Icon (64 x 64)' <<<"$sizes"
}

title='Copying [*] files'
"$regset" "Title=$title" Speed0=300 Speed1=300 Speed2=300
start_program
main=$(wait_window '^Copying \[\*\] files$')
for name in _NET_WM_NAME WM_NAME; do
    [ "$(text_property "$main" $name)" = "$title" ] || fail "$name is '$(text_property "$main" $name)'"
done

# The progress window: a title bar with a close box, a fixed size, centred.
wait_until frame_centred "$main" || fail "the progress window is not centred with its frame"
read -r left right top bottom < <(frame_extents "$main")
[ "$top" -gt "$bottom" ] || fail "no title bar: frame $left $right $top $bottom"
has_atom "$main" _NET_WM_ALLOWED_ACTIONS _NET_WM_ACTION_CLOSE || fail "no close box"
for action in _NET_WM_ACTION_RESIZE _NET_WM_ACTION_MAXIMIZE_HORZ _NET_WM_ACTION_MAXIMIZE_VERT; do
    has_atom "$main" _NET_WM_ALLOWED_ACTIONS "$action" && fail "the progress window allows $action"
done
[ "$(client_size "$main")" = "433 134" ] || fail "progress window is $(client_size "$main")"
has_icon_sizes "$main" || fail "the progress window's icons are $(xprop -id "$main" _NET_WM_ICON | grep -o '([0-9]* x [0-9]*)')"

# Every drawing of the bars, sampled from the screen through one whole pass of
# the first bar (41 positions) and the second bar's first step (2).
read -r -d '' first second < <("$barsampler" "$main" 120 41 60 48 345 2 60 72 345; printf '\0') || true
echo "distinct drawings: first bar $first of 41, second bar $second of 2"
[ "$first" = 41 ] && [ "$second" = 2 ] || fail "steps of the bars were not drawn"

# The options dialog: a tool window with a close box that cannot be resized.
click_in "$main" 32 56 # the icon
options=$(wait_window '^Options$')
has_atom "$options" _NET_WM_WINDOW_TYPE _NET_WM_WINDOW_TYPE_UTILITY || fail "the dialog is no tool window"
wait_until has_atom "$options" _NET_WM_ALLOWED_ACTIONS _NET_WM_ACTION_CLOSE || fail "the dialog has no close box"
has_atom "$options" _NET_WM_ALLOWED_ACTIONS _NET_WM_ACTION_RESIZE && fail "the dialog can be resized"
has_icon_sizes "$options" || fail "the dialog's icons are $(xprop -id "$options" _NET_WM_ICON | grep -o '([0-9]* x [0-9]*)')"

# An empty title is an empty caption, not the program's name.
click_in "$options" 148 113 # the title box
xdotool key ctrl+a BackSpace
click_in "$options" 388 268 # Apply
empty_title() { [ -z "$(text_property "$main" _NET_WM_NAME)" ] && [ -z "$(text_property "$main" WM_NAME)" ]; }
wait_until empty_title || fail "an empty title shows as '$(text_property "$main" _NET_WM_NAME)'"

click_in "$main" 216 108 # Cancel
expect_clean_exit
echo "PASS"
