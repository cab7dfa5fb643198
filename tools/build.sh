#!/bin/sh
# Configures and builds everything into ./build. VELORIA_JOBS sets the parallel jobs (default: every
# core).
set -e
cd "$(dirname "$0")/.."
tools/setup-debian.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"${VELORIA_JOBS:-$(nproc)}"
