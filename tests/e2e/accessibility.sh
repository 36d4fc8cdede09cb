#!/usr/bin/env bash
# The program as a screen reader finds it, on an accessibility bus of the
# test's own (at-spi2-core on a private session bus), read through pyatspi:
# the windows' roles and captions, the bars' names and read-only values, the
# icon's Press that opens the dialog, the dialog's names, descriptions and
# frames, and a speed box set through its editable text, which the speed rule
# corrects. Then, with every speed at 1 ms, the value changes a listener hears:
# no more than the bars are drawn, about once a frame; and each new status
# line once as a new text.
# Usage: accessibility.sh TARROWIN X11PROBE REGDUMP REGSET
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/session-bus.sh"
program=$1 regset=$4
here=$(dirname "$0")
atspi() { /usr/bin/python3 "$here/atspi.py" "$@"; }
# Frames: the bars wait at most this long (ms) for their next drawing; two bars.
frame_ms=16 bars=2

start_session
# The launcher keeps the accessibility switch in the desktop's settings: here
# in memory, and nothing of the user's is touched (also by a launcher the bus
# starts on its own).
export GSETTINGS_BACKEND=memory XDG_CONFIG_HOME="$work/config"
start_bus
start_accessibility

# Slow speeds: the bars stand still while their values are read and set.
"$regset" 'Title=Read Aloud' Speed0=50000 Speed1=50000 Speed2=50000 Speed3=50000 Speed4=50000
start_program
wait_window '^Read Aloud$' >/dev/null
atspi check 'Read Aloud'

atspi fast # every speed 1 ms, applied through the dialog's Apply
read -r values names name_count texts < <(atspi count 5)
echo "at 1 ms with a listener: $values value changes a second, $names name changes a second;" \
    "$texts new texts of the status line for $name_count new names"
# Each new message is told once as text: the name and the text change together
# (the count may end between the two).
((texts > 0 && texts - name_count <= 1 && name_count - texts <= 1)) ||
    fail "$texts new texts of the status line for $name_count new names"
limit=$((bars * 1000 / frame_ms + bars * 5))
awk -v v="$values" -v limit="$limit" 'BEGIN { exit !(v > 0 && v <= limit) }' ||
    fail "$values value changes a second at 1 ms, not between 1 and $limit"
echo "PASS"
