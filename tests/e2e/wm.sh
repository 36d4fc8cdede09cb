# Helpers for end-to-end tests under a real window manager (Openbox): start it,
# and read what it and the program put on the windows.

# Starts Openbox on the test's X server and waits until it manages windows.
start_window_manager() {
    openbox --sm-disable --config-file /dev/null >"$work/openbox.log" 2>&1 &
    wm_pid=$!
    wait_until manages_windows || fail "the window manager did not start"
}
manages_windows() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# A text property of a window as its bare text (the empty text when it is empty).
text_property() { # window, property
    xprop -id "$1" "$2" | sed -n 's/^[^=]*= "\(.*\)"$/\1/p'
}

# The atoms of a list property, one per line.
atom_list() { # window, property
    xprop -id "$1" "$2" | sed -n 's/^[^=]*= //p' | tr ',' '\n' | tr -d ' '
}

has_atom() { # window, property, atom
    atom_list "$1" "$2" | grep -qx "$3"
}

# "left right top bottom" of the frame the window manager put around a window.
frame_extents() {
    xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/^[^=]*= //p' | tr -d ','
}

# Succeeds when the window with its frame is centred, to the pixel, on the
# screen's work area.
frame_centred() {
    local id=$1 left right top bottom x y w h ax ay aw ah
    read -r left right top bottom < <(frame_extents "$id")
    [ -n "$bottom" ] || return 1
    read -r x y w h < <(xwininfo -id "$id" |
        awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
             /^  Width:/ {w=$2} /^  Height:/ {h=$2} END {print x, y, w, h}')
    # The work area of the first desktop (the property holds one per desktop).
    read -r ax ay aw ah < <(xprop -root _NET_WORKAREA | sed -n 's/^[^=]*= //p' |
        tr -d ',' | awk '{print $1, $2, $3, $4}')
    [ -n "$ah" ] || return 1
    # Twice the centres, so that half pixels stay whole numbers.
    local dx=$(((2 * (x - left) + w + left + right) - (2 * ax + aw)))
    local dy=$(((2 * (y - top) + h + top + bottom) - (2 * ay + ah)))
    [ "${dx#-}" -le 1 ] && [ "${dy#-}" -le 1 ]
}
