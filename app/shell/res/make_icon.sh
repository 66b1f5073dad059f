#!/bin/sh
# Draws the program icon (icon 128): an album page with two gold rings, at
# 48, 32 and 16 pixels. Run from this folder; lumivo.ico is checked in beside it.
set -e
draw() {
  s=$1
  convert -size 480x480 xc:none \
    -fill '#CBDCF9' -stroke '#5A6A98' -strokewidth 14 -draw 'roundrectangle 20,20 460,460 70,70' \
    -fill '#FFFDF8' -stroke '#B9A493' -strokewidth 10 -draw 'polygon 95,110 385,80 400,380 110,405' \
    -fill none -stroke '#8F6C2E' -strokewidth 44 -draw 'ellipse 200,245 80,80 0,360' -draw 'ellipse 285,245 80,80 0,360' \
    -stroke '#D9B56A' -strokewidth 26 -draw 'ellipse 200,245 80,80 0,360' -draw 'ellipse 285,245 80,80 0,360' \
    -resize ${s}x${s} -depth 8 PNG32:icon$s.png
}
for s in 48 32 16; do draw $s; done
convert icon48.png icon32.png icon16.png lumivo.ico
rm -f icon48.png icon32.png icon16.png
