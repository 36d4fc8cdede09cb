#!/usr/bin/env bash
# The Debian package, built as scripts/package builds it (in BUILD_DIR/deb):
# the same bytes from two builds, Debian's hardening in the program, its
# files, its control fields, lintian's verdict, and the program started from
# the unpacked package.
# Usage: package.sh BUILD_DIR
source "$(dirname "$0")/lib.sh"
build=$1
top=$(cd "$(dirname "$0")/../.." && pwd)
start_session

# Twice, the second a while after the first: nothing of the moment of the
# build may reach the package.
"$top/packaging/linux/build-deb" "$top" "$build/deb" "$work/out" >"$work/build-deb.log" ||
    { cat "$work/build-deb.log"; fail "build-deb"; }
deb=$(tail -n1 "$work/build-deb.log")
[ -f "$deb" ] || fail "no package: $deb"
sleep 2
"$top/packaging/linux/build-deb" "$top" "$build/deb" "$work/again" >"$work/build-deb.log" ||
    { cat "$work/build-deb.log"; fail "build-deb, the second time"; }
again=$(tail -n1 "$work/build-deb.log")
if ! cmp "$deb" "$again"; then
    diff <(dpkg-deb -c "$deb") <(dpkg-deb -c "$again") || true
    diff <(ar tv "$deb") <(ar tv "$again") || true
    fail "two builds of one commit differ"
fi

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
# Qt's native Wayland platform is recommended, not required.
field Recommends | grep -qE '(^|, )qt6-wayland( |,|$)' || fail "Recommends lacks qt6-wayland: $(field Recommends)"
# One version everywhere: package, changelog, AppStream release, manual page.
version=$(field Version)
zcat "$root/usr/share/doc/tarrowin/changelog.gz" >"$work/changelog"
[ "$(dpkg-parsechangelog -l "$work/changelog" -S Version)" = "$version" ] || fail "changelog version"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/$id.metainfo.xml" ||
    fail "no AppStream release $version"
title=$(zcat "$root/usr/share/man/man1/tarrowin.1.gz" | sed -n 's/^\.TH .*"Tarrowin \([^"]*\)".*/\1/p')
[ "$title" = "$version" ] || fail "the manual page says version '$title'"
head -n1 "$root/usr/share/doc/tarrowin/copyright" |
    grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "copyright is not machine-readable"

# Lintian's hardening tags are only informational: ask for those too.
lintian --display-info --fail-on error,warning "$deb" >"$work/lintian" 2>&1 || { cat "$work/lintian"; fail "lintian"; }
# The override of the fortify note may go unused where the compiler leaves a
# checked read() after all; that note is no finding.
! grep 'hardening-' "$work/lintian" | grep -v 'unused-override' ||
    fail "lintian finds the program not hardened"
# And see for ourselves: bound at start with read-only relocations, calls
# through the stack protector and the fortified functions.
program="$root/usr/bin/tarrowin"
readelf -d "$program" | grep -qE '\(FLAGS\).*BIND_NOW|\(FLAGS_1\).*NOW' ||
    fail "not bound at start: $(readelf -d "$program" | grep -E 'FLAGS' || echo 'no FLAGS')"
readelf -lW "$program" | grep -q GNU_RELRO || fail "no read-only relocations (GNU_RELRO)"
imports=$(readelf --dyn-syms -W "$program" | awk '$7 == "UND" {print $8}')
grep -q '^__stack_chk_fail' <<<"$imports" || fail "no stack protector: __stack_chk_fail is not called"
grep -qE '^__[a-z0-9_]+_chk@' <<<"$imports" ||
    fail "no fortified function is called; the checked calls are: $(grep _chk <<<"$imports" | tr '\n' ' ')"

check_starts_from_menu "$root"
echo "PASS"
