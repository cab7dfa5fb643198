#!/bin/sh
# Builds the PNG fuzz target with clang and the sanitizers and runs it for a bounded time
# (FUZZ_SECONDS, default 60) over the committed seed corpus and the PngSuite images, read where
# they stand (../shared/testdata/pngsuite; in CI their absence fails). Fails on any crash, leak of
# an unexpected exception, input slower than a second or memory use past the limit; the input
# that did it is left in build-fuzz/artifacts/ to be kept in fuzz/regressions/.
#
# Time: a runner busy with other work can make any input take longer than a second once, so the
# run itself stops only at a hang (ten seconds). The target keeps every input slower than a second
# (PNG_FUZZ_SLOW); after the run each is timed again on its own, and one still slower than a
# second on each of three runs fails the step. Those that were fast again are listed.
set -e
cd "$(dirname "$0")/.."
tools/setup-debian.sh
CC=clang CXX=clang++ cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz
work=build-fuzz/corpus
mkdir -p "$work" build-fuzz/artifacts
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
slow=build-fuzz/slow
rm -rf "$slow"
mkdir -p "$slow"
export PNG_FUZZ_SLOW="$slow"
# The regressions first: every input that once crashed must now pass.
if [ -n "$(ls fuzz/regressions 2>/dev/null)" ]; then
    build-fuzz/png_fuzzer -timeout=10 -rss_limit_mb=1536 fuzz/regressions/*
fi
# Every valid layout with transparency, gamma and every depth: the suite is read in place, never
# copied into the project.
seeds="fuzz/corpus"
suite=../shared/testdata/pngsuite
if [ -d "$suite" ]; then
    seeds="$seeds $suite"
elif [ "$CI" = true ]; then
    echo "png fuzzing: FAILED (the PngSuite images are not at $suite)"
    exit 1
else
    echo "png fuzzing: the PngSuite images are not at $suite; fuzzing from the committed seeds only"
fi
status=0
# shellcheck disable=SC2086
build-fuzz/png_fuzzer "$work" $seeds -dict=fuzz/png.dict -max_total_time="${FUZZ_SECONDS:-60}" \
    -timeout=10 -rss_limit_mb=1536 -max_len=65536 -print_final_stats=1 \
    -artifact_prefix=build-fuzz/artifacts/ >build-fuzz/fuzz.log 2>&1 || status=$?
if [ "$status" -ne 0 ]; then
    tail -n 60 build-fuzz/fuzz.log
    echo "png fuzzing: FAILED (inputs in build-fuzz/artifacts/)"
    exit "$status"
fi
grep '^stat::' build-fuzz/fuzz.log
# Each input that was slower than a second, alone again: slow on every run, it fails the step. The
# target's own clock says so (libFuzzer's -timeout looks only once a second, and so lets through
# inputs of up to two).
again=build-fuzz/slow-again
still_slow=""
fast_again=""
for input in "$slow"/*; do
    [ -e "$input" ] || continue
    fast=no
    for _ in 1 2 3; do
        rm -rf "$again"
        mkdir -p "$again"
        if PNG_FUZZ_SLOW="$again" build-fuzz/png_fuzzer -timeout=10 -rss_limit_mb=1536 "$input" \
            >>build-fuzz/slow.log 2>&1 && [ -z "$(ls "$again")" ]; then
            fast=yes
            break
        fi
    done
    if [ "$fast" = yes ]; then
        fast_again="$fast_again $(basename "$input")"
    else
        cp "$input" build-fuzz/artifacts/
        still_slow="$still_slow $(basename "$input")"
    fi
done
[ -n "$fast_again" ] && echo "png fuzzing: slower than a second once, within a second alone:$fast_again"
if [ -n "$still_slow" ]; then
    tail -n 20 build-fuzz/slow.log
    echo "png fuzzing: FAILED (slower than a second on each of three runs:$still_slow; in build-fuzz/artifacts/)"
    exit 1
fi
echo "png fuzzing: passed"
