#!/usr/bin/env bash
# The session inhibition follows the screen-saver service: started with the
# stored setting on before any service is there, the program asks the service
# as soon as it comes up, and asks again each time it restarts; once the box
# is unchecked, the service is released and not asked again.
# Usage: session-restart.sh TARROWIN X11PROBE SAVER-STANDIN REGSET
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/session-bus.sh"
program=$1 standin=$3 regset=$4
inhibit="Inhibit Tarrowin|Tarrowin is showing progress"
start_session
start_bus
"$regset" Saver=1

# Ends the stand-in, keeping its record as standin-N.log.
stop_standin() {
    kill "$standin_pid"
    wait "$standin_pid" 2>/dev/null || true
    mv "$work/standin.log" "$work/standin-$1.log"
}

start_program
main=$(wait_window '^Processing\.\.\.$')
start_standin answer # after the program: a desktop's saver that starts late
wait_line "^$inhibit -> 7$"
for restart in 1 2; do
    stop_standin "$restart"
    start_standin answer # a new process: its cookies start at 7 again
    wait_line "^$inhibit -> 7$"
done

click_in "$main" 32 56 # the icon opens the dialog
options=$(wait_window '^Options$')
click_saver_box "$options" # uncheck
wait_line '^UnInhibit 7$'
click_in "$main" 216 108
expect_clean_exit
wait_line '^gone :'
expected="$inhibit -> 7
UnInhibit 7
gone NAME"
[ "$(requests)" = "$expected" ] || fail "the restarted service was asked:
$(requests)"
for n in 1 2; do
    [ "$(tail -n +2 "$work/standin-$n.log")" = "$inhibit -> 7" ] ||
        fail "service $n was asked: $(cat "$work/standin-$n.log")"
done
echo "PASS"
