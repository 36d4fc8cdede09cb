#!/usr/bin/env bash
# "Disable Screen Saver" switches the X server's screen saver off at once, it
# stays off after the program ends, and unchecking switches it on again.
# Usage: screensaver.sh TARROWIN X11PROBE REGDUMP
source "$(dirname "$0")/lib.sh"
program=$1 probe=$2
start_session
saver_is() { [ "$("$probe" screensaver)" = "$1" ]; }
default=$("$probe" screensaver)
[ "$default" != 0 ] || fail "the server starts with its screen saver off"

start_program
answer_message
options=$(wait_window '^Options$')
click_in "$options" 328 120 # check the box
wait_until saver_is 0 || fail "screen saver still on: $("$probe" screensaver)"

main=$(wait_window '^Processing\.\.\.$')
click_in "$main" 216 108
expect_clean_exit
[ "$("$probe" screensaver)" = 0 ] || fail "the end switched it back on"

# The stored setting switches it off at the next start; unchecking turns it on.
start_program
main=$(wait_window '^Processing\.\.\.$')
click_in "$main" 32 56
options=$(wait_window '^Options$')
click_in "$options" 328 120 # uncheck
wait_until saver_is "$default" || fail "screen saver not back to $default: $("$probe" screensaver)"
click_in "$main" 216 108
expect_clean_exit
echo "PASS"
