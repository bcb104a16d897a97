#!/usr/bin/env bash
# Set-up, build, and run the whole test suite: the short fuzz runs first, so that the main
# suite's summary is the last thing printed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
bash scripts/fuzz.sh
cd build
ctest --output-on-failure --timeout 300 -j"$(nproc)"
