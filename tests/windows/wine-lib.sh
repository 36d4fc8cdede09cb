# Shared by the tests that run Windows programs under Wine on a private Xvfb:
# prefixes of the test's own, and what the tests ask of the windows in them.
# The caller sets build_win to the mingw-w64 build folder.
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib.sh"
source "$(dirname "${BASH_SOURCE[0]}")/wine-start.sh"

# No Wine chatter (TARROWIN_WINEDEBUG asks for some), no .NET or HTML engine to
# offer, and no menu entries of the desktop's own for the shortcuts made in a
# prefix.
export WINEDEBUG=${TARROWIN_WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"
wine_prefixes=()

# The private X server; every prefix's wineserver goes when the test ends.
start_wine() {
    start_x
    trap stop_wine EXIT
}
# A test that fails shows what the program under test printed: a window that
# never came may be a start that Wine could not make.
stop_wine() {
    local status=$? prefix log
    if [ "$status" != 0 ]; then
        for log in "$work"/program*.log; do
            [ -s "$log" ] && { echo "--- ${log##*/}:"; tr -d '\r' <"$log"; } >&2
        done
    fi
    for prefix in "${wine_prefixes[@]}"; do
        WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    done
    stop_x
}

# A fresh prefix in the folder, made the one in use and quiet before the first
# step: wineboot returns while the prefix's own programs still finish setting
# it up in the background, so wait until they have ended. Then one wineserver
# serves every step, so that no step starts while the server of the one
# before is shutting down. The prefix's services start with the first program
# and stay with the server: started here, they hold no step's output open, so
# that a step whose output is read ends when its program does.
new_prefix() {
    export WINEPREFIX=$1
    wine_prefixes+=("$1")
    wineboot -i >"$1.wineboot.log" 2>&1 || { cat "$1.wineboot.log"; fail "wineboot in $1"; }
    wineserver -w
    wineserver -p >"$1.wineserver.log" 2>&1 </dev/null
    wine_tool cmd /c exit >/dev/null
}

# The Windows path of a Linux path, through the drive Z: that a new prefix maps
# to /: worked out here rather than asked of winepath, a Wine program that may
# fail to start like any other, and then answers nothing.
windows_path() { echo "Z:${1//\//\\}"; }

# Runs a Windows program that asks or tells the prefix something (reg, the
# probe, an installer), with its output, errors and status; a start that Wine
# could not make is made again (wine-start.sh).
wine_tool() {
    local out err status=0
    out=$(mktemp -p "$work") err=$(mktemp -p "$work")
    wine_run "$out" "$err" "$@" || status=$?
    cat "$out"
    cat "$err" >&2
    rm -f "$out" "$err"
    return "$status"
}

# Adds or replaces a registry value: reg add NAME... as wine takes them. reg
# writes its errors to standard output, which is shown when it fails.
reg_add() {
    local output
    output=$(wine_tool reg add "$@" /f 2>&1) || fail "reg add $*: $(tr -d '\r' <<<"$output")"
}

# Starts tarrowin.exe ($exe) in the background, as start_program starts the
# native program, its output in program.log, and waits until it shows its
# first window, titled like the pattern.
start_program() { launch "$1" "$work/program.log" wine "$exe"; }

# Runs a command that starts the program under test in the background
# ($app_pid), its output in a log, and waits until the program shows a window
# titled like the pattern. A start that Wine could not make (as wine-start.sh
# tells them) is made again, twice at most: such a program has done nothing.
launch() { # pattern log command...
    local pattern=$1 log=$2 attempt status
    shift 2
    for attempt in 1 2 3; do
        "$@" >"$log" 2>&1 </dev/null &
        app_pid=$!
        wait_until shown_or_ended "$pattern" || fail "no window titled $pattern"
        shown "$pattern" && return 0
        status=0
        wait "$app_pid" || status=$?
        app_pid=
        could_not_start "$status" "$log" ||
            fail "the program ended with status $status before it showed $pattern"
        echo "wine could not start $* (attempt $attempt of 3, status $status): $(tr -d '\r' <"$log")" >&2
        sleep 0.5
    done
    fail "wine could not start $* three times"
}
shown() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
shown_or_ended() { shown "$1" || has_ended "$app_pid"; }

# Ends a program started in the background, when its own end did not come
# within ten seconds, and collects it.
end_program() {
    local pid=$1
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

# What a window or control is, asked of Wine's own windows
# (tests/windows/WineProbe.cpp): Wine draws frames of its own around some
# windows and not others. Rectangles are "x y width height" on the screen.
probe() { wine_tool "$build_win/tests/windows/tarrowin_wine_probe.exe" "$@" 2>/dev/null | tr -d '\r'; }

# The probe's answer once it has one, within a minute.
wait_probe() {
    local answer
    wait_until probe_answers "$@" || fail "no answer from the probe: $*"
    echo "$answer"
}
# Whether the probe answers; the answer goes to the caller's `answer`.
probe_answers() { answer=$(probe "$@") && [ -n "$answer" ]; }

# Clicks the middle of a rectangle. Without --sync: the server takes the move
# and the click in order anyway, and --sync waits 15 s for a move that never
# comes when the pointer is already there.
click_centre() {
    local x y w h
    read -r x y w h <<<"$1"
    [ -n "$h" ] || fail "no rectangle to click: '$1'"
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
}
click_button() {
    local rect
    rect=$(probe button-rect "$1" "$2") || true
    [ -n "$rect" ] || fail "no button '$2' in the window '$1'"
    click_centre "$rect"
}
