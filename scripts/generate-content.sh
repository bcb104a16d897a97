#!/usr/bin/env bash
# Builds the content generator and rewrites the generated part of ./Content (pictures, font,
# sounds, music) and the icons in packaging/icons. Levels and key mappings are hand-written and
# left alone.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DGAME_WERROR=ON >/dev/null
cmake --build build -j2 --target contentgen
build/tools/contentgen/contentgen Content
build/tools/contentgen/contentgen --icons packaging/icons
