#!/usr/bin/env python3
"""Draws the program's icon: a handheld LCD game whose screen shows "5A" on two 7-segment
digits, with a button on either side. One description gives the SVG and the PNGs, which
are rasterised here (4x4 samples per pixel) and written with zlib, so no drawing tool is
needed.

    icon.py OUTDIR [SIZE ...]     writes OUTDIR/tarvolin.svg and OUTDIR/<SIZE>/tarvolin.png
"""
import os
import struct
import sys
import zlib

BODY, BEZEL, GLASS, INK, BUTTON, RIM = "#b03a2e", "#2c2a29", "#c8d3b4", "#1e2a1c", "#f0e6d2", "#7c241c"

# The two digits: each segment is a hexagon along one edge of the digit's box.
DIGIT_W, DIGIT_H, THICK = 34, 60, 9
SEGMENTS = {"5": "afgcd", "A": "abcefg"}


def segment(x, y, name):
    """The hexagon of one segment of a digit whose top left corner is (x, y)."""
    w, h, t, g = DIGIT_W, DIGIT_H, THICK, 1.5  # g: the gap between segments
    half = h / 2

    def horizontal(cy):
        return [(x + g, cy), (x + t / 2 + g, cy - t / 2), (x + w - t / 2 - g, cy - t / 2), (x + w - g, cy),
                (x + w - t / 2 - g, cy + t / 2), (x + t / 2 + g, cy + t / 2)]

    def vertical(cx, y0, y1):
        return [(cx, y0 + g), (cx + t / 2, y0 + t / 2 + g), (cx + t / 2, y1 - t / 2 - g), (cx, y1 - g),
                (cx - t / 2, y1 - t / 2 - g), (cx - t / 2, y0 + t / 2 + g)]

    return {"a": horizontal(y + t / 2), "g": horizontal(y + half), "d": horizontal(y + h - t / 2),
            "f": vertical(x + t / 2, y + t / 2, y + half), "b": vertical(x + w - t / 2, y + t / 2, y + half),
            "e": vertical(x + t / 2, y + half, y + h - t / 2),
            "c": vertical(x + w - t / 2, y + half, y + h - t / 2)}[name]


def shapes():
    """The drawing, back to front, on a 256 x 256 canvas: (kind, geometry, colour)."""
    s = [("rrect", (12, 44, 244, 212, 26), RIM), ("rrect", (12, 40, 244, 206, 26), BODY),
         ("rrect", (60, 58, 196, 164, 10), BEZEL), ("rrect", (70, 68, 186, 154, 4), GLASS)]
    x = 86
    for ch in "5A":
        for name in SEGMENTS[ch]:
            s.append(("poly", segment(x, 81, name), INK))
        x += DIGIT_W + 16
    for cx in (36, 220):
        s.append(("circle", (cx, 128, 15), RIM))
        s.append(("circle", (cx, 125, 14), BUTTON))
    return s


def svg():
    out = ['<?xml version="1.0" encoding="UTF-8"?>',
           '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">']
    for kind, g, colour in shapes():
        if kind == "rrect":
            x0, y0, x1, y1, r = g
            out.append(f'  <rect x="{x0}" y="{y0}" width="{x1 - x0}" height="{y1 - y0}" rx="{r}" fill="{colour}"/>')
        elif kind == "circle":
            out.append(f'  <circle cx="{g[0]}" cy="{g[1]}" r="{g[2]}" fill="{colour}"/>')
        else:
            points = " ".join(f"{px:g},{py:g}" for px, py in g)
            out.append(f'  <polygon points="{points}" fill="{colour}"/>')
    out.append("</svg>")
    return "\n".join(out) + "\n"


def inside(kind, g, x, y):
    if kind == "rrect":
        x0, y0, x1, y1, r = g
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        dx = max(x0 + r - x, 0, x - (x1 - r))
        dy = max(y0 + r - y, 0, y - (y1 - r))
        return dx * dx + dy * dy <= r * r
    if kind == "circle":
        return (x - g[0]) ** 2 + (y - g[1]) ** 2 <= g[2] ** 2
    # A convex polygon listed clockwise on screen: inside when on the same side of every edge.
    n = len(g)
    for i in range(n):
        (ax, ay), (bx, by) = g[i], g[(i + 1) % n]
        if (bx - ax) * (y - ay) - (by - ay) * (x - ax) < 0:
            return False
    return True


def bounds(kind, g):
    if kind == "rrect":
        return g[0], g[1], g[2], g[3]
    if kind == "circle":
        return g[0] - g[2], g[1] - g[2], g[0] + g[2], g[1] + g[2]
    xs, ys = [p[0] for p in g], [p[1] for p in g]
    return min(xs), min(ys), max(xs), max(ys)


def rgb(colour):
    return tuple(int(colour[i:i + 2], 16) for i in (1, 3, 5))


def raster(size, samples=4):
    n = size * samples
    scale = 256 / n
    buf = [None] * (n * n)  # None: transparent
    for kind, g, colour in shapes():
        c = rgb(colour)
        x0, y0, x1, y1 = bounds(kind, g)
        for sy in range(max(0, int(y0 / scale)), min(n, int(y1 / scale) + 1)):
            y = (sy + 0.5) * scale
            row = sy * n
            for sx in range(max(0, int(x0 / scale)), min(n, int(x1 / scale) + 1)):
                if inside(kind, g, (sx + 0.5) * scale, y):
                    buf[row + sx] = c
    pixels = bytearray()
    for py in range(size):
        pixels.append(0)  # PNG filter: none
        for px in range(size):
            r = gr = b = a = 0
            for sy in range(py * samples, (py + 1) * samples):
                for sx in range(px * samples, (px + 1) * samples):
                    c = buf[sy * n + sx]
                    if c:
                        r += c[0]; gr += c[1]; b += c[2]; a += 1
            if a:
                pixels += bytes((r // a, gr // a, b // a, a * 255 // (samples * samples)))
            else:
                pixels += b"\0\0\0\0"
    return bytes(pixels)


def png(size):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # RGBA, 8 bits
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raster(size), 9)) + \
        chunk(b"IEND", b"")


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, path)


def main(argv):
    if len(argv) < 2:
        sys.exit(__doc__)
    out = argv[1]
    sizes = [int(s) for s in argv[2:]] or [16, 22, 24, 32, 48, 64, 128, 256]
    write(os.path.join(out, "tarvolin.svg"), svg().encode())
    for size in sizes:
        write(os.path.join(out, str(size), "tarvolin.png"), png(size))


if __name__ == "__main__":
    main(sys.argv)
