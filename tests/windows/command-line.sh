#!/usr/bin/env bash
# tarrowin.exe from a command line, under Wine on a private Xvfb: --help and a
# wrong option answer on the standard streams it was given (status 0 and 2)
# and open no window; --export writes the bytes Wine's regedit /e writes for
# the settings key, --import reads them back and refuses another key with
# its line; a run's own texts are on the window while Wine's
# registry keeps the user's; --for ends the run by itself with the settings
# stored; -- cmd /c exit 7 ends with the command's status, its output
# passed on.
#   command-line.sh BUILD-WIN-FOLDER
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build_win=${1:-$top/build-win}
source "$top/tests/windows/wine-lib.sh"

exe="$build_win/tarrowin.exe"
key='HKCU\Software\Quillmoor\Tarrowin'
long_key='HKEY_CURRENT_USER\Software\Quillmoor\Tarrowin'

start_wine
new_prefix "$work/prefix"

# Runs tarrowin.exe to its end and checks its exit status; its output is in
# $work/out and $work/err, without Windows' line ends.
run_exe() {
    local want=$1 got=0
    shift
    wine_run "$work/out" "$work/err" "$exe" "$@" || got=$?
    sed -i 's/\r$//' "$work/out" "$work/err"
    [ "$got" = "$want" ] ||
        fail "tarrowin.exe $* ended with status $got, not $want: $(cat "$work/out" "$work/err")"
}
stored() { wine_tool reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | awk -v n="$1" '$1 == n { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'; }

echo "--help and /? on the standard output, with status 0 and no window"
run_exe 0 --help
head -n1 "$work/out" | grep -qx 'Usage: tarrowin \[OPTION\]\.\.\. \[-- COMMAND \[ARGUMENT\]\.\.\.\]' ||
    fail "--help said: $(cat "$work/out")"
grep -qx 'Settings: HKEY_CURRENT_USER\\Software\\Quillmoor\\Tarrowin' "$work/out" ||
    fail "--help does not say where the settings are: $(tail -n1 "$work/out")"
cp "$work/out" "$work/usage"
run_exe 0 /?
cmp -s "$work/out" "$work/usage" || fail "/? said otherwise than --help: $(cat "$work/out")"
# Nothing in a message box either, which would carry the program's name.
if xdotool search --onlyvisible --name '^Tarrowin$' >/dev/null 2>&1; then fail "--help showed a box"; fi

echo "a wrong option: one line naming it, status 2"
run_exe 2 /title
[ "$(cat "$work/err")" = "tarrowin: option '/title' needs a value (TEXT)
Try 'tarrowin --help'." ] || fail "the error was: $(cat "$work/err")"

run_exe 2 /icon:C:\\no\\such.ico
grep -qF "tarrowin: --icon 'C:\\no\\such.ico': no built-in picture" "$work/err" ||
    fail "the error was: $(cat "$work/err")"

echo "--export as Wine's regedit /e exports the key, --import back, neither with a window"
wine_tool reg delete "$key" /f >/dev/null 2>&1 || true
reg_add "$key" /v Title /d 'Compiling "kernel" to C:\Temp\[1]'
reg_add "$key" /v Speed /t REG_DWORD /d 4294967295
reg_add "$key" /v Bytes /t REG_BINARY /d 00ff7f80
reg_add "$key\\Presets" /v Lines /t REG_MULTI_SZ /d 'Uploading\0Done'
wine_tool regedit /e "$(windows_path "$work/editor.reg")" "$long_key"
run_exe 0 --export "$(windows_path "$work/exported.reg")"
cmp -s "$work/editor.reg" "$work/exported.reg" ||
    fail "--export differs from regedit /e: $(diff <(iconv -f UTF-16LE -t UTF-8 "$work/editor.reg") <(iconv -f UTF-16LE -t UTF-8 "$work/exported.reg"))"
wine_tool reg delete "$key" /f >/dev/null
run_exe 0 /import "$(windows_path "$work/exported.reg")"
wine_tool regedit /e "$(windows_path "$work/again.reg")" "$long_key"
cmp -s "$work/editor.reg" "$work/again.reg" || fail "the key imported is not the key exported"
printf '%s\r\n' 'REGEDIT4' "[$long_key]" '"Title"="Taken over"' '[HKEY_LOCAL_MACHINE\Software]' >"$work/other-key.reg"
run_exe 2 --import "$(windows_path "$work/other-key.reg")"
[ "$(cat "$work/err")" = "tarrowin: $(windows_path "$work/other-key.reg"): line 4: [HKEY_LOCAL_MACHINE\\Software] is not the settings key $long_key or below it: nothing is imported" ] ||
    fail "the refusal said: $(cat "$work/err")"
[ "$(stored Title)" = 'Compiling "kernel" to C:\Temp\[1]' ] || fail "a refused import changed the title: $(stored Title)"
if xdotool search --onlyvisible --name '^Tarrowin$' >/dev/null 2>&1; then fail "--export or --import showed a window"; fi
wine_tool reg delete "$key" /f >/dev/null

echo "a run's own texts, while the registry keeps the user's"
reg_add "$key" /v Title /d 'My own title'
reg_add "$key" /v ButtonText /d 'Mine'
launch '^Copying "files"$' "$work/program.log" wine "$exe" /title 'Copying "files"' --button Stop \
    --message 'Copying:50000'
[ "$(probe button-rect 'Copying "files"' Stop)" != "" ] || fail "no button captioned Stop"
click_button 'Copying "files"' Stop
expect_clean_exit "$work/program.log"
[ "$(stored Title)" = 'My own title' ] || fail "the stored title is now '$(stored Title)'"
[ "$(stored ButtonText)" = 'Mine' ] || fail "the stored button text is now '$(stored ButtonText)'"
[ "$(stored Status0)" = 'Reading Files...' ] || fail "the stored first message is '$(stored Status0)'"

echo "--for 3 ends the run by itself, the settings stored"
wine_tool reg delete "$key" /f >/dev/null
reg_add "$key" /v Title /d 'My own title'
started=$(date +%s%N)
run_exe 0 --for 3 --title 'For three'
took=$((($(date +%s%N) - started) / 1000000))
echo "ended after $took ms"
[ "$took" -ge 3000 ] || fail "ended after $took ms, before the three seconds"
[ "$(wine_tool reg query "$key" 2>/dev/null | grep -c REG_SZ)" = 16 ] || fail "the settings were not stored"
[ "$(stored Title)" = 'My own title' ] || fail "the stored title is now '$(stored Title)'"

echo "-- cmd /c exit 7: the command's status and output"
run_exe 7 --title 'Seven' -- cmd /c "echo from the command& exit 7"
[ "$(cat "$work/out")" = "from the command" ] || fail "the command's output was '$(cat "$work/out")'"
echo "PASS"
