# Shell helpers for driving Tarrowin under a private X server: start and stop
# Xvfb, find, measure and click windows with xdotool and xwininfo. Sourced by
# scripts/run and the end-to-end tests.

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Starts Xvfb on a free display (it picks the number itself) and exports DISPLAY.
start_x() {
    work=$(mktemp -d)
    trap 'stop_x' EXIT
    Xvfb -displayfd 1 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp -noreset >"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    [ -s "$work/display" ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
    export DISPLAY=":$(head -n1 "$work/display")"
    export QT_QPA_PLATFORM=xcb
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -m 0700 -p "$XDG_RUNTIME_DIR"
}

stop_x() {
    [ -n "${app_pid:-}" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}

# The id of the visible window whose title matches the regular expression.
wait_window() {
    local pattern=$1 id
    for _ in $(seq 600); do # a minute: a loaded machine may start slowly
        id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    fail "no window titled $pattern"
}

wait_no_window() {
    local pattern=$1
    for _ in $(seq 600); do
        xdotool search --onlyvisible --name "$pattern" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    fail "window $pattern is still shown"
}

# "width height" of the window's client area.
client_size() {
    xwininfo -id "$1" | awk '/^  Width:/ {w=$2} /^  Height:/ {h=$2} END {print w, h}'
}

window_title() {
    xdotool getwindowname "$1"
}

# Clicks at a point given relative to the window's client area.
click_in() {
    local id=$1 x=$2 y=$3 ox oy
    read -r ox oy < <(xwininfo -id "$id" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x, y}')
    xdotool mousemove --sync $((ox + x)) $((oy + y)) click 1
}

# Answers a message box titled "Tarrowin" with its OK button (Return), and
# echoes nothing; fails when none comes.
answer_message() {
    local id
    id=$(wait_window '^Tarrowin$')
    xdotool windowfocus --sync "$id"
    xdotool key Return
    wait_no_window '^Tarrowin$'
}
