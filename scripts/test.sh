#!/usr/bin/env bash
# Set-up, build, and run the whole test suite: the short fuzz runs first, so that the main
# suite's summary is the last thing printed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
# The browser build (its libraries cached outside the repository) and its test in headless Chromium.
bash scripts/build-web.sh --test-packages
cmake -S . -B build -DGAME_WEB_TEST=ON >/dev/null
bash scripts/fuzz.sh
cd build
ctest --output-on-failure --timeout 300 -j"$(nproc)"
