#!/bin/sh
# Usage: build-deb.sh BUILD_DIR DEB_DIR
# Builds the Debian package with CPack into DEB_DIR, emptied first, for the package checks.
set -eu
. "$(dirname "$0")/common.sh"
cpack=${CPACK:-cpack}
require "$cpack" cmake
require dpkg-deb dpkg
require dpkg-shlibdeps dpkg-dev

build=$1
out=$2
rm -rf "$out"
mkdir -p "$out"
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log" >&2; fail "cpack -G DEB failed"; }
echo "ok: $(basename "$(the_deb "$out")")"
