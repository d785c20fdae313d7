#!/bin/sh
# Wine's browser for the Windows tests: writes down each address it is asked
# to open, one a line, in $VELMAR_ADDRESS_LOG or else C:\velmar-addresses.txt
# of the prefix.
log="${VELMAR_ADDRESS_LOG:-$WINEPREFIX/drive_c/velmar-addresses.txt}"
for address in "$@"; do
  printf '%s\n' "$address" >> "$log"
done
