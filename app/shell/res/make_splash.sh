#!/bin/sh
# Draws the splash picture (bitmap 139): the program's name on a soft band.
# Run from this folder; splash.bmp is checked in beside it.
convert -size 420x260 gradient:'#CBDCF9'-'#F4E6D8' \
  -fill '#3A4A78' -font DejaVu-Serif-Bold -pointsize 54 -gravity center -annotate +0-30 'Lumivo' \
  -fill '#5A6A98' -font DejaVu-Sans -pointsize 16 -annotate +0+30 'album di nozze' \
  -fill '#7A8AB8' -pointsize 12 -annotate +0+100 'versione 1.1' \
  -type TrueColor BMP3:splash.bmp
