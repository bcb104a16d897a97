#!/usr/bin/env bash
# Set-up, build, and start the game from the shipped Content/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
exec build/glimmerduct
