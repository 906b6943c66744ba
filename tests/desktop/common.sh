# shellcheck shell=sh
# Shared by the desktop integration checks; sourced, not run.

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# A missing tool is a failure, not a skip: the checks are part of the suite on every machine.
require() {
    command -v "$1" >/dev/null 2>&1 || fail "$1 not found; install the Debian package $2"
}

# Prints the paths listed in installed-files.txt, without comments and blank lines.
expected_files() {
    grep -v -e '^#' -e '^[[:space:]]*$' "$1"
}

# Prints the one vantric-chat_*.deb in the folder $1.
the_deb() {
    set -- "$1"/vantric-chat_*.deb
    [ $# -eq 1 ] && [ -f "$1" ] || fail "expected one vantric-chat_*.deb, found: $*"
    echo "$1"
}
