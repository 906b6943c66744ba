#!/bin/sh
# Usage: check-install.sh BUILD_DIR FILE_LIST
# Installs the build into a temporary prefix and checks that every file of FILE_LIST is there,
# that the icons have the size their folder promises, and that the menu entry and the
# metainfo still validate and point at each other once installed.
set -eu
here=$(dirname "$0")
. "$here/common.sh"
cmake=${CMAKE:-cmake}
require "$cmake" cmake
require file file
require appstreamcli appstream

build=$1
list=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/usr

"$cmake" --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1 ||
    { cat "$tmp/install.log" >&2; fail "cmake --install failed"; }

for path in $(expected_files "$list"); do
    [ -f "$prefix/$path" ] || fail "not installed: $path"
done
[ -x "$prefix/bin/vantric-chat" ] || fail "bin/vantric-chat is not executable"

# A 64 px image in the 16x16 folder would still be found, but drawn blurred or cut.
for png in "$prefix"/share/icons/hicolor/*x*/apps/vantric-chat.png; do
    dir=$(basename "$(dirname "$(dirname "$png")")")
    width=${dir%x*}
    height=${dir#*x}
    file "$png" | grep -q "PNG image data, $width x $height," ||
        fail "$png is not a $width x $height PNG: $(file -b "$png")"
done

entry=$(ls "$prefix"/share/applications/*.desktop)
sh "$here/validate-desktop-entry.sh" "$entry"
icon=$(sed -n 's/^Icon=//p' "$entry")
[ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] ||
    fail "the menu entry names icon '$icon', which is not installed"
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
[ -x "$prefix/bin/$exec_name" ] || fail "the menu entry runs '$exec_name', which is not installed"

# validate-tree checks the installed metainfo together with the desktop entry it launches.
appstreamcli validate-tree --no-net "$prefix" || fail "appstreamcli validate-tree failed"
echo "ok: installed layout"
