#!/bin/sh
# Builds Veloria and runs every test headless. VELORIA_JOBS sets the parallel jobs (default: every
# core).
set -e
cd "$(dirname "$0")/.."
tools/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j"${VELORIA_JOBS:-$(nproc)}" "$@"
