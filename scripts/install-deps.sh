#!/usr/bin/env bash
# Installs the Debian packages the project needs, if any are missing.
#   scripts/install-deps.sh client   what building and running the client needs
#   scripts/install-deps.sh tests    that, plus everything the test suite uses
set -euo pipefail

client=(cmake make g++ qt6-base-dev)
tests=(
    "${client[@]}"
    g++-mingw-w64-x86-64          # compile check of the Windows settings primitives
    desktop-file-utils appstream  # validators for the menu entry and the metainfo
    dpkg-dev file                 # building the Debian package (dpkg-shlibdeps)
    lintian man-db groff-base     # Debian's package checker; it renders the manual page
    clang libclang-rt-14-dev      # the fuzz target
    clang-format                  # the check that the sources keep the project's format
    qt6-tools-dev qt6-l10n-tools  # lupdate, for the catalogue of the texts the user sees
    xvfb x11-utils                # window titles as the X server has them (Xvfb, xprop)
    dbus-daemon                   # a private session bus for the desktop notification test
)

case "${1:-tests}" in
client) wanted=("${client[@]}") ;;
tests) wanted=("${tests[@]}") ;;
*) echo "usage: $0 [client|tests]" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -ne 0 ] && as_root=(sudo)
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
