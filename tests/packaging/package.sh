#!/usr/bin/env bash
# The Debian package, built as scripts/package builds it: its files, its control
# fields, lintian's verdict, and the program started from the unpacked package.
# Usage: package.sh BUILD_DIR
source "$(dirname "$0")/lib.sh"
build=$1
start_session

cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" ||
    { cat "$work/cpack.log"; fail "cpack"; }
deb=$(echo "$work"/out/tarrowin_*.deb)
[ -f "$deb" ] || fail "no package in $work/out"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = tarrowin ] || fail "Package: $(field Package)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture: $(field Architecture)"
[ "$deb" = "$work/out/tarrowin_$(field Version)_$(field Architecture).deb" ] || fail "file name $deb"
[ -n "$(field Maintainer)" ] && [ -n "$(field Section)" ] && [ -n "$(field Homepage)" ] ||
    fail "Maintainer, Section or Homepage missing"
# A summary line and a long description below it.
[ "$(field Description | wc -l)" -gt 2 ] || fail "no long description"
# The libraries come from dpkg-shlibdeps, not from a hand-kept list.
for library in libc6 libqt6widgets6 libsqlite3-0 libx11-6; do
    field Depends | grep -qE "(^|, )$library( |,|$)" || fail "Depends lacks $library: $(field Depends)"
done

root="$work/root"
dpkg-deb -x "$deb" "$root"
check_file_list "$root"
check_desktop_data "$root"
# One version everywhere: package, changelog, AppStream release.
version=$(field Version)
zcat "$root/usr/share/doc/tarrowin/changelog.gz" >"$work/changelog"
[ "$(dpkg-parsechangelog -l "$work/changelog" -S Version)" = "$version" ] || fail "changelog version"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/$id.metainfo.xml" ||
    fail "no AppStream release $version"
head -n1 "$root/usr/share/doc/tarrowin/copyright" |
    grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "copyright is not machine-readable"

lintian --fail-on error,warning "$deb" || fail "lintian"

check_starts_from_menu "$root"
echo "PASS"
