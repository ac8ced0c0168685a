#!/usr/bin/env python3
"""Draws the window icon (a green clock face on black, hands at three o'clock) as PNG files.

Run it after changing the design; its outputs are committed under resources/icons/.
"""
import math
import os
import struct
import sys
import zlib

GREEN = (0, 255, 0)
DIM_GREEN = (0, 110, 0)
BLACK = (0, 0, 0)


def coverage(size, x, y, shape, samples=4):
    hits = 0
    for sy in range(samples):
        for sx in range(samples):
            px = (x + (sx + 0.5) / samples) / size
            py = (y + (sy + 0.5) / samples) / size
            hits += shape(px, py)
    return hits / (samples * samples)


def ring(px, py):
    r = math.hypot(px - 0.5, py - 0.5)
    return 0.30 <= r <= 0.42


def hands(px, py):
    # Minute hand up, hour hand to the right, both from the centre.
    up = abs(px - 0.5) <= 0.05 and 0.20 <= py <= 0.55
    right = abs(py - 0.5) <= 0.05 and 0.45 <= px <= 0.72
    return up or right


def ticks(px, py):
    r = math.hypot(px - 0.5, py - 0.5)
    if not 0.44 <= r <= 0.49:
        return False
    angle = math.degrees(math.atan2(py - 0.5, px - 0.5)) % 90
    return angle < 9 or angle > 81


def pixel(size, x, y):
    colour = BLACK
    for shape, ink in ((ticks, DIM_GREEN), (ring, GREEN), (hands, GREEN)):
        a = coverage(size, x, y, shape)
        colour = tuple(round(c * (1 - a) + i * a) for c, i in zip(colour, ink))
    return colour + (255,)


def png(size):
    rows = b"".join(
        b"\x00" + b"".join(bytes(pixel(size, x, y)) for x in range(size)) for y in range(size))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "resources/icons"
    os.makedirs(out, exist_ok=True)
    for size in (16, 24, 48):
        with open(os.path.join(out, f"rzv-{size}.png"), "wb") as f:
            f.write(png(size))


if __name__ == "__main__":
    main()
