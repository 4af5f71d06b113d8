#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws the window and menu icon with ImageMagick: a white card with the black
# ratio axis, the base-tone and octave lines, a blue fifth and a red
# hand-placed marker (the shapes of stimmung.svg). 256 and 48 px carry the
# fraction "3/2"; 32 and 16 px are drawn on whole pixels so that they stay
# sharp in a title bar or a menu.
set -euo pipefail
cd "$(dirname "$0")"

grey='#404040' blue='#0000ff' red='#ff0000'

convert -size 256x256 xc:none \
  -fill white -stroke "$grey" -strokewidth 8 -draw 'roundrectangle 8,8 248,248 28,28' \
  -stroke black -strokewidth 12 -draw 'line 24,150 232,150' -draw 'line 48,96 48,204' -draw 'line 208,96 208,204' \
  -stroke "$blue" -draw 'line 128,112 128,150' \
  -stroke "$red" -strokewidth 10 -draw 'line 100,104 100,150' \
  -stroke none -fill "$blue" -font Liberation-Serif -pointsize 64 -gravity north -annotate +0+22 '3/2' \
  -depth 8 PNG32:stimmung-256.png

# Small sizes: filled rectangles without antialiasing, one rectangle per
# stroke, all on the pixel grid (x0,y0 x1,y1 inclusive).
small() { # size, card radius, text size (0: no text), rectangles...
  local size=$1 radius=$2 text=$3; shift 3
  local last=$((size - 1))
  local args=(-size "${size}x${size}" xc:none +antialias
    -fill white -stroke "$grey" -strokewidth 1 -draw "roundrectangle 0,0 $last,$last $radius,$radius"
    -stroke none)
  local colour rect
  while [ $# -gt 0 ]; do
    colour=$1 rect=$2; shift 2
    args+=(-fill "$colour" -draw "rectangle $rect")
  done
  if [ "$text" -gt 0 ]; then
    args+=(-antialias -fill "$blue" -font Liberation-Sans -pointsize "$text" -gravity north -annotate +0+1 '3/2')
  fi
  convert "${args[@]}" -depth 8 PNG32:stimmung-"$size".png
}

#      size radius text  axis                  base tone            octave               fifth (3/2)          marker
small  48   5      15    black '4,27 43,28'    black '8,18 9,38'    black '38,18 39,38'  "$blue" '23,21 24,26' "$red" '18,20 19,26'
small  32   3      0     black '3,18 28,19'    black '5,10 6,26'    black '25,10 26,26'  "$blue" '15,12 16,17' "$red" '11,11 12,17'
small  16   2      0     black '1,9 14,9'      black '3,5 3,13'     black '12,5 12,13'   "$blue" '8,6 8,8'     "$red" '6,5 6,8'
