#!/usr/bin/env python3
"""Draws the splitter's cursor, hsplit.cur: two upright bars with an arrow pointing away from
each, black with a white edge, 32 x 32 pixels in two colours, its hot spot between the bars.
The result is committed; run this again only to change it."""
import struct
from pathlib import Path

SIZE = 32
HOT_X, HOT_Y = 16, 15

black = set()
for y in range(7, 24):                       # the two bars
    black.update({(14, y), (17, y)})
for x in list(range(6, 13)) + list(range(20, 27)):  # the arrows' shafts
    black.add((x, 15))
for step in range(0, 5):                     # the arrowheads
    for y in range(15 - step, 16 + step):
        black.add((5 + step, y))             # pointing left
        black.add((27 - step, y))            # pointing right
white = {(x + dx, y + dy) for (x, y) in black for dx in (-1, 0, 1) for dy in (-1, 0, 1)} - black


def rows(inside):
    """Bottom-up rows of 32 bits, as a bitmap stores them."""
    data = b""
    for y in reversed(range(SIZE)):
        bits = 0
        for x in range(SIZE):
            if inside(x, y):
                bits |= 1 << (31 - x)
        data += struct.pack(">I", bits)
    return data


# Black: AND 0, XOR 0. White: AND 0, XOR 1. Elsewhere the screen shows through: AND 1, XOR 0.
xor = rows(lambda x, y: (x, y) in white)
mask = rows(lambda x, y: (x, y) not in black and (x, y) not in white)
header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, len(xor) + len(mask), 0, 0, 2, 0)
palette = struct.pack("<II", 0x000000, 0xFFFFFF)
image = header + palette + xor + mask
directory = struct.pack("<HHH", 0, 2, 1) + struct.pack(
    "<BBBBHHII", SIZE, SIZE, 2, 0, HOT_X, HOT_Y, len(image), 6 + 16)
Path(__file__).with_name("hsplit.cur").write_bytes(directory + image)
