#!/usr/bin/env bash
# Builds the Debian package of the game into build-package/: glimmerduct_<version>_<arch>.deb,
# installing to /usr. Install it with: apt-get install ./build-package/glimmerduct_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DGAME_WERROR=ON \
  -DGAME_TESTS=OFF -DGAME_BENCH=OFF -DGAME_TOOLS=OFF >/dev/null
cmake --build build-package -j"$(nproc)" --target glimmerduct
cd build-package
cpack -G DEB
