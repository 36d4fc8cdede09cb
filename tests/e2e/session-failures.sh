#!/usr/bin/env bash
# With no session bus at all, and with a screen-saver service that never
# answers, the box still switches the X server's saver, the dialog goes on
# answering, and no message is shown. The stored setting is on, so the startup
# meets the same session before the window shows. With diagnostics asked for,
# each refusal leaves its line.
# Usage: session-failures.sh TARROWIN X11PROBE SAVER-STANDIN REGSET
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/session-bus.sh"
program=$1 x11probe=$2 standin=$3 regset=$4
start_session
start_bus
saver() { "$x11probe" screensaver; }
saver_is() { [ "$(saver)" = "$1" ]; }
default=$(saver)

# Checks and unchecks the box twice, then ends the program. A message would
# have come before the click on the window's button was handled.
switch_back_and_forth() {
    watch_windows
    TARROWIN_DIAGNOSTICS=1 "$program" 2>"$work/diagnostics.log" &
    app_pid=$!
    main=$(wait_window '^Processing\.\.\.$')
    saver_is 0 || fail "$1: the stored setting left the X saver on ($(saver))"
    click_in "$main" 32 56
    options=$(wait_window '^Options$')
    for state in "$default" 0 "$default"; do
        click_saver_box "$options"
        wait_until saver_is "$state" || fail "$1: the X saver is $(saver), not $state"
    done
    click_in "$main" 216 108
    expect_clean_exit "$work/diagnostics.log"
    end_watch
    if was_shown Tarrowin; then
        fail "$1: a message was shown; the windows shown: $(shown_titles)"
    fi
    grep -q "^tarrowin.session: .*Inhibit got no answer" "$work/diagnostics.log" ||
        { cat "$work/diagnostics.log"; fail "$1: no diagnostics line for the refused inhibition"; }
}

"$regset" Saver=1
private_bus=$DBUS_SESSION_BUS_ADDRESS
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus"
switch_back_and_forth "no session bus"

export DBUS_SESSION_BUS_ADDRESS=$private_bus
start_standin silent
"$regset" Saver=1
switch_back_and_forth "a service that never answers"
echo "PASS"
