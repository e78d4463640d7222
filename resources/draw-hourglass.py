#!/usr/bin/env python3
"""Draws the busy cursor and writes it as an animated cursor (RIFF 'ACON').

The cursor is an hourglass of 32 x 32 pixels with its hotspot in the middle.
Frames 0 to 6 let the sand run from the upper bulb into the lower one; frame 7
shows the glass turned on its side, so that the loop reads as "empty, turn,
full again". Every pixel is sampled 4 x 4 times, which gives soft edges in
the alpha channel of the 32-bit images.

Usage: draw-hourglass.py [OUTPUT] [--preview DIR]
       draw-hourglass.py --check FILE
OUTPUT defaults to hourglas.bin beside this script. With --preview each frame
is also written as DIR/hourglass-N.png (enlarged 8 times) for a quick look.
The file is read back and checked before it is written (the loader accepts
only whole, well-formed files and may crash on others); --check only checks
an existing file and exits 1 when it is broken.
"""

import math
import os
import struct
import sys
import zlib

SIZE = 32
CENTRE = SIZE / 2.0
SUBSAMPLES = 4
FLOW_FRAMES = 7          # frames 0..6: sand from full top to full bottom
JIFFIES_PER_FRAME = 8    # 8/60 s per frame
AF_ICON = 0x1

# Colours as (red, green, blue).
BLACK = (0, 0, 0)
GLASS = (255, 255, 255)
SAND = (222, 170, 60)

# Geometry in the glass's own coordinates: x across, y down, origin at the
# centre of the cursor. The glass is symmetric about both axes.
BAR_HALF_WIDTH = 9.5     # the wooden ends at top and bottom
BAR_TOP = -14.0
BAR_BOTTOM = -11.0       # the upper bar spans y in [-14, -11]; the lower one mirrors it
BULB_HALF_WIDTH = 7.0    # inner half width of a bulb at its widest
NECK_HALF_WIDTH = 1.0    # inner half width at the waist
WALL = 1.3               # thickness of the black glass outline


def inner_half_width(y):
    """Inner half width of the glass at height y (|y| <= 11)."""
    s = min(abs(y) / -BAR_BOTTOM, 1.0)   # 0 at the waist, 1 at the bars
    # A bulb that is round near the bars and pinches into the waist.
    return NECK_HALF_WIDTH + (BULB_HALF_WIDTH - NECK_HALF_WIDTH) * math.sin(s * math.pi / 2) ** 0.8


def classify(x, y):
    """Returns 'bar', 'wall', 'inside' or None for a point of the glass."""
    if abs(x) <= BAR_HALF_WIDTH and -BAR_TOP >= abs(y) >= -BAR_BOTTOM:
        return 'bar'
    if abs(y) < -BAR_BOTTOM:
        w = inner_half_width(y)
        if abs(x) <= w:
            return 'inside'
        if abs(x) <= w + WALL:
            return 'wall'
    return None


def bulb_area_below(level, upper):
    """Area of the inside of one bulb, counted from the waist out to `level`.

    For the upper bulb `level` is a height in (-11, 0]: the area between it and
    the waist. For the lower bulb it is a height in [0, 11): the area between
    it and the lower bar.
    """
    steps = 400
    total = 0.0
    if upper:
        lo, hi = level, 0.0
    else:
        lo, hi = level, -BAR_BOTTOM
    if hi <= lo:
        return 0.0
    dy = (hi - lo) / steps
    for i in range(steps):
        total += 2 * inner_half_width(lo + (i + 0.5) * dy) * dy
    return total


def solve_level(area, upper):
    """Height whose filled part of the bulb has the given area (bisection)."""
    lo, hi = (BAR_BOTTOM, 0.0) if upper else (0.0, -BAR_BOTTOM)
    for _ in range(40):
        mid = (lo + hi) / 2
        filled = bulb_area_below(mid, upper)
        # In both bulbs a higher level (smaller y) holds more sand.
        if filled > area:
            lo = mid
        else:
            hi = mid
    return (lo + hi) / 2


SAND_AREA = 0.8 * bulb_area_below(BAR_BOTTOM, True)   # a full bulb is 80 % sand
MOUND = 1.5   # the heap in the lower bulb is this much higher in the middle
STREAM_HALF_WIDTH = 1.0    # the stream falling from the waist, two pixels wide


def flow_state(frame):
    """Sand levels of a flow frame: (upper level or None, lower level or None, stream)."""
    moved = frame / (FLOW_FRAMES - 1)
    upper_area = SAND_AREA * (1 - moved)
    lower_area = SAND_AREA * moved
    upper = solve_level(upper_area, True) if upper_area > 0.5 else None
    # The mound adds area; level it so that the heap holds about the moved sand.
    lower = None
    if lower_area > 0.5:
        lower = solve_level(lower_area, False) + MOUND * 0.5
    stream = 0 < frame < FLOW_FRAMES - 1
    return upper, lower, stream


def flow_colour(x, y, state):
    """Colour of a point of an upright glass during the flow."""
    part = classify(x, y)
    if part in ('bar', 'wall'):
        return BLACK
    if part != 'inside':
        return None
    upper, lower, stream = state
    if y < 0:
        # The upper sand rests on the waist, from its level down to y = 0.
        return SAND if upper is not None and y >= upper else GLASS
    if lower is not None:
        w = inner_half_width(y)
        heap_top = lower - MOUND * (1 - (x / w) ** 2)
        if y >= heap_top:
            return SAND
    if stream and abs(x) <= STREAM_HALF_WIDTH:
        return SAND
    return GLASS


def sideways_area_below(level):
    """Inside area of one bulb of the glass on its side, below screen height `level`."""
    steps = 400
    total = 0.0
    dy = -BAR_BOTTOM / steps
    for i in range(steps):
        w = inner_half_width((i + 0.5) * dy)
        total += max(0.0, w - max(level, -w)) * dy
    return total


def sideways_sand_level():
    """Screen height of the sand surface in the full bulb of the turned glass."""
    lo, hi = -BULB_HALF_WIDTH, BULB_HALF_WIDTH
    for _ in range(40):
        mid = (lo + hi) / 2
        if sideways_area_below(mid) > SAND_AREA:
            lo = mid
        else:
            hi = mid
    return (lo + hi) / 2


def turned_colour(wx, wy, sand_level):
    """Colour of a point of the glass turned a quarter, its full bulb on the right.

    (wx, wy) are screen coordinates around the centre. The sand of the full
    bulb has settled on that bulb's lower side, below `sand_level`.
    """
    x, y = wy, wx             # screen -> glass coordinates: the glass's bottom points right
    part = classify(x, y)
    if part in ('bar', 'wall'):
        return BLACK
    if part != 'inside':
        return None
    if y > 0 and wy >= sand_level:
        return SAND
    return GLASS


def render(colour_at):
    """Samples colour_at over the cursor; returns rows of (r, g, b, a), top row first."""
    rows = []
    n = SUBSAMPLES
    for py in range(SIZE):
        row = []
        for px in range(SIZE):
            r = g = b = covered = 0
            for sy in range(n):
                for sx in range(n):
                    c = colour_at(px + (sx + 0.5) / n - CENTRE, py + (sy + 0.5) / n - CENTRE)
                    if c is not None:
                        r += c[0]
                        g += c[1]
                        b += c[2]
                        covered += 1
            if covered:
                row.append((r // covered, g // covered, b // covered, 255 * covered // (n * n)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def cursor_file(rows, hotspot):
    """A complete .cur file with one 32-bit image and its AND mask."""
    xor = bytearray()
    for row in reversed(rows):            # DIB rows run bottom-up
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    mask_stride = ((SIZE + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:                    # 1 = transparent where nothing is drawn
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    image_size = len(xor) + len(mask)
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, 2 * SIZE, 1, 32, 0, image_size, 0, 0, 0, 0)
    image = header + xor + mask
    icondir = struct.pack('<HHH', 0, 2, 1)
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, 0, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    return icondir + entry + image


def chunk(tag, payload):
    """A RIFF chunk, padded to an even length."""
    data = tag + struct.pack('<I', len(payload)) + payload
    if len(payload) % 2:
        data += b'\0'
    return data


def list_chunk(kind, payload):
    return chunk(b'LIST', kind + payload)


def animated_cursor(frames):
    anih = struct.pack('<9I', 36, len(frames), len(frames), 0, 0, 0, 0, JIFFIES_PER_FRAME, AF_ICON)
    info = list_chunk(b'INFO', chunk(b'INAM', b'Nomaro busy\0') + chunk(b'IART', b'Nomaro team\0'))
    fram = list_chunk(b'fram', b''.join(chunk(b'icon', f) for f in frames))
    body = b'ACON' + chunk(b'anih', anih) + info + fram
    return b'RIFF' + struct.pack('<I', len(body)) + body


class CursorFault(Exception):
    pass


def expect(condition, text):
    if not condition:
        raise CursorFault(text)


def check_cursor_frame(cur):
    """Checks one frame: a .cur file of one 32 x 32, 32-bit image whose AND
    mask is set exactly where the alpha is 0, with some of both."""
    expect(len(cur) >= 22, 'cursor shorter than its directory')
    reserved, kind, count = struct.unpack_from('<HHH', cur, 0)
    width, height, _, _, hot_x, hot_y, length, offset = struct.unpack_from('<BBBBHHII', cur, 6)
    expect((reserved, kind, count) == (0, 2, 1), 'not a cursor directory of one image')
    expect((width, height) == (SIZE, SIZE), 'image is not %d x %d' % (SIZE, SIZE))
    expect(hot_x < SIZE and hot_y < SIZE, 'hotspot outside the image')
    expect(offset + length <= len(cur), 'image lies outside the file')
    header = struct.unpack_from('<IiiHHI', cur, offset)
    expect(header == (40, SIZE, 2 * SIZE, 1, 32, 0), 'image header is not 32-bit, image plus mask')
    pixels = offset + 40
    mask = pixels + SIZE * SIZE * 4
    stride = (SIZE + 31) // 32 * 4
    expect(mask + stride * SIZE <= offset + length, 'image shorter than its pixels and mask')
    opaque = transparent = 0
    for y in range(SIZE):
        for x in range(SIZE):
            alpha = cur[pixels + (y * SIZE + x) * 4 + 3]
            masked = cur[mask + y * stride + x // 8] & (0x80 >> (x % 8))
            expect((alpha == 0) == bool(masked), 'AND mask contradicts the alpha at (%d, %d)' % (x, y))
            opaque += alpha > 0
            transparent += alpha == 0
    expect(opaque > 100 and transparent > 100, 'frame is empty or a solid square')


def check_animated_cursor(data):
    """Checks a RIFF 'ACON' file: every chunk inside its parent and padded to
    an even size, an 'anih' header that agrees with the frames of LIST
    'fram', and frames that are distinct, well-formed cursors."""
    expect(data[:4] == b'RIFF' and data[8:12] == b'ACON', 'no RIFF ACON header')
    expect(struct.unpack_from('<I', data, 4)[0] == len(data) - 8, 'RIFF size differs from the file length')

    def chunks(start, end):
        at = start
        while at < end:
            expect(end - at >= 8, 'chunk header cut off at %d' % at)
            tag, size = data[at:at + 4], struct.unpack_from('<I', data, at + 4)[0]
            expect(at + 8 + size + size % 2 <= end, 'chunk runs past its parent at %d' % at)
            yield tag, at + 8, size
            at += 8 + size + size % 2

    header, frames = None, []
    for tag, body, size in chunks(12, len(data)):
        if tag == b'anih':
            expect(size == 36, 'anih chunk is not 36 bytes')
            header = struct.unpack_from('<9I', data, body)
        elif tag == b'LIST' and data[body:body + 4] == b'fram':
            for inner, at, length in chunks(body + 4, body + size):
                expect(inner == b'icon', 'frame chunk is not icon')
                frames.append(bytes(data[at:at + length]))
    expect(header is not None, 'no anih chunk')
    size, count, steps, _, _, _, _, rate, flags = header
    expect(size == 36 and count == len(frames) >= 2, 'anih frame count differs from the icon chunks')
    expect(steps == count and rate > 0 and flags & AF_ICON, 'anih steps, rate or flags wrong')
    for i, frame in enumerate(frames):
        try:
            check_cursor_frame(frame)
        except CursorFault as fault:
            raise CursorFault('frame %d: %s' % (i, fault))
    expect(len(set(frames)) == len(frames), 'two frames are the same picture')


def write_png(path, rows, scale):
    """Writes rows of (r, g, b, a) as an RGBA PNG, each pixel scale x scale."""
    raw = bytearray()
    for row in rows:
        line = bytearray()
        for px in row:
            line += bytes(px) * scale
        for _ in range(scale):
            raw += b'\0' + line
    width, height = len(rows[0]) * scale, len(rows) * scale

    def png_chunk(tag, data):
        return struct.pack('>I', len(data)) + tag + data + struct.pack('>I', zlib.crc32(tag + data))

    png = b'\x89PNG\r\n\x1a\n'
    png += png_chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 6, 0, 0, 0))
    png += png_chunk(b'IDAT', zlib.compress(bytes(raw), 9))
    png += png_chunk(b'IEND', b'')
    with open(path, 'wb') as f:
        f.write(png)


def main(argv):
    output = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'hourglas.bin')
    preview = None
    args = list(argv)
    while args:
        arg = args.pop(0)
        if arg == '--check' and args:
            with open(args.pop(0), 'rb') as f:
                try:
                    check_animated_cursor(f.read())
                except CursorFault as fault:
                    sys.exit('broken cursor: %s' % fault)
            return
        if arg == '--preview' and args:
            preview = args.pop(0)
        else:
            output = arg

    pictures = []
    for frame in range(FLOW_FRAMES):
        state = flow_state(frame)
        pictures.append(render(lambda x, y, s=state: flow_colour(x, y, s)))
    level = sideways_sand_level()
    pictures.append(render(lambda x, y: turned_colour(x, y, level)))

    hotspot = (SIZE // 2, SIZE // 2)
    data = animated_cursor([cursor_file(p, hotspot) for p in pictures])
    try:
        check_animated_cursor(data)
    except CursorFault as fault:
        sys.exit('not written, the cursor would be broken: %s' % fault)
    with open(output, 'wb') as f:
        f.write(data)

    if preview:
        os.makedirs(preview, exist_ok=True)
        for i, p in enumerate(pictures):
            write_png(os.path.join(preview, 'hourglass-%d.png' % i), p, 8)


if __name__ == '__main__':
    main(sys.argv[1:])
