#!/usr/bin/env python3
"""Draws the splitter's cursor, hsplit.cur: two upright bars with an arrow pointing away from
each, black with a white edge, in two colours, its hot spot between the bars. It holds the
design at 32 x 32 pixels and drawn again at 48 and 64, so that the system finds one at the size
its display asks for instead of blowing up the small one. The result is committed; run this
again only to change it."""
import struct
from pathlib import Path

DESIGN = 32
SIZES = (32, 48, 64)


def draw(size):
    """The black and white pixels at `size`, from the design's 32-pixel geometry."""
    scale = size / DESIGN
    stroke = max(1, round(scale))

    def at(c):
        return int(c * scale)

    black = set()
    for bar in (14, 17):                                   # the two bars
        for x in range(at(bar), at(bar) + stroke):
            black.update((x, y) for y in range(at(7), at(24)))
    middle = range(at(15), at(15) + stroke)                # the arrows' shafts
    for x in list(range(at(6), at(13))) + list(range(at(20), at(27))):
        black.update((x, y) for y in middle)
    left_tip, right_tip = at(5), at(27) + stroke - 1       # the arrowheads
    for x in range(left_tip, at(10)):
        black.update((x, y) for y in range(at(15) - (x - left_tip), middle[-1] + 1 + x - left_tip))
    for x in range(at(23), right_tip + 1):
        step = right_tip - x
        black.update((x, y) for y in range(at(15) - step, middle[-1] + 1 + step))
    edge = range(-stroke, stroke + 1)
    white = {(x + dx, y + dy) for (x, y) in black for dx in edge for dy in edge} - black
    return black, white, (at(16), at(15))


def rows(size, inside):
    """Bottom-up rows of bits, each padded to whole 32-bit words, as a bitmap stores them."""
    words = (size + 31) // 32
    data = b""
    for y in reversed(range(size)):
        bits = 0
        for x in range(size):
            if inside(x, y):
                bits |= 1 << (words * 32 - 1 - x)
        data += bits.to_bytes(words * 4, "big")
    return data


def image(size):
    # Black: AND 0, XOR 0. White: AND 0, XOR 1. Elsewhere the screen shows through: AND 1, XOR 0.
    black, white, hot = draw(size)
    xor = rows(size, lambda x, y: (x, y) in white)
    mask = rows(size, lambda x, y: (x, y) not in black and (x, y) not in white)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0, len(xor) + len(mask), 0, 0,
                         2, 0)
    palette = struct.pack("<II", 0x000000, 0xFFFFFF)
    return header + palette + xor + mask, hot


images = [image(size) for size in SIZES]
offset = 6 + 16 * len(images)
directory = struct.pack("<HHH", 0, 2, len(images))
for size, (data, (hot_x, hot_y)) in zip(SIZES, images):
    directory += struct.pack("<BBBBHHII", size, size, 2, 0, hot_x, hot_y, len(data), offset)
    offset += len(data)
Path(__file__).with_name("hsplit.cur").write_bytes(directory + b"".join(data for data, _ in images))
