#!/usr/bin/env bash
# Under sway, a wlroots compositor with no screen-saver service on the session
# bus, with its idle daemon swayidle: while the box is checked the progress
# window's idle inhibitor keeps "swayidle -w timeout 3" from running for 20 s
# after the window is shown; once the box is unchecked through the dialog
# (through its accessible action, as a screen reader clicks it) the command
# runs; with the box never checked it runs. The box's description says what
# keeps the screen on each time. sway refuses to run as
# root: under root it and swayidle run as nobody, in a runtime folder of their
# own, and the program reaches the compositor's socket there.
# Usage: sway.sh TARROWIN X11PROBE SAVER-STANDIN REGSET
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/session-bus.sh"
program=$1 regset=$4
here=$(dirname "$0")
atspi() { /usr/bin/python3 "$here/atspi.py" "$@"; }
idle_timeout=3 held_for=20
for tool in sway swayidle swaymsg; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

stop_x() { # no X server here: the compositor takes its place
    [ -n "${app_pid:-}" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "${idle_pid:-}" ] && kill "$idle_pid" 2>/dev/null || true
    [ -n "${sway_pid:-}" ] && kill "$sway_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work" "${runtime:-}"
}
work=$(mktemp -d)
trap 'stop_x' EXIT
unset DISPLAY WAYLAND_DISPLAY
export XDG_RUNTIME_DIR="$work/runtime" TARROWIN_REGISTRY="$work/registry.db"
mkdir -m 0700 -p "$XDG_RUNTIME_DIR"

# The compositor's user: this one, or nobody under root, which owns the
# compositor's runtime folder (outside $work, which only root may enter).
runtime=$(mktemp -d)
if [ "$(id -u)" = 0 ]; then
    chown nobody:nogroup "$runtime"
    as_compositor_user() { setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"; }
else
    as_compositor_user() { "$@"; }
fi
compositor_env=(env -i PATH="$PATH" HOME="$runtime" XDG_RUNTIME_DIR="$runtime")
printf 'xwayland disable\noutput HEADLESS-1 resolution 1280x1024\n' >"$work/sway.config"
chmod a+r "$work/sway.config"
cp "$work/sway.config" "$runtime/config"
as_compositor_user "${compositor_env[@]}" WLR_BACKENDS=headless WLR_HEADLESS_OUTPUTS=1 \
    WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman sway -c "$runtime/config" >"$work/sway.log" 2>&1 &
sway_pid=$!
socket() { find "$runtime" -maxdepth 1 -name 'wayland-*' -type s | head -n1; }
listening_or_ended() { [ -n "$(socket)" ] || has_ended "$sway_pid"; }
wait_until listening_or_ended || true # the check below says which
if [ -z "$(socket)" ] || has_ended "$sway_pid"; then
    echo "SKIP: sway could not start here: $(tail -n 5 "$work/sway.log")"
    exit 77
fi
wayland_socket=$(socket)
export SWAYSOCK
SWAYSOCK=$(find "$runtime" -maxdepth 1 -name 'sway-ipc.*.sock' | head -n1)

# A session bus of the test's own, with no screen-saver service on it (sway
# offers none), and the accessibility bus on it.
export GSETTINGS_BACKEND=memory XDG_CONFIG_HOME="$work/config"
start_bus
start_accessibility

# The program on sway; its diagnostics lines tell what keeps the screen on.
start_on_sway() {
    WAYLAND_DISPLAY=$wayland_socket QT_QPA_PLATFORM=wayland TARROWIN_DIAGNOSTICS=1 \
        "$program" 2>"$work/program.log" &
    app_pid=$!
}
shown() { swaymsg -t get_tree 2>/dev/null | grep -q '"name": "Processing\.\.\."'; }
note_is() { grep -qxF "tarrowin.screensaver: $1" "$work/program.log"; }
kept_on='Screen kept on by: the compositor (idle inhibitor)'
left='Screen saver and power saving left to the system'

# swayidle as the compositor's user; the file appears when it finds the seat idle.
start_swayidle() {
    rm -f "$runtime/idle"
    as_compositor_user "${compositor_env[@]}" WAYLAND_DISPLAY="$(basename "$wayland_socket")" \
        swayidle -w timeout "$idle_timeout" "touch $runtime/idle" >"$work/swayidle.log" 2>&1 &
    idle_pid=$!
}
went_idle() { [ -e "$runtime/idle" ]; }
stop_swayidle() {
    kill "$idle_pid" 2>/dev/null || true
    wait "$idle_pid" 2>/dev/null || true
    idle_pid=
}
# Waits for the seat to go idle; the seconds taken, or fails. On a busy
# machine swayidle takes its time: how long is reported, not checked.
idle_after() {
    local start=$SECONDS
    wait_until went_idle && echo $((SECONDS - start))
}

# Checked: the stored setting asks at startup, and the inhibitor is on the
# window once it is shown.
"$regset" Saver=1
start_on_sway
wait_until shown || fail "the progress window was not shown: $(cat "$work/program.log")"
wait_until note_is "$kept_on" ||
    fail "the box does not say the compositor keeps the screen on: $(cat "$work/program.log")"
start_swayidle
sleep "$held_for" # the time the inhibitor must hold: nothing to wait for instead
went_idle && fail "swayidle found the seat idle within $held_for s with the box checked"
description=$(atspi saver)
[ "$description" = "$kept_on" ] || fail "the box describes itself as: $description"

# Unchecked through the dialog: the inhibitor goes and the seat goes idle.
description=$(atspi saver toggle)
[ "$description" = "$left" ] ||
    fail "unchecked, the box describes itself as: $description; the program said: $(tail -n 5 "$work/program.log")"
took=$(idle_after) ||
    fail "swayidle did not find the seat idle after unchecking: $(cat "$work/swayidle.log")"
echo "unchecked: idle after $took s"
stop_swayidle
kill -TERM "$app_pid"
expect_clean_exit "$work/program.log"

# Never checked: nothing holds the seat awake.
rm -f "$TARROWIN_REGISTRY"
"$regset" Saver=0
start_on_sway
wait_until shown || fail "the progress window was not shown the second time"
start_swayidle
took=$(idle_after) || fail "with the box never checked swayidle did not run"
echo "never checked: idle after $took s"
stop_swayidle
kill -TERM "$app_pid"
expect_clean_exit "$work/program.log"
echo "PASS"
