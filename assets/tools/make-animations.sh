#!/usr/bin/env bash
# Regenerates the animated GIFs of assets/images from drawn frames (ImageMagick).
set -euo pipefail
cd "$(dirname "$0")/../images"
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT

# Busy indicator, 28 x 27: twelve dots, one bright dot going round.
for i in $(seq 0 11); do
  args=()
  for j in $(seq 0 11); do
    a=$(echo "($j*30-90)*3.14159265/180" | bc -l)
    x=$(echo "14+9*c($a)" | bc -l); y=$(echo "13.5+9*s($a)" | bc -l)
    d=$(( (j - i + 12) % 12 ))
    shade=$(( 40 + d * 17 )); [ $shade -gt 225 ] && shade=225
    args+=(-fill "rgb($shade,$((shade+10>255?255:shade+10)),255)" -draw "circle $x,$y $(echo "$x+2.2" | bc -l),$y")
  done
  convert -size 28x27 xc:none "${args[@]}" "$tmp/b$(printf %02d $i).png"
done
convert -delay 8 -loop 0 -dispose previous "$tmp"/b*.png mesgul.gif

# Header picture, 409 x 100: a slogan sliding in, then a gear turning.
for i in $(seq 0 23); do
  x=$(( 409 - i * 20 )); [ $x -lt 110 ] && x=110
  rot=$(( i * 15 ))
  convert -size 409x100 xc:none \
    -fill '#3D414A' -draw "roundrectangle 0,10 408,90 14,14" \
    -fill '#F2A33A' -draw "translate 55,50 rotate $rot rectangle -6,-32 6,32" \
    -fill '#F2A33A' -draw "translate 55,50 rotate $((rot+45)) rectangle -6,-32 6,32" \
    -fill '#F2A33A' -draw "translate 55,50 rotate $((rot+90)) rectangle -6,-32 6,32" \
    -fill '#F2A33A' -draw "translate 55,50 rotate $((rot+135)) rectangle -6,-32 6,32" \
    -fill '#F2A33A' -draw "translate 55,50 circle 0,0 0,25" \
    -fill '#3D414A' -draw "translate 55,50 circle 0,0 0,10" \
    -font DejaVu-Sans-Bold -pointsize 22 -fill '#FFFFFF' -annotate +$x+46 'Orijinal Yedek Parça' \
    -font DejaVu-Sans -pointsize 16 -fill '#F2C94C' -annotate +$x+72 'Hızlı sipariş · Güvenli teslimat' \
    "$tmp/h$(printf %02d $i).png"
done
convert -delay 10 -loop 0 -dispose background "$tmp"/h*.png -delay 200 "$tmp/h23.png" baslik.gif
