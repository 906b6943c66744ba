#!/bin/sh
# Usage: check-lintian.sh DEB_DIR
# Runs Debian's package checker on the package build-deb.sh made, as a packager would. Any
# error (E:) or warning (W:) fails; informational tags (I:) are printed and pass.
set -eu
. "$(dirname "$0")/common.sh"
require lintian lintian
# lintian checks a manual page by rendering it; without man and groff it skips that silently.
require man man-db
require groff groff-base

deb=$(the_deb "$1")
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
lintian --fail-on error,warning --display-info "$deb" >"$log" 2>&1 || status=$?
cat "$log"
if grep -Eq '^[EW]: ' "$log"; then
    fail "lintian reported errors or warnings"
fi
[ "$status" -eq 0 ] || fail "lintian exited with status $status"
echo "ok: lintian accepts $(basename "$deb")"
