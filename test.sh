#!/usr/bin/env bash
# Sets up, builds everything (program, tests, benchmarks) and runs the whole
# suite headless through CTest.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
cd build
ctest --output-on-failure -j"$(nproc)" "$@"
