#!/usr/bin/env bash
# Redraws app/tavi.ico: a sky-blue tile with a heart, 32x32 and 16x16, in 24-bit and 8-bit colour.
# Needs ImageMagick and icoutils (apt-get install imagemagick icoutils).
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Drawn large and scaled down; a gradient gives the 24-bit images their depth.
convert -size 256x256 xc:none \
  \( -size 256x256 gradient:'#4fdcff-#0086d6' \) \
  \( -size 256x256 xc:black -fill white -draw 'roundrectangle 8,8 247,247 44,44' \) \
  -compose over -delete 0 -alpha off -compose copy_opacity -composite \
  -fill white -stroke '#005a96' -strokewidth 6 \
  -draw 'path "M 128,206 C 40,150 34,104 52,78 C 72,50 112,54 128,88 C 144,54 184,50 204,78 C 222,104 216,150 128,206 Z"' \
  "$work/big.png"

for size in 32 16; do
  # Binary transparency: icons of 24 and 8 bits keep transparency in a mask.
  convert "$work/big.png" -resize ${size}x${size} -channel A -threshold 50% +channel \
    -background '#00000000' "PNG32:$work/rgba$size.png"
done
# The same drawings stored at 24 and at 8 bits per pixel (icotool quantizes).
icotool -c -o ../tavi.ico -b 24 "$work/rgba32.png" -b 8 "$work/rgba32.png" \
  -b 24 "$work/rgba16.png" -b 8 "$work/rgba16.png"
icotool -l ../tavi.ico
