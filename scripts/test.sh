#!/usr/bin/env bash
# Set-up, build, and run the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
cd build
ctest --output-on-failure --timeout 300 -j"$(nproc)"
