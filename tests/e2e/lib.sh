# Helpers for the end-to-end tests, on top of the X helpers of scripts/x11.sh.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/x11.sh"

# A step that ends a test by failing outside a check says which step it was,
# where, and through which functions: set -e alone ends the test without a
# word. Only where -e holds: bash clears it inside $(...), whose failures the
# step around it reports.
set -E
trap 'report_failed_step $? "$BASH_COMMAND" "$LINENO"' ERR
report_failed_step() {
    [[ $- == *e* ]] || return 0
    local where="${BASH_SOURCE[1]##*/} line $3" i
    for ((i = 1; i < ${#FUNCNAME[@]} - 1; i++)); do
        where+=", in ${FUNCNAME[i]}, called from ${BASH_SOURCE[i + 1]##*/} line ${BASH_LINENO[i]}"
    done
    echo "FAIL: \"$2\" ended with status $1 ($where)" >&2
}

# A private X server and a settings store of the test's own, not yet created.
start_session() {
    start_x
    export TARROWIN_REGISTRY="$work/registry.db"
}

# Starts the program ($program) in the background.
start_program() {
    "$program" &
    app_pid=$!
}

# Waits up to a minute for a command to succeed; its status says whether it did,
# so that a caller's message is made when it fails, from what is there then.
wait_until() {
    for _ in $(seq 600); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# Records every window shown on the screen, and every title a shown window
# takes, from now until end_watch (x11probe watch, into $work/shown; $x11probe
# names the probe). That a window never came is then checked over the whole
# time up to something that did happen after it would have, rather than at a
# moment that a slow machine may reach too early.
watch_windows() {
    "$x11probe" watch >"$work/shown" &
    watch_pid=$!
    wait_until grep -qx ready "$work/shown" || fail "the window watch did not start"
}
# Ends the record: it then holds every window shown before this was called.
end_watch() {
    local status=0
    "$x11probe" end-watch
    wait "$watch_pid" || status=$?
    [ "$status" = 0 ] || fail "the window watch ended with status $status"
}
# Whether a window with exactly this title was shown while the record ran.
was_shown() { shown_titles | grep -qxF -- "$1"; }
# The titles of the windows shown, one a line.
shown_titles() { sed -n 's/^shown 0x[0-9a-f]* //p' "$work/shown"; }

# For the keyboard tests, with the focus in the options dialog's title box
# ($options) and the progress window ($main) titled $2: shows that the dialog
# has handled every key sent before, and checks that $1 (those keys) left it
# open. "!" typed at the end of the title and Apply, three Shift+Tabs back, put
# "$2!" on the progress window only after the keys before them. The "!" then
# goes again, applied, and the focus is back in the title box. Sends its keys
# with the caller's `keys WINDOW KEY...`.
still_open_after() {
    keys "$options" End exclam shift+Tab shift+Tab shift+Tab Return
    wait_until titled_or_closed "$2!" ||
        fail "Apply after $1 did not reach the progress window, titled '$(window_title "$main")'"
    xdotool search --onlyvisible --name '^Options$' >/dev/null || fail "$1 closed the dialog"
    keys "$options" Tab Tab Tab End BackSpace shift+Tab shift+Tab shift+Tab Return Tab Tab Tab
    wait_until titled_or_closed "$2" ||
        fail "Apply did not reach the progress window, titled '$(window_title "$main")'"
}
titled_or_closed() {
    [ "$(window_title "$main")" = "$1" ] || ! xdotool search --onlyvisible --name '^Options$' >/dev/null 2>&1
}

# Waits for the program to end and checks that its exit status is 0; on
# failure prints the program's log when one is named. Not in a subshell: only
# this shell can collect its child's status.
expect_clean_exit() {
    expect_exit 0 "${1:-}"
}

# The same for another exit status: expect_exit STATUS [LOG].
expect_exit() {
    local want=$1 pid=$app_pid log=${2:-} status=0
    wait_until has_ended "$pid" || fail "the program did not end"
    wait "$pid" || status=$?
    app_pid=
    [ "$status" = "$want" ] && return
    [ -n "$log" ] && cat "$log"
    fail "the program ended with status $status, not $want"
}
has_ended() { ! kill -0 "$1" 2>/dev/null; }

