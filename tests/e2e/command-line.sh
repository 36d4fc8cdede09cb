#!/usr/bin/env bash
# Tarrowin from a terminal: with no display at all, --help and --version
# answer on standard output with status 0; a wrong option or value says which
# on standard error with status 2; a start says in one line that it cannot
# open a display, with status 1 (never Qt's abort); Qt's own options still
# reach Qt. --export writes the settings as the Windows registry editor
# exports a key and --import reads such a file back into another store, all or
# nothing. With a display, --help, --export and --import open no window. The
# README lists the options --help lists.
# Usage: command-line.sh TARROWIN X11PROBE REGDUMP REGSET
source "$(dirname "$0")/lib.sh"
program=$1 x11probe=$2 regdump=$3 regset=$4
readme="$(dirname "$0")/../../README.md"
start_session

# Runs the program with no display to find, and checks its exit status.
run_alone() {
    local want=$1 got=0
    shift
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$@" >"$work/out" 2>"$work/err" ||
        got=$?
    [ "$got" = "$want" ] ||
        fail "tarrowin $* ended with status $got, not $want; it wrote: $(cat "$work/out" "$work/err")"
}
said() { [ "$(cat "$work/$1")" = "$2" ] || fail "standard ${1/err/error} was '$(cat "$work/$1")', not '$2'"; }

echo "--help and --version need no display"
run_alone 0 --help
head -n1 "$work/out" | grep -qx 'Usage: tarrowin \[OPTION\]\.\.\. \[-- COMMAND \[ARGUMENT\]\.\.\.\]' ||
    fail "--help began with '$(head -n1 "$work/out")'"
grep -qx "Settings: $work/registry.db (TARROWIN_REGISTRY names another)" "$work/out" ||
    fail "--help does not say where the settings are: $(tail -n1 "$work/out")"
said err ''
cp "$work/out" "$work/usage"
run_alone 0 --version
said out 'Tarrowin 1.02'

echo "a wrong option or value: one line naming it, status 2, nothing else"
run_alone 2 --bogus
said err "tarrowin: unknown option '--bogus'
Try 'tarrowin --help'."
said out ''
run_alone 2 --title Deploying --message 'Deploying...:0'
said err "tarrowin: --message 'Deploying...:0': the speed must be 1 to 50000 ms
Try 'tarrowin --help'."
run_alone 2 --icon no-such-picture.ico
said err "tarrowin: --icon 'no-such-picture.ico': no built-in picture of that name (see NAME in --help) and no such file
Try 'tarrowin --help'."
gone=$(sh -c 'echo $$') # a process that has ended
run_alone 2 --while "$gone"
said err "tarrowin: --while $gone: no such process
Try 'tarrowin --help'."
[ -e "$work/registry.db" ] && fail "a usage error touched the settings store"

echo "--export and --import: the settings as a .reg file and back, without a display"
run_alone 1 --export "$work/none.reg"
said err "tarrowin: there are no settings to export: HKEY_CURRENT_USER\Software\Quillmoor\Tarrowin is not there, Tarrowin has stored none yet"
# The program keeps an empty text as one NUL character and its end, which
# only hex(1): writes back as it was.
"$regset" 'Title=Compiling "kernel"…' 'Status0=C:\Temp\[1] = 100%' ButtonText=
"$regdump" >"$work/stored"
run_alone 0 --export "$work/settings.reg"
{
    printf '\xff\xfe'
    printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
        '[HKEY_CURRENT_USER\Software\Quillmoor\Tarrowin]' '"Title"="Compiling \"kernel\"…"' \
        '"Status0"="C:\\Temp\\[1] = 100%"' '"ButtonText"=hex(1):00,00,00,00' '' | iconv -f UTF-8 -t UTF-16LE
} >"$work/expected.reg"
cmp -s "$work/settings.reg" "$work/expected.reg" ||
    fail "the export is not the editor's text: $(iconv -f UTF-16LE -t UTF-8 "$work/settings.reg")"
run_alone 0 --export -
cmp -s "$work/out" "$work/settings.reg" || fail "--export - wrote other bytes than --export FILE"
TARROWIN_REGISTRY=$work/second.db run_alone 0 --import - <"$work/settings.reg"
TARROWIN_REGISTRY=$work/second.db "$regdump" | diff "$work/stored" - ||
    fail "the import into an empty store differs (above: < exported, > imported)"
printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
    '[HKEY_CURRENT_USER\Software\Quillmoor\Tarrowin]' '"Title"="Taken over"' \
    '[HKEY_CURRENT_USER\Software\Microsoft]' >"$work/other-key.reg"
run_alone 2 --import "$work/other-key.reg"
said err "tarrowin: $work/other-key.reg: line 5: [HKEY_CURRENT_USER\Software\Microsoft] is not the settings key HKEY_CURRENT_USER\Software\Quillmoor\Tarrowin or below it: nothing is imported"
"$regdump" | diff "$work/stored" - || fail "a refused import changed the settings"
run_alone 1 --import "$work/missing.reg"
said err "tarrowin: cannot read $work/missing.reg: No such file or directory"

echo "no display: one clear line, status 1"
run_alone 1
[ "$(wc -l <"$work/err")" = 1 ] || fail "not one line: $(cat "$work/err")"
grep -q "^tarrowin: cannot open a display: tried Qt's xcb platform (DISPLAY not set, WAYLAND_DISPLAY not set)$" \
    "$work/err" || fail "the line was: $(cat "$work/err")"
run_alone 1 --title 'No display' -- sh -c 'echo ran >"$0"' "$work/ran"
[ -e "$work/ran" ] && fail "the command ran although the window could not open"

echo "Qt's own options reach Qt: the offscreen platform needs no display"
run_alone 0 -platform offscreen --for 1

echo "with a display, --help, --export and --import open no window"
watch_windows
"$program" --help >"$work/out" || fail "--help with a display ended with $?"
"$program" --export "$work/shown.reg" || fail "--export with a display ended with $?"
"$program" --import "$work/shown.reg" || fail "--import with a display ended with $?"
end_watch
cmp -s "$work/out" "$work/usage" || fail "--help said otherwise with a display: $(cat "$work/out")"
if grep -q '^shown ' "$work/shown"; then fail "--help showed windows: $(grep '^shown ' "$work/shown")"; fi

echo "the README lists the options --help lists"
options() { grep -E '^  +-' "$1"; }
sed -n '/^Usage: tarrowin /,/^Settings: /p' "$readme" >"$work/readme-usage"
[ -s "$work/readme-usage" ] || fail "README.md holds no usage text"
diff <(options "$work/usage") <(options "$work/readme-usage") ||
    fail "README.md's options differ from --help's (above: < --help, > README)"
echo "PASS"
