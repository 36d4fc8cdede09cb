#!/usr/bin/env bash
# The session inhibition against a real screen saver: xscreensaver 6 with its
# D-Bus helper, which serves the freedesktop screen-saver calls on the session
# bus. Started with the stored setting on, the program is recorded by the
# helper as inhibiting; after "xscreensaver-command -restart" the new helper is
# asked again; when the program ends the helper sees it go. The helper also
# needs the system's login manager: a stand-in on a second private bus.
# Usage: xscreensaver.sh TARROWIN X11PROBE SAVER-STANDIN REGSET
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/session-bus.sh"
source "$(dirname "$0")/wm.sh" 
program=$1 standin=$3 regset=$4
command -v xscreensaver >/dev/null || { echo "SKIP: xscreensaver is not installed"; exit 77; }
start_session
start_bus
export HOME="$work/home" # xscreensaver's own settings file
mkdir -p "$HOME"

dbus-daemon --session --nofork --print-address=1 >"$work/system-bus" 2>/dev/null &
system_bus_pid=$!
stop_saver() {
    xscreensaver-command -exit >/dev/null 2>&1 || true
    kill "${saver_pid:-}" "${login_pid:-}" "$system_bus_pid" 2>/dev/null || true
    stop_bus
    stop_x
}
trap stop_saver EXIT
wait_until test -s "$work/system-bus" || fail "the system bus did not start"
export DBUS_SYSTEM_BUS_ADDRESS=$(head -n1 "$work/system-bus")
DBUS_SESSION_BUS_ADDRESS=$DBUS_SYSTEM_BUS_ADDRESS "$standin" login1 >"$work/login1.log" &
login_pid=$!
wait_until grep -qs '^ready$' "$work/login1.log" || fail "the login stand-in did not start: $(cat "$work/login1.log")"

saver_owner() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.GetNameOwner string:org.freedesktop.ScreenSaver 2>/dev/null |
        sed -n 's/^ *string "\(.*\)"$/\1/p'
}
# The helper's record of inhibitions by Tarrowin ("inhibited by ... cookie ...").
inhibitions() { grep -c 'inhibited by "Tarrowin" (' "$work/saver.log" || true; }
saver_log() { grep -v 'sleep' "$work/saver.log" 2>/dev/null | tail -n 15; }
# Waits until a command succeeds; fails with the message and the saver's record.
wait_for() { # message, command...
    local message=$1
    shift
    wait_until "$@" || fail "$message; the saver's record ends:
$(saver_log)"
}

xscreensaver -no-splash -verbose >"$work/saver.log" 2>&1 &
saver_pid=$!
has_owner() { [ -n "$(saver_owner)" ]; }
wait_for "xscreensaver's helper did not take the screen-saver name" has_owner
first_owner=$(saver_owner)

"$regset" Saver=1
start_program
main=$(wait_window '^Processing\.\.\.$')
one_inhibition() { [ "$(inhibitions)" = 1 ]; }
wait_for "the helper did not record Tarrowin" one_inhibition

xscreensaver-command -restart >/dev/null 2>&1 || true
new_owner() { [ -n "$(saver_owner)" ] && [ "$(saver_owner)" != "$first_owner" ]; }
wait_for "the helper did not come back after the restart" new_owner
two_inhibitions() { [ "$(inhibitions)" = 2 ]; }
wait_for "after the restart Tarrowin was not recorded again" two_inhibitions

click_in "$main" 216 108
expect_clean_exit
released() { grep -q 'inhibiting app "Tarrowin" has died: uninhibiting' "$work/saver.log"; }
wait_for "the helper did not see Tarrowin go" released
echo "PASS"
