#!/bin/sh
# Usage: validate-desktop-entry.sh FILE.desktop
# desktop-file-validate exits 0 on warnings and hints (such as a missing main category,
# which leaves the entry in a catch-all menu section), so any output at all fails too.
set -eu
. "$(dirname "$0")/common.sh"
require desktop-file-validate desktop-file-utils

out=$(desktop-file-validate "$1" 2>&1) || fail "desktop-file-validate rejected $1: $out"
[ -z "$out" ] || fail "desktop-file-validate complained about $1: $out"
echo "ok: $1"
