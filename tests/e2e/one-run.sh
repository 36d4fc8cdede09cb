#!/usr/bin/env bash
# A script's run with texts of its own: the window shows them, to the pixel as
# it shows the same texts stored, while the store keeps the user's own before
# and after. A first start with options shows neither welcome nor dialog, and
# leaves the welcome for the next plain start.
# Usage: one-run.sh TARROWIN X11PROBE REGDUMP REGSET
source "$(dirname "$0")/lib.sh"
program=$1 x11probe=$2 regdump=$3 regset=$4
probe=$x11probe
start_session

# The window's pixels, once its first drawing is there; the bars stand still
# at the slowest speed.
grab() {
    local id=$1 out=$2
    wait_until test "$(import -window "$id" -format '%[fx:mean]' info: 2>/dev/null)" != 0 ||
        fail "the window $id never drew"
    import -window "$id" "$out"
}

echo "the run's texts, while the user's own are stored"
"$regset" 'Title=My own' 'ButtonText=Mine' 'Status0=My message' Speed0=50 Dual=1 Icon=0
start_program # a plain run stores all of them
"$probe" close "$(wait_window '^My own$')"
expect_clean_exit
before=$("$regdump")
watch_windows
"$program" --title 'Deploying...' --button Abort --message 'Step one:50000' --message 'Step two' \
    --single --icon CD &
app_pid=$!
main=$(wait_window '^Deploying\.\.\.$')
grab "$main" "$work/run.png"
"$probe" close "$main"
expect_clean_exit
end_watch
if was_shown Tarrowin || was_shown Options; then
    fail "a box or the dialog opened; the windows shown: $(shown_titles)"
fi
after=$("$regdump")
[ "$after" = "$before" ] || fail "the store changed: before
$before
after
$after"

echo "the same texts stored look the same"
"$regset" 'Title=Deploying...' 'ButtonText=Abort' 'Status0=Step one' Speed0=50000 Dual=0 Icon=5
start_program
main=$(wait_window '^Deploying\.\.\.$')
grab "$main" "$work/stored.png"
"$probe" close "$main"
expect_clean_exit
difference=$(compare -metric AE "$work/run.png" "$work/stored.png" null: 2>&1 || true)
[ "$difference" = 0 ] || fail "$difference pixels differ between the run's texts and the stored ones"

echo "a first start with options greets no one"
export TARROWIN_REGISTRY="$work/fresh.db"
watch_windows
"$program" --title 'Scripted' &
app_pid=$!
main=$(wait_window '^Scripted$')
"$probe" close "$main"
expect_clean_exit
end_watch
if was_shown Tarrowin || was_shown Options; then
    fail "a first start with options opened a box or the dialog; the windows shown: $(shown_titles)"
fi
"$regdump" >/dev/null && fail "the settings key was made: $("$regdump")"
start_program
answer_message # the welcome, at the next plain start
main=$(wait_window '^Processing\.\.\.$')
"$probe" close "$main"
expect_clean_exit
echo "PASS"
