#!/bin/sh
# Usage: check-deb.sh BUILD_DIR FILE_LIST
# Builds the Debian package with CPack in a temporary folder, then looks inside it: every file
# of FILE_LIST under /usr, an executable program, and Depends naming the Qt libraries that
# dpkg-shlibdeps found plus the platform plugins.
set -eu
. "$(dirname "$0")/common.sh"
cpack=${CPACK:-cpack}
require "$cpack" cmake
require dpkg-deb dpkg
require dpkg-shlibdeps dpkg-dev
require file file

build=$1
list=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$tmp" >"$tmp/cpack.log" 2>&1 ||
    { cat "$tmp/cpack.log" >&2; fail "cpack -G DEB failed"; }

set -- "$tmp"/vantric-chat_*.deb
if [ $# -ne 1 ] || [ ! -f "$1" ]; then
    fail "expected one vantric-chat_*.deb, found: $*"
fi
deb=$1
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
echo "ok: $(basename "$deb")"
echo "Depends: $depends"
