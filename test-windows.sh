#!/usr/bin/env bash
# Builds Velmar for 64-bit Windows with mingw-w64 in build-windows/ and runs
# every test under Wine, headless. Exit status is non-zero on any failure.
#
# Qt for Windows comes from VELMAR_WINDOWS_QT (an unpacked Qt 6 for mingw-w64)
# or else from the tarball in ../shared/windows, unpacked into build-windows/
# once. Without either there is nothing to build with: the script says so and
# exits 0. Arguments go to ctest (./test-windows.sh -R Files).
set -euo pipefail
cd "$(dirname "$0")"
source tools/deps.sh
source tools/windows/wine.sh

build=$PWD/build-windows
shared=${VELMAR_SHARED_DIR:-$PWD/../shared}
qt=${VELMAR_WINDOWS_QT:-}
if [ -z "$qt" ]; then
  tarball=$shared/windows/qt6.4.2-mingw-w64-x86_64.tar.xz
  if [ ! -f "$tarball" ]; then
    echo "test-windows.sh: no Qt for Windows: $tarball is missing and VELMAR_WINDOWS_QT is not set;"
    echo "the Windows build and its tests are skipped (README: Windows)."
    exit 0
  fi
  qt=$build/qt6.4.2-mingw-w64-x86_64
  if [ ! -f "$qt/.unpacked" ] || [ "$tarball" -nt "$qt/.unpacked" ]; then
    echo "Unpacking $tarball into $build/"
    rm -rf "$qt"
    mkdir -p "$build"
    tar -xJf "$tarball" -C "$build"
    touch "$qt/.unpacked"
  fi
fi

VELMAR_PACKAGES+=("${VELMAR_WINDOWS_PACKAGES[@]}")
velmar_install_missing

cmake -S . -B "$build" \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
  -DVELMAR_WINDOWS_QT="$qt" \
  -DCMAKE_PREFIX_PATH="$qt/lib/cmake" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_BUILD_TYPE=Release -DVELMAR_WERROR=ON -DVELMAR_BENCHMARKS=OFF \
  -DVELMAR_WINE_PREFIX="$build/wine-prefix"
cmake --build "$build" -j2

velmar_wine_start "$build/wine-prefix"
trap velmar_wine_stop EXIT
cd "$build"
ctest --output-on-failure -j2 "$@"
