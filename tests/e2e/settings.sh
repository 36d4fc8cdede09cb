#!/usr/bin/env bash
# Settings survive a restart: a first start greets the user, the title and the
# icon are changed in the dialog, the window is closed from its title bar, every
# value is stored (title, five messages, five speeds, dual, saver, icon, path and
# button text: sixteen), and the next start restores them without greeting.
# Usage: settings.sh TARROWIN X11PROBE REGDUMP
source "$(dirname "$0")/lib.sh"
program=$1 x11probe=$2 regdump=$3
start_session

start_program
answer_message
main=$(wait_window '^Processing\.\.\.$')
options=$(wait_window '^Options$')

click_in "$options" 148 113 # the title box
xdotool windowfocus --sync "$options"
xdotool key ctrl+a
xdotool type --delay 20 'Busy Bee'
# On to the icon list by the keyboard order (ten message and speed boxes, the
# button text, the two check boxes), where a letter picks an entry.
xdotool key --delay 20 Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab s
click_in "$options" 328 96 # "Dual progress bars" off
click_in "$options" 496 268 # OK
wait_no_window '^Options$'
main=$(wait_window '^Busy Bee$')

"$x11probe" close "$main"
expect_clean_exit

stored=$("$regdump")
echo "$stored"
[ "$(echo "$stored" | wc -l)" = 16 ] || fail "expected sixteen values"
for expected in 'Title=Busy Bee' 'Icon=2' 'Dual=0' 'Saver=0' 'Status0=Reading Files...' \
    'Speed0=50' 'Status3=\0' 'Speed4=200' 'CustIconPath=\0' 'ButtonText=Cancel'; do
    grep -qxF "$expected" <<<"$stored" || fail "not stored: $expected"
done

# Neither the greeting nor the dialog at any time while the program ran: both
# would have come before the click on its button was handled.
watch_windows
start_program
main=$(wait_window '^Busy Bee$')
click_in "$main" 216 108
expect_clean_exit
end_watch
if was_shown Tarrowin; then fail "greeted again; the windows shown: $(shown_titles)"; fi
if was_shown Options; then fail "dialog opened again; the windows shown: $(shown_titles)"; fi
echo "PASS"
