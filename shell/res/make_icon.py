#!/usr/bin/env python3
"""Writes Reefsaver.ico: 48, 32 and 16 pixel pictures of a golden fish in blue water.

Run once by hand when the icon should change; the build uses the committed file.
"""
import math
import struct
import sys

DEEP = (120, 50, 6)  # BGR
SURFACE = (220, 190, 90)
GOLD = (60, 190, 250)
EYE = (80, 40, 20)


def mix(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def pixel(x, y, size):
    s = size / 32.0
    cx, cy = (x + 0.5) / s, (y + 0.5) / s  # in 32-pixel units, y down
    r = 6
    dx = max(r - cx, 0, cx - (32 - r))
    dy = max(r - cy, 0, cy - (32 - r))
    if dx * dx + dy * dy > r * r:
        return (0, 0, 0, 0)
    colour = mix(SURFACE, DEEP, cy / 32.0)
    # Body: an ellipse; tail: a triangle behind it.
    ex, ey = (cx - 18) / 10.0, (cy - 16) / 6.0
    if ex * ex + ey * ey <= 1.0:
        colour = GOLD
        if (cx - 24) ** 2 + (cy - 14.5) ** 2 < 1.6:
            colour = EYE
    elif 3 <= cx <= 9 and abs(cy - 16) <= (9 - cx) * 0.9:
        colour = GOLD
    return colour + (255,)


def image(size):
    rows = []
    for y in reversed(range(size)):  # bottom-up
        rows.append(b"".join(bytes(pixel(x, y, size)) for x in range(size)))
    xor = b"".join(rows)
    mask_row = ((size + 31) // 32) * 4
    and_mask = bytes(mask_row * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    return header + xor + and_mask


def main(path):
    sizes = [48, 32, 16]
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "Reefsaver.ico")
