#!/usr/bin/env bash
# Being asked to stop (SIGTERM, SIGINT, SIGHUP) runs the normal shutdown: the
# settings are stored and the program ends with status 0. Also while the
# greeting of a first start still waits for the user.
# Usage: signals.sh TARROWIN X11PROBE REGDUMP
source "$(dirname "$0")/lib.sh"
program=$1 probe=$2 regdump=$3
start_session

start_program
wait_window '^Tarrowin$' >/dev/null # the greeting is open
kill -TERM "$app_pid"
expect_clean_exit
[ "$("$regdump" | wc -l)" = 16 ] || fail "the settings were not stored"

title='Processing\.\.\.'
# With job control a background program keeps SIGINT as it is; without it the
# shell starts it with SIGINT ignored, and Tarrowin leaves an ignored stop alone.
set -m
for signal in TERM INT HUP; do
    start_program
    main=$(wait_window "^$title\$")
    click_in "$main" 32 56
    options=$(wait_window '^Options$')
    click_in "$options" 148 113
    xdotool windowfocus --sync "$options"
    xdotool key ctrl+a
    xdotool type --delay 20 "by $signal"
    # The X server delivers in order: once the close request made after the keys
    # has hidden the dialog, every key has reached the title box.
    "$probe" close "$options"
    wait_no_window '^Options$'
    kill -"$signal" "$app_pid"
    expect_clean_exit
    "$regdump" | grep -qxF "Title=by $signal" || fail "SIG$signal lost the unapplied title"
    title="by $signal"
done
echo "PASS"
