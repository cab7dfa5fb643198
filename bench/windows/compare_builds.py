#!/usr/bin/env python3
"""Runs one window benchmark of two builds in turns and prints each build's median and their ratio.

Each round runs the benchmark once in each build (which goes first alternates), pinned to one core;
the figure of a round is the benchmark's real time per iteration. The builds must both have the
benchmark: to measure an earlier state of the code, build it with this folder's benchmark files and
bench/support copied in, for instance:

    mkdir -p build-before && git archive COMMIT | tar -x -C build-before
    cp bench/windows/*.cpp build-before/bench/windows/ && cp bench/support/*.h build-before/bench/support/
    cmake -S build-before -B build-before/build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build build-before/build --target bench_windows
    DISPLAY=:17 QT_QPA_PLATFORM=xcb bench/windows/compare_builds.py build-before/build build \\
        --filter OpenFoodDayDetail --rounds 11

Usage: compare_builds.py BEFORE_BUILD AFTER_BUILD [--filter NAME] [--rounds N] [--core N]
"""
import argparse
import json
import os
import statistics
import subprocess
import sys
import tempfile


def run_once(build, name, core):
    program = os.path.join(build, "bench_windows")
    # The programs print to the console through their own reporter, so the figures come from a file.
    with tempfile.NamedTemporaryFile(suffix=".json") as out:
        command = ["taskset", "-c", str(core), program, "--benchmark_filter=^%s" % name,
                   "--benchmark_out=%s" % out.name, "--benchmark_out_format=json"]
        # A run that dies (earlier builds can crash under X) is run again, and said so.
        for attempt in range(3):
            done = subprocess.run(command, capture_output=True, text=True)
            if done.returncode == 0:
                break
            print("%s died (%d); running it again" % (program, done.returncode), file=sys.stderr)
        else:
            sys.exit("%s died three times" % program)
        result = json.load(open(out.name))["benchmarks"][0]
    if result.get("error_occurred"):
        sys.exit("%s: %s" % (program, result.get("error_message")))
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[result["time_unit"]]
    return result["real_time"] * scale, result["cpu_time"] * scale


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("before")
    parser.add_argument("after")
    parser.add_argument("--filter", default="OpenFoodDayDetail")
    parser.add_argument("--rounds", type=int, default=11)
    parser.add_argument("--core", type=int, default=3)
    args = parser.parse_args()
    figures = {args.before: [], args.after: []}
    for round_ in range(args.rounds):
        order = [args.before, args.after] if round_ % 2 == 0 else [args.after, args.before]
        for build in order:
            figures[build].append(run_once(build, args.filter, args.core))
    medians = {}
    for label, build in (("before", args.before), ("after", args.after)):
        real = statistics.median(f[0] for f in figures[build])
        cpu = statistics.median(f[1] for f in figures[build])
        medians[label] = (real, cpu)
        print("%-6s %-40s real %8.3f ms  cpu %8.3f ms" % (label, build, real, cpu))
    print("ratio after/before: real %.2f  cpu %.2f" % (medians["after"][0] / medians["before"][0],
                                                      medians["after"][1] / medians["before"][1]))


if __name__ == "__main__":
    main()
