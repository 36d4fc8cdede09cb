# Shared by the tests of the Windows packages: a Wine prefix of the test's own
# on a private Xvfb, and what a test reads back from it.
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib.sh"
# A step that ends the test by failing outside a check says which it was.
set -E
trap 'echo "FAIL: \"$BASH_COMMAND\" ended with status $? (${BASH_SOURCE[0]##*/} line $LINENO)" >&2' ERR

uninstall_root='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
settings_key='HKCU\Software\Quillmoor\Tarrowin'

# A fresh prefix, quiet before the first test step: wineboot returns while the
# prefix's own programs still finish setting it up in the background, so wait
# until they have ended. Then one wineserver serves every step, so that no step
# starts while the server of the one before is shutting down.
start_wine() {
    start_x
    export WINEPREFIX="$work/wineprefix" WINEDEBUG=-all
    # No .NET or HTML engine to offer, and no menu entries of the desktop's own
    # for the shortcuts made in the prefix.
    export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"
    trap 'wineserver -k 2>/dev/null; stop_x' EXIT
    wineboot -i >"$work/wineboot.log" 2>&1 || { cat "$work/wineboot.log"; fail "wineboot"; }
    wineserver -w
    wineserver -p >"$work/wineserver.log" 2>&1 </dev/null
}

# The Linux path of a path on the prefix's drive C:, worked out here rather
# than asked of winepath: one Wine program fewer at every check, and none
# whose failure would read as a missing file.
unix() {
    local path=${1//\\//}
    [[ $path == [Cc]:/* ]] || fail "not a path on drive C: $1"
    echo "$WINEPREFIX/drive_c/${path:3}"
}

# Runs a Windows program and echoes its exit status; its output goes to a file
# that fail_with_log prints.
run_status() {
    local status=0
    wine "$@" >"$work/wine.log" 2>&1 </dev/null || status=$?
    echo "$status"
}
fail_with_log() {
    echo "--- wine's output:" >&2
    cat "$work/wine.log" >&2
    fail "$@"
}

# Runs a command line as Windows would from the registry: a program, quoted
# when it has spaces, then arguments that Wine joins again with single spaces.
run_command_line() {
    local line=$1 program rest args
    if [[ $line =~ ^\"([^\"]+)\"\ ?(.*)$ ]] || [[ $line =~ ^([^\"\ ]+)\ ?(.*)$ ]]; then
        program=${BASH_REMATCH[1]}
        rest=${BASH_REMATCH[2]}
    else
        fail "not a command line: $line"
    fi
    read -r -a args <<<"$rest"
    run_status "$program" "${args[@]}"
}

# "TYPE VALUE" of a registry value, or nothing when it is not there.
reg_value() {
    { wine reg query "$1" /v "$2" 2>/dev/null || true; } | tr -d '\r' |
        sed -n "s/^ *$2 \{4\}\(REG_[A-Z_]*\) \{4\}\(.*\)$/\1 \2/p"
}
key_exists() { wine reg query "$1" >/dev/null 2>&1; }
# Checks a key's values against the lines "NAME|TYPE VALUE" on standard input.
expect_values() {
    local key=$1 name expected actual
    while IFS='|' read -r name expected; do
        actual=$(reg_value "$key" "$name")
        [ "$actual" = "$expected" ] || fail "$name is '$actual', not '$expected'; the entry:
$(describe_key "$key")"
    done
}
# The text of a REG_SZ value.
reg_text() { reg_value "$1" "$2" | sed -n 's/^REG_SZ //p'; }

# Every value of an entry of the list of installed programs, for messages.
describe_key() { wine reg query "$1" 2>&1 | tr -d '\r' | sed 's/^/    /'; }

# A field of a shortcut, as exiftool reads it.
link_field() { exiftool -s3 -"$2" "$(unix "$1")"; }
describe_link() { exiftool -s -LocalBasePath -IconFileName -WorkingDirectory -Description "$(unix "$1")"; }

# Where a window's control is on the screen, "x y width height", asked of
# Wine's own windows (tests/windows/WineProbe.cpp): Wine draws frames of its
# own around some windows and not others.
probe() { wine "$build_win/tests/windows/tarrowin_wine_probe.exe" "$@" 2>/dev/null | tr -d '\r'; }
click_button() {
    local x y w h
    read -r x y w h <<<"$(probe button-rect "$1" "$2")"
    [ -n "$h" ] || fail "no button '$2' in the window '$1'"
    xdotool mousemove --sync $((x + w / 2)) $((y + h / 2)) click 1
}

# Starts the installed program from its folder, as the shortcut starts it, and
# ends it: a first start greets, then shows the progress window and the
# options dialog. The dialog is closed with its OK before the progress
# window's button is pressed: where the dialog covers that button, the click
# would land on the dialog (whose web button opens a browser, which the prefix
# does not have). Between start and end, runs the command given, if any.
run_installed_program() {
    local dir=$1
    shift
    (cd "$(unix "$dir")" && exec wine "$dir\\tarrowin.exe" >"$work/program.log" 2>&1 </dev/null) &
    app_pid=$!
    answer_message
    wait_window '^Processing\.\.\.$' >/dev/null
    wait_window '^Options$' >/dev/null
    if (($#)); then "$@"; fi
    click_button Options '&OK'
    wait_no_window '^Options$'
    click_button 'Processing...' Cancel
    expect_clean_exit "$work/program.log"
}
