#!/usr/bin/env python3
"""Draws the installer's application icon and writes it as windows/trivelo_extension.ico.

The icon holds one 512 x 512, 32-bit image stored PNG-compressed: a quiz speech bubble with a
question mark on a blue tile, and a green "add" badge. Pure Python 3 (zlib and struct only), so
the icon can be remade anywhere:

    python3 windows/icon/make_icon.py [OUTPUT.ico]
"""
import math
import os
import struct
import sys
import zlib

SIZE = 512


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def coverage(distance):
    """Anti-aliased coverage of a shape from its signed distance (negative inside)."""
    return clamp(0.5 - distance)


def rounded_box(px, py, cx, cy, hw, hh, r):
    qx = abs(px - cx) - hw + r
    qy = abs(py - cy) - hh + r
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - r


def circle(px, py, cx, cy, r):
    return math.hypot(px - cx, py - cy) - r


def ring_arc(px, py, cx, cy, r, thickness, start_deg, end_deg):
    """A stroke along a circle, from start to end angle (degrees, counter-clockwise, y down)."""
    angle = math.degrees(math.atan2(cy - py, px - cx)) % 360.0
    inside_arc = start_deg <= angle <= end_deg if start_deg <= end_deg else (angle >= start_deg or angle <= end_deg)
    if inside_arc:
        return abs(math.hypot(px - cx, py - cy) - r) - thickness / 2
    ends = []
    for deg in (start_deg, end_deg):
        ex = cx + r * math.cos(math.radians(deg))
        ey = cy - r * math.sin(math.radians(deg))
        ends.append(math.hypot(px - ex, py - ey) - thickness / 2)
    return min(ends)


def segment(px, py, ax, ay, bx, by, thickness):
    vx, vy = bx - ax, by - ay
    t = clamp(((px - ax) * vx + (py - ay) * vy) / (vx * vx + vy * vy))
    return math.hypot(px - ax - t * vx, py - ay - t * vy) - thickness / 2


def triangle(px, py, a, b, c):
    """Signed distance to a triangle (points given clockwise or not)."""
    def edge(p0, p1):
        ex, ey = p1[0] - p0[0], p1[1] - p0[1]
        wx, wy = px - p0[0], py - p0[1]
        t = clamp((wx * ex + wy * ey) / (ex * ex + ey * ey))
        dx, dy = wx - ex * t, wy - ey * t
        return dx * dx + dy * dy, ex * wy - ey * wx
    d1, s1 = edge(a, b)
    d2, s2 = edge(b, c)
    d3, s3 = edge(c, a)
    d = math.sqrt(min(d1, d2, d3))
    inside = (s1 > 0 and s2 > 0 and s3 > 0) or (s1 < 0 and s2 < 0 and s3 < 0)
    return -d if inside else d


def over(dst, src, alpha):
    """Composites colour src with coverage alpha over the straight-alpha pixel dst."""
    if alpha <= 0:
        return dst
    r, g, b, a = dst
    out_a = alpha + a * (1 - alpha)
    if out_a <= 0:
        return (0.0, 0.0, 0.0, 0.0)
    mix = lambda s, d: (s * alpha + d * a * (1 - alpha)) / out_a
    return (mix(src[0], r), mix(src[1], g), mix(src[2], b), out_a)


def pixel(x, y):
    px, py = x + 0.5, y + 0.5
    colour = (0.0, 0.0, 0.0, 0.0)
    # Tile: a vertical blue gradient with a soft darker rim.
    tile = rounded_box(px, py, 256, 256, 240, 240, 84)
    if tile < 1:
        shade = py / SIZE
        top, bottom = (0.16, 0.45, 0.86), (0.07, 0.22, 0.55)
        base = tuple(t + (b - t) * shade for t, b in zip(top, bottom))
        colour = over(colour, base, coverage(tile))
        colour = over(colour, (0.04, 0.14, 0.38), coverage(abs(tile + 6) - 6) * 0.55)
    # Speech bubble with its tail.
    bubble = min(rounded_box(px, py, 240, 222, 168, 122, 70),
                 triangle(px, py, (150, 320), (232, 330), (118, 412)))
    colour = over(colour, (0.03, 0.09, 0.25), coverage(bubble - 6) * 0.35)  # shadow rim
    colour = over(colour, (0.98, 0.97, 0.93), coverage(bubble))
    # Question mark: an arc, a short stem and a dot.
    mark = min(ring_arc(px, py, 240, 180, 52, 34, 300, 180 + 0.001),
               segment(px, py, 240, 232, 240, 262, 34))
    dot = circle(px, py, 240, 308, 21)
    ink = (0.93, 0.55, 0.08)
    colour = over(colour, ink, coverage(min(mark, dot)))
    # "Add" badge: a green disc with a white plus, bottom right.
    badge = circle(px, py, 390, 384, 92)
    colour = over(colour, (1.0, 1.0, 1.0), coverage(badge - 10))
    colour = over(colour, (0.16, 0.66, 0.25), coverage(badge))
    plus = min(rounded_box(px, py, 390, 384, 54, 15, 8), rounded_box(px, py, 390, 384, 15, 54, 8))
    colour = over(colour, (1.0, 1.0, 1.0), coverage(plus))
    return colour


def png_bytes(width, height, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
    raw = b"".join(b"\x00" + row for row in rows)
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def ico_bytes(png):
    # One entry; width and height 0 mean "256 or more": the PNG header gives the real size.
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", 0, 0, 0, 0, 1, 32, len(png), 6 + 16)
    return header + entry + png


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    output = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "trivelo_extension.ico")
    rows = []
    for y in range(SIZE):
        row = bytearray()
        for x in range(SIZE):
            r, g, b, a = pixel(x, y)
            row += bytes((round(r * 255), round(g * 255), round(b * 255), round(a * 255)))
        rows.append(bytes(row))
    png = png_bytes(SIZE, SIZE, rows)
    with open(output, "wb") as f:
        f.write(ico_bytes(png))
    if len(sys.argv) > 2:
        with open(sys.argv[2], "wb") as f:
            f.write(png)


if __name__ == "__main__":
    main()
