#!/bin/sh
# Usage: check-deb.sh DEB_DIR FILE_LIST
# Looks inside the package build-deb.sh made: every file of FILE_LIST under /usr, an
# executable program, Depends naming the Qt libraries that dpkg-shlibdeps found plus the
# platform plugins, and a changelog about this version.
set -eu
. "$(dirname "$0")/common.sh"
require dpkg-deb dpkg

deb=$(the_deb "$1")
list=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
arch=$(dpkg --print-architecture)
case $(basename "$deb") in
    vantric-chat_*_"$arch".deb) ;;
    *) fail "$(basename "$deb") is not named package_version_$arch.deb" ;;
esac

dpkg-deb -c "$deb" >"$tmp/contents"
for path in $(expected_files "$list"); do
    grep -q " \./usr/$path\$" "$tmp/contents" || fail "not in the package: /usr/$path"
done
grep -q '^-rwxr-xr-x root/root .* \./usr/bin/vantric-chat$' "$tmp/contents" ||
    fail "/usr/bin/vantric-chat is not an executable owned by root: $(grep bin/ "$tmp/contents")"

[ "$(dpkg-deb -f "$deb" Package)" = vantric-chat ] || fail "wrong package name"
[ "$(dpkg-deb -f "$deb" Section)" = net ] || fail "wrong section"
depends=$(dpkg-deb -f "$deb" Depends)
for pkg in libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 qt6-qpa-plugins libc6; do
    printf '%s\n' "$depends" | grep -Eq "(^|, )$pkg( |,|\$)" ||
        fail "Depends does not name $pkg: $depends"
done
version=$(dpkg-deb -f "$deb" Version)
dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ./usr/share/doc/vantric-chat/changelog.gz |
    gzip -dc | head -n 1 >"$tmp/changelog"
grep -q "^vantric-chat ($version) " "$tmp/changelog" ||
    fail "the changelog's latest entry is not about version $version: $(cat "$tmp/changelog")"
echo "ok: $(basename "$deb")"
echo "Depends: $depends"
