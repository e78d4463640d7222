#!/bin/sh
# Makes the small pictures the picture-size tests read, with ImageMagick, so
# the headers come from a real encoder and not from our own code. Run it in
# this folder; the files are committed, so the tests need no ImageMagick.
set -e
# policy.xml beside this script lifts the width limit for the wide PNGs.
export MAGICK_CONFIGURE_PATH="$(cd "$(dirname "$0")" && pwd)"
convert -size 321x257 gradient:red-blue -strip -interlace none -quality 50 baseline.jpg
convert -size 321x257 gradient:red-blue -strip -interlace Plane -quality 50 progressive.jpg
# A JPEG with a comment segment before its frame.
convert -size 40x30 xc:green -set comment "made for the size test" -quality 50 commented.jpg
convert -size 300x2 xc:blue GIF87:gif87a.gif
convert -size 2x300 xc:blue -transparent blue -strip gif:gif89a.gif
convert -size 1000x700 xc:white -depth 1 -strip png:small.png
# 40000 = 0x9C40: the high byte of the low 16 bits is 128 or more.
convert -size 40000x1 xc:black -depth 1 -strip png:wide40000.png
# 70000 = 0x11170: the low 16 bits are 4464.
convert -size 70000x1 xc:black -depth 1 -strip png:wide70000.png
convert -size 20x10 xc:red bmp3:picture.bmp
