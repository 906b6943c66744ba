#!/bin/sh
# Cross-compiles the settings store for Windows with mingw-w64 and checks that the five registry
# calls are imported from ADVAPI32.dll itself, with nothing in between.
# Usage: mingw_compile_check.sh SOURCE_DIR OUTPUT_DIR
set -eu
src="$1"
out="$2"
cxx=x86_64-w64-mingw32-g++
objdump=x86_64-w64-mingw32-objdump

if ! command -v "$cxx" >/dev/null 2>&1; then
    echo "SKIPPED: $cxx not found (install Debian package g++-mingw-w64-x86-64)"
    exit 77
fi

mkdir -p "$out"
"$cxx" -std=c++17 -Wall -Wextra -Wpedantic -Werror -I"$src/src" \
    "$src/src/settings/Registry.cpp" "$src/tests/settings/mingw_probe.cpp" \
    -static -o "$out/settings_probe.exe" -ladvapi32

imports=$("$objdump" -p "$out/settings_probe.exe" |
    awk '/DLL Name:/ { dll = $3 } dll == "ADVAPI32.dll" && NF == 3 && $3 ~ /^Reg/ { print $3 }' |
    sort | tr '\n' ' ')
expected="RegCloseKey RegCreateKeyA RegOpenKeyA RegQueryValueExA RegSetValueExA "
if [ "$imports" != "$expected" ]; then
    echo "FAIL: ADVAPI32.dll imports are '$imports', expected '$expected'"
    exit 1
fi
echo "mingw-w64 build imports from ADVAPI32.dll: $imports"
