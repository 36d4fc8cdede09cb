#!/usr/bin/env bash
# tarrowin.exe end to end under Wine, on a private Xvfb, in a throw-away Wine
# prefix: the first start's welcome, the windows' sizes, the moving bar, a new
# title through OK, the end through the window's button, the settings in Wine's
# registry, a second start without welcome, the screen-saver box, the web
# button and a missing custom icon.
#   program.sh BUILD-WIN-FOLDER X11PROBE
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build_win=${1:-$top/build-win}
x11probe=${2:-$top/build/tests/e2e/x11probe}
source "$top/tests/windows/wine-lib.sh"

exe="$build_win/tarrowin.exe"
key='HKCU\Software\Quillmoor\Tarrowin'
welcome='Welcome to the Tarrowin.  Clicking on the progress bar icon brings up the options screen.  Enjoy!'
address='https://www.quillmoor.example/'
new_title='Compiling sources'

echo "the program file: one file of at most 1 MiB that needs only the system's DLLs"
size=$(stat -c %s "$exe")
[ "$size" -le $((1024 * 1024)) ] || fail "tarrowin.exe is $size bytes"
system_dlls=' advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll oleaut32.dll shell32.dll user32.dll winmm.dll '
for dll in $(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ { print tolower($3) }'); do
    [[ $system_dlls == *" $dll "* ]] || fail "tarrowin.exe needs $dll"
done

start_wine
new_prefix "$work/prefix"

# The desktop's browser is a stand-in that writes down what it was asked to open.
mkdir -p "$work/bin"
printf '#!/bin/sh\necho "$1" >>"%s/opened"\n' "$work" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH="$work/bin:$PATH"

# Waits until the command's output is the expected text.
wait_for() {
    local expected=$1
    shift
    wait_until gives "$expected" "$@" || fail "$* gave '$("$@" || true)', not '$expected'"
}
gives() {
    local expected=$1
    shift
    [ "$("$@" || true)" = "$expected" ]
}

press_on() {
    local id=$1
    shift
    xdotool windowactivate --sync "$id" 2>/dev/null || xdotool windowfocus --sync "$id"
    xdotool key --clearmodifiers "$@"
}


echo "first start: the welcome comes first"
start_program '^Tarrowin$'
box=$(wait_window '^Tarrowin$')
xdotool search --onlyvisible --name '^Processing\.\.\.$' >/dev/null 2>&1 && fail "the window showed before the welcome"
[ "$(probe message-text)" = "$welcome" ] || fail "welcome text: $(probe message-text)"
press_on "$box" Return

echo "the progress window and the options dialog, at their sizes"
progress=$(wait_window '^Processing\.\.\.$')
options=$(wait_window '^Options$')
[ "$(probe client-size 'Processing...')" = "433 134" ] || fail "progress window: $(probe client-size 'Processing...')"
[ "$(probe client-size Options)" = "589 292" ] || fail "options dialog: $(probe client-size Options)"

echo "the dialog is the window in use, its title box focused: the keyboard reaches it"
focus_is() { [ "$(probe focus)" = "$1" ]; }
wait_until focus_is 'Options|Edit|Processing...' || fail "active window|focused control: $(probe focus)"

echo "the first bar moves on the screen"
read -r x y w h <<<"$(probe bar-rect 'Processing...')"
bar_grab() { import -window root -crop "${w}x${h}+${x}+${y}" rgb:- | md5sum; }
before=$(bar_grab)
bar_moved() { [ "$(bar_grab)" != "$before" ]; }
wait_until bar_moved || fail "the bar did not move on the screen"

echo "the screen-saver box switches the system's screen saver off"
[ "$(probe screen-saver)" = 1 ] || fail "the screen saver was not on to begin with"
click_button Options 'Disable Screen Saver'
wait_for 0 probe screen-saver

echo "the web button opens the maker's page"
click_button Options 'More Free Stuff - Visit Website'
wait_for "$address" cat "$work/opened"

echo "a new title through OK"
click_centre "$(probe edit-rect Options 'Processing...')"
press_on "$options" End shift+Home BackSpace
xdotool type --delay 20 "$new_title"
press_on "$options" alt+o
wait_no_window '^Options$'
wait_for "$new_title" xdotool getwindowname "$progress"

echo "the window's button ends the program, with status 0"
click_button "$new_title" Cancel
expect_clean_exit "$work/program.log"

echo "the settings are in Wine's registry"
wine_tool reg query "$key" 2>/dev/null | tr -d '\r' >"$work/stored"
[ "$(grep -c 'REG_SZ' "$work/stored")" = 16 ] || { cat "$work/stored"; fail "not sixteen text values"; }
grep -Eq "^ +Title +REG_SZ +$new_title\$" "$work/stored" || { cat "$work/stored"; fail "title not stored"; }
grep -Eq '^ +Saver +REG_SZ +1$' "$work/stored" || { cat "$work/stored"; fail "screen-saver box not stored"; }

echo "a second start: the stored title, no welcome"
# Neither would come later than the click on the window's button is handled.
watch_windows
start_program "^$new_title\$"
click_button "$new_title" Cancel
expect_clean_exit "$work/program.log"
end_watch
if was_shown Tarrowin; then fail "a message box came on the second start; shown: $(shown_titles)"; fi
if was_shown Options; then fail "the dialog came on the second start; shown: $(shown_titles)"; fi

echo "a missing custom icon file is reported"
reg_add "$key" /v Icon /d 7
reg_add "$key" /v CustIconPath /d 'C:\no\such\icon.ico'
start_program '^Tarrowin$'
box=$(wait_window '^Tarrowin$')
[ "$(probe message-text)" = "Custom icon file does not exist." ] || fail "message: $(probe message-text)"
press_on "$box" Return
wait_window '^Options$' >/dev/null
click_button "$new_title" Cancel
expect_clean_exit "$work/program.log"
echo "PASS"
