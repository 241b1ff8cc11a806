#!/usr/bin/env python3
"""Draws the launcher's icons: a remote control sending its signal.

    make_icons.py OUT_DIR [PNG_DIR]

Writes vexlo.ico (48 x 48), small.ico (16 x 16) and large.ico (256 x 256)
into OUT_DIR, and the same images as PNG into PNG_DIR for looking at them.
Standard library only; every pixel is supersampled from the shapes below.
"""
import math
import pathlib
import struct
import sys
import zlib


def rounded_box(x, y, x0, y0, x1, y1, r):
    """Signed distance to a rounded rectangle (negative inside)."""
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r
    qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
    outside = math.hypot(max(qx, 0), max(qy, 0))
    return outside + min(max(qx, qy), 0) - r


def circle(x, y, cx, cy, r):
    return math.hypot(x - cx, y - cy) - r


def lerp(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(len(a)))


BODY_TOP = (0.33, 0.37, 0.45)
BODY_BOTTOM = (0.12, 0.14, 0.18)
EDGE = (0.62, 0.67, 0.76)
POWER = (0.90, 0.18, 0.16)
KEY = (0.86, 0.89, 0.93)
OK_KEY = (0.20, 0.55, 0.95)
WAVE = (0.25, 0.78, 1.00)


def scene(detailed):
    """Layers back to front: each a function (x, y) -> colour or None."""
    # The small image keeps its shapes on whole pixels so that they stay sharp.
    if detailed:
        body = (0.31, 0.27, 0.69, 0.97, 0.11)
    else:
        body = (0.1875, 0.0625, 0.8125, 0.9375, 0.17)
    bx0, by0, bx1, by1, br = body
    layers = []

    def waves(x, y):
        # Three arcs above the remote's nose, fading outwards.
        d = math.hypot(x - 0.5, y - by0 - 0.02)
        ang = math.atan2(by0 - y, x - 0.5)
        if not (math.radians(50) < ang < math.radians(130)):
            return None
        for i, radius in enumerate((0.08, 0.14, 0.20)):
            if abs(d - radius) < 0.02:
                return WAVE + (1.0 - 0.22 * i,)
        return None

    if detailed:
        layers.append(waves)

    def shell(x, y):
        d = rounded_box(x, y, bx0, by0, bx1, by1, br)
        if d > 0:
            return None
        edge = 0.016 if detailed else 0.045
        if d > -edge:
            return EDGE + (1.0,)
        t = (y - by0) / (by1 - by0)
        return lerp(BODY_TOP, BODY_BOTTOM, t) + (1.0,)

    layers.append(shell)

    power_y = by0 + (0.09 if detailed else 0.22)
    power_r = 0.055 if detailed else 0.11

    def power(x, y):
        if circle(x, y, 0.5, power_y, power_r) > 0:
            return None
        if detailed:
            # The power glyph: a broken ring with a bar.
            d = math.hypot(x - 0.5, y - power_y)
            ang = math.degrees(math.atan2(power_y - y, x - 0.5))
            if abs(d - power_r * 0.5) < power_r * 0.13 and not (60 < ang < 120):
                return (1.0, 0.95, 0.95, 1.0)
            if abs(x - 0.5) < power_r * 0.12 and power_y - power_r * 0.7 < y < power_y:
                return (1.0, 0.95, 0.95, 1.0)
        return POWER + (1.0,)

    layers.append(power)

    if detailed:
        cols = (0.41, 0.50, 0.59)
        rows = tuple(by0 + d for d in (0.20, 0.28, 0.36, 0.44))
        half = 0.029
        ok = (0.5, by0 + 0.57, 0.08, 0.04)
    else:
        cols = (0.375, 0.625)
        rows = (0.5625, 0.78)
        half = 0.0625
        ok = None

    def keys(x, y):
        for cy in rows:
            for cx in cols:
                if rounded_box(x, y, cx - half, cy - half, cx + half, cy + half, half * 0.45) <= 0:
                    return KEY + (1.0,)
        if ok and rounded_box(x, y, ok[0] - ok[2], ok[1] - ok[3], ok[0] + ok[2], ok[1] + ok[3], ok[3]) <= 0:
            return OK_KEY + (1.0,)
        return None

    layers.append(keys)
    return layers


def render(size, detailed, samples=4):
    layers = scene(detailed)
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) / size
                    y = (py + (sy + 0.5) / samples) / size
                    colour = (0.0, 0.0, 0.0, 0.0)
                    for layer in layers:
                        c = layer(x, y)
                        if c is None:
                            continue
                        a = c[3]
                        colour = tuple(c[i] * a + colour[i] * (1 - a) for i in range(3)) + (a + colour[3] * (1 - a),)
                    # Premultiplied accumulation keeps edges free of dark fringes.
                    for i in range(3):
                        acc[i] += colour[i] * colour[3] if colour[3] else 0.0
                    acc[3] += colour[3]
            n = samples * samples
            a = acc[3] / n
            rgb = [acc[i] / acc[3] if acc[3] else 0.0 for i in range(3)]
            row.append(tuple(int(round(min(max(v, 0.0), 1.0) * 255)) for v in rgb + [a]))
        pixels.append(row)
    return pixels


def png(pixels):
    size = len(pixels)
    raw = b"".join(b"\0" + bytes(v for p in row for v in p) for row in pixels)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def dib(pixels):
    """A 32-bit icon image: header, BGRA rows bottom-up, then the AND mask."""
    size = len(pixels)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((p[2], p[1], p[0], p[3])) for row in reversed(pixels) for p in row)
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(stride)
        for x, p in enumerate(row):
            if p[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + colour + bytes(mask)


def ico(image, size):
    entry = struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), 6 + 16)
    return struct.pack("<HHH", 0, 1, 1) + entry + image


def main(argv):
    if len(argv) not in (2, 3):
        print(__doc__)
        return 2
    out = pathlib.Path(argv[1])
    out.mkdir(parents=True, exist_ok=True)
    png_dir = pathlib.Path(argv[2]) if len(argv) == 3 else None
    for name, size, detailed in (("small", 16, False), ("vexlo", 48, True), ("large", 256, True)):
        pixels = render(size, detailed, samples=8 if size <= 48 else 3)
        # Icons of 256 pixels are stored as PNG, the smaller ones as DIBs that
        # every LoadIconW understands.
        image = png(pixels) if size == 256 else dib(pixels)
        (out / f"{name}.ico").write_bytes(ico(image, size))
        if png_dir:
            png_dir.mkdir(parents=True, exist_ok=True)
            (png_dir / f"{name}.png").write_bytes(png(pixels))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
