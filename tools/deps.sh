#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need.
# Sourced by run.sh and test.sh; does nothing when everything is present.
set -euo pipefail

VELMAR_PACKAGES=(
  g++ cmake make
  qt6-base-dev qt6-image-formats-plugins libgl-dev fonts-dejavu-core
  nlohmann-json3-dev libjxr-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  xvfb xdotool x11-utils libx11-dev
  zbar-tools
  dbus at-spi2-core python3-pyatspi orca openbox
  dpkg-dev desktop-file-utils appstream
)

# What test-windows.sh needs besides: the cross compiler, Wine to run what it
# builds, GoogleTest's source to build it with, and X tools for the window.
VELMAR_WINDOWS_PACKAGES=(
  g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
  wine wine64 fonts-wine googletest nsis
  xvfb xdotool x11-apps x11-utils python3 fonts-dejavu-core
)

velmar_install_missing() {
  local missing=()
  for package in "${VELMAR_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$package")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing Debian packages: ${missing[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
      sudo=(sudo)
    else
      echo "error: not root and no sudo; install these packages first: ${missing[*]}" >&2
      return 1
    fi
  fi
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}
