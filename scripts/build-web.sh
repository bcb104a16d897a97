#!/usr/bin/env bash
# Builds the game for the browser into build-web/ with Debian's Emscripten; --serve then serves it
# on 127.0.0.1. The libraries are built once from Debian's source packages into a cache outside
# the tree, keyed by the recipe (web/build-deps.sh): set GLIMMERDUCT_WEB_CACHE to move it.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

serve=0
test_packages=0
port=${PORT:-8080}
for arg in "$@"; do
  case $arg in
    --serve) serve=1 ;;
    --test-packages) test_packages=1 ;;
    *) echo "usage: $0 [--serve] [--test-packages]   (--serve: on http://127.0.0.1:\$PORT, 8080 by default;" \
            "--test-packages: also install what web/browser_test.py needs)" >&2; exit 2 ;;
  esac
done

sudo_cmd=""
[ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
export DEBIAN_FRONTEND=noninteractive

# Source packages come from the configured Debian mirror: add a deb-src entry for it if none.
if ! grep -rqs "deb-src" /etc/apt/sources.list /etc/apt/sources.list.d/; then
  mirror=$(grep -hm1 -oE '^URIs: *http[^ ]*debian/?$' /etc/apt/sources.list.d/*.sources 2>/dev/null | head -1 | sed 's/^URIs: *//')
  [ -n "$mirror" ] || mirror=$(grep -hm1 -oE '^deb +http[^ ]*debian/?' /etc/apt/sources.list 2>/dev/null | awk '{print $2}')
  suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
  printf 'Types: deb-src\nURIs: %s\nSuites: %s\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
    "${mirror:-http://deb.debian.org/debian}" "$suite" | $sudo_cmd tee /etc/apt/sources.list.d/glimmerduct-web-src.sources >/dev/null
  $sudo_cmd apt-get update -q
fi
missing=()
wanted=(emscripten cmake dpkg-dev xz-utils libboost-dev python3 gcc pkg-config libsndfile1-dev)
[ $test_packages = 1 ] && wanted+=(chromium chromium-driver python3-selenium python3-pil)
for p in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  $sudo_cmd apt-get update -q
  $sudo_cmd apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

export NODE_PATH=/usr/share/nodejs
key=$(sha256sum web/build-deps.sh | cut -c1-16)
cache=${GLIMMERDUCT_WEB_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/glimmerduct-web}
prefix=$cache/deps-$key
if [ ! -e "$prefix/.complete" ]; then
  rm -rf "$prefix" "$cache/work-$key"
  echo "Building the libraries for the browser into $prefix (takes a while, once)"
  nice bash web/build-deps.sh "$prefix" "$cache/work-$key"
  rm -rf "$cache/work-$key"
fi

# The content as the page preloads it: the theme as Ogg Vorbis (the same sample frames, so the
# same loop points) instead of FLAC, which would be over half of the page's download. Replaced
# only when it changed, so that an unchanged tree links nothing again.
preload=build-web/preload/Content
mkdir -p build-web/music
[ build-web/encode-music -nt web/encode-music.c ] ||
  gcc -O2 -o build-web/encode-music web/encode-music.c $(pkg-config --cflags --libs sndfile)
rm -rf build-web/preload.new
cp -a Content build-web/preload.new
for flac in build-web/preload.new/Music/*.flac; do
  [ -e "$flac" ] || continue
  ogg=build-web/music/$(basename "${flac%.*}").ogg
  [ "$ogg" -nt "Content/Music/$(basename "$flac")" ] || build-web/encode-music "$flac" "$ogg"
  cp -a "$ogg" "${flac%.*}.ogg"
  rm "$flac"
done
if diff -rq build-web/preload.new "$preload" >/dev/null 2>&1; then
  rm -rf build-web/preload.new
else
  rm -rf "$preload"
  mkdir -p build-web/preload
  mv build-web/preload.new "$preload"
fi

# The game, optimised for size: the page is what people download.
emulator=$cache/node-run
printf '#!/bin/sh\nexec node --no-experimental-fetch "$@"\n' >"$emulator"
chmod +x "$emulator"
nice emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=MinSizeRel -DCMAKE_INSTALL_PREFIX=/usr -DGAME_WERROR=ON \
  -DGAME_WEB_PREFIX="$prefix" -DGAME_WEB_CONTENT="$root/$preload" -DCMAKE_CROSSCOMPILING_EMULATOR="$emulator" >/dev/null
nice cmake --build build-web -j"$(nproc)"
(cd build-web && ls -l index.html glimmerduct.js glimmerduct.wasm glimmerduct.data | awk '{printf "%10d  %s\n", $5, $9}')

if [ $serve = 1 ]; then
  echo "Serving the game on http://127.0.0.1:$port/ (Ctrl+C stops)"
  cd build-web && exec python3 -m http.server --bind 127.0.0.1 "$port"
fi
