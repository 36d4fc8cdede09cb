#!/usr/bin/env bash
# "Disable Screen Saver" inhibits the desktop session through its screen-saver
# service as well as switching the X server's saver: one Inhibit when checked,
# UnInhibit with that cookie when unchecked, one Inhibit at a start with the
# stored setting on, and the session sees the program leave when it ends.
# Usage: session.sh TARROWIN X11PROBE SAVER-STANDIN REGSET
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/session-bus.sh"
program=$1 probe=$2 standin=$3
inhibit="Inhibit Tarrowin|Tarrowin is showing progress"
start_session
start_bus
start_standin answer
default=$("$probe" screensaver)

start_program
answer_message
options=$(wait_window '^Options$')
click_saver_box "$options" # check
wait_line "^$inhibit -> 7$"
[ "$("$probe" screensaver)" = 0 ] || fail "the X server's saver is still on"
click_saver_box "$options" # uncheck
wait_line '^UnInhibit 7$'
[ "$("$probe" screensaver)" = "$default" ] || fail "the X server's saver is not back on"
click_saver_box "$options" # check again, and end with it checked
wait_line "^$inhibit -> 8$"
main=$(wait_window '^Processing\.\.\.$')
click_in "$main" 216 108
expect_clean_exit
wait_line '^gone :'

# The next start inhibits once from the stored setting, although the startup
# asks twice (when the setting is loaded and once more before the window shows).
start_program
main=$(wait_window '^Processing\.\.\.$')
wait_line "^$inhibit -> 9$"
click_in "$main" 216 108
expect_clean_exit
for _ in $(seq 100); do [ "$(requests | tail -n1)" = "gone NAME" ] && [ "$(requests | wc -l)" = 6 ] && break; sleep 0.1; done
expected="$inhibit -> 7
UnInhibit 7
$inhibit -> 8
gone NAME
$inhibit -> 9
gone NAME"
[ "$(requests)" = "$expected" ] || fail "the session was asked:
$(requests)"
echo "PASS"
