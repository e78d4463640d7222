#!/bin/sh
# Draws the program icon and writes resources/nomaro.ico with a 32 x 32 and a
# 16 x 16 image: a sheet of paper with a folded corner and a few lines of
# file names, and a pencil across it (names that get written anew).
#
# Each size is drawn at four times its size and scaled down, so the edges are
# smooth. The 16 x 16 image leaves out the lines of text, which would only
# blur, and uses thicker outlines so they stay visible.
#
# Needs ImageMagick's convert (set CONVERT to use another one).
set -eu

here=$(cd "$(dirname "$0")" && pwd)
out="$here/nomaro.ico"
convert=${CONVERT:-convert}

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

paper='#fffaf0'
edge='#5a3a10'
fold='#e6d2a8'
lines='#8aa4c8'
wood='#f0a030'
wood_dark='#b86e10'
lead='#303030'
eraser='#e06070'

# draw_icon SIZE OUTLINE WITH_LINES FILE: the design on a 128 x 128 canvas,
# outlines OUTLINE units wide, scaled to SIZE.
draw_icon() {
    size=$1
    outline=$2
    with_lines=$3
    file=$4
    text_lines=""
    if [ "$with_lines" = yes ]; then
        text_lines="line 34,42 76,42 line 34,58 84,58 line 34,74 70,74 line 34,90 80,90"
    fi
    "$convert" -size 128x128 xc:none \
        -stroke "$edge" -strokewidth "$outline" -fill "$paper" \
        -draw "polygon 20,10 84,10 108,34 108,118 20,118" \
        -fill "$fold" -draw "polygon 84,10 84,34 108,34" \
        -stroke "$lines" -strokewidth 5 -fill none \
        ${text_lines:+-draw "$text_lines"} \
        -stroke "$wood_dark" -strokewidth $((outline - 1)) -fill "$wood" \
        -draw "polygon 102,44 122,64 68,118 48,98" \
        -fill "$eraser" -draw "polygon 102,44 122,64 128,58 108,38" \
        -fill "$paper" -draw "polygon 48,98 68,118 40,126" \
        -stroke none -fill "$lead" -draw "polygon 40,126 44,114 52,122" \
        -resize ${size}x${size} "$file"
}

draw_icon 32 5 yes "$tmp/icon32.png"
draw_icon 16 9 no "$tmp/icon16.png"

"$convert" "$tmp/icon32.png" "$tmp/icon16.png" "$out"
echo "wrote $out"
