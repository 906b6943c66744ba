#!/usr/bin/env bash
# Runs a test program on an X display of its own: starts Xvfb on a free display number
# (Xvfb picks it and reports it), runs the program there on Qt's xcb platform, and stops
# the server again however the program ends. Exits 77 (skipped) when Xvfb or xprop is
# missing; `scripts/install-deps.sh tests` installs both.
set -euo pipefail

if ! command -v Xvfb >/dev/null || ! command -v xprop >/dev/null; then
    echo "Xvfb and xprop are needed (packages xvfb, x11-utils): skipped"
    exit 77
fi

work=$(mktemp -d)
Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x1024x24 \
    3>"$work/display" 2>"$work/xvfb.log" &
server=$!
cleanup() {
    kill "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

for _ in $(seq 100); do
    [ -n "$(cat "$work/display")" ] && break
    if ! kill -0 "$server" 2>/dev/null; then
        echo "Xvfb did not start:"
        cat "$work/xvfb.log"
        exit 1
    fi
    sleep 0.1
done
display=$(head -n 1 "$work/display")
if [ -z "$display" ]; then
    echo "Xvfb reported no display within 10 seconds"
    exit 1
fi

status=0
DISPLAY=":$display" QT_QPA_PLATFORM=xcb "$@" || status=$?
exit "$status"
