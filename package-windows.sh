#!/usr/bin/env bash
# Makes the Windows installer and the portable folder in build-windows/package/:
#   Velmar-1.0.0-setup.exe         per user, no administrator rights (NSIS)
#   Velmar-1.0.0-windows-x64.zip   the same folder, to unpack and run anywhere
#
# Options (CMake cache variables, as for the Debian package):
#   -DVELMAR_DATA_DIR=FOLDER        a studio's own catalog (games.json + assets/)
#   -DVELMAR_PUBLISHER=NAME         the publisher Windows shows
#   -DVELMAR_SIGN_COMMAND='CMD %1'  signs velmar.exe, velmar-check.exe,
#                                   velmar-hdphoto.exe, the uninstaller and the
#                                   installer in place (%1 is the file)
# e.g. ./package-windows.sh -DVELMAR_PUBLISHER="Studio Kvant"
set -euo pipefail
cd "$(dirname "$0")"
source tools/windows/build.sh
velmar_windows_configure "$@" || exit 0
cmake --build "$VELMAR_WINDOWS_BUILD" -j2 --target velmar velmar-check velmar-hdphoto
# The catalog to ship is checked as Velmar on Windows reads it: errors stop here.
velmar_wine_start "$VELMAR_WINDOWS_BUILD/wine-prefix"
trap velmar_wine_stop EXIT
data=$(sed -n 's/^VELMAR_DATA_DIR:PATH=//p' "$VELMAR_WINDOWS_BUILD/CMakeCache.txt")
wine "$VELMAR_WINDOWS_BUILD/bin/velmar-check.exe" "$(winepath -w "$data")" || {
  echo "package-windows.sh: the catalog $data has errors (above); fix them first" >&2
  exit 1
}
cmake --build "$VELMAR_WINDOWS_BUILD" --target windows_package
ls -l "$VELMAR_WINDOWS_BUILD/package/"*.exe "$VELMAR_WINDOWS_BUILD/package/"*.zip
