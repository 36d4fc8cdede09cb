#!/usr/bin/env bash
# A keyboard user who opens a window from the options dialog comes back to the
# dialog, with the focus where it was, under a real window manager (Openbox):
# after Escape in the file dialog of the browse button, after the file dialog
# that choosing "(Custom...)" opens, and after Enter on the missing-file
# message of Apply. That the focus is on the control that opened the window is
# shown by the next key alone, sent to whatever has the focus: it opens the
# same window again.
# Usage: focus-return.sh TARROWIN X11PROBE REGDUMP REGSET
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/wm.sh"
program=$1 regset=$4
start_session
start_window_manager
"$regset" 'Title=Start' # a stored key: no welcome, no dialog at start

keys() {
    xdotool windowfocus --sync "$1"
    shift
    xdotool key --delay 40 "$@"
}
active_window() { xprop -root _NET_ACTIVE_WINDOW | sed -n 's/.*# //p'; }
is_active() { [ "$(active_window)" = "$(printf '0x%x' "$1")" ]; }
describe_active() {
    local id
    id=$(active_window)
    echo "$id ($(xdotool getwindowname "$((id))" 2>/dev/null || echo 'no window'))"
}

# Waits for the window titled $2 that $1 opened, closes it with $3, and checks
# that the dialog is active again. Keys go to the focus as it is, without
# moving it, so that a focus the window manager put elsewhere stays there.
opens_and_returns() { # what opened it, title, closing key
    local opened
    opened=$(wait_window "$2") || fail "$1 opened no window titled $2"
    xdotool windowfocus --sync "$opened"
    xdotool key "$3"
    wait_no_window "$2"
    wait_until is_active "$options" ||
        fail "after $3 in the window that $1 opened, the active window is $(describe_active), not the options dialog"
}

start_program
main=$(wait_window '^Start$')
keys "$main" Tab space
options=$(wait_window '^Options$')
wait_until is_active "$options" || fail "the dialog is not active when it opens: $(describe_active)"

# The browse button, 16 stops after the title box.
keys "$options" Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab space
opens_and_returns "the browse button" '^Open' Escape
xdotool key space
opens_and_returns "Space after coming back" '^Open' Escape

# Two back, the Icon list: End picks "(Custom...)", which opens the file
# dialog while the path box is empty; Up and Down come back to it.
xdotool key --delay 40 shift+Tab shift+Tab End
opens_and_returns '"(Custom...)"' '^Open' Escape
xdotool key --delay 40 Up Down
opens_and_returns "Up and Down after coming back" '^Open' Escape

# A path to nothing, then Apply (the path box, browse, web, Apply): the message.
xdotool key Tab
xdotool type --delay 40 "$work/gone.ico"
xdotool key --delay 40 Tab Tab Tab space
opens_and_returns Apply '^Tarrowin$' Return
xdotool key space
opens_and_returns "Space after coming back" '^Tarrowin$' Return

keys "$main" shift+Tab Return # from the icon back to the button, which ends the program
expect_clean_exit
echo "PASS"
