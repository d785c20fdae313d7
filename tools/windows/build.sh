#!/usr/bin/env bash
# The Windows build, shared by test-windows.sh and package-windows.sh.
# Sourced; needs tools/deps.sh and tools/windows/wine.sh beside it.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../deps.sh"
source "$here/wine.sh"

VELMAR_WINDOWS_BUILD=$(cd "$here/../.." && pwd)/build-windows

# velmar_windows_configure [CMAKE OPTIONS...]: finds Qt for Windows (unpacking
# the tarball of ../shared/windows into build-windows/ once), installs the
# Debian packages the build needs and configures build-windows/. Answers 1,
# having said why, when there is no Qt for Windows to build with.
velmar_windows_configure() {
  local source_dir shared qt tarball
  source_dir=$(cd "$here/../.." && pwd)
  shared=${VELMAR_SHARED_DIR:-$source_dir/../shared}
  qt=${VELMAR_WINDOWS_QT:-}
  if [ -z "$qt" ]; then
    tarball=$shared/windows/qt6.4.2-mingw-w64-x86_64.tar.xz
    if [ ! -f "$tarball" ]; then
      echo "No Qt for Windows: $tarball is missing and VELMAR_WINDOWS_QT is not set;"
      echo "the Windows build is skipped (README: Windows)."
      return 1
    fi
    qt=$VELMAR_WINDOWS_BUILD/qt6.4.2-mingw-w64-x86_64
    if [ ! -f "$qt/.unpacked" ] || [ "$tarball" -nt "$qt/.unpacked" ]; then
      echo "Unpacking $tarball into $VELMAR_WINDOWS_BUILD/"
      rm -rf "$qt"
      mkdir -p "$VELMAR_WINDOWS_BUILD"
      tar -xJf "$tarball" -C "$VELMAR_WINDOWS_BUILD"
      touch "$qt/.unpacked"
    fi
  fi
  VELMAR_PACKAGES+=("${VELMAR_WINDOWS_PACKAGES[@]}")
  velmar_install_missing
  cmake -S "$source_dir" -B "$VELMAR_WINDOWS_BUILD" \
    -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw-w64-x86_64.cmake" \
    -DVELMAR_WINDOWS_QT="$qt" \
    -DCMAKE_PREFIX_PATH="$qt/lib/cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_BUILD_TYPE=Release -DVELMAR_WERROR=ON -DVELMAR_BENCHMARKS=OFF \
    -DVELMAR_WINE_PREFIX="$VELMAR_WINDOWS_BUILD/wine-prefix" "$@"
}
