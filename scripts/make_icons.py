#!/usr/bin/env python3
"""Draws the program's icon (a green clock face on black, hands at three o'clock) as PNG files
at 16, 24 and 48 px, as SVG, and as a Windows ICO holding the PNGs.

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


def svg():
    # The same shapes as the raster drawing, on a 100-unit square.
    dim, green = f"rgb{DIM_GREEN}", f"rgb{GREEN}"
    ticks = "".join(f'<rect x="{x}" y="{y}" width="{w}" height="{h}" fill="{dim}"/>'
                    for x, y, w, h in ((43, 1, 14, 5), (43, 94, 14, 5), (1, 43, 5, 14),
                                       (94, 43, 5, 14)))
    return f"""<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 100 100" width="48" height="48">
  <rect width="100" height="100" fill="rgb{BLACK}"/>
  {ticks}
  <circle cx="50" cy="50" r="36" fill="none" stroke="{green}" stroke-width="12"/>
  <rect x="45" y="20" width="10" height="35" fill="{green}"/>
  <rect x="45" y="45" width="27" height="10" fill="{green}"/>
</svg>
"""


def ico(sizes):
    # An ICO directory whose entries are PNG images, as Windows Vista and later read them.
    images = [png(size) for size in sizes]
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries = b""
    for size, image in zip(sizes, images):
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return header + entries + b"".join(images)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "resources/icons"
    os.makedirs(out, exist_ok=True)
    for size in (16, 24, 48):
        with open(os.path.join(out, f"rzv-{size}.png"), "wb") as f:
            f.write(png(size))
    with open(os.path.join(out, "rzv.svg"), "w") as f:
        f.write(svg())
    with open(os.path.join(out, "rzv.ico"), "wb") as f:
        f.write(ico((16, 24, 48)))


if __name__ == "__main__":
    main()
