#!/usr/bin/env bash
# Draws the crop dialog's button pictures and labels (ImageMagick). Magenta is
# the buttons' transparent colour, so their pictures are drawn without
# anti-aliasing: no blended edge pixel may come near it. Run it here and check
# the .bmp files in.
set -euo pipefail
cd "$(dirname "$0")"

hot='#1f4e9a'     # picture under the pointer or pressed
cold='#505050'    # picture otherwise
back='#cbdcf9'    # the dialog's background, behind the labels

icon() {  # name colour draw-arguments...
  local name=$1 colour=$2
  shift 2
  convert -size 24x24 xc:'#ff00ff' +antialias -fill none -stroke "$colour" "$@" -type TrueColor "BMP3:$name.bmp"
}

for state in hot cold; do
  c=${!state}
  suffix=$([ "$state" = hot ] && echo _hot || true)
  icon "zoom_in$suffix" "$c" -strokewidth 2 -draw 'circle 10,10 10,3' -draw 'line 15,15 21,21' \
    -draw 'line 7,10 13,10' -draw 'line 10,7 10,13'
  icon "zoom_out$suffix" "$c" -strokewidth 2 -draw 'circle 10,10 10,3' -draw 'line 15,15 21,21' \
    -draw 'line 7,10 13,10'
  icon "rectangle$suffix" "$c" -strokewidth 2 -draw 'rectangle 3,6 20,17'
  icon "freehand$suffix" "$c" -strokewidth 2 \
    -draw 'polyline 3,15 5,9 8,5 11,7 12,12 14,17 17,18 20,13 21,7'
  icon "polygon$suffix" "$c" -strokewidth 2 -draw 'polygon 4,18 3,8 11,3 20,7 17,19'
done
icon save_hot '#1c7a2c' -strokewidth 3 -draw 'polyline 4,12 9,18 20,5'
icon save "$cold" -strokewidth 3 -draw 'polyline 4,12 9,18 20,5'
icon load_hot '#a82020' -strokewidth 3 -draw 'line 5,5 19,19' -draw 'line 19,5 5,19'
icon load "$cold" -strokewidth 3 -draw 'line 5,5 19,19' -draw 'line 19,5 5,19'

label() {  # name text
  convert -size 100x16 xc:"$back" -font Liberation-Sans -pointsize 12 -fill black -annotate +1+12 "$2" \
    -type TrueColor "BMP3:$1.bmp"
}
label tension_label 'Smussatura'
label feather_label 'Sfumatura'
