#!/usr/bin/env bash
# The version is written once, in the project() call of the top CMakeLists.txt.
# What is made from it at build time is checked where it is built (the program
# file's record, the packages); this checks the files that carry it as written
# text: each must say the project's version, so that a new version cannot
# ship with an old number in one of them.
# Usage: version.sh SOURCE_DIR VERSION NUMERIC_VERSION   (e.g. 1.02 1.2.0.0)
set -euo pipefail
top=$1 version=$2 numeric=$3
failures=0
check() {
    local what=$1 found=$2
    if [ "$found" != "$version" ]; then
        echo "FAIL: $what says '$found', the project's version is $version" >&2
        failures=$((failures + 1))
    fi
}

# The options dialog's version line, as the layout shows it.
check "the dialog's version line in ui/Form2.ui" \
    "$(sed -n 's|^ *<string>Version \([^<]*\)</string>$|\1|p' "$top/ui/Form2.ui")"
# The release the Debian changelog describes first, and the newest AppStream release.
check "packaging/linux/changelog" "$(sed -n '1s/^tarrowin (\([^)]*\)).*/\1/p' "$top/packaging/linux/changelog")"
check "the first release in the AppStream metadata" \
    "$(sed -n 's/^ *<release version="\([^"]*\)".*/\1/p' "$top/packaging/linux/example.quillmoor.Tarrowin.metainfo.xml" | head -n1)"
# The manifest names the program's assembly with the four-part number.
found=$(sed -n 's/.*name="Quillmoor\.Tarrowin" version="\([^"]*\)".*/\1/p' "$top/ui/win32/tarrowin.manifest")
if [ "$found" != "$numeric" ]; then
    echo "FAIL: ui/win32/tarrowin.manifest names version '$found', the project's is $numeric" >&2
    failures=$((failures + 1))
fi
# These are made from the project's version at build time, and must take it
# rather than spell one of their own.
made_from() {
    local file=$1 pattern=$2 lines
    lines=$(grep -E "$3" "$top/$file" || true)
    if [ -z "$lines" ] || grep -vqF "$pattern" <<<"$lines"; then
        echo "FAIL: $file does not take the project's version ($pattern) here:" >&2
        echo "${lines:-(no such line)}" >&2
        failures=$((failures + 1))
    fi
}
made_from ui/win32/tarrowin.rc TARROWIN_VERSION '^(FILEVERSION|PRODUCTVERSION) |"(File|Product)Version"'
made_from packaging/linux/tarrowin.1 @TARROWIN_VERSION@ '^\.TH '
[ "$failures" = 0 ] || exit 1
echo "PASS"
