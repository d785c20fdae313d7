#!/bin/sh
# The build's emulator for Windows programs: wine-run.sh PREFIX PROGRAM ARGS...
# runs PROGRAM under Wine in PREFIX, quietly, with its exit status.
export WINEPREFIX="$1"
shift
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Offscreen, Qt finds fonts in one folder; these are the fonts the Linux
# tests measure with, so text is laid out the same on both.
export QT_QPA_FONTDIR="${QT_QPA_FONTDIR:-Z:/usr/share/fonts/truetype/dejavu}"
# Wine keeps the QT_ variables of Linux from Windows programs; it hands on
# WINEQT_... as QT_...
for variable in $(env | sed -n 's/^\(QT_[A-Za-z0-9_]*\)=.*/\1/p'); do
  eval "export WINE$variable=\"\$$variable\""
done
exec wine "$@"
