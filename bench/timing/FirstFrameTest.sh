#!/usr/bin/env bash
# bench_first_frame against a window whose drawing the test controls, on a
# private X server: it must wait for pixels rather than for the window to
# appear, name the window, stop the program and say so when nothing is drawn.
#   FirstFrameTest.sh <bench_first_frame> <bench_first_frame_test_window>
set -euo pipefail
watcher=$1 window=$2

work=$(mktemp -d)
xvfb_pid=
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
Xvfb -displayfd 1 -screen 0 640x480x24 -nolisten tcp -noreset >"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
export DISPLAY=":$(head -n1 "$work/display")"

failures=0
check() { # description, condition (awk, on the figures of the line), line
    if awk -v line="$3" 'BEGIN {
            n = split(line, fields, " ")
            for (i = 1; i <= n; i++) { split(fields[i], kv, "="); f[kv[1]] = kv[2] }
            exit !('"$2"') }'; then
        echo "ok: $1"
    else
        echo "FAILED: $1: $3"
        failures=$((failures + 1))
    fi
}

line=$("$watcher" --linger 100 -- "$window" 300)
check "the frame counts from the drawing, not from the mapping" 'f["first_frame_ms"] >= 300' "$line"
check "the drawn window is named" 'line ~ /title="First frame test"/' "$line"
check "the program is stopped with SIGTERM" 'f["exit"] == 143' "$line"
check "its peak memory is read" 'f["max_rss_kb"] > 0' "$line"

status=0
line=$("$watcher" --timeout 1000 -- "$window" -1) || status=$?
check "a window that is never drawn gives no frame and a failure" \
    'f["first_frame_ms"] == "nan" && f["exit"] == 143 && '"$status"' == 1' "$line"

status=0
line=$("$watcher" -- true) || status=$?
check "a program that ends without a window gives no frame and its status" \
    'f["first_frame_ms"] == "nan" && f["exit"] == 0 && '"$status"' == 1' "$line"

exit $((failures > 0))
