#!/usr/bin/env bash
# Builds Qt 6 (qtbase: Core, Gui, Widgets, Test, the windows and offscreen platform
# plugins, the bundled PNG/JPEG/GIF/ICO readers) for 64-bit Windows from Debian's own
# qt6-base source package, the same version as the Linux build, with mingw-w64.
# Usage: build-qt6-mingw.sh PREFIX   (needs deb-src entries for apt-get source)
set -euo pipefail
prefix=$(realpath -m "${1:?install prefix}")
here=$(cd "$(dirname "$0")" && pwd)
work=${WORK:-/tmp/qt6-mingw-build}
mkdir -p "$work" && cd "$work"
apt-get install -y -qq g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools \
  ninja-build cmake perl qt6-base-dev qt6-base-dev-tools >/dev/null
[ -d src ] || { apt-get source --download-only qt6-base >/dev/null
                mkdir src && tar xJf qt6-base_*.orig.tar.xz -C src --strip-components=1; }
# Qt 6.4.2 enables dynamicgl even when OpenGL is off, and the windows plugin then fails
# to compile; guard its one use.
sed -i 's/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' \
  src/src/plugins/platforms/windows/qwindowswindow.cpp
cmake -S src -B build -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$here/../../cmake/mingw-w64-x86_64.cmake" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
  -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_xml=OFF -DFEATURE_dbus=OFF \
  -DFEATURE_printsupport=OFF -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF \
  -DFEATURE_tabletevent=OFF -DFEATURE_concurrent=ON -DFEATURE_testlib=ON \
  -DFEATURE_accessibility=ON -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF \
  -DFEATURE_system_jpeg=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF \
  -DFEATURE_system_pcre2=OFF -DFEATURE_sql_sqlite=OFF
cmake --build build -j"$(nproc)"
cmake --install build --strip
# the mingw runtime the Qt DLLs and every program built with this toolchain need
gccdir=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
cp "$gccdir"/libstdc++-6.dll "$gccdir"/libgcc_s_seh-1.dll /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll "$prefix/bin/"
# TIFF reader (qtimageformats, its bundled libtiff), also from Debian's source
[ -d src-imageformats ] || { apt-get source --download-only qt6-imageformats >/dev/null
  mkdir src-imageformats && tar xJf qt6-imageformats_*.orig.tar.xz -C src-imageformats --strip-components=1; }
"$prefix/bin/qt-cmake" -S src-imageformats -B build-imageformats -G Ninja \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_BUILD_TYPE=Release -DFEATURE_tiff=ON -DFEATURE_system_tiff=OFF -DFEATURE_webp=OFF \
  -DFEATURE_jasper=OFF -DFEATURE_mng=OFF -DFEATURE_wbmp=OFF -DFEATURE_tga=OFF -DFEATURE_icns=OFF
cmake --build build-imageformats -j"$(nproc)"
cmake --install build-imageformats --strip
