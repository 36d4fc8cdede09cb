#!/usr/bin/env bash
# tarrowin.exe under Wine at 96, 144 and 192 dpi, each in a prefix of its own
# (LogPixels), on a private Xvfb: the client sizes, the drawn sizes of the
# pictures read from the screen (the built-in icon, a custom .gif and .bmp of
# one size, the banner, the browse picture), and grabs of both windows against
# the 96-dpi grabs scaled by dpi/96. The custom pictures are 24 x 24: a larger
# one is cut off by the 33 x 33 icon box, and its drawn size cannot be read.
#   dpi.sh BUILD-WIN-FOLDER [PROGRAM.exe] [--report]
# With --report it prints the table and checks nothing (to measure another
# build of the program); otherwise every size must be the 96-dpi one times
# dpi/96 (within 2 pixels or 5 %: the 2x renderings are drawn afresh, not
# scaled, so their edges fall a little differently) and every grab within
# grab_tolerance.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build_win=${1:-$top/build-win}
exe=${2:-$build_win/tarrowin.exe}
report_only=0
[ "${3:-}" = --report ] && report_only=1
source "$top/tests/windows/wine-lib.sh"
extent="$top/tests/windows/extent.py"
key='HKCU\Software\Quillmoor\Tarrowin'
# Root-mean-square difference of a grab from the 96-dpi grab scaled, as a share
# of full scale: text is hinted afresh at each size, and the bars move on
# between the grabs (0.17 measured for the progress window at 192 dpi).
grab_tolerance=0.22
dpis=(96 144 192)

start_wine

# The custom pictures: one red square in each format.
convert -size 24x24 xc:'#C00000' "$work/red.gif"
convert -size 24x24 xc:'#C00000' -type TrueColor BMP3:"$work/red.bmp"

# Settings as a returning user has them, so that no welcome comes first: one
# .reg file imported by one start of reg, where a value at a time would take
# fourteen starts of Wine at every run of the program.
seed() {
    local icon=$1 path=$2 i statuses=('Reading Files...' 'Linking Data...' 'Updating...' '' '')
    local speeds=(50 200 400 200 200)
    {
        printf 'Windows Registry Editor Version 5.00\r\n\r\n[%s]\r\n' "${key/#HKCU/HKEY_CURRENT_USER}"
        reg_line Title 'Processing...'
        reg_line ButtonText Cancel
        for i in 0 1 2 3 4; do
            reg_line "Status$i" "${statuses[$i]}"
            reg_line "Speed$i" "${speeds[$i]}"
        done
        reg_line Dual 1
        reg_line Saver 0
        reg_line Icon "$icon"
        reg_line CustIconPath "$path"
    } >"$work/seed.reg"
    local output
    output=$(wine_tool reg import "$(windows_path "$work/seed.reg")" 2>&1) ||
        fail "reg import of $(tr -d '\r' <"$work/seed.reg"): $(tr -d '\r' <<<"$output")"
}
# A text value of a .reg file, its backslashes and quotes escaped.
reg_line() {
    local text=${2//\\/\\\\}
    printf '"%s"="%s"\r\n' "$1" "${text//\"/\\\"}"
}

# "width height" drawn inside the rectangle "x y w h", inset by `inset` on
# every side; the background is the colour at the inset rectangle's corner
# (bottom right when corner is br).
drawn() {
    local rect=$1 inset=$2 corner=$3 x y w h
    read -r x y w h <<<"$rect"
    import -window root -crop "$((w - 2 * inset))x$((h - 2 * inset))+$((x + inset))+$((y + inset))" \
        +repage -depth 8 ppm:"$work/crop.ppm"
    if [ "$corner" = br ]; then python3 "$extent" "$work/crop.ppm" -1 -1
    else python3 "$extent" "$work/crop.ppm" 0 0; fi
}

# The same once the paint has come, which may be a while after the window:
# read until something is drawn and two readings agree.
drawn_when_painted() {
    local size=
    wait_until painted "$@" || fail "nothing drawn to stay in $1; the last reading: '$size'"
    echo "$size"
}
painted() {
    local before=$size
    size=$(drawn "$@")
    [ "$size" != "0 0" ] && [ "$size" = "$before" ]
}

grab() { # rect file
    local x y w h
    read -r x y w h <<<"$1"
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$2"
}

run() { # dpi icon path label
    local dpi=$1 label=$4
    seed "$2" "$3"
    launch '^Processing\.\.\.$' "$work/program-$dpi-$label.log" wine "$exe"
    local pid=$app_pid
    wait_probe client-rect 'Processing...' >/dev/null
    local box size
    box=$(wait_probe picture-rect 'Processing...')
    size=$(drawn_when_painted "$box" 0 br)
    echo "$label $size" >>"$work/sizes-$dpi"
    if [ "$label" = gear ]; then
        echo "progress-client $(probe client-size 'Processing...')" >>"$work/sizes-$dpi"
        grab "$(probe client-rect 'Processing...')" "$work/form1-$dpi.png"
        click_centre "$box"
        wait_probe client-rect Options >/dev/null
        echo "options-client $(probe client-size Options)" >>"$work/sizes-$dpi"
        box=$(wait_probe picture-rect Options)
        size=$(drawn_when_painted "$box" 0 tl)
        echo "banner $size" >>"$work/sizes-$dpi"
        # Inside the button's frame and focus rectangle.
        local inset=$((4 * dpi / 96)) button
        button=$(wait_probe button-rect Options Browse)
        size=$(drawn_when_painted "$button" "$inset" tl)
        echo "browse $size" >>"$work/sizes-$dpi"
        grab "$(probe client-rect Options)" "$work/form2-$dpi.png"
    fi
    # The dialog may lie over the button at a high dpi: the program is ended
    # when the click does not end it.
    click_button 'Processing...' Cancel
    end_program "$pid"
}

for dpi in "${dpis[@]}"; do
    new_prefix "$work/prefix-$dpi"
    reg_add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi"
    : >"$work/sizes-$dpi"
    run "$dpi" 0 '' gear
    run "$dpi" 7 "$(windows_path "$work/red.gif")" custom-gif
    run "$dpi" 7 "$(windows_path "$work/red.bmp")" custom-bmp
    wineserver -k 2>/dev/null || true # its memory, before the next prefix
done

# The table: one row per measurement, one column per dpi.
echo "measurement | ${dpis[*]}"
failures=0
while read -r name _; do
    row="$name"
    read -r bw bh < <(awk -v n="$name" '$1 == n { print $2, $3 }' "$work/sizes-96")
    for dpi in "${dpis[@]}"; do
        read -r w h < <(awk -v n="$name" '$1 == n { print $2, $3 }' "$work/sizes-$dpi")
        row="$row | ${w}x${h}"
        if [ "$report_only" = 0 ]; then
            ew=$((bw * dpi / 96)) eh=$((bh * dpi / 96))
            off() { local d=$(($1 - $2)); d=${d#-}; [ "$d" -gt 2 ] && [ $((d * 20)) -gt "$2" ]; }
            if off "$w" "$ew" || off "$h" "$eh"; then
                echo "FAIL: $name at $dpi dpi is ${w}x${h}, expected ${ew}x${eh} (${bw}x${bh} at 96 times $dpi/96)"
                failures=$((failures + 1))
            fi
        fi
    done
    echo "$row"
done <"$work/sizes-96"

# The grabs against the 96-dpi ones scaled, both windows.
for dpi in "${dpis[@]:1}"; do
    for form in form1 form2; do
        read -r w h < <(identify -format '%w %h\n' "$work/$form-$dpi.png")
        convert "$work/$form-96.png" -filter Triangle -resize "${w}x${h}!" "$work/$form-96-scaled.png"
        # compare ends with status 1 whenever the images differ at all.
        difference=$({ compare -metric RMSE "$work/$form-$dpi.png" "$work/$form-96-scaled.png" null: 2>&1 || true; } |
            sed -n 's/.*(\(.*\)).*/\1/p')
        echo "grab $form at $dpi dpi: RMS difference $difference of full scale (tolerance $grab_tolerance)"
        if [ "$report_only" = 0 ] && awk -v d="$difference" -v t="$grab_tolerance" 'BEGIN { exit !(d > t) }'; then
            echo "FAIL: the $form grab at $dpi dpi differs from the 96-dpi one scaled by $difference"
            failures=$((failures + 1))
        fi
    done
done
if [ -n "${TARROWIN_DPI_GRABS:-}" ]; then
    mkdir -p "$TARROWIN_DPI_GRABS"
    cp "$work"/form*-*.png "$TARROWIN_DPI_GRABS"/
fi
[ "$failures" = 0 ] || fail "$failures measurements off"
echo "all sizes scale with the dpi"
