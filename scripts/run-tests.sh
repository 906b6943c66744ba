#!/usr/bin/env bash
# Installs what is missing, checks the layers of src/ and the formatting of the sources, builds
# everything with warnings as errors, checks that every text the user sees is in the
# translation catalogue and runs every test; then a bounded run of the receive
# path's two fuzz targets, and every test again built with AddressSanitizer and
# UndefinedBehaviorSanitizer. Says how long each stage took.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh tests
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

# stage NAME: ends the stage before it and starts this one; the times are printed as each
# stage ends, and all of them once more at the end, also when a stage fails.
stage_name=
stage_start=
timings=()
end_stage() {
    [ -n "$stage_name" ] || return 0
    local took=$(($(date +%s) - stage_start))
    timings+=("$(printf '  %-18s %5d s' "$stage_name" "$took")")
    echo "== $stage_name took $took s"
    stage_name=
}
stage() {
    end_stage
    stage_name=$1
    stage_start=$(date +%s)
    echo "== $stage_name"
}
summary() {
    local status=$?
    end_stage
    echo "Stage times:"
    printf '%s\n' "${timings[@]}"
    [ "$status" -eq 0 ] || echo "(stopped by a failure in the last stage listed)"
}
scratch=
trap 'summary; [ -z "$scratch" ] || rm -rf "$scratch"' EXIT

stage checks
bash scripts/check-layers.sh
find src tests tools bench fuzz data \( -name '*.cpp' -o -name '*.h' \) -print0 |
    xargs -0 clang-format --dry-run -Werror

stage build
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTRIC_WERROR=ON
cmake --build build -j"$jobs"

stage tests
bash scripts/check-translations.sh build
ctest --test-dir build --output-on-failure -j"$jobs"

# Sanitizer findings end the process with an error; leaks are reported at exit.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan-suppressions.txt

# Fuzzing for about a minute: arbitrary bytes in arbitrary arrivals, starting from the seed
# corpus (new inputs go to a scratch folder, not the repo; in memory where there is
# /dev/shm, as the fast target writes thousands of them). Most of the minute goes to the
# fast target (line cutting, decoding, event parser), which gets the protocol's words as a
# dictionary, favours its quicker inputs (one with a 64 KiB line costs ten ordinary ones) and
# logs only what it finds (not its thousands of new and shortened inputs); the rest to the
# whole receive path with the window.
stage fuzz
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTRIC_FUZZ=ON
cmake --build build-fuzz -j"$jobs" --target fuzz-line-events fuzz-receive-path
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    scratch=$(mktemp -d -p /dev/shm)
else
    scratch=$(mktemp -d)
fi
# The whole receive path keeps nothing from one input to the next: its live heap stays at about
# 27 MB, and with no quarantine and no allocation stacks its memory is flat over 15,000 runs.
# What grows is AddressSanitizer's: freed memory held in quarantine (256 MB by default, which the
# allocator's size classes make 565 MB after 3 minutes and about 900 MB after 10) and the
# stacks recorded for each allocation. With a 16 MB quarantine (use after free is still found
# in the memory freed by the last inputs) and 10 frames per stack it grows from 109 to 128 MB in
# 3 minutes, under 600 MB in an hour at that rate; a run that passes 1 GB fails.
fuzzAsan="$ASAN_OPTIONS:quarantine_size_mb=16:malloc_context_size=10"
fuzz() { # target seconds [libFuzzer options]
    mkdir -p "$scratch/$1"
    if ! ASAN_OPTIONS="$fuzzAsan" "build-fuzz/fuzz/$1" -max_total_time="$2" -max_len=256 \
        -timeout=20 -rss_limit_mb=1024 "${@:3}" \
        -print_final_stats=1 -artifact_prefix=build-fuzz/ "$scratch/$1" fuzz/corpus \
        >"build-fuzz/$1.log" 2>&1; then
        tail -n 80 "build-fuzz/$1.log"
        echo "$1 found a fault; the input is in build-fuzz/ (crash-*, leak-*, ...)."
        exit 1
    fi
    echo "$1:"
    grep -E '^(Done|stat::number_of_executed_units|stat::average_exec_per_sec)' "build-fuzz/$1.log"
}
fuzz fuzz-line-events 45 -dict=fuzz/line-events.dict -entropic_scale_per_exec_time=1 -verbosity=0
fuzz fuzz-receive-path 15
rate() { awk '/^stat::average_exec_per_sec/ { print $2 }' "build-fuzz/$1.log"; }
fast=$(rate fuzz-line-events)
full=$(rate fuzz-receive-path)
echo "fuzz-line-events ran $((fast / (full > 0 ? full : 1))) times as many inputs per second" \
    "as fuzz-receive-path."

# The test programs built with the sanitizers. The packaging checks (validators, install
# layout, Debian package, Windows compile check) run none of the program's code and have
# run above.
stage "sanitizer build"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVANTRIC_SANITIZE=ON
cmake --build build-asan -j"$jobs"

stage "sanitizer tests"
packaging='desktop_entry_valid|desktop_metainfo_valid|desktop_install_layout|desktop_deb_.*'
ctest --test-dir build-asan --output-on-failure -j"$jobs" -E "^($packaging|settings_mingw_compile)\$"
