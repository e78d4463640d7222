#!/bin/sh
# Draws the picture of the start window and writes resources/scroll.bmp.
#
# The start window is an ellipse cut from this 420 x 300 picture; the
# ellipse's box runs from (40,10) to (420,300). The picture is a parchment
# sheet inside that ellipse: the product name near the top, faint columns of
# file names at the sides and a row of running numbers at the foot. The middle
# (x 110..350, y 100..250) stays plain, since the option frame and the two
# buttons of the window sit there.
#
# Needs ImageMagick's convert (set CONVERT to use another one).
set -eu

here=$(cd "$(dirname "$0")" && pwd)
out="$here/scroll.bmp"
convert=${CONVERT:-convert}

width=420
height=300
# Ellipse of the window region: centre and radii.
cx=230
cy=155
rx=190
ry=145

paper_light='#fbf3dc'
paper_dark='#d8b77c'
ink='#5a3a10'
faint='#c9a870'
outside='#8a6a3a'

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Parchment: light in the middle, darker towards the rim of the ellipse.
"$convert" -size ${width}x${height} \
    -define gradient:center=${cx},${cy} \
    -define gradient:radii=${rx},${ry} \
    radial-gradient:"$paper_light"-"$paper_dark" \
    "$tmp/paper.png"

# A light grain so the sheet does not look flat.
"$convert" -size ${width}x${height} xc:gray50 -seed 31 +noise Gaussian \
    -colorspace Gray -blur 0x0.6 -evaluate multiply 0.5 -evaluate add 25% \
    "$tmp/grain.png"
"$convert" "$tmp/paper.png" "$tmp/grain.png" -compose SoftLight -composite \
    "$tmp/paper.png"

# Faint file names in two columns beside the calm middle, and a row of
# running numbers along the foot: what the program works on.
left_names="readme.txt
photo.jpg
letter.doc
notes.rtf
scan.bmp
report.pdf"
right_names="trip01.jpg
trip02.jpg
trip03.jpg
trip04.jpg
trip05.jpg
trip06.jpg"

# Each row of a column hugs the rim: its text starts (left column) or ends
# (right column) a fixed inset inside the ellipse at the row's height.
column_width=44
rim_inset=22
row_start=104
row_step=19

draw_column() {
    side=$1
    names=$2
    y=$row_start
    args=""
    for name in $names; do
        x=$(awk -v cx=$cx -v cy=$cy -v rx=$rx -v ry=$ry -v y=$y -v side="$side" \
            -v w=$column_width -v inset=$rim_inset 'BEGIN {
                d = (y - cy) / ry
                half = rx * sqrt(1 - d * d)
                if (side == "left") print int(cx - half + inset)
                else print int(cx + half - inset - w)
            }')
        args="$args text $x,$y '$name'"
        y=$((y + row_step))
    done
    printf '%s' "$args"
}

"$convert" "$tmp/paper.png" \
    -font DejaVu-Sans-Mono -pointsize 7 -fill "$faint" \
    -draw "$(draw_column left "$left_names")" \
    -draw "$(draw_column right "$right_names")" \
    -pointsize 11 \
    -draw "text 150,268 '0001  0002  0003  0004'" \
    "$tmp/paper.png"

# Two thin rules framing the title, and the product name with a soft shadow.
"$convert" "$tmp/paper.png" \
    -stroke "$ink" -strokewidth 1 -fill none \
    -draw "line 180,36 280,36" \
    -draw "line 150,92 310,92" \
    -draw "line 175,96 285,96" \
    "$tmp/paper.png"

"$convert" -size ${width}x${height} xc:none \
    -font DejaVu-Serif-Bold-Italic -pointsize 44 -fill '#00000060' \
    -gravity North -annotate +22+42 'Nomaro' \
    -blur 0x2 "$tmp/shadow.png"
"$convert" "$tmp/paper.png" "$tmp/shadow.png" -compose Over -composite \
    -font DejaVu-Serif-Bold-Italic -pointsize 44 -fill "$ink" \
    -gravity North -annotate +20+39 'Nomaro' \
    "$tmp/paper.png"

# A double border just inside the ellipse, like the edge of a sheet.
"$convert" "$tmp/paper.png" -fill none \
    -stroke "$ink" -strokewidth 2 \
    -draw "ellipse $cx,$cy $((rx - 6)),$((ry - 6)) 0,360" \
    -stroke "$faint" -strokewidth 1 \
    -draw "ellipse $cx,$cy $((rx - 11)),$((ry - 11)) 0,360" \
    "$tmp/paper.png"

# Outside the ellipse the window draws nothing; fill it with one calm colour.
"$convert" -size ${width}x${height} xc:black -fill white \
    -draw "ellipse $cx,$cy $rx,$ry 0,360" "$tmp/mask.png"
"$convert" -size ${width}x${height} xc:"$outside" "$tmp/paper.png" "$tmp/mask.png" \
    -compose Over -composite "$tmp/paper.png"

# 24-bit uncompressed Windows bitmap.
"$convert" "$tmp/paper.png" -alpha off -type TrueColor -compress None "BMP3:$out"
echo "wrote $out"
