#!/bin/sh
# Builds the Debian package from a build folder into OUT (the package and,
# under OUT/root, its contents unpacked with dpkg-deb -x).
# Exit status 77 (skipped) where the Debian tools are missing.
# usage: build_package.sh CPACK CPACK_CONFIG OUT
set -eu
cpack=$1 config=$2 out=$3

rm -rf "$out"
for tool in dpkg-deb dpkg-shlibdeps; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: $tool is missing (Debian packages dpkg, dpkg-dev): no package is built"
    exit 77
  fi
done
if [ ! -x "$cpack" ]; then
  echo "skipped: cpack is missing: no package is built"
  exit 77
fi

mkdir -p "$out/root"
"$cpack" -G DEB --config "$config" -B "$out"
set -- "$out"/velmar_*.deb
if [ "$#" -ne 1 ] || [ ! -f "$1" ]; then
  echo "error: cpack made no single velmar_*.deb in $out" >&2
  exit 1
fi
dpkg-deb -x "$1" "$out/root"
echo "built and unpacked $1"
