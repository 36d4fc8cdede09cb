#!/usr/bin/env bash
# A settings folder the user cannot use must not stop the program: for each
# such folder the program, run as an unprivileged user, says "Error creating
# registry key", shows its window with the defaults (no options dialog, as it
# is no first start), and ends with status 0 from its button.
# Usage: unusable-store.sh TARROWIN X11PROBE REGDUMP
source "$(dirname "$0")/lib.sh"
program=$1 x11probe=$2
# Permissions stop only users other than root; root plays one with setpriv.
[ "$(id -u)" = 0 ] || { echo "SKIP: needs root to run the program as another user"; exit 77; }
nobody=65534
start_session
unset TARROWIN_REGISTRY

home="$work/home"
mkdir -m 0755 "$home"
cp "$program" "$home/tarrowin" # wherever the build is, the user can reach this copy
chmod 0755 "$work" "$home/tarrowin"
runtime="$home/runtime"
mkdir -m 0700 "$runtime"
chown "$nobody:$nobody" "$home" "$runtime"

# Each case: a description, then the XDG_CONFIG_HOME to use ("" for ~/.config).
prepare() {
    rm -rf "$home/.config" "$home/locked"
    case "$1" in
    not-enterable) # left behind by a sudo run: root's, and closed to others
        mkdir -m 0700 "$home/.config" ;;
    not-searchable)
        mkdir -p "$home/locked/config" && chmod 0644 "$home/locked" ;;
    symlink-loop)
        ln -s "$home/.config" "$home/.config" ;;
    name-too-long)
        ;;
    esac
}

for case in not-enterable not-searchable symlink-loop name-too-long; do
    prepare "$case"
    config=""
    [ "$case" = not-searchable ] && config="$home/locked/config"
    [ "$case" = name-too-long ] && config="$home/$(printf 'x%.0s' $(seq 256))"
    watch_windows
    setpriv --reuid=$nobody --regid=$nobody --clear-groups \
        env HOME="$home" XDG_CONFIG_HOME="$config" XDG_RUNTIME_DIR="$runtime" \
        "$home/tarrowin" 2>"$work/stderr" &
    app_pid=$!
    answer_message
    main=$(wait_window '^Processing\.\.\.$')
    click_in "$main" 216 108 # Cancel
    expect_clean_exit
    # The dialog would have come before the click was handled.
    end_watch
    if was_shown Options; then
        fail "$case: the dialog opened as on a first start (the store was usable?); shown: $(shown_titles)"
    fi
    # With the pointer left where the last run's window was, waiting for the
    # next message box to take the focus stalls for seconds.
    xdotool mousemove 0 0
    if grep -q "terminate\|Aborted" "$work/stderr"; then cat "$work/stderr"; fail "$case: aborted"; fi
    echo "$case: message, window, clean exit"
done
echo "PASS"
