#!/usr/bin/env python3
"""Draws the program icon, res/Quellery.ico: a blue shield with a white tick.

Four images: 32x32 and 16x16, each in 256 colours (shown by Windows 95/98/NT)
and in 32-bit colour with an alpha channel (used by Windows XP).
Run: python3 scripts/make-icon.py res/Quellery.ico
"""
import struct
import sys

NAVY = (24, 42, 110)
BLUE = (40, 100, 210)
LIGHT = (90, 150, 235)
WHITE = (255, 255, 255)


def shield_halfwidth(y, inset):
    """Half width of the shield at height y (0 top .. 1 bottom), or None."""
    top, waist, tip = 0.06 + inset, 0.52, 0.97 - 1.4 * inset
    if y < top or y > tip:
        return None
    w = 0.38 - inset
    if y <= waist:
        return w
    t = (y - waist) / (tip - waist)
    return w * (1 - t ** 1.7) ** 0.8


def seg_dist(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return ((px - ax - t * dx) ** 2 + (py - ay - t * dy) ** 2) ** 0.5


def colour_at(x, y):
    """Colour of the point (x, y) in the unit square, or None outside."""
    outer = shield_halfwidth(y, 0.0)
    if outer is None or abs(x - 0.5) > outer:
        return None
    tick = min(seg_dist(x, y, 0.30, 0.50, 0.45, 0.66),
               seg_dist(x, y, 0.45, 0.66, 0.71, 0.32))
    if tick < 0.065:
        return WHITE
    inner = shield_halfwidth(y, 0.075)
    if inner is None or abs(x - 0.5) > inner:
        return NAVY
    return LIGHT if x < 0.5 else BLUE


def render(size, samples):
    """Rows of (r, g, b, a), top row first, averaged over samples x samples."""
    rows = []
    for j in range(size):
        row = []
        for i in range(size):
            r = g = b = n = 0
            for sj in range(samples):
                for si in range(samples):
                    c = colour_at((i + (si + 0.5) / samples) / size,
                                  (j + (sj + 0.5) / samples) / size)
                    if c:
                        r, g, b, n = r + c[0], g + c[1], b + c[2], n + 1
            if n:
                row.append((r // n, g // n, b // n, 255 * n // (samples * samples)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def and_mask(rows):
    """1-bit mask, bottom row first, rows padded to 32 bits: 1 = transparent."""
    out = b""
    for row in reversed(rows):
        bits = "".join("1" if a < 128 else "0" for (_, _, _, a) in row)
        bits += "0" * (-len(bits) % 32)
        out += int(bits, 2).to_bytes(len(bits) // 8, "big")
    return out


def bmp_header(size, bpp, colours):
    return struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bpp, 0, 0, 0, 0,
                       colours, 0)


def image_32(size):
    rows = render(size, 4)
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows)
                      for (r, g, b, a) in row)
    return bmp_header(size, 32, 0) + pixels + and_mask(rows)


def image_8(size):
    rows = render(size, 1)
    palette = [(0, 0, 0), NAVY, BLUE, LIGHT, WHITE]
    index = {c: k for k, c in enumerate(palette)}
    pixels = b"".join(bytes(index[(r, g, b)] if a else 0 for (r, g, b, a) in row)
                      for row in reversed(rows))
    table = b"".join(bytes((b, g, r, 0)) for (r, g, b) in palette)
    table += b"\0" * (4 * (256 - len(palette)))
    return bmp_header(size, 8, 256) + table + pixels + and_mask(rows)


def main(path):
    images = [(32, 8, image_8(32)), (16, 8, image_8(16)),
              (32, 32, image_32(32)), (16, 32, image_32(16))]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, bpp, data in images:
        colours = 0  # 0 = 256 or more
        out += struct.pack("<BBBBHHII", size, size, colours, 0, 1, bpp,
                           len(data), offset)
        offset += len(data)
    out += b"".join(data for _, _, data in images)
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "res/Quellery.ico")
