#!/bin/sh
# Draws the small pictures shown beside menu items, the list window's
# toolbar strip and the decoration pictures of the list and rename windows:
#
#   menu-open.bmp      13 x 13  a folder opening
#   menu-save.bmp      13 x 13  a floppy disk
#   menu-new.bmp       13 x 13  a blank page
#   menu-printer.bmp   13 x 13  a printer with a printed page
#   menu-undo.bmp      13 x 13  a blue arrow curving back to the left
#   menu-redo.bmp      13 x 13  the same arrow curving on to the right
#   menu-copy.bmp      13 x 13  two pages, one over the other
#   menu-cut.bmp       13 x 13  open scissors
#   menu-paste.bmp     13 x 13  a clipboard holding a page
#   menu-help.bmp      13 x 13  a question mark in a blue disc
#   menu-search.bmp    13 x 13  a magnifier over a folder
#   menu-view.bmp      13 x 13  a small landscape picture
#   menu-about.bmp     13 x 13  an "i" in a green disc
#   menu-exit.bmp      13 x 13  an open door with an arrow leaving it
#   list-toolbar.bmp  128 x 16  eight 16 x 16 toolbar buttons side by side:
#                               exit, print, save, clear list (a page with a
#                               red cross), undo, redo, about, help
#   list-image1.bmp    48 x 48  a sheet listing file names, with a folder
#   list-image2.bmp    48 x 48  the same sheet lit up (shown under the mouse)
#   rename-image1.bmp  48 x 48  a file card with a number tag
#   rename-image2.bmp  48 x 48  the same card lit up (shown under the mouse)
#
# Menu pictures take the place of the check mark, so they have its size
# (13 x 13) and the menu's white background. The toolbar buttons show the
# same drawings as the matching menu pictures, a little larger. The toolbar
# strip and the decoration pictures have a magenta background, which the
# window leaves out when it draws them.
#
# Everything is drawn at four times its size and scaled down, so the edges
# are smooth. Each small drawing is laid out on a 52 x 52 grid (four times
# 13); for the 16 x 16 buttons the grid is stretched to 64 x 64. Output:
# 24-bit uncompressed Windows bitmaps.
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
paper='#fffdf6'
wood='#b5722e'
folder_back='#e0a838'
folder_front='#f8d070'
arrow_blue='#2a62c8'

# shrink PNG SIZE BACKGROUND OUT: scales the drawing down onto its
# background. On the magenta key the outline is kept hard, so no pink edge is
# left when the key is taken out.
shrink() {
    hard=""
    if [ "$3" = "$key" ]; then
        hard=yes
    fi
    "$convert" -size "$2x$2" xc:"$3" \( "$1" -filter Triangle -resize "$2x$2" \
        ${hard:+-channel A -threshold 50% +channel} \) \
        -compose Over -composite -alpha off -type TrueColor -compress None "$4"
}

# save PNG SIZE BACKGROUND BMP: shrinks the drawing and writes it as a bitmap.
save() {
    shrink "$1" "$2" "$3" "BMP3:$4"
    echo "wrote $4"
}

# canvas SIZE: the start of a transparent drawing for a picture SIZE pixels
# wide, with the 52 x 52 grid stretched to four times SIZE.
canvas() {
    echo "-size $(($1 * 4))x$(($1 * 4)) xc:none -affine $(awk "BEGIN { s = $1 / 13; print s \",0,0,\" s \",0,0\" }")"
}

# Each draw_NAME SIZE OUT below draws one small picture on the 52 x 52 grid.

# A door frame, the door swung open, and a green arrow going out.
draw_exit() {
    "$convert" $(canvas "$1") \
        -stroke "$ink" -strokewidth 3 -fill '#f4e6c8' -draw "rectangle 4,4 28,48" \
        -stroke '#6b3e14' -fill "$wood" -draw "polygon 4,4 18,10 18,50 4,48" \
        -stroke none -fill '#f0d060' -draw "circle 15,30 17,30" \
        -stroke '#1e7a2a' -strokewidth 7 -draw "line 20,26 38,26" \
        -stroke none -fill '#1e7a2a' -draw "polygon 36,12 51,26 36,40" \
        "$2"
}

# disc_with_glyph SIZE COLOUR GLYPH OUT: a round disc with a white character.
disc_with_glyph() {
    "$convert" $(canvas "$1") \
        -stroke "$ink" -strokewidth 3 -fill "$2" -draw "circle 26,26 26,2" \
        -stroke none -fill white -font DejaVu-Sans-Bold -pointsize 40 \
        -gravity Center -annotate +0+1 "$3" \
        "$4"
}

draw_help() { disc_with_glyph "$1" '#2a62c8' '?' "$2"; }
draw_about() { disc_with_glyph "$1" '#1e8a5a' 'i' "$2"; }

# The drawings below put their outlines on whole pixels of the 13 x 13
# picture: 4 units wide and centred on a coordinate of the form 4 n + 2, so
# each outline is one sharp pixel in the menu.

# The back of a folder with its tab, and the front flap tilted open.
draw_open() {
    "$convert" $(canvas "$1") \
        -stroke "$ink" -strokewidth 4 -fill "$folder_back" \
        -draw "polygon 2,6 18,6 22,10 42,10 42,46 2,46" \
        -fill "$folder_front" -draw "polygon 12,22 50,22 42,46 2,46" \
        "$2"
}

# A blue floppy disk: metal shutter at the top, white label below.
draw_save() {
    "$convert" $(canvas "$1") \
        -stroke "$ink" -strokewidth 4 -fill '#3a66b8' \
        -draw "polygon 2,2 42,2 50,10 50,50 2,50" \
        -fill '#d8dce4' -draw "rectangle 14,2 38,18" \
        -stroke none -fill '#3a66b8' -draw "rectangle 28,4 36,16" \
        -stroke "$ink" -fill white -draw "rectangle 10,30 42,50" \
        -stroke '#8a9ab4' -draw "line 16,38 36,38 line 16,46 36,46" \
        "$2"
}

# A blank page with a folded corner.
draw_new() {
    "$convert" $(canvas "$1") \
        -stroke "$ink" -strokewidth 4 -fill "$paper" \
        -draw "polygon 10,2 34,2 42,10 42,50 10,50" \
        -fill '#d8d0c0' -draw "polygon 34,2 34,10 42,10" \
        "$2"
}

# A page crossed out in red: the list is cleared.
draw_clear() {
    "$convert" $(canvas "$1") \
        -stroke "$ink" -strokewidth 4 -fill "$paper" \
        -draw "polygon 6,2 30,2 38,10 38,50 6,50" \
        -fill '#d8d0c0' -draw "polygon 30,2 30,10 38,10" \
        -stroke '#8a9ab4' -draw "line 12,18 32,18 line 12,26 32,26" \
        -stroke white -strokewidth 14 -draw "line 25,25 49,49 line 49,25 25,49" \
        -stroke '#d42020' -strokewidth 7 -draw "line 26,26 48,48 line 48,26 26,48" \
        "$2"
}

# A grey printer with paper fed in at the top and a printed page coming out.
draw_printer() {
    "$convert" $(canvas "$1") \
        -stroke "$ink" -strokewidth 4 -fill white -draw "rectangle 14,2 38,18" \
        -fill '#a8aeb8' -draw "roundrectangle 2,14 50,38 4,4" \
        -stroke none -fill '#3cc040' -draw "rectangle 40,20 44,24" \
        -stroke "$ink" -fill white -draw "rectangle 10,30 42,50" \
        -stroke '#8a9ab4' -draw "line 16,38 36,38 line 16,46 32,46" \
        "$2"
}

# A thick blue arrow that rises on the right, turns over the top and points
# left.
draw_undo() {
    "$convert" $(canvas "$1") \
        -fill none -stroke "$ink" -strokewidth 11 \
        -draw "line 42,47 42,32 ellipse 27,32 15,15 270,360 line 27,17 18,17" \
        -stroke "$arrow_blue" -strokewidth 5 \
        -draw "line 42,47 42,32 ellipse 27,32 15,15 270,360 line 27,17 18,17" \
        -stroke "$ink" -strokewidth 3 -fill "$arrow_blue" -draw "polygon 21,3 3,17 21,31" \
        "$2"
}

# The undo arrow mirrored: it points right.
draw_redo() {
    draw_undo "$1" "$tmp/undo-for-redo.png"
    "$convert" "$tmp/undo-for-redo.png" -flop "$2"
}

# Two pages: the back one up and left, the front one with lines of text.
draw_copy() {
    "$convert" $(canvas "$1") \
        -stroke "$ink" -strokewidth 4 -fill '#e8e4da' -draw "rectangle 2,2 30,34" \
        -fill "$paper" -draw "rectangle 18,18 50,50" \
        -stroke '#8a9ab4' -draw "line 24,26 44,26 line 24,34 44,34 line 24,42 40,42" \
        "$2"
}

# Open scissors: two steel blades crossing, red finger rings below.
draw_cut() {
    "$convert" $(canvas "$1") \
        -stroke "$ink" -strokewidth 9 -draw "line 19,32 37,1 line 33,32 15,1" \
        -stroke '#c4ccd8' -strokewidth 4 -draw "line 19,32 37,1 line 33,32 15,1" \
        -stroke '#c82828' -strokewidth 5 -fill none \
        -draw "circle 14,41 14,34 circle 38,41 38,34" \
        -stroke none -fill "$ink" -draw "circle 26,17 28,17" \
        "$2"
}

# A brown clipboard with its metal clip and a page on it.
draw_paste() {
    "$convert" $(canvas "$1") \
        -stroke "$ink" -strokewidth 4 -fill "$wood" -draw "roundrectangle 2,6 38,50 3,3" \
        -fill '#d8dce4' -draw "rectangle 10,2 30,10" \
        -fill "$paper" -draw "rectangle 18,18 50,50" \
        -stroke '#8a9ab4' -draw "line 24,26 44,26 line 24,34 44,34 line 24,42 40,42" \
        "$2"
}

# A folder with a magnifier over it: search through the folders.
draw_search() {
    "$convert" $(canvas "$1") \
        -stroke "$ink" -strokewidth 4 -fill "$folder_back" \
        -draw "polygon 2,2 14,2 18,6 34,6 34,34 2,34" \
        -fill "$folder_front" -draw "rectangle 2,14 34,34" \
        -strokewidth 8 -draw "line 38,38 49,49" \
        -strokewidth 4 -fill '#dcecff' -draw "circle 30,30 30,19" \
        "$2"
}

# A framed landscape: sky, sun and green hills.
draw_view() {
    "$convert" $(canvas "$1") \
        -stroke none -fill '#8cc8ff' -draw "rectangle 2,6 50,46" \
        -fill '#ffd020' -draw "circle 36,18 36,12" \
        -fill '#3a9a3a' -draw "polygon 2,36 16,22 30,36 38,29 50,38 50,46 2,46" \
        -stroke "$ink" -strokewidth 4 -fill none -draw "rectangle 2,6 50,46" \
        "$2"
}

for name in open save new printer undo redo copy cut paste help search view \
    about exit; do
    draw_$name 13 "$tmp/menu.png"
    save "$tmp/menu.png" 13 "$menu_back" "$here/menu-$name.bmp"
done

# The toolbar buttons, in the toolbar's order, joined into one strip.
tiles=""
for name in exit printer save clear undo redo about help; do
    draw_$name 16 "$tmp/button.png"
    shrink "$tmp/button.png" 16 "$key" "PNG24:$tmp/tile-$name.png"
    tiles="$tiles $tmp/tile-$name.png"
done
"$convert" $tiles +append -alpha off -type TrueColor -compress None "BMP3:$here/list-toolbar.bmp"
echo "wrote $here/list-toolbar.bmp"

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

# sheet PAPER BULLETS LINES FOLDER_BACK FOLDER_FRONT GLOW OUT: a sheet listing
# file names, each behind a small file mark, with a folder in front of its
# lower corner, on an optional glow.
sheet() {
    glow=""
    if [ "$6" != none ]; then
        glow="circle 96,96 96,6"
    fi
    "$convert" -size 192x192 xc:none \
        ${glow:+-fill "$6" -draw "$glow"} \
        -stroke "$ink" -strokewidth 6 -fill "$1" \
        -draw "polygon 30,14 122,14 154,46 154,178 30,178" \
        -fill '#d8d0c0' -draw "polygon 122,14 122,46 154,46" \
        -stroke none -fill "$2" \
        -draw "rectangle 46,56 60,70 rectangle 46,82 60,96 rectangle 46,108 60,122 rectangle 46,134 60,148" \
        -stroke "$3" -strokewidth 8 \
        -draw "line 70,63 132,63 line 70,89 114,89 line 70,115 128,115 line 70,141 100,141" \
        -stroke "$ink" -strokewidth 6 -fill "$4" \
        -draw "polygon 92,112 128,112 138,124 182,124 182,184 92,184" \
        -fill "$5" -draw "polygon 104,140 188,140 180,184 92,184" \
        "$7"
}

sheet "$paper" '#7a8aa2' '#9aa8bc' "$folder_back" "$folder_front" none "$tmp/sheet1.png"
save "$tmp/sheet1.png" 48 "$key" "$here/list-image1.bmp"

sheet '#ffffff' '#1e5ab8' '#3a78d8' '#f08a20' '#ffb84c' '#cfe4ff' "$tmp/sheet2.png"
save "$tmp/sheet2.png" 48 "$key" "$here/list-image2.bmp"
