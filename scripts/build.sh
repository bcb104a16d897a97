#!/usr/bin/env bash
# Installs what is missing and builds everything into build/ (Release with debug info).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGAME_WERROR=ON >/dev/null
cmake --build build -j"$(nproc)"
