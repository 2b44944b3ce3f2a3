#!/usr/bin/env python3
"""Writes KvSetupX.ico: a 32 x 32 and a 16 x 16 picture of a white wave on the launcher's blue.

Run once by hand when the icon should change; the build uses the committed file.
"""
import math
import struct
import sys

BLUE = (171, 90, 0)  # BGR of RGB(0, 90, 171)
LIGHT = (234, 215, 191)
WHITE = (255, 255, 255)


def pixel(x, y, size):
    s = size / 32.0
    cx, cy = x + 0.5, y + 0.5
    # Rounded square corners stay transparent.
    r = 5 * s
    dx = max(r - cx, 0, cx - (size - r))
    dy = max(r - cy, 0, cy - (size - r))
    if dx * dx + dy * dy > r * r:
        return (0, 0, 0, 0)
    wave = size * 0.55 + math.sin(cx / size * 2 * math.pi) * size * 0.12
    if abs(cy - wave) < 2.2 * s:
        return WHITE + (255,)
    if cy > wave:
        return LIGHT + (255,)
    return BLUE + (255,)


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
    sizes = [32, 16]
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
    main(sys.argv[1] if len(sys.argv) > 1 else "KvSetupX.ico")
