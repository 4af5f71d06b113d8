#!/usr/bin/env bash
# Draws the window icon at 16, 32, 48 and 256 pixels with ImageMagick, from
# the same shapes as stimmung.svg (white card, black ratio axis with the base
# tone and octave lines, a blue fifth and a red hand-placed marker).
set -euo pipefail
cd "$(dirname "$0")"
convert -size 256x256 xc:none \
  -fill white -stroke '#404040' -strokewidth 8 -draw 'roundrectangle 8,8 248,248 28,28' \
  -stroke black -strokewidth 12 -draw 'line 24,150 232,150' -draw 'line 48,96 48,204' -draw 'line 208,96 208,204' \
  -stroke '#0000ff' -draw 'line 128,112 128,150' \
  -stroke '#ff0000' -strokewidth 10 -draw 'line 100,104 100,150' \
  -stroke none -fill '#0000ff' -font Liberation-Serif -pointsize 64 -gravity north -annotate +0+22 '3/2' \
  stimmung-256.png
for s in 16 32 48; do convert stimmung-256.png -resize ${s}x${s} stimmung-$s.png; done
