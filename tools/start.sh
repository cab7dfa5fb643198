#!/bin/sh
# Builds Veloria and starts it.
set -e
cd "$(dirname "$0")/.."
tools/build.sh
exec build/veloria
