#!/usr/bin/env bash
# Checks the include directions of src/README.md: prints every include of a folder that the
# including folder may not use, and fails if there is one.
set -uo pipefail
cd "$(dirname "$0")/../src"
declare -A may=(
  [core]="core"
  [graphics]="core graphics scene"
  [scene]="core graphics scene"
  [input]="core input"
  [audio]="core audio"
  [gameplay]="core graphics scene input audio gameplay"
  [platform]="core graphics scene input platform"
  [game]="core graphics scene input audio gameplay platform game"
)
wrong=$(for folder in "${!may[@]}"; do
  grep -Hn '#include "[a-z]*/' "$folder"/* | grep -Ev "#include \"($(echo ${may[$folder]} | tr ' ' '|'))/"
done)
[ -z "$wrong" ] || { echo "Includes against the directions in src/README.md:"; echo "$wrong"; exit 1; }
