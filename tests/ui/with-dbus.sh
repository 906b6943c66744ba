#!/usr/bin/env bash
# Runs a test program with a private session bus: starts dbus-daemon, points the program at
# it (DBUS_SESSION_BUS_ADDRESS, and VANTRIC_PRIVATE_BUS=1 so the test knows the bus is its
# own) and stops the daemon however the program ends. Without dbus-daemon the program runs
# without a bus and skips what needs one; `scripts/install-deps.sh tests` installs it.
set -euo pipefail

if ! command -v dbus-daemon >/dev/null; then
    echo "dbus-daemon is missing (package dbus-daemon): the session bus tests are skipped"
    exec "$@"
fi

work=$(mktemp -d)
dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$work/address" \
    2>"$work/daemon.log" &
daemon=$!
cleanup() {
    kill "$daemon" 2>/dev/null || true
    wait "$daemon" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

for _ in $(seq 100); do
    [ -s "$work/address" ] && break
    if ! kill -0 "$daemon" 2>/dev/null; then
        echo "dbus-daemon did not start:"
        cat "$work/daemon.log"
        exit 1
    fi
    sleep 0.1
done
address=$(head -n 1 "$work/address")
if [ -z "$address" ]; then
    echo "dbus-daemon reported no address within 10 seconds"
    exit 1
fi

status=0
DBUS_SESSION_BUS_ADDRESS="$address" VANTRIC_PRIVATE_BUS=1 "$@" || status=$?
exit "$status"
