#!/bin/sh
# The build's emulator for Windows programs: wine-run.sh PREFIX PROGRAM ARGS...
# runs PROGRAM under Wine in PREFIX, quietly, with its exit status.
export WINEPREFIX="$1"
shift
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
exec wine "$@"
