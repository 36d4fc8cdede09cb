# Starting a Windows program under Wine, for every test that does. Now and
# then, more often on a loaded machine, Wine fails to start a program at all:
# it says "Application could not be started ... ShellExecuteEx failed:
# Internal error", or ends with status 127, which none of the programs the
# tests run ends with itself. Such a program has done nothing, and is started
# again, twice at most; each new start is said on standard error.

could_not_start() { # status, the files of what it printed
    local status=$1
    shift
    [ "$status" = 127 ] || { [ "$status" != 0 ] && grep -qs "could not be started" "$@"; }
}

# Runs wine with the arguments to their end, the standard output and error in
# the two files (a pipe would stay open as long as any program the run
# started, and some stay with the wineserver); returns the program's status.
wine_run() { # out err program arguments...
    local out=$1 err=$2 status attempt
    shift 2
    for attempt in 1 2 3; do
        status=0
        wine "$@" >"$out" 2>"$err" </dev/null || status=$?
        could_not_start "$status" "$out" "$err" || break
        echo "wine could not start $1 (attempt $attempt of 3, status $status): $(cat "$out" "$err" | tr -d '\r')" >&2
        sleep 0.5
    done
    return "$status"
}
