# Shared by the tests of the Windows packages: what a test reads back from its
# Wine prefix, and the installed program started and ended as a user would.
source "$(dirname "${BASH_SOURCE[0]}")/../windows/wine-lib.sh"

uninstall_root='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
settings_key='HKCU\Software\Quillmoor\Tarrowin'

# The Linux path of a path on the prefix's drive C:, worked out here rather
# than asked of winepath: one Wine program fewer at every check, and none
# whose failure would read as a missing file.
unix() {
    local path=${1//\\//}
    [[ $path == [Cc]:/* ]] || fail "not a path on drive C: $1"
    echo "$WINEPREFIX/drive_c/${path:3}"
}

# Runs a Windows program (through wine_tool) and echoes its exit status; its
# output goes to a file that fail_with_log prints.
run_status() {
    local status=0
    wine_tool "$@" >"$work/wine.log" 2>&1 || status=$?
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

# What reg lists of a key (with /s, of its subkeys too), or nothing when it
# is not there. Each start of a Wine program takes seconds on a busy machine:
# a key's values are read at once, not one start each.
key_listing() { { wine_tool reg query "$@" 2>/dev/null || true; } | tr -d '\r'; }
# "TYPE VALUE" of the value named $2 in the listing $1, or nothing.
value_in() { sed -n "s/^ *$2 \{4\}\(REG_[A-Z_]*\) \{4\}\(.*\)$/\1 \2/p" <<<"$1"; }
# "TYPE VALUE" of a registry value, or nothing when it is not there.
reg_value() { value_in "$(key_listing "$1" /v "$2")" "$2"; }
key_exists() { wine_tool reg query "$1" >/dev/null 2>&1; }
# Checks a key's values against the lines "NAME|TYPE VALUE" on standard input;
# leaves the key's listing in `listing` for the caller's further checks.
expect_values() {
    local key=$1 name expected actual
    listing=$(key_listing "$key")
    while IFS='|' read -r name expected; do
        actual=$(value_in "$listing" "$name")
        [ "$actual" = "$expected" ] || fail "$name is '$actual', not '$expected'; the entry:
$(sed 's/^/    /' <<<"$listing")"
    done
}
# The text of a REG_SZ value.
reg_text() { reg_value "$1" "$2" | sed -n 's/^REG_SZ //p'; }

# Every value of an entry of the list of installed programs, for messages.
describe_key() { wine_tool reg query "$1" 2>&1 | tr -d '\r' | sed 's/^/    /'; }

# A field of a shortcut, as exiftool reads it.
link_field() { exiftool -s3 -"$2" "$(unix "$1")"; }
describe_link() { exiftool -s -LocalBasePath -IconFileName -WorkingDirectory -Description "$(unix "$1")"; }

in_folder() { # folder command...
    cd "$1" && shift && exec "$@"
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
    launch '^Tarrowin$' "$work/program.log" in_folder "$(unix "$dir")" wine "$dir\\tarrowin.exe"
    answer_message
    wait_window '^Processing\.\.\.$' >/dev/null
    wait_window '^Options$' >/dev/null
    if (($#)); then "$@"; fi
    click_button Options '&OK'
    wait_no_window '^Options$'
    click_button 'Processing...' Cancel
    expect_clean_exit "$work/program.log"
}
