#!/usr/bin/env bash
# The web button and the logo hand the maker's address to the desktop's
# handler, here a recording xdg-open first on PATH.
# Usage: webpage.sh TARROWIN X11PROBE REGDUMP
source "$(dirname "$0")/lib.sh"
program=$1
start_session
mkdir "$work/bin"
cat >"$work/bin/xdg-open" <<HANDLER
#!/bin/sh
printf '%s\n' "\$@" >>"$work/opened"
HANDLER
chmod +x "$work/bin/xdg-open"
export PATH="$work/bin:$PATH"
unset XDG_CURRENT_DESKTOP KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID

start_program
answer_message
options=$(wait_window '^Options$')
click_in "$options" 440 232 # "More Free Stuff - Visit Website"
click_in "$options" 140 32  # the logo
opened_twice() { [ "$(wc -l <"$work/opened" 2>/dev/null || echo 0)" = 2 ]; }
wait_until opened_twice || fail "expected two openings; opened: $(cat "$work/opened" 2>/dev/null)"
[ "$(sort -u "$work/opened")" = "https://www.quillmoor.example/" ] || fail "wrong address"

main=$(wait_window '^Processing\.\.\.$')
click_in "$main" 216 108
expect_clean_exit
echo "PASS"
