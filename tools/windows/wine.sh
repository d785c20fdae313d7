#!/usr/bin/env bash
# A Wine of the run's own for the Windows tests: a fresh prefix set to
# Windows 10 without crash dialogs, a persistent wineserver so that each test
# process starts quickly, and an X display for what Wine and the window need.
# Sourced by test-windows.sh.

velmar_wine_environment() {
  export WINEPREFIX=$1
  export WINEARCH=win64
  export WINEDEBUG=-all
  # No offer to install Mono or Gecko (nothing here needs them), and no menu
  # entries on this machine for the shortcuts an installer makes.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
}

# velmar_wine_start PREFIX: a new prefix at PREFIX (an old one is removed).
velmar_wine_start() {
  velmar_wine_environment "$1"
  if [ -z "${DISPLAY:-}" ]; then
    local display
    for display in $(seq 90 120); do
      [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ] || break
    done
    Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    VELMAR_XVFB_PID=$!
    export DISPLAY=":$display"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
  fi
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  echo "Making a Wine prefix in $WINEPREFIX"
  wineboot --init >/dev/null 2>&1
  wineserver -w
  wine reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wineserver -w
  wineserver -p
  # Wine's own services start with the first program and stay while the
  # server does; started here, they hold no test's output pipe open (CTest
  # would wait for it to close).
  wine cmd /c exit </dev/null >/dev/null 2>&1
}

velmar_wine_stop() {
  wineserver -k 2>/dev/null || true
  if [ -n "${VELMAR_XVFB_PID:-}" ]; then kill "$VELMAR_XVFB_PID" 2>/dev/null || true; fi
}
