#!/usr/bin/env bash
# Checks the include directions of src/README.md, read from its table (a folder may include
# itself and the folders its last column names in backticks, "everything above this row" or
# "everything"): prints every include that goes against them, and fails if there is one.
set -uo pipefail
cd "$(dirname "$0")/../src"
declare -A may=()
above=""
while IFS='|' read -r _ folder _ allowed _; do
  name=$(echo "$folder" | grep -o '`[a-z]*/`' | tr -d '`/')
  [ -n "$name" ] || continue
  case "$allowed" in
    *"everything above this row"*) may[$name]="$name $above" ;;
    *everything*) may[$name]="$(grep -o '^| `[a-z]*/`' README.md | tr -d '|` /' | tr '\n' ' ')" ;;
    *) may[$name]="$name $(echo "$allowed" | grep -o '`[a-z]*/' | tr -d '`/' | tr '\n' ' ')" ;;
  esac
  above+="$name "
done < <(grep '^| `[a-z]*/`' README.md)
[ "${#may[@]}" -ge 8 ] || { echo "src/README.md: no table of include directions found"; exit 1; }
wrong=$(for folder in "${!may[@]}"; do
  grep -Hn '#include "[a-z]*/' "$folder"/* | grep -Ev "#include \"($(echo ${may[$folder]} | tr ' ' '|'))/"
done)
# The top is for the entry point alone.
wrong+=$(grep -Hn '#include "game/' main.cpp */* | grep -v '^game/' | grep -v '^main.cpp')
[ -z "$wrong" ] || { echo "Includes against the directions in src/README.md:"; echo "$wrong"; exit 1; }
