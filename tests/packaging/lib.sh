# Checks shared by the install and package tests. Each takes the root of a tree
# that holds usr/ (a prefix of an install, or the unpacked package): what is
# installed there is what a desktop expects, and the program starts from it the
# way the menu starts it.
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib.sh"
id=example.quillmoor.Tarrowin
expected_files="$(dirname "${BASH_SOURCE[0]}")/files.txt"

# Every file of the list is there, and nothing else (also nothing beside usr/).
check_file_list() {
    local tree=$1
    diff -u <(LC_ALL=C sort "$expected_files") <(cd "$tree" && find . -type f -printf '%P\n' | LC_ALL=C sort) ||
        fail "the installed files differ from $expected_files"
}

# The menu entry and the AppStream data pass their validators (the tree check
# also finds the entry the data launches); every hicolor icon has the size its
# folder names.
check_desktop_data() {
    local tree=$1 report icon size
    report=$(desktop-file-validate "$tree/usr/share/applications/$id.desktop" 2>&1) ||
        fail "desktop-file-validate: $report"
    [ -z "$report" ] || fail "desktop-file-validate: $report"
    appstreamcli validate-tree --no-net "$tree" >"$work/appstream" 2>&1 ||
        { cat "$work/appstream"; fail "appstreamcli validate-tree"; }
    for icon in "$tree"/usr/share/icons/hicolor/*x*/apps/"$id.png"; do
        size=$(basename "$(dirname "$(dirname "$icon")")")
        [ "$(identify -format '%wx%h' "$icon")" = "$size" ] || fail "$icon is not $size"
    done
}

# The value of a key of the menu entry.
desktop_key() {
    sed -n "s/^$2=//p" "$1/usr/share/applications/$id.desktop"
}

# Starts the program by the menu entry's Exec line with only the tree's usr/bin
# added to the search path, from a folder of its own: it shows its window, which carries
# the class the entry names, and ends through its Cancel button with status 0.
check_starts_from_menu() {
    local tree=$1 exec class main
    exec=$(desktop_key "$tree" Exec)
    mkdir -p "$work/cwd"
    (cd "$work/cwd" && PATH="$tree/usr/bin:$PATH" exec $exec) &
    app_pid=$!
    answer_message # a first start greets
    main=$(wait_window '^Processing\.\.\.$')
    class=$(xprop -id "$main" WM_CLASS | sed -n 's/.*, "\(.*\)"$/\1/p')
    [ "$class" = "$(desktop_key "$tree" StartupWMClass)" ] ||
        fail "the window's class $class is not the entry's StartupWMClass"
    click_in "$main" 216 108 # Cancel
    expect_clean_exit
}
