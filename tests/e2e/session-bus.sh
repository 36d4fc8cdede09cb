# Helpers for the end-to-end tests of the session inhibition: a private
# session bus and a stand-in screen-saver service on it. Sourced after lib.sh,
# once $work exists; everything started here is stopped on exit.

stop_bus() {
    [ -n "${launcher_pid:-}" ] && kill "$launcher_pid" 2>/dev/null || true
    [ -n "${standin_pid:-}" ] && kill "$standin_pid" 2>/dev/null || true
    [ -n "${bus_pid:-}" ] && kill "$bus_pid" 2>/dev/null || true
}

# Starts a dbus-daemon of the test's own and points the program at it.
start_bus() {
    trap 'stop_bus; stop_x' EXIT
    dbus-daemon --session --nofork --print-address=1 >"$work/bus" &
    bus_pid=$!
    wait_until test -s "$work/bus" || fail "dbus-daemon did not start"
    export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus")
}

# Starts the stand-in ($standin) in the given mode; its record is $work/standin.log.
start_standin() {
    "$standin" "$1" >"$work/standin.log" &
    standin_pid=$!
    wait_line '^ready$'
}

# Waits until the stand-in's record has a line matching the pattern.
wait_line() {
    wait_until grep -qs -- "$1" "$work/standin.log" ||
        fail "the stand-in never recorded $1; it has: $(cat "$work/standin.log")"
}

# The stand-in's record without "ready", callers' bus names shown as NAME.
requests() {
    tail -n +2 "$work/standin.log" | sed 's/^gone :.*/gone NAME/'
}

# Clicks the dialog's "Disable Screen Saver" box. The pointer leaves first:
# xdotool's --sync waits for a motion, which a pointer already there never makes.
click_saver_box() {
    xdotool mousemove 0 0
    click_in "$1" 328 120
}

# Asked without starting it: the bus would start a launcher of its own.
a11y_bus_owned() {
    [ "$(gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
        --method org.freedesktop.DBus.NameHasOwner org.a11y.Bus 2>/dev/null)" = "(true,)" ]
}

# Starts the accessibility bus for the session bus of start_bus and switches
# the desktop's accessibility on, as a screen reader does. The caller keeps
# the desktop's settings in memory before start_bus (GSETTINGS_BACKEND), so
# that nothing of the user's is touched.
start_accessibility() {
    /usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/a11y.log" 2>&1 &
    launcher_pid=$!
    wait_until a11y_bus_owned || fail "the accessibility bus did not start: $(cat "$work/a11y.log")"
    /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/atspi.py" enable ||
        fail "the accessibility bus did not start: $(cat "$work/a11y.log")"
}
