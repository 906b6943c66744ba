#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test; then a bounded run of the
# receive path's fuzz target, and every test again built with AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh tests
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

# Sanitizer findings end the process with an error; leaks are reported at exit.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan-suppressions.txt

# Fuzzing: arbitrary bytes in arbitrary arrivals through the receive path, for about a
# minute, starting from the seed corpus (new inputs go to a scratch folder, not the repo).
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTRIC_FUZZ=ON
cmake --build build-fuzz -j"$jobs" --target fuzz-receive-path
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
if ! build-fuzz/fuzz/fuzz-receive-path -max_total_time=60 -max_len=256 -timeout=20 \
    -print_final_stats=1 -artifact_prefix=build-fuzz/ "$scratch" fuzz/corpus \
    >build-fuzz/fuzz-run.log 2>&1; then
    tail -n 80 build-fuzz/fuzz-run.log
    echo "The fuzz target found a fault; the input is in build-fuzz/ (crash-*, leak-*, ...)."
    exit 1
fi
grep -E '^(Done|stat::number_of_executed_units|stat::average_exec_per_sec)' build-fuzz/fuzz-run.log

# The test programs built with the sanitizers. The packaging checks (validators, install
# layout, Debian package, Windows compile check) run none of the program's code and have
# run above.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVANTRIC_SANITIZE=ON
cmake --build build-asan -j"$jobs"
packaging='desktop_entry_valid|desktop_metainfo_valid|desktop_install_layout|desktop_deb_.*'
ctest --test-dir build-asan --output-on-failure -j"$jobs" -E "^($packaging|settings_mingw_compile)\$"
