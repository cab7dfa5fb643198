#!/bin/sh
# Builds Veloria and runs each test program once whole, its cases in a random order in one process: a
# case that leaves something behind that breaks another fails here, where the test runner, which gives
# every case a process of its own, cannot see it. Each program's order comes from a seed it prints;
# VELORIA_TEST_SEED=N replays that order. Every program runs even when one before it failed; any
# failure fails the run.
cd "$(dirname "$0")/.." || exit 1
tools/build.sh || exit 1
export QT_QPA_PLATFORM=offscreen
failed=""
for program in build/*_tests; do
    [ -x "$program" ] || continue
    # gtest takes seeds from 1 to 99999.
    seed="${VELORIA_TEST_SEED:-$(($(od -An -N4 -tu4 /dev/urandom) % 99999 + 1))}"
    log=$(mktemp)
    if timeout 600 "$program" --gtest_shuffle --gtest_random_seed="$seed" --gtest_brief=1 >"$log" 2>&1; then
        echo "whole: $program (seed $seed): $(grep -E '^\[  PASSED  \]' "$log")"
    else
        cat "$log"
        echo "whole: $program failed with its cases in the order of seed $seed (VELORIA_TEST_SEED=$seed replays it)"
        failed="$failed $program"
    fi
    rm -f "$log"
done
[ -z "$failed" ] || { echo "whole: failed:$failed"; exit 1; }
