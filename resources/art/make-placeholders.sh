#!/usr/bin/env bash
# Placeholder pictures of the right sizes and formats (replaced by the finished artwork).
set -euo pipefail
cd "$(dirname "$0")"
convert -size 764x510 xc:'rgb(36,40,48)' -type TrueColor BMP3:Skin.bmp
convert -size 432x260 xc:'rgb(215,215,215)' -type TrueColor BMP3:MenuBack.bmp
convert -size 220x38 xc:none -fill 'rgba(60,140,220,255)' -draw 'roundrectangle 1,1 218,36 8,8' \
  -fill white -pointsize 16 -gravity center -annotate 0 'SAVE AND EXIT' PNG32:SaveAndExit.png
convert -size 16x17 xc:none -stroke 'rgba(230,230,230,255)' -strokewidth 2 \
  -draw 'line 3,3 12,13' -draw 'line 12,3 3,13' PNG32:Close.png
for s in 128 64 32; do
  convert -size ${s}x${s} xc:none -fill 'rgba(60,140,220,255)' -draw "circle $((s/2)),$((s/2)) $((s/2)),2" PNG32:icon$s.png
done
convert icon128.png icon64.png icon32.png MenuEntry.ico
for s in 48 32 16; do
  convert -size ${s}x${s} xc:none -fill 'rgba(40,180,120,255)' -draw "roundrectangle 1,1 $((s-2)),$((s-2)) 3,3" PNG32:app$s.png
done
convert app48.png app32.png app16.png Tressel.ico
rm -f icon*.png app*.png
