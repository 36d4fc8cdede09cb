#!/usr/bin/env bash
# tarrowin.exe from the keyboard alone, under Wine on a private Xvfb in a
# throw-away prefix: Enter on the button that has the focus from the start,
# Tab from the button to the icon and Space open the options; in the dialog a
# speed typed over a correction, Apply reached by Tab and pressed by Enter, OK,
# the logo and back to the title box, where Enter presses nothing; Escape
# closes nothing; the Open dialog (from "(Custom...)" and from the browse
# button) opens with an empty name box, gives back a typed name whole, and on
# its end the focus is back where it was, as after the missing-file message;
# Shift+Tab and Enter on the progress window's button end the program with the
# settings in Wine's registry.
#   keyboard.sh BUILD-WIN-FOLDER
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build_win=${1:-$top/build-win}
source "$top/tests/windows/wine-lib.sh"

exe="$build_win/tarrowin.exe"
key='HKCU\Software\Quillmoor\Tarrowin'

start_wine
new_prefix "$work/prefix"
reg_add "$key" /v Title /d Start # no welcome, no dialog at start

keys() {
    xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1"
    shift
    xdotool key --delay 60 "$@"
}

echo "Enter on the button focused from the start ends the program"
start_program '^Start$'
main=$(wait_window '^Start$')
keys "$main" Return
expect_clean_exit "$work/program.log"

echo "Tab to the icon, Space: the options"
start_program '^Start$'
main=$(wait_window '^Start$')
keys "$main" Tab space
options=$(wait_window '^Options$')

echo "the dialog by Tab: speeds typed over corrections, Apply and OK by Enter"
keys "$options" ctrl+a
xdotool type --delay 60 'Typed Only'
keys "$options" Tab Tab ctrl+a BackSpace
xdotool type --delay 60 '200'
keys "$options" Tab Tab ctrl+a
xdotool type --delay 60 '0.5'
keys "$options" Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Return
main=$(wait_window '^Typed Only$')
xdotool search --onlyvisible --name '^Options$' >/dev/null || fail "Apply closed the dialog"
keys "$options" Tab Tab Tab Return
still_open_after "Enter in the title box" "Typed Only"
keys "$options" Escape
still_open_after Escape "Typed Only"
keys "$options" shift+Tab shift+Tab Return
wait_no_window '^Options$'

echo "back on the progress window: the icon by Enter, then the button"
keys "$main" Return
options=$(wait_window '^Options$')

# The active window and its focused control, as "TITLE|CLASS|TEXT".
focus_is() { [ "$(probe focus)" = "$1" ]; }
expect_focus() { wait_until focus_is "$1" || fail "$2: the focus is on '$(probe focus)', not '$1'"; }
open_dialog() { wait_window '^Open$' >/dev/null; expect_focus 'Open|Edit|' "the Open dialog"; }
expect_focus 'Options|Button|&OK' "the dialog opened again"

echo "(Custom...) with no path: the Open dialog, its name box empty; Escape, back on the list"
keys "$options" shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
expect_focus 'Options|ComboBox|Gear' "Shift+Tab from OK"
keys "$options" End
open_dialog
[ "$(probe open-name)" = "[]" ] || fail "the name box holds $(probe open-name)"
xdotool key Escape
expect_focus 'Options|ComboBox|(Custom...)' "Escape in the Open dialog"

echo "a name typed in the Open dialog comes back whole; Escape there, back on the browse button"
chosen="$(windows_path "$work")\\a name of some length chosen by typing it.ico"
keys "$options" Tab Tab space
open_dialog
xdotool type --delay 20 "$chosen"
xdotool key Return
wait_probe edit-rect Options "$chosen" >/dev/null
expect_focus 'Options|Button|Browse' "the chosen name"
keys "$options" space
open_dialog
xdotool key Escape
expect_focus 'Options|Button|Browse' "Escape in the Open dialog"

echo "Apply with the missing file: the message, then back on Apply"
keys "$options" Tab Tab Return
wait_window '^Tarrowin$' >/dev/null
[ "$(probe message-text)" = "Custom icon file does not exist." ] || fail "message: $(probe message-text)"
xdotool key Return
expect_focus 'Options|Button|&Apply' "the missing-file message"
keys "$options" shift+Tab shift+Tab shift+Tab shift+Tab Home
expect_focus 'Options|ComboBox|Gear' "the list back on Gear"
keys "$options" alt+o
wait_no_window '^Options$'
keys "$main" shift+Tab Return
expect_clean_exit "$work/program.log"

wine_tool reg query "$key" 2>/dev/null | tr -d '\r' >"$work/stored"
for expected in 'Title +REG_SZ +Typed Only' 'Speed0 +REG_SZ +200' 'Speed1 +REG_SZ +5' \
    "CustIconPath +REG_SZ +${chosen//\\/\\\\}"; do
    grep -Eq "^ +$expected\$" "$work/stored" || { cat "$work/stored"; fail "not stored: $expected"; }
done
echo "PASS"
