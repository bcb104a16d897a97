#!/usr/bin/env bash
# Builds the fuzz targets with clang and the address and undefined-behaviour sanitizers into
# build-fuzz/ and runs each for SECONDS (default 8): bash scripts/fuzz.sh 60
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-8}"
bash scripts/install-deps.sh
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGAME_FUZZ=ON \
  -DFUZZ_SECONDS="$seconds" >/dev/null
cmake --build build-fuzz -j"$(nproc)"
cd build-fuzz
ctest --output-on-failure --timeout $((seconds * 4 + 60)) -j"$(nproc)"
