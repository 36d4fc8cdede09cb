#!/usr/bin/env bash
# A start with a display but no session bus, the screen-saver box checked (so
# the program looks for the session's screen saver): no bus is started for
# it, so nothing of the program is left running once it has ended.
# Usage: no-session-bus.sh TARROWIN X11PROBE REGDUMP REGSET
source "$(dirname "$0")/lib.sh"
program=$1 regset=$4
unset DBUS_SESSION_BUS_ADDRESS
start_session
export HOME="$work/home" # where an autolaunched bus would note its address
mkdir -p "$HOME"

# Bus processes started for this test's display: they carry it in their
# environment (other tests' processes carry their own displays).
bus_processes() {
    local pid
    for pid in $(pgrep -x dbus-launch || true) $(pgrep -x dbus-daemon || true); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "DISPLAY=$DISPLAY" &&
            ps -o pid=,args= -p "$pid"
    done
    return 0
}

"$regset" Saver=1
start_program
main=$(wait_window '^Processing\.\.\.$')
[ "$(xdotool getwindowpid "$main")" = "$app_pid" ] || fail "the window is not the program's"
click_in "$main" 216 108
expect_clean_exit
started=$(bus_processes)
[ -z "$started" ] || fail "left running after the program ended:
$started"

# The same check sees a bus that the bus library starts for the display.
dbus-launch --autolaunch="$(cat /etc/machine-id /var/lib/dbus/machine-id 2>/dev/null | head -n1)" \
    --binary-syntax --close-stderr </dev/null >/dev/null 2>&1 || true
launched=$(bus_processes)
for pid in $(awk '{print $1}' <<<"$launched"); do kill "$pid" 2>/dev/null || true; done
[ -n "$launched" ] || fail "the check does not see an autolaunched bus"
echo "PASS"
