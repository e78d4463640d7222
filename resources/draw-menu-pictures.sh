#!/bin/sh
# Draws the small pictures shown beside menu items and the two decoration
# pictures of the rename window:
#
#   menu-exit.bmp      13 x 13  an open door with an arrow leaving it
#   menu-help.bmp      13 x 13  a question mark in a blue disc
#   menu-about.bmp     13 x 13  an "i" in a green disc
#   rename-image1.bmp  48 x 48  a file card with a number tag
#   rename-image2.bmp  48 x 48  the same card lit up (shown under the mouse)
#
# Menu pictures take the place of the check mark, so they have its size
# (13 x 13) and the menu's white background. The decoration pictures have a
# magenta background, which the window leaves out when it draws them.
#
# Everything is drawn at four times its size and scaled down, so the edges
# are smooth. Output: 24-bit uncompressed Windows bitmaps.
#
# Needs ImageMagick's convert (set CONVERT to use another one).
set -eu

here=$(cd "$(dirname "$0")" && pwd)
convert=${CONVERT:-convert}

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

menu_back='#ffffff'
key='#ff00ff'
ink='#303030'

# save PNG SIZE BACKGROUND BMP: scales the drawing down onto its background
# and writes it as a bitmap. On the magenta key the outline is kept hard, so
# no pink edge is left when the key is taken out.
save() {
    hard=""
    if [ "$3" = "$key" ]; then
        hard=yes
    fi
    "$convert" -size "$2x$2" xc:"$3" \( "$1" -filter Triangle -resize "$2x$2" \
        ${hard:+-channel A -threshold 50% +channel} \) \
        -compose Over -composite -alpha off -type TrueColor -compress None "BMP3:$4"
    echo "wrote $4"
}

# Exit: a door frame, the door swung open, and a green arrow going out.
"$convert" -size 52x52 xc:none \
    -stroke "$ink" -strokewidth 3 -fill '#f4e6c8' -draw "rectangle 4,4 28,48" \
    -stroke '#6b3e14' -fill '#b5722e' -draw "polygon 4,4 18,10 18,50 4,48" \
    -stroke none -fill '#f0d060' -draw "circle 15,30 17,30" \
    -stroke '#1e7a2a' -strokewidth 7 -draw "line 20,26 38,26" \
    -stroke none -fill '#1e7a2a' -draw "polygon 36,12 51,26 36,40" \
    "$tmp/exit.png"
save "$tmp/exit.png" 13 "$menu_back" "$here/menu-exit.bmp"

# disc_with_glyph COLOUR GLYPH OUT: a round disc with a white character.
disc_with_glyph() {
    "$convert" -size 52x52 xc:none \
        -stroke "$ink" -strokewidth 3 -fill "$1" -draw "circle 26,26 26,2" \
        -stroke none -fill white -font DejaVu-Sans-Bold -pointsize 40 \
        -gravity Center -annotate +0+1 "$2" \
        "$3"
}

disc_with_glyph '#2a62c8' '?' "$tmp/help.png"
save "$tmp/help.png" 13 "$menu_back" "$here/menu-help.bmp"

disc_with_glyph '#1e8a5a' 'i' "$tmp/about.png"
save "$tmp/about.png" 13 "$menu_back" "$here/menu-about.bmp"

# card PAPER LINES TAG TAG_EDGE GLOW OUT: a file card with a folded corner,
# lines of text and a hanging number tag, on an optional glow.
card() {
    glow=""
    if [ "$5" != none ]; then
        glow="circle 96,96 96,6"
    fi
    "$convert" -size 192x192 xc:none \
        ${glow:+-fill "$5" -draw "$glow"} \
        -stroke "$ink" -strokewidth 6 -fill "$1" \
        -draw "polygon 40,20 120,20 152,52 152,172 40,172" \
        -fill '#d8d0c0' -draw "polygon 120,20 120,52 152,52" \
        -stroke "$2" -strokewidth 8 \
        -draw "line 60,70 132,70 line 60,92 124,92 line 60,114 132,114" \
        -stroke "$ink" -strokewidth 5 -fill none -draw "line 110,128 132,104" \
        -stroke "$4" -strokewidth 6 -fill "$3" \
        -draw "polygon 70,128 150,128 176,156 150,184 70,184" \
        -stroke none -fill "$ink" -draw "circle 156,156 162,156" \
        -font DejaVu-Sans-Bold -pointsize 44 -fill "$ink" \
        -draw "text 78,172 '01'" \
        "$6"
}

card '#fffdf6' '#9aa8bc' '#f2d25c' '#8a6a10' none "$tmp/card1.png"
save "$tmp/card1.png" 48 "$key" "$here/rename-image1.bmp"

card '#ffffff' '#3a78d8' '#ff9a3c' '#9a4a00' '#cfe4ff' "$tmp/card2.png"
save "$tmp/card2.png" 48 "$key" "$here/rename-image2.bmp"
