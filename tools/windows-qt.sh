#!/bin/sh
# Builds Qt for 64-bit Windows once per machine and prints where it is:
#     windows-qt.sh            -> ~/.cache/curveplot/qt-6.4.2-mingw64-<key>
# From Debian's own qt6-base source (the host Qt's version, Debian's patches
# applied, then ours in tools/windows/qt-patches, each saying why in its first
# line), cross-built with mingw-w64 into a cache outside the clone. The key is
# a hash of the version, the compilers, the options and the patches: a change
# of any builds anew, and an unchanged one is reused. Only what the program
# and its tests use is built: Core, Gui, Widgets, PrintSupport, Test and the
# windows and offscreen platform plugins, as shared libraries (about 40
# minutes on 2 cores, 82 MB).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
version=$(dpkg-query -W -f='${source:Version}\n' qt6-base-dev | head -n1)
upstream=${version%%+*}

toolchain="set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)"

# Qt's own copies of zlib, libpng, freetype, harfbuzz, pcre2,
# double-conversion and md4c, so the DLLs need nothing but Windows; no
# OpenGL (INPUT_opengl: the feature alone does not turn it off), no tablet
# support (Debian's tarball leaves out its Wintab header).
options="-DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF
  -DFEATURE_dbus=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_concurrent=OFF
  -DFEATURE_tabletevent=OFF -DFEATURE_zstd=OFF -DFEATURE_icu=OFF -DFEATURE_jpeg=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_freetype=OFF
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF
  -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_md4c=OFF
  -DFEATURE_androiddeployqt=OFF"

compilers=$(x86_64-w64-mingw32-g++-posix --version | head -n1)
key=$( (echo "$version" "$compilers" "$toolchain" "$options"
  cat "$here"/windows/qt-patches/*.patch 2>/dev/null || true) | sha256sum | cut -c1-12)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/curveplot
prefix=$cache/qt-$upstream-mingw64-$key
if [ ! -f "$prefix/.complete" ]; then
  mkdir -p "$cache"
  # One build at a time: parallel runs wait for the first to finish.
  exec 9>"$cache/qt-$key.lock"
  flock 9
fi
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

work=$cache/qt-build-$key
rm -rf "$work" "$prefix"
mkdir -p "$work"
echo "Building Qt $upstream for Windows into $prefix, once per machine (about 40 minutes on 2 cores)" >&2
source=$("$here/debian-source.sh" qt6-base "$version" "$work")
for p in "$here"/windows/qt-patches/*.patch; do
  [ -f "$p" ] && patch -d "$source" -p1 --quiet <"$p"
done
echo "$toolchain" >"$work/toolchain.cmake"
# shellcheck disable=SC2086
cmake -S "$source" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" \
  -DCMAKE_INSTALL_PREFIX="$prefix" $options >&2
cmake --build "$work/build" --parallel "$(nproc)" >&2
cmake --install "$work/build" >&2
touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
