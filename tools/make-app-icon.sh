#!/usr/bin/env bash
# Draws the application icon (app/icon.png, app/velmar.ico): a blue rounded
# square with a white "V". Needs imagemagick and fonts-dejavu-core.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
app="$here/../app"
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
convert -size 256x256 xc:none \
  \( -size 256x256 gradient:'#2AABEE-#1565C0' \) \
  \( -size 256x256 xc:none -fill white -draw "roundrectangle 8,8 247,247 48,48" \) \
  -delete 0 -alpha off -compose CopyOpacity -composite \
  -font "$font" -pointsize 170 -fill white -gravity center -annotate +0+8 'V' \
  -strip -define png:exclude-chunks=date,time "$app/icon.png"
convert "$app/icon.png" -define icon:auto-resize=256,64,48,32,16 "$app/velmar.ico"
# Hicolor theme sizes for the desktop; 256 is icon.png itself.
for size in 48 128; do
  convert "$app/icon.png" -resize "${size}x${size}" -depth 8 -strip \
    -define png:exclude-chunks=date,time "$here/../packaging/icons/velmar-$size.png"
done
