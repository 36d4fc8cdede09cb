#!/usr/bin/env bash
# Under a Wayland compositor with no X display, the program starts with the
# stored setting on, shows its window, inhibits the session through its
# screen-saver service and shows no message about the missing X server. This
# Weston offers no idle inhibition: the box says the session keeps the screen
# on, and once the service is gone, that nothing does and why.
# Usage: wayland.sh TARROWIN X11PROBE SAVER-STANDIN REGSET
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/session-bus.sh"
program=$1 standin=$3 regset=$4

stop_x() { # no X server here: the compositor takes its place
    [ -n "${app_pid:-}" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "${weston_pid:-}" ] && kill "$weston_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
work=$(mktemp -d)
trap 'stop_x' EXIT
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 0700 -p "$XDG_RUNTIME_DIR"
unset DISPLAY
export WAYLAND_DISPLAY=tarrowin-test QT_QPA_PLATFORM=wayland TARROWIN_REGISTRY="$work/registry.db"
weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --idle-time=0 >"$work/weston.log" 2>&1 &
weston_pid=$!
wait_until test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" || fail "weston did not start: $(cat "$work/weston.log")"
start_bus
start_standin answer
"$regset" Saver=1

# What the program asks of the compositor (WAYLAND_DEBUG) tells which windows it shows.
WAYLAND_DEBUG=client TARROWIN_DIAGNOSTICS=1 "$program" 2>"$work/wayland.log" &
app_pid=$!
wait_line '^Inhibit Tarrowin|Tarrowin is showing progress -> 7$'
shown() { grep -q "xdg_toplevel@[0-9]*\.set_title(\"$1\")" "$work/wayland.log"; }
drawn() { grep -q 'wl_surface@[0-9]*\.attach(wl_buffer' "$work/wayland.log"; }
wait_until shown 'Processing\.\.\.' || fail "the progress window was not shown"
wait_until drawn || fail "nothing was drawn"

note_is() { grep -qxF "tarrowin.screensaver: $1" "$work/wayland.log"; }
wait_until note_is 'Screen kept on by: the session (org.freedesktop.ScreenSaver)' ||
    fail "the box does not name the session: $(grep tarrowin "$work/wayland.log")"

kill -TERM "$app_pid"
expect_clean_exit
# The record is whole once the program has ended: no message at any time.
! shown Tarrowin || fail "a message was shown"
wait_line '^gone :'
[ "$(requests | grep -c '^Inhibit')" = 1 ] || fail "the session was asked: $(requests)"

stop_bus
TARROWIN_DIAGNOSTICS=1 "$program" 2>"$work/wayland.log" &
app_pid=$!
nothing='Nothing keeps the screen on: no X server, no session bus, the compositor offers no idle inhibition'
wait_until note_is "$nothing" || fail "with nothing to ask the box says: $(grep tarrowin "$work/wayland.log")"
kill -TERM "$app_pid"
expect_clean_exit
echo "PASS"
