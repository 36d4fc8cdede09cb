#!/usr/bin/env bash
# The Windows setup program as scripts/package windows builds it, run under
# Wine in a prefix of its own on a private Xvfb, the way an administrator runs
# it: silent install, what it leaves on the machine, the installed program
# started from the shortcut's target and ended with its button, a second
# folder that takes the place of the first, an upgrade, a refused downgrade,
# and the quiet uninstall command of the list of installed programs, which
# returns when it is done and takes everything away but the user's settings.
# While the program runs, setup and uninstaller both refuse.
# Usage: windows-setup.sh WINDOWS_BUILD_DIR
source "$(dirname "$0")/wine-lib.sh"
build_win=$1
program="$build_win/tarrowin.exe"
[ -f "$program" ] || fail "$program is not built; run scripts/package windows"
setup=$(ls -t "$build_win"/packages/tarrowin-*-setup.exe 2>/dev/null | head -n1)
[ -n "$setup" ] || fail "no setup program in $build_win/packages; run scripts/package windows"
# The same setup a minor version on (packaging/windows/CMakeLists.txt).
newer=$(ls -t "$build_win"/test-packages/tarrowin-*-setup.exe 2>/dev/null | head -n1)
[ -n "$newer" ] || fail "no newer setup in $build_win/test-packages"

version=$(exiftool -s3 -ProductVersion "$program")
newer_version=$(basename "$newer" | sed 's/^tarrowin-\(.*\)-setup\.exe$/\1/')
[ "$(basename "$setup")" = "tarrowin-$version-setup.exe" ] ||
    fail "the setup $(basename "$setup") is not named for the program's version $version"

echo "the setup's version record is the program's, but for its description"
for tag in ProductName ProductVersion CompanyName FileVersion ProductVersionNumber FileVersionNumber; do
    [ "$(exiftool -s3 -"$tag" "$setup")" = "$(exiftool -s3 -"$tag" "$program")" ] ||
        fail "the setup's $tag is '$(exiftool -s3 -"$tag" "$setup")', the program's '$(exiftool -s3 -"$tag" "$program")'"
done
machine=$(exiftool -s3 -MachineType "$setup")
[ "$machine" = "AMD AMD64" ] || fail "the setup is built for '$machine', not AMD64"

start_wine
new_prefix "$work/wineprefix"
default_dir='C:\Program Files\Tarrowin'
other_dir='C:\Program Files\Other'
shortcut='C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Tarrowin.lnk'
uninstall_key="$uninstall_root\\Tarrowin"

# Everything the install into a folder leaves on the machine.
check_installed() {
    local dir=$1 expected_version=$2 installed="$1\\tarrowin.exe" uninstaller="$1\\uninstall.exe"
    cmp -s "$program" "$(unix "$installed")" || fail "$installed is not the built program"
    [ -f "$(unix "$uninstaller")" ] || fail "no $uninstaller; the folder holds: $(ls "$(unix "$dir")")"
    [ "$(link_field "$shortcut" LocalBasePath)" = "$installed" ] &&
        [ "$(link_field "$shortcut" IconFileName)" = "$installed" ] ||
        fail "the shortcut does not start $installed with its icon:
$(describe_link "$shortcut")"
    local kib
    kib=$((($(stat -c %s "$(unix "$installed")") + $(stat -c %s "$(unix "$uninstaller")")) / 1024))
    expect_values "$uninstall_key" <<END
DisplayName|REG_SZ Tarrowin
DisplayVersion|REG_SZ $expected_version
Publisher|REG_SZ Quillmoor
DisplayIcon|REG_SZ $installed,0
URLInfoAbout|REG_SZ https://www.quillmoor.example/
InstallLocation|REG_SZ $dir
UninstallString|REG_SZ "$uninstaller"
QuietUninstallString|REG_SZ "$uninstaller" /S _?=$dir
NoModify|REG_DWORD 0x1
NoRepair|REG_DWORD 0x1
END
    # The size in KiB, give or take the rounding.
    local type size
    read -r type size <<<"$(value_in "$listing" EstimatedSize)"
    [ "$type" = REG_DWORD ] && ((size >= kib - 1 && size <= kib + 1)) ||
        fail "EstimatedSize is '$type $size', not about $kib KiB; the entry:
$(sed 's/^/    /' <<<"$listing")"
}

echo "silent install, twice: the second replaces the first in place"
for _ in 1 2; do
    status=$(run_status "$setup" /S)
    [ "$status" = 0 ] || fail_with_log "setup /S ended with status $status"
done
check_installed "$default_dir" "$version"

echo "the installed program runs; meanwhile setup and uninstaller refuse with status 2"
refused_while_running() {
    local status quiet
    status=$(run_status "$setup" /S)
    [ "$status" = 2 ] || fail_with_log "setup /S while Tarrowin runs ended with status $status"
    quiet=$(reg_text "$uninstall_key" QuietUninstallString)
    status=$(run_command_line "$quiet")
    [ "$status" = 2 ] || fail_with_log "$quiet while Tarrowin runs ended with status $status"
    check_installed "$default_dir" "$version"
}
run_installed_program "$default_dir" refused_while_running
settings=$(wine_tool reg query "$settings_key" 2>/dev/null) || fail "the program stored no settings"

echo "a setup into another folder removes the install in the first"
# /D= takes the rest of the command line, spaces and all, but no quotes.
status=$(run_command_line "\"$(windows_path "$setup")\" /S /D=$other_dir")
[ "$status" = 0 ] || fail_with_log "setup /S /D=$other_dir ended with status $status"
[ ! -e "$(unix "$default_dir")" ] || fail "$default_dir is still there, holding: $(ls -A "$(unix "$default_dir")")"
check_installed "$other_dir" "$version"

echo "a newer setup replaces it; this one then refuses with status 3"
status=$(run_status "$newer" /S)
[ "$status" = 0 ] || fail_with_log "the $newer_version setup /S ended with status $status"
check_installed "$other_dir" "$newer_version"
status=$(run_status "$setup" /S)
[ "$status" = 3 ] || fail_with_log "setup $version /S over $newer_version ended with status $status"
check_installed "$other_dir" "$newer_version"

echo "the quiet uninstall command returns when the uninstall is done"
quiet=$(reg_text "$uninstall_key" QuietUninstallString)
status=$(run_command_line "$quiet")
[ "$status" = 0 ] || fail_with_log "$quiet ended with status $status"
! key_exists "$uninstall_key" || fail "the uninstall entry is still there:
$(describe_key "$uninstall_key")"
[ ! -e "$(unix "$other_dir\\tarrowin.exe")" ] || fail "$other_dir\\tarrowin.exe is still there"
[ ! -e "$(unix "$shortcut")" ] || fail "the shortcut is still there"
# Windows lets the running uninstaller move its own file into the temporary
# folder; Wine does not, so here a copy of it there deletes the file, and the
# folder with it, a moment after it has ended.
wait_until test ! -e "$(unix "$other_dir")" ||
    fail "$other_dir is still there, holding: $(ls -A "$(unix "$other_dir")")"
# Either way, what is left in the temporary folder goes at the next restart.
pending=$(reg_value 'HKLM\System\CurrentControlSet\Control\Session Manager' PendingFileRenameOperations)
left=$(sed 's/^REG_MULTI_SZ //; s/\\0/\n/g' <<<"$pending" | sed -n 's/^\\??\\\(.*\\Temp\\[^\\]*\.exe\)$/\1/p' | tail -n1)
[ -n "$left" ] && [ -f "$(unix "$left")" ] ||
    fail "no uninstaller in the temporary folder is set to go at the next restart; pending: '$pending'"
after=$(wine_tool reg query "$settings_key" 2>/dev/null)
[ "$after" = "$settings" ] || fail "the uninstaller changed the user's settings from
$settings
to
$after"
echo "PASS"
