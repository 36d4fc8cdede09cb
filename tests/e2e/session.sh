#!/usr/bin/env bash
# "Disable Screen Saver" inhibits the desktop session through its screen-saver
# service as well as switching the X server's saver: one Inhibit when checked,
# UnInhibit with that cookie when unchecked, one Inhibit at a start with the
# stored setting on, and the session sees the program leave when it ends. The
# box tells what keeps the screen on (Xvfb has no display power saving).
# Usage: session.sh TARROWIN X11PROBE SAVER-STANDIN REGSET
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/session-bus.sh"
program=$1 probe=$2 standin=$3
inhibit="Inhibit Tarrowin|Tarrowin is showing progress"
start_session
start_bus
start_standin answer
default=$("$probe" screensaver)

notes() { sed -n 's/^tarrowin\.screensaver: \(Screen\|Nothing\)/\1/p' "$work/program.log"; }
note_is() { [ "$(notes | tail -n1)" = "$1" ]; }
kept_on="Screen kept on by: X screen saver off, the session (org.freedesktop.ScreenSaver)"
TARROWIN_DIAGNOSTICS=1 "$program" 2>"$work/program.log" &
app_pid=$!
answer_message
options=$(wait_window '^Options$')
click_saver_box "$options" # check
wait_line "^$inhibit -> 7$"
[ "$("$probe" screensaver)" = 0 ] || fail "the X server's saver is still on"
wait_until note_is "$kept_on" || fail "checked, the box said: $(notes)"
click_saver_box "$options" # uncheck
wait_line '^UnInhibit 7$'
[ "$("$probe" screensaver)" = "$default" ] || fail "the X server's saver is not back on"
wait_until note_is "Screen saver and power saving left to the system" ||
    fail "unchecked, the box said: $(notes)"
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
# The stand-in hears of the program's end from the bus, after it has ended.
second_end_recorded() { [ "$(requests | tail -n1)" = "gone NAME" ] && [ "$(requests | wc -l)" = 6 ]; }
wait_until second_end_recorded || true # the check below says what is there
expected="$inhibit -> 7
UnInhibit 7
$inhibit -> 8
gone NAME
$inhibit -> 9
gone NAME"
[ "$(requests)" = "$expected" ] || fail "the session was asked:
$(requests)"
echo "PASS"
