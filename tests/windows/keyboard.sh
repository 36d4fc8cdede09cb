#!/usr/bin/env bash
# tarrowin.exe from the keyboard alone, under Wine on a private Xvfb in a
# throw-away prefix: Enter on the button that has the focus from the start,
# Tab from the button to the icon and Space open the options; in the dialog a
# speed typed over a correction, Apply reached by Tab and pressed by Enter, OK,
# the logo and back to the title box, where Enter presses nothing; Escape
# closes nothing; Shift+Tab and Enter on the progress window's button end the
# program with the settings in Wine's registry.
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
keys "$options" alt+o
wait_no_window '^Options$'
keys "$main" shift+Tab Return
expect_clean_exit "$work/program.log"

wine_tool reg query "$key" 2>/dev/null | tr -d '\r' >"$work/stored"
for expected in 'Title +REG_SZ +Typed Only' 'Speed0 +REG_SZ +200' 'Speed1 +REG_SZ +5'; do
    grep -Eq "^ +$expected\$" "$work/stored" || { cat "$work/stored"; fail "not stored: $expected"; }
done
echo "PASS"
