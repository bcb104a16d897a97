#!/usr/bin/env bash
# Builds the game's libraries for the browser, static, into one prefix, from Debian's source
# packages. Changing this file changes the cache key, so the prefix is rebuilt.
# Usage: build-deps.sh PREFIX WORKDIR
set -euo pipefail
prefix=$1
work=$2
jobs=${JOBS:-2}
mkdir -p "$prefix" "$work"
cd "$work"

# CMake's try-run emulator: newer node rejects the flag emcmake passes, so every size check fails.
cat > node-run <<'WRAP'
#!/bin/sh
exec node --no-experimental-fetch "$@"
WRAP
chmod +x node-run
export NODE_PATH=/usr/share/nodejs

cmake_lib() { # source-dir build-dir cmake-args...
  local src=$1 bld=$2
  shift 2
  emcmake cmake -S "$src" -B "$bld" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_ROOT_PATH="$prefix" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$work/node-run" -DCMAKE_POLICY_DEFAULT_CMP0074=NEW "$@" >"$bld.log" 2>&1 \
    || { tail -40 "$bld.log"; return 1; }
  emmake make -C "$bld" -j"$jobs" install >>"$bld.log" 2>&1 || { tail -40 "$bld.log"; return 1; }
}

fetch() { # source-package -> prints the unpacked folder
  apt-get source -q "$1" >"fetch-$1.log" 2>&1 || { cat "fetch-$1.log" >&2; return 1; }
  find . -maxdepth 1 -type d -name "$2*" | sort | head -1
}

echo "web deps: ogg, vorbis, flac, opus"
ogg=$(fetch libogg libogg-)
cmake_lib "$ogg" b-ogg -DINSTALL_DOCS=OFF
vorbis=$(fetch libvorbis libvorbis-)
cmake_lib "$vorbis" b-vorbis -DOGG_ROOT="$prefix"
flac=$(fetch flac flac-)
cmake_lib "$flac" b-flac -DBUILD_CXXLIBS=OFF -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_TESTING=OFF \
  -DBUILD_DOCS=OFF -DINSTALL_MANPAGES=OFF -DWITH_STACK_PROTECTOR=OFF -DWITH_FORTIFY_SOURCE=OFF -DOGG_ROOT="$prefix"
opus=$(fetch opus opus-)
mkdir -p b-opus
(cd b-opus && emconfigure "../$opus/configure" --host=i686-pc-linux-gnu --prefix="$prefix" --disable-shared \
  --disable-rtcd --disable-intrinsics --disable-extra-programs --disable-doc --disable-stack-protector >../b-opus.log 2>&1 \
  && emmake make -j"$jobs" install >>../b-opus.log 2>&1) || { tail -40 b-opus.log; exit 1; }

echo "web deps: sndfile"
sndfile=$(fetch libsndfile libsndfile-)
cmake_lib "$sndfile" b-sndfile -DENABLE_MPEG=OFF -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_TESTING=OFF \
  -DENABLE_EXTERNAL_LIBS=ON -DENABLE_CPACK=OFF -DINSTALL_MANPAGES=OFF -DENABLE_PACKAGE_CONFIG=ON
grep -qi "flac" "$prefix/lib/pkgconfig/sndfile.pc" || { echo "libsndfile was built without FLAC" >&2; exit 1; }

echo "web deps: SDL2, SDL2_image"
sdl=$(fetch libsdl2 libsdl2-)
cmake_lib "$sdl" b-sdl -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF
image=$(fetch libsdl2-image libsdl2-image-)
cmake_lib "$image" b-image -DSDL2IMAGE_BACKEND_STB=ON -DSDL2IMAGE_VENDORED=OFF -DSDL2IMAGE_DEPS_SHARED=OFF \
  -DSDL2IMAGE_SAMPLES=OFF -DSDL2IMAGE_TESTS=OFF -DSDL2_DIR="$prefix/lib/cmake/SDL2"

echo "web deps: Boost.Filesystem"
# Only the filesystem sources from the big tarball; the headers are the system's, alone in a folder.
apt-get source -q --download-only boost1.74 >fetch-boost.log 2>&1 || { cat fetch-boost.log >&2; exit 1; }
tar xJf boost1.74_*.orig.tar.xz --wildcards '*/libs/filesystem/src/*'
# Its sources take any WebAssembly for WASI, which lacks getcwd, chmod and statvfs; Emscripten
# has them (without this, fs::absolute fails with "Function not implemented").
sed -i 's/defined(__wasm)/defined(__wasi__)/g' boost*/libs/filesystem/src/*.cpp
mkdir -p "$prefix/include" "$prefix/lib" b-boost
ln -sfn /usr/include/boost "$prefix/include/boost"
for f in boost*/libs/filesystem/src/*.cpp; do
  em++ -O2 -std=c++17 -I"$prefix/include" -DBOOST_FILESYSTEM_STATIC_LINK=1 -DBOOST_FILESYSTEM_SOURCE \
    -DNDEBUG -c "$f" -o "b-boost/$(basename "$f" .cpp).o"
done
emar rcs "$prefix/lib/libboost_filesystem.a" b-boost/*.o
touch "$prefix/.complete"
echo "web deps: done in $prefix"
