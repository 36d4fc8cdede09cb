#!/usr/bin/env bash
# The Windows setup program as scripts/package windows builds it, run under
# Wine in a prefix of its own on a private Xvfb, the way a Windows user runs it:
# silent install, what it leaves on the machine, the installed program started
# from the shortcut's target and ended with its button, and the silent
# uninstall, which takes everything away but the user's settings. While the
# program runs, setup and uninstaller both refuse.
# Usage: windows-setup.sh WINDOWS_BUILD_DIR
source "$(dirname "$0")/../e2e/lib.sh"
build_win=$1
program="$build_win/tarrowin.exe"
[ -f "$program" ] || fail "$program is not built; run scripts/package windows"
setup=$(ls -t "$build_win"/packages/tarrowin-*-setup.exe 2>/dev/null | head -n1)
[ -n "$setup" ] || fail "no setup program in $build_win/packages; run scripts/package windows"

start_x
export WINEPREFIX="$work/wineprefix" WINEDEBUG=-all
# No .NET or HTML engine to offer, and no menu entries of the desktop's own
# for the shortcuts made in the prefix.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"
trap 'wineserver -k 2>/dev/null; stop_x' EXIT
wineboot -i >"$work/wineboot.log" 2>&1 || { cat "$work/wineboot.log"; fail "wineboot"; }

program_dir='C:\Program Files\Tarrowin'
installed="$program_dir\\tarrowin.exe"
uninstaller="$program_dir\\uninstall.exe"
shortcut='C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Tarrowin.lnk'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarrowin'
settings_key='HKCU\Software\Quillmoor\Tarrowin'
unix() { winepath -u "$1" 2>/dev/null; }

# Runs a Windows program and echoes its exit status; its output goes to a file
# printed on failure (the wineserver it starts must not hold ctest's output).
run_status() {
    local status=0
    wine "$@" >"$work/wine.log" 2>&1 </dev/null || status=$?
    echo "$status"
}

# "TYPE VALUE" of a registry value, or nothing when it is not there.
reg_value() {
    wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
        sed -n "s/^ *$2 \{4\}\(REG_[A-Z_]*\) \{4\}\(.*\)$/\1 \2/p"
}
key_exists() { wine reg query "$1" >/dev/null 2>&1; }

# The setup's version record is the program's, but for its description.
for tag in ProductName ProductVersion CompanyName FileVersion ProductVersionNumber FileVersionNumber; do
    [ "$(exiftool -s3 -"$tag" "$setup")" = "$(exiftool -s3 -"$tag" "$program")" ] ||
        fail "the setup's $tag is not the program's"
done
[ "$(exiftool -s3 -MachineType "$setup")" = "AMD AMD64" ] || fail "the setup is not a 64-bit program"

# Twice: a setup over an installed Tarrowin replaces it in place.
for _ in 1 2; do
    status=$(run_status "$setup" /S)
    [ "$status" = 0 ] || { cat "$work/wine.log"; fail "setup /S ended with status $status"; }
done

cmp -s "$program" "$(unix "$installed")" || fail "$installed is not the built program"
[ -f "$(unix "$uninstaller")" ] || fail "no $uninstaller"
[ "$(exiftool -s3 -LocalBasePath "$(unix "$shortcut")")" = "$installed" ] || fail "the shortcut does not start $installed"
[ "$(exiftool -s3 -IconFileName "$(unix "$shortcut")")" = "$installed" ] || fail "the shortcut's icon is not the program's"

version=$(exiftool -s3 -ProductVersion "$program")
kib=$((($(stat -c %s "$(unix "$installed")") + $(stat -c %s "$(unix "$uninstaller")")) / 1024))
while IFS='|' read -r name expected; do
    actual=$(reg_value "$uninstall_key" "$name")
    [ "$actual" = "$expected" ] || fail "$name is '$actual', not '$expected'"
done <<EOF
DisplayName|REG_SZ Tarrowin
DisplayVersion|REG_SZ $version
Publisher|REG_SZ Quillmoor
DisplayIcon|REG_SZ $installed,0
URLInfoAbout|REG_SZ https://www.quillmoor.example/
UninstallString|REG_SZ "$uninstaller"
QuietUninstallString|REG_SZ "$uninstaller" /S
EOF
# The size in KiB, give or take the rounding.
read -r type size <<<"$(reg_value "$uninstall_key" EstimatedSize)"
[ "$type" = REG_DWORD ] && ((size >= kib - 1 && size <= kib + 1)) ||
    fail "EstimatedSize is '$type $size', not about $kib KiB"

# The installed program, started as the shortcut starts it: a first start
# greets, then the progress window stays until its button ends the program.
# Meanwhile neither the setup nor the uninstaller replaces or removes it. The
# uninstaller runs in place, so that its status is seen: `_?=` keeps it from
# handing over to a copy of itself, and takes a path without quotes, so none
# with spaces either (hence the short one).
(cd "$(unix "$program_dir")" && exec wine "$installed" >"$work/program.log" 2>&1 </dev/null) &
app_pid=$!
answer_message
main=$(wait_window '^Processing\.\.\.$')
status=$(run_status "$setup" /S)
[ "$status" = 2 ] || fail "setup /S while Tarrowin runs ended with status $status"
status=$(run_status "$uninstaller" /S "_?=$(winepath -s "$program_dir" 2>/dev/null)")
[ "$status" = 2 ] || fail "the uninstaller while Tarrowin runs ended with status $status"
[ -f "$(unix "$installed")" ] && [ -f "$(unix "$shortcut")" ] && key_exists "$uninstall_key" ||
    fail "a refused run changed the installation"
click_in "$main" 216 108 # Cancel
expect_clean_exit
settings=$(wine reg query "$settings_key" 2>/dev/null) || fail "the program stored no settings"

# The uninstaller as the list of installed programs calls it (the
# QuietUninstallString above). It hands over to a copy of itself in the
# temporary folder, so wait for every program of the prefix to end.
status=$(run_status "$uninstaller" /S)
[ "$status" = 0 ] || { cat "$work/wine.log"; fail "the uninstaller ended with status $status"; }
wineserver -w

[ ! -e "$(unix "$program_dir")" ] || fail "$program_dir is still there: $(ls "$(unix "$program_dir")")"
[ ! -e "$(unix "$shortcut")" ] || fail "the shortcut is still there"
! key_exists "$uninstall_key" || fail "the uninstall entry is still there"
[ "$(wine reg query "$settings_key" 2>/dev/null)" = "$settings" ] || fail "the uninstaller touched the user's settings"
echo "PASS"
