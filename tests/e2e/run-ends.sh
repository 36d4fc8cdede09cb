#!/usr/bin/env bash
# A run that ends by itself, storing the settings as the button does: after a
# time (--for), with another process (--while), or with the command it runs
# (-- COMMAND), whose output and exit status are Tarrowin's; the button stops
# the command as Ctrl+C would; a command that cannot run says why, with a
# shell's status and no window.
# Usage: run-ends.sh TARROWIN X11PROBE REGDUMP REGSET
source "$(dirname "$0")/lib.sh"
program=$1 x11probe=$2 regdump=$3 regset=$4
start_session
"$regset" 'Title=Mine' # settings of the user's own: the key is there, and is written at the end

stored_whole() {
    [ "$("$regdump" | wc -l)" = 16 ] && "$regdump" | grep -qxF 'Title=Mine' ||
        fail "the settings were not stored as the button stores them: $("$regdump")"
}

echo "--for 3 ends about three seconds after the start"
started=$(date +%s%N)
"$program" --for 3 --title 'For three' 2>"$work/err" &
app_pid=$!
expect_exit 0 "$work/err"
took=$((($(date +%s%N) - started) / 1000000))
echo "ended after $took ms"
[ "$took" -ge 3000 ] || fail "ended after $took ms, before the three seconds"
stored_whole

echo "--while ends with the process it waits for"
(trap - EXIT ERR; exec sleep 600) & # without the test's traps, which a kill would run
sleeper=$!
"$program" --while "$sleeper" --title 'While it sleeps' 2>"$work/err" &
app_pid=$!
wait_window '^While it sleeps$' >/dev/null
kill -0 "$app_pid" || fail "the program ended while the process was there"
kill "$sleeper"
wait "$sleeper" 2>/dev/null || true
expect_exit 0 "$work/err"

echo "-- COMMAND: its output and status are the program's"
status=0
"$program" --title 'Seven' -- sh -c 'echo "from the command"; exit 7' >"$work/out" 2>"$work/err" ||
    status=$?
[ "$status" = 7 ] || fail "-- sh -c 'exit 7' ended with $status: $(cat "$work/err")"
[ "$(cat "$work/out")" = "from the command" ] || fail "the command's output: $(cat "$work/out")"
stored_whole

echo "the button stops the command as Ctrl+C does, and the program ends with its status"
# With job control, as in a terminal: a background job keeps SIGINT as it is.
set -m
"$program" --title 'Sleeper' -- sleep 60 2>"$work/err" &
app_pid=$!
main=$(wait_window '^Sleeper$')
click_in "$main" 216 108
expect_exit $((128 + $(kill -l INT))) "$work/err"
set +m

echo "a command that cannot be run: a shell's status, one line, no window"
watch_windows
for case in "127|/nonexistent|tarrowin: /nonexistent: No such file or directory" \
    "127|no-such-command-here|tarrowin: no-such-command-here: command not found" \
    "126|$work|tarrowin: $work: Permission denied"; do
    IFS='|' read -r want command line <<<"$case"
    status=0
    "$program" --title 'Never shown' -- "$command" >"$work/out" 2>"$work/err" || status=$?
    [ "$status" = "$want" ] || fail "-- $command ended with $status, not $want"
    [ "$(cat "$work/err")" = "$line" ] || fail "-- $command said '$(cat "$work/err")'"
done
end_watch
if was_shown 'Never shown'; then fail "a window opened; the windows shown: $(shown_titles)"; fi
echo "PASS"
