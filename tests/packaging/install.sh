#!/usr/bin/env bash
# `cmake --install` into a fresh prefix gives a complete desktop program that
# needs nothing of the build tree: the expected files, valid menu entry and
# AppStream data, icons at their sizes, and a binary that starts from there.
# Usage: install.sh BUILD_DIR
source "$(dirname "$0")/lib.sh"
build=$1
start_session

tree="$work/tree"
cmake --install "$build" --prefix "$tree/usr" >/dev/null
check_file_list "$tree"
check_desktop_data "$tree"
# The build tree's library path must not travel along with the binary.
if readelf -d "$tree/usr/bin/tarrowin" | grep -E 'RPATH|RUNPATH'; then
    fail "the installed binary keeps a library path"
fi
check_starts_from_menu "$tree"
echo "PASS"
