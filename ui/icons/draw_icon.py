#!/usr/bin/env python3
"""Draws the application icon: a comet over a few stars, with the dotted
track of its predicted positions. Writes trasel-32.png and trasel-128.png
next to this script. Run once; the PNGs are committed."""
import math
import struct
import zlib
from pathlib import Path

SKY_TOP = (10, 20, 52)
SKY_BOTTOM = (28, 46, 96)
STARS = [(0.18, 0.22, 0.030), (0.72, 0.16, 0.022), (0.86, 0.46, 0.026),
         (0.30, 0.80, 0.022), (0.12, 0.55, 0.018), (0.55, 0.90, 0.018)]
HEAD = (0.66, 0.64)              # comet nucleus, in units of the icon size
TAIL_TO = (0.16, 0.30)           # the tail points away, up and to the left
TRACK = [(0.76, 0.72), (0.85, 0.79), (0.93, 0.86)]  # predicted positions


def over(dst, src, alpha):
    return tuple(d + (s - d) * alpha for d, s in zip(dst, src))


def shade(u, v):
    """Colour of the point (u, v) in [0, 1]^2, before the rounded corners."""
    c = tuple(a + (b - a) * v for a, b in zip(SKY_TOP, SKY_BOTTOM))
    for sx, sy, r in STARS:
        d = math.hypot(u - sx, v - sy)
        if d < r:
            c = over(c, (235, 240, 255), 1 - d / r)
    # Tail: a cone from the head toward TAIL_TO, fading with distance.
    hx, hy = HEAD
    tx, ty = TAIL_TO[0] - hx, TAIL_TO[1] - hy
    length = math.hypot(tx, ty)
    ax, ay = tx / length, ty / length
    along = (u - hx) * ax + (v - hy) * ay
    across = abs(-(u - hx) * ay + (v - hy) * ax)
    if 0 < along < length:
        width = 0.05 + 0.16 * along / length
        if across < width:
            a = (1 - across / width) * (1 - along / length) * 0.9
            c = over(c, (150, 210, 255), a)
    d = math.hypot(u - hx, v - hy)
    if d < 0.11:
        c = over(c, (200, 235, 255), (1 - d / 0.11) ** 1.5)
    if d < 0.045:
        c = over(c, (255, 255, 240), 1.0)
    for px, py in TRACK:
        if math.hypot(u - px, v - py) < 0.026:
            c = over(c, (255, 200, 60), 1.0)
    return c


def inside_rounded(u, v, radius=0.16):
    cx = min(max(u, radius), 1 - radius)
    cy = min(max(v, radius), 1 - radius)
    return math.hypot(u - cx, v - cy) <= radius


def render(size, samples=4):
    rows = []
    for y in range(size):
        row = bytearray([0])  # filter type: none
        for x in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for j in range(samples):
                for i in range(samples):
                    u = (x + (i + 0.5) / samples) / size
                    v = (y + (j + 0.5) / samples) / size
                    if inside_rounded(u, v):
                        r, g, b = shade(u, v)
                        acc[0] += r
                        acc[1] += g
                        acc[2] += b
                        acc[3] += 255
            n = samples * samples
            alpha = acc[3] / n
            if alpha > 0:
                scale = 255 / acc[3]
                row += bytes(round(min(255, acc[k] * scale)) for k in range(3))
            else:
                row += bytes(3)
            row.append(round(alpha))
        rows.append(bytes(row))
    return b"".join(rows)


def png(size, pixels):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(pixels, 9)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    here = Path(__file__).resolve().parent
    for size in (32, 128):
        (here / f"trasel-{size}.png").write_bytes(png(size, render(size)))
