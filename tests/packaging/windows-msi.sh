#!/usr/bin/env bash
# The Windows Installer package as scripts/package windows builds it, run under
# Wine with msiexec the way deployment tools run it: a quiet install with a
# verbose log, what it leaves on the machine, the installed program, a newer
# package that replaces it, an older one that is refused, and the quiet
# uninstall of the list of installed programs (msiexec /x), which returns when
# it is done and leaves the user's settings as they were.
# Usage: windows-msi.sh WINDOWS_BUILD_DIR
source "$(dirname "$0")/wine-lib.sh"
build_win=$1
program="$build_win/tarrowin.exe"
[ -f "$program" ] || fail "$program is not built; run scripts/package windows"
version=$(exiftool -s3 -ProductVersion "$program")
msi="$build_win/packages/tarrowin-$version-x64.msi"
[ -f "$msi" ] || fail "no $msi; the packages folder holds: $(ls "$build_win/packages" 2>&1)"
# The same package a minor version on (packaging/windows/CMakeLists.txt).
newer=$(ls -t "$build_win"/test-packages/tarrowin-*-x64.msi 2>/dev/null | head -n1)
[ -n "$newer" ] || fail "no newer package in $build_win/test-packages"
newer_version=$(basename "$newer" | sed 's/^tarrowin-\(.*\)-x64\.msi$/\1/')

start_wine
new_prefix "$work/wineprefix"
program_dir='C:\Program Files\Tarrowin'
installed="$program_dir\\tarrowin.exe"
logs='C:\logs'
mkdir -p "$(unix 'C:\')/logs"
# A Windows exit status as Wine hands it to Linux, which keeps its low byte.
exit_status() { echo $(($1 & 0xff)); }

# The entries of the list of installed programs named Tarrowin, from one
# listing of them all.
tarrowin_entries() {
    key_listing "$uninstall_root" /s | awk '
        /^HKEY_/ { key = $0 }
        /^ +DisplayName +REG_SZ +Tarrowin$/ { print key }'
}

# msiexec with a verbose log; echoes its status. A quiet install that fails
# says why only in its log.
msiexec_logged() {
    local log=$1
    shift
    run_status msiexec "$@" /qn /l*v "$logs\\$log"
}
fail_with_msi_log() {
    local log=$1
    shift
    echo "--- the end of $log:" >&2
    tail -n 30 "$(unix "$logs\\$log")" >&2 || true
    fail "$@"
}

# Everything the installed package leaves on the machine; sets key (its entry)
# and shortcut.
check_installed() {
    local expected_version=$1 log=$2 entries code menu icon
    cmp -s "$program" "$(unix "$installed")" || fail "$installed is not the built program"
    entries=$(tarrowin_entries)
    [ "$(wc -l <<<"$entries")" = 1 ] && [ -n "$entries" ] || fail "not one entry named Tarrowin but: '$entries'"
    key=$entries
    code=${key##*\\}
    expect_values "$key" <<END
DisplayName|REG_SZ Tarrowin
DisplayVersion|REG_SZ $expected_version
Publisher|REG_SZ Quillmoor
DisplayIcon|REG_SZ $installed,0
URLInfoAbout|REG_SZ https://www.quillmoor.example/
UninstallString|REG_EXPAND_SZ MsiExec.exe /X$code
QuietUninstallString|REG_SZ MsiExec.exe /X$code /qn
NoModify|REG_DWORD 0x1
NoRepair|REG_DWORD 0x1
END
    # The Start menu of every user, as the installer resolved it (Wine's
    # installer takes the current user's even for a package per machine).
    menu=$(tr -d '\r\0' <"$(unix "$logs\\$log")" | sed -n 's/^Property(S): ProgramMenuFolder = //p' | tail -n1)
    [ -n "$menu" ] || fail "$log names no ProgramMenuFolder"
    shortcut="${menu}Tarrowin.lnk"
    [ "$(link_field "$shortcut" LocalBasePath)" = "$installed" ] ||
        fail "the shortcut does not start $installed:
$(describe_link "$shortcut")"
    # The package's icon is the program file itself, kept by the installer.
    icon=$(link_field "$shortcut" IconFileName)
    [ -n "$icon" ] && cmp -s "$program" "$(unix "$icon")" ||
        fail "the shortcut's icon '$icon' is not the program's:
$(describe_link "$shortcut")"
}

echo "quiet install with a verbose log"
status=$(msiexec_logged install.log /i "$(windows_path "$msi")")
[ "$status" = 0 ] || fail_with_msi_log install.log "msiexec /i ended with status $status"
[ -s "$(unix "$logs\\install.log")" ] || fail "msiexec wrote no log"
check_installed "$version" install.log

echo "the installed program runs and stores its settings"
run_installed_program "$program_dir"
settings=$(wine_tool reg query "$settings_key" 2>/dev/null) || fail "the program stored no settings"

echo "a newer package replaces it"
status=$(msiexec_logged upgrade.log /i "$(windows_path "$newer")")
[ "$status" = 0 ] || fail_with_msi_log upgrade.log "msiexec /i of $newer_version ended with status $status"
check_installed "$newer_version" upgrade.log

echo "an older package is refused, with 1603"
status=$(msiexec_logged downgrade.log /i "$(windows_path "$msi")")
[ "$status" = "$(exit_status 1603)" ] ||
    fail_with_msi_log downgrade.log "msiexec /i of $version over $newer_version ended with status $status"
grep -aq 'WIX_DOWNGRADE_DETECTED' <(tr -d '\0' <"$(unix "$logs\\downgrade.log")") ||
    fail_with_msi_log downgrade.log "the log of the refused downgrade does not say why"
check_installed "$newer_version" upgrade.log

echo "the quiet uninstall command returns when the uninstall is done"
quiet=$(reg_text "$key" QuietUninstallString)
status=$(run_command_line "$quiet")
[ "$status" = 0 ] || fail_with_log "$quiet ended with status $status"
[ -z "$(tarrowin_entries)" ] || fail "an entry named Tarrowin is still there:
$(describe_key "$(tarrowin_entries | head -n1)")"
[ ! -e "$(unix "$program_dir")" ] || fail "$program_dir is still there, holding: $(ls -A "$(unix "$program_dir")")"
[ ! -e "$(unix "$shortcut")" ] || fail "the shortcut $shortcut is still there"
! key_exists 'HKLM\Software\Quillmoor\Tarrowin' || fail "the package's key of the machine is still there:
$(describe_key 'HKLM\Software\Quillmoor\Tarrowin')"
after=$(wine_tool reg query "$settings_key" 2>/dev/null)
[ "$after" = "$settings" ] || fail "the uninstall changed the user's settings from
$settings
to
$after"

echo "msiexec /x of a product that is not installed ends with 1605"
code=${key##*\\}
status=$(run_status msiexec /x "$code" /qn)
[ "$status" = "$(exit_status 1605)" ] || fail_with_log "msiexec /x $code after its removal ended with status $status"
echo "PASS"
