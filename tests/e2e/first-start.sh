#!/usr/bin/env bash
# The real program under a real X server: the greeting of a first start, both
# windows at their sizes and titles, the icon opens the options dialog, the
# button ends the program with status 0.
# Usage: first-start.sh TARROWIN X11PROBE REGDUMP
source "$(dirname "$0")/lib.sh"
program=$1
start_session

start_program
answer_message

main=$(wait_window '^Processing\.\.\.$')
[ "$(client_size "$main")" = "433 134" ] || fail "progress window is $(client_size "$main")"
[ "$(window_title "$main")" = "Processing..." ] || fail "title is $(window_title "$main")"

# A first start opens the options dialog beside the window; OK hides it.
options=$(wait_window '^Options$')
[ "$(client_size "$options")" = "589 292" ] || fail "options dialog is $(client_size "$options")"
click_in "$options" 496 268
wait_no_window '^Options$'

click_in "$main" 32 56 # the icon
options=$(wait_window '^Options$')
[ "$(client_size "$options")" = "589 292" ] || fail "reopened dialog is $(client_size "$options")"

click_in "$main" 216 108 # Cancel
expect_clean_exit
echo "PASS"
