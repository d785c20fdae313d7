#!/usr/bin/env bash
# Builds Velmar (Release) in build/ and starts it on the bundled sample data.
set -euo pipefail
cd "$(dirname "$0")"
source tools/deps.sh
velmar_install_missing

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DVELMAR_TESTS=OFF
cmake --build build -j2

exec build/bin/velmar
