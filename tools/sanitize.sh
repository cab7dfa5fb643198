#!/bin/sh
# Builds the tests of the PNG codec, the core, the framework and the styled controls with the address and
# undefined-behaviour sanitizers into ./build-sanitize and runs them there; any report, a leak at a test
# program's end included, fails the test that made it, and so the run. VELORIA_JOBS sets the build's and the runner's parallel jobs (default:
# every core).
set -e
cd "$(dirname "$0")/.."
tools/setup-debian.sh
jobs="${VELORIA_JOBS:-$(nproc)}"
# The styled controls' tests make the build half as long again: they run where there are cores enough
# (four or more) for the whole of CI to stay within half an hour.
areas="png core framework"
[ "$(nproc)" -ge 4 ] && areas="$areas controls"
targets=""
for area in $areas; do targets="$targets ${area}_tests"; done
labels="^($(echo $areas | tr ' ' '|'))\$"
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
# -O1 keeps the build short and the stacks readable; the time limits grow for the slower programs.
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
    -DCMAKE_C_FLAGS="$sanitize" -DCMAKE_CXX_FLAGS="$sanitize" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
    -DVELORIA_BENCH=OFF -DVELORIA_TEST_TIME_SCALE=6 >/dev/null
# shellcheck disable=SC2086 # one word a target
cmake --build build-sanitize -j"$jobs" --target $targets
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:strict_string_checks=1:check_initialization_order=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
echo "sanitizers: the tests of $areas"
ctest --test-dir build-sanitize -L "$labels" -j"$jobs" --output-on-failure
