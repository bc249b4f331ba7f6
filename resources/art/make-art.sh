#!/usr/bin/env bash
# Regenerates the program's pictures (ImageMagick `convert` and Python 3):
#   resources/art/make-art.sh
# The generated files are kept in the repository, so building needs none of these tools.
#
# Skin.bmp (bitmap 140, 764 x 510, 24 bits): the mouse on a dark ground, with room on the right
# for the six input buttons and at the bottom left for the save button. The boxes under the
# buttons, their titles and the leader lines are not part of the picture: the program draws them
# where the controls really are (app/SkinGuides.*), and starts each leader at its input's part of
# the mouse drawn here (the points in kInputGuides: right button 272,100; wheel 218,122..176;
# front side button 116,230; rear side button 116,282). The skin has no pixel of the window's
# colour key 0x6A1FF8 (red 248, green 31, blue 106); the script checks that. Its outermost
# column and row are what the program draws on where a window is larger than the picture.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

accent='#3fa7d6'

body="M 210,72 C 290,72 312,134 312,218 C 312,318 282,398 210,398 C 138,398 108,318 108,218 C 108,134 130,72 210,72 Z"

convert -size 764x510 radial-gradient:'#2c313b-#121419' \
  -fill none -stroke '#1f232a' -strokewidth 1 -draw "line 24,480 740,480" \
  -stroke none -fill '#0c0d10' -draw "ellipse 212,405 88,8 0,360" \
  -fill '#2f343e' -stroke '#5b6272' -strokewidth 2 -draw "path '$body'" \
  -stroke none -fill 'rgba(255,255,255,0.025)' -draw "ellipse 180,160 44,70 0,360" \
  -fill none -stroke '#1c1f25' -strokewidth 2 \
  -draw "line 210,74 210,112" -draw "path 'M 110,200 C 150,216 270,216 310,200'" \
  -stroke '#7b8292' -strokewidth 1 -fill '#4a505c' -draw "roundrectangle 200,112 220,186 8,8" \
  -stroke '#353a44' -strokewidth 2 \
  -draw "line 204,124 216,124" -draw "line 204,134 216,134" -draw "line 204,144 216,144" \
  -draw "line 204,154 216,154" -draw "line 204,164 216,164" -draw "line 204,174 216,174" \
  -stroke '#7b8292' -strokewidth 1 -fill '#444a56' \
  -draw "roundrectangle 110,210 124,250 5,5" -draw "roundrectangle 110,262 124,302 5,5" \
  -stroke none -fill "$accent" -draw "circle 210,362 210,367" \
  -stroke none -fill '#e6e9ee' -font Helvetica-Bold -pointsize 22 -annotate +30+44 'TRESSEL' \
  -fill '#7d8696' -font Helvetica -pointsize 11 -annotate +32+62 'six buttons, your functions' \
  -alpha off -type TrueColor BMP3:Skin.bmp

convert -size 432x260 xc:'rgb(215,215,215)' -type TrueColor BMP3:MenuBack.bmp

# Save button (PNG 145): 220 x 38 with alpha.
convert -size 220x38 xc:none \
  -fill 'rgba(0,0,0,0.35)' -draw 'roundrectangle 2,3 218,37 9,9' \
  \( -size 216x33 gradient:'#56b9e6-#2a7fb0' \
     \( -size 216x33 xc:none -fill white -draw 'roundrectangle 0,0 215,32 8,8' \) \
     -alpha set -compose DstIn -composite \) \
  -geometry +1+1 -compose over -composite \
  -fill none -stroke 'rgba(255,255,255,0.35)' -strokewidth 1 -draw 'roundrectangle 1.5,1.5 215.5,32.5 8,8' \
  -stroke none -fill white -font Helvetica-Bold -pointsize 15 -gravity center -annotate +0-2 'SAVE AND EXIT' \
  PNG32:SaveAndExit.png

# Close glyph (PNG 147): 16 x 17, a dark disc with a light cross, transparent around.
convert -size 16x17 xc:none -fill 'rgb(70,74,84)' -draw 'circle 7.5,8.5 7.5,1' \
  -stroke 'rgb(235,238,242)' -strokewidth 1.6 -draw 'line 5,6 10,11' -draw 'line 10,6 5,11' \
  PNG32:Close.png

# Menu entry icon (135): 128, 64 and 32 pixels, 32 bits.
for s in 128 64 32; do
  m=$((s / 8))
  convert -size ${s}x${s} xc:none -fill "$accent" -draw "roundrectangle $m,$m $((s - m)),$((s - m)) $((s / 5)),$((s / 5))" \
    -fill white -draw "polygon $((s * 3 / 8)),$((s * 5 / 16)) $((s * 11 / 16)),$((s / 2)) $((s * 3 / 8)),$((s * 11 / 16))" \
    PNG32:"$tmp/entry$s.png"
done
convert "$tmp/entry128.png" "$tmp/entry64.png" "$tmp/entry32.png" MenuEntry.ico

# Application icon (128): a small mouse, 16, 32, 48 and 256 pixels.
for s in 256 48 32 16; do
  convert -size 256x256 xc:none -fill '#2f343e' -stroke "$accent" -strokewidth 14 \
    -draw "path 'M 128,16 C 196,16 214,76 214,132 C 214,200 184,240 128,240 C 72,240 42,200 42,132 C 42,76 60,16 128,16 Z'" \
    -stroke "$accent" -strokewidth 10 -draw 'line 128,20 128,86' -draw "path 'M 46,112 C 90,126 166,126 210,112'" \
    -stroke none -fill "$accent" -draw 'roundrectangle 114,56 142,104 12,12' \
    -resize ${s}x${s} PNG32:"$tmp/app$s.png"
done
convert "$tmp/app16.png" "$tmp/app32.png" "$tmp/app48.png" "$tmp/app256.png" Tressel.ico

python3 - <<'PY'
import struct
data = open("Skin.bmp", "rb").read()
offset, = struct.unpack_from("<I", data, 10)
width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
assert (width, abs(height), bits) == (764, 510, 24), (width, height, bits)
stride = (width * 3 + 3) & ~3
for y in range(abs(height)):
    row = data[offset + y * stride: offset + y * stride + width * 3]
    for x in range(width):
        b, g, r = row[3 * x: 3 * x + 3]
        if (r, g, b) == (248, 31, 106):
            raise SystemExit(f"Skin.bmp has a key-colour pixel at {x},{y}")
back = open("MenuBack.bmp", "rb").read()
o, = struct.unpack_from("<I", back, 10)
assert set(back[o:o + 432 * 3 * 260]) == {215}, "MenuBack.bmp is not uniform grey 215"
print("art checks passed")
PY
