#!/usr/bin/env bash
# The program from the keyboard alone: Tab from the button to the icon and
# Space open the options; in the dialog Tab goes through the controls in their
# order (a speed typed over a correction, Apply reached by Tab and pressed by
# Enter, then OK, then the logo, then back to the title, where neither Enter
# nor Escape closes the dialog); Shift+Tab and Enter on the progress window's
# button end the program with the settings stored.
# Usage: keyboard.sh TARROWIN X11PROBE REGDUMP REGSET
source "$(dirname "$0")/lib.sh"
program=$1 regdump=$3 regset=$4
start_session
"$regset" 'Title=Start' # a stored key: no welcome, no dialog at start

keys() {
    xdotool windowfocus --sync "$1"
    shift
    xdotool key --delay 40 "$@"
}

start_program
main=$(wait_window '^Start$')
keys "$main" Tab space # the focus starts on the button; Tab reaches the icon
options=$(wait_window '^Options$')

# The focus starts in the title box.
keys "$options" ctrl+a
xdotool type --delay 40 'Typed Only'
# Status 1, then its speed: clearing it gives 1 at once, selected, so that
# what is typed next replaces it; "0.5" is corrected on its way to 5.
keys "$options" Tab Tab ctrl+a BackSpace
xdotool type --delay 40 '200'
keys "$options" Tab Tab ctrl+a
xdotool type --delay 40 '0.5'
# On to Apply: six message and speed boxes, the button text, the two check
# boxes, the list, the custom file, the browse and the web buttons.
keys "$options" Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Return
main=$(wait_window '^Typed Only$')
xdotool search --onlyvisible --name '^Options$' >/dev/null || fail "Apply closed the dialog"
# OK, the logo, and round to the title box, where Enter presses nothing.
keys "$options" Tab Tab Tab Return
still_open_after "Enter in the title box" "Typed Only"
keys "$options" Escape
still_open_after Escape "Typed Only"
keys "$options" shift+Tab shift+Tab Return # back to OK
wait_no_window '^Options$'

keys "$main" Return # the focus is still on the icon: Enter opens the options again
options=$(wait_window '^Options$')
keys "$main" shift+Tab Return # from the icon back to the button
expect_clean_exit

stored=$("$regdump")
for expected in 'Title=Typed Only' 'Speed0=200' 'Speed1=5'; do
    grep -qxF "$expected" <<<"$stored" || fail "not stored: $expected; the store has: $stored"
done
echo "PASS"
