#!/usr/bin/env python3
"""Draws the game's artwork: the four tile glyphs and the program icon
(the 32 x 32 bitmap, the same picture as an SVG and as transparent PNGs
at the icon theme's sizes).

Run from anywhere: python3 tools/make_assets.py
(packages: tools/install-deps dev, for python3)
Writes into assets/ next to this directory. Standard library only; the
output is the same byte for byte on every run.

Each picture is a height field in continuous picture units (one unit is
one pixel of the 1x bitmap), lit from the top left. Sampling it at scale
1 and 2 gives the normal and the double-resolution glyph, so both show
the very same tile.
"""

import math
import os
import struct
import zlib

# Tile picture: 47 x 47 units. The glyph adds a white frame around it:
# one row/column at the top/left, two at the bottom/right (at scale 1).
PICTURE = 47
FRAME_TOP, FRAME_LEFT, FRAME_BOTTOM, FRAME_RIGHT = 1, 1, 2, 2
GLYPH = FRAME_LEFT + PICTURE + FRAME_RIGHT  # 50

WHITE = (255, 255, 255)

# Mean colour of each glyph's picture, by file name.
RAISED = {
    "kratka1a": (181, 85, 73),   # state 1, red
    "kratka1b": (170, 160, 61),  # state 2, yellow
    "kratka1c": (101, 163, 66),  # state 3, green
}
SUNKEN = {"kratka2": (90, 90, 90)}  # state 0, grey

SUBSAMPLES = 4          # per pixel and axis, at every scale
EPS = 0.01              # step for the numeric slope of a height field
LIGHT = (-1.0, -1.0, 1.3)  # towards the light: up and to the left
_n = math.sqrt(sum(c * c for c in LIGHT))
LIGHT = tuple(c / _n for c in LIGHT)

# Nothing inside a glyph may be pure white, or it would turn transparent.
CHANNEL_MAX = 250


def clamp(v, lo, hi):
    return lo if v < lo else hi if v > hi else v


def ramp(d, start, width):
    """0 before start, rising linearly to 1 over width units."""
    return clamp((d - start) / width, 0.0, 1.0)


def edge_distance(x, y, size):
    """Distance to the nearest side of a size x size square; the min()
    splits the bevel along the diagonals, as on a real bevelled tile."""
    return min(x, y, size - x, size - y)


# --- the raised tile (states 1..3) -------------------------------------

def raised_height(x, y):
    d = edge_distance(x, y, PICTURE)
    h = 2.6 * ramp(d, 0.0, 4.6)            # the wide outer bevel
    h -= 0.9 * ramp(d, 7.0, 1.6)           # a narrow groove going in ...
    h += 0.9 * ramp(d, 8.8, 1.6)           # ... and back out: the inner square
    h += 1.1 * ramp(d, 14.0, 2.4)          # a low raised centre block
    # A fine diagonal pattern on the face between groove and centre.
    if 10.6 < d < 13.6:
        h += 0.08 * math.sin((x + y) * (2.0 * math.pi / 3.0)) ** 2
    return h


def raised_sample(x, y):
    """(shade, gloss) of the raised tile at one point: shade multiplies
    the tint, gloss blends towards white."""
    shade = lambert(raised_height, x, y)
    gloss = 0.0
    if shade > 1.0:
        gloss = 0.55 * (shade - 1.0)
        shade = 1.0 + 0.35 * (shade - 1.0)
    else:
        shade = 1.0 - 0.85 * (1.0 - shade)
    # A thin darker rim at the bottom right keeps neighbours apart.
    d_br = min(PICTURE - x, PICTURE - y)
    if d_br < 0.9:
        shade *= 0.72
    # Soft sheen from the top left across the face.
    shade *= 1.06 - 0.12 * (x + y) / (2 * PICTURE)
    return shade, gloss


# --- the sunken tile (state 0) -----------------------------------------

def sunken_height(x, y):
    d = edge_distance(x, y, PICTURE)
    h = -2.4 * ramp(d, 0.0, 3.8)           # the walls going down
    # Floor: a quiet diamond tread of small round bumps.
    if d > 5.5:
        p = 2.0 * math.pi / 7.0
        bump = math.cos((x + y - 1.0) * p) * math.cos((x - y) * p)
        h += 0.22 * ramp(d, 5.5, 2.0) * max(0.0, bump) ** 2
    return h


def sunken_sample(x, y):
    shade = lambert(sunken_height, x, y)
    gloss = 0.0
    if shade > 1.0:
        gloss = 0.18 * (shade - 1.0)
        shade = 1.0 + 0.55 * (shade - 1.0)
    else:
        shade = 1.0 - 0.95 * (1.0 - shade)
    # The floor lies in the shadow of the upper left wall.
    d_tl = min(x, y)
    shade *= 0.86 + 0.14 * ramp(d_tl, 3.8, 5.0)
    return shade, gloss


def lambert(height, x, y):
    """Brightness of the height field at (x, y), 1.0 on a flat part."""
    hx = (height(x + EPS, y) - height(x - EPS, y)) / (2 * EPS)
    hy = (height(x, y + EPS) - height(x, y - EPS)) / (2 * EPS)
    nx, ny, nz = -hx, -hy, 1.0
    n = math.sqrt(nx * nx + ny * ny + nz * nz)
    dot = (nx * LIGHT[0] + ny * LIGHT[1] + nz * LIGHT[2]) / n
    return max(dot, 0.0) / LIGHT[2]


# --- sampling and tinting -----------------------------------------------

def sample_grid(sample, size, scale):
    """For every pixel of a size*scale square, the list of (shade, gloss)
    of its subsamples."""
    n = size * scale
    offsets = [(k + 0.5) / SUBSAMPLES for k in range(SUBSAMPLES)]
    grid = []
    for py in range(n):
        row = []
        for px in range(n):
            row.append([sample((px + ox) / scale, (py + oy) / scale)
                        for oy in offsets for ox in offsets])
        grid.append(row)
    return grid


def channel(grid, base):
    """One colour channel of the picture for a tint value base."""
    out = []
    for row in grid:
        line = []
        for subs in row:
            acc = 0.0
            for shade, gloss in subs:
                c = clamp(base * shade, 0.0, 255.0)
                acc += c + (255.0 - c) * gloss
            line.append(int(clamp(round(acc / len(subs)), 0, CHANNEL_MAX)))
        out.append(line)
    return out


def mean(plane):
    return sum(map(sum, plane)) / (len(plane) * len(plane[0]))


def tinted(grid, target):
    """The picture whose mean colour is target, channel by channel: find
    the tint by bisection (the mean grows with the tint)."""
    planes = []
    for want in target:
        lo, hi = 0.0, 400.0
        for _ in range(30):
            mid = (lo + hi) / 2
            if mean(channel(grid, mid)) < want:
                lo = mid
            else:
                hi = mid
        planes.append(channel(grid, (lo + hi) / 2))
    n = len(grid)
    return [[(planes[0][y][x], planes[1][y][x], planes[2][y][x])
             for x in range(n)] for y in range(n)]


def framed(picture, scale):
    """The glyph: the picture inside its white frame."""
    size = GLYPH * scale
    top, left = FRAME_TOP * scale, FRAME_LEFT * scale
    img = [[WHITE] * size for _ in range(size)]
    for y, row in enumerate(picture):
        img[top + y][left:left + len(row)] = row
    return img


# --- the icon -----------------------------------------------------------

ICON = 32
ICON_BORDER = 1.0
ICON_TILES = 3
ICON_TILE = (ICON - 2 * ICON_BORDER) / ICON_TILES  # 10 units
# A move in progress: the plus of one click, red on grey.
ICON_BOARD = ["010",
              "111",
              "010"]
ICON_RED = (196, 70, 58)
ICON_GREY = (96, 96, 96)
ICON_EDGE = (40, 40, 40)
ICON_BEVEL = 1.6
# The desktop's icons: rounded corners, transparent outside them. They cut
# only into the dark edge, so the bitmap is the 32-px picture as it is.
ICON_RADIUS = 3.0
ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)


def icon_covers(x, y):
    """Whether (x, y) lies inside the rounded square of the desktop icon."""
    cx = clamp(x, ICON_RADIUS, ICON - ICON_RADIUS)
    cy = clamp(y, ICON_RADIUS, ICON - ICON_RADIUS)
    return (x - cx) ** 2 + (y - cy) ** 2 <= ICON_RADIUS ** 2


def shades(base):
    """(face, lit bevel, shadowed bevel) of one icon tile."""
    return (base, tuple(c + (255 - c) * 0.45 for c in base),
            tuple(c * 0.55 for c in base))


def icon_colour(x, y):
    u, v = x - ICON_BORDER, y - ICON_BORDER
    span = ICON - 2 * ICON_BORDER
    if not (0.0 <= u < span and 0.0 <= v < span):
        return ICON_EDGE
    col, row = int(u // ICON_TILE), int(v // ICON_TILE)
    tx, ty = u - col * ICON_TILE, v - row * ICON_TILE
    raised = ICON_BOARD[row][col] == "1"
    face, lit, shadowed = shades(ICON_RED if raised else ICON_GREY)
    left_top = min(tx, ty) < ICON_BEVEL and tx + ty < ICON_TILE
    right_bottom = max(tx, ty) > ICON_TILE - ICON_BEVEL and tx + ty >= ICON_TILE
    if raised:
        light, dark = left_top, right_bottom
    else:
        light, dark = right_bottom, left_top
    if light:
        return lit
    if dark:
        return shadowed
    return face


def icon(size, rounded=False):
    """The icon at size x size pixels: RGB, or RGBA with the corners
    rounded off. A pixel's colour is the mean over the subsamples the
    picture covers, so the colours do not depend on the corners."""
    scale = size / ICON
    offsets = [(k + 0.5) / SUBSAMPLES for k in range(SUBSAMPLES)]
    img = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0]
            covered = 0
            for oy in offsets:
                for ox in offsets:
                    x, y = (px + ox) / scale, (py + oy) / scale
                    if rounded and not icon_covers(x, y):
                        continue
                    covered += 1
                    c = icon_colour(x, y)
                    for k in range(3):
                        acc[k] += c[k]
            rgb = tuple(int(clamp(round(a / max(covered, 1)), 0, CHANNEL_MAX))
                        for a in acc)
            if rounded:
                alpha = round(255 * covered / SUBSAMPLES ** 2)
                row.append(rgb + (alpha,) if alpha else (0, 0, 0, 0))
            else:
                row.append(rgb)
        img.append(row)
    return img


def icon_svg():
    """The same picture as shapes on the 32-unit grid."""
    def colour(c):
        return "#%02x%02x%02x" % tuple(int(round(v)) for v in c)

    t, b = ICON_TILE, ICON_BEVEL
    # The bevel bands along the top and left, and along the bottom and
    # right sides, each cut off along the tile's diagonal.
    top_left = [(0, 0), (t, 0), (t - b, b), (b, b), (b, t - b), (0, t)]
    bottom_right = [(t, 0), (t, t), (0, t), (b, t - b), (t - b, t - b), (t - b, b)]
    out = ['<?xml version="1.0" encoding="UTF-8"?>',
           '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" '
           'viewBox="0 0 %d %d">' % (ICON, ICON, ICON, ICON),
           '  <title>Zmieniarka</title>',
           '  <rect width="%d" height="%d" rx="%g" fill="%s"/>'
           % (ICON, ICON, ICON_RADIUS, colour(ICON_EDGE))]
    for row, line in enumerate(ICON_BOARD):
        for col, cell in enumerate(line):
            raised = cell == "1"
            face, lit, shadowed = shades(ICON_RED if raised else ICON_GREY)
            x0, y0 = ICON_BORDER + col * t, ICON_BORDER + row * t
            out.append('  <rect x="%g" y="%g" width="%g" height="%g" fill="%s"/>'
                       % (x0, y0, t, t, colour(face)))
            for band, c in ((top_left, lit if raised else shadowed),
                            (bottom_right, shadowed if raised else lit)):
                points = " ".join("%g,%g" % (x0 + x, y0 + y) for x, y in band)
                out.append('  <polygon points="%s" fill="%s"/>' % (points, colour(c)))
    out.append("</svg>")
    return "\n".join(out) + "\n"


# --- output -------------------------------------------------------------

def write_bmp(path, img):
    """Uncompressed 24-bit BMP, bottom-up rows padded to 4 bytes."""
    height, width = len(img), len(img[0])
    stride = (width * 3 + 3) & ~3
    pad = b"\0" * (stride - width * 3)
    pixels = bytearray()
    for row in reversed(img):
        for r, g, b in row:
            pixels += bytes((b, g, r))
        pixels += pad
    offset = 14 + 40
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0,
                       len(pixels), 3780, 3780, 0, 0)  # 96 dpi
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def write_png(path, img):
    """8-bit RGBA PNG, no filtering; the same bytes on every run."""
    height, width = len(img), len(img[0])
    raw = bytearray()
    for row in img:
        raw.append(0)
        for pixel in row:
            raw += bytes(pixel)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n"
                + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
                + chunk(b"IEND", b""))


def main():
    assets = os.path.join(os.path.dirname(os.path.abspath(__file__)),
                          os.pardir, "assets")
    assets = os.path.normpath(assets)
    os.makedirs(assets, exist_ok=True)
    for scale, suffix in ((1, ""), (2, "@2x")):
        for sample, glyphs in ((raised_sample, RAISED),
                               (sunken_sample, SUNKEN)):
            grid = sample_grid(sample, PICTURE, scale)
            for name, target in glyphs.items():
                picture = tinted(grid, target)
                got = tuple(round(mean([[p[k] for p in row]
                                        for row in picture]), 1)
                            for k in range(3))
                path = os.path.join(assets, name + suffix + ".bmp")
                if any(abs(g - t) > 2 for g, t in zip(got, target)):
                    raise SystemExit(f"{path}: mean {got}, wanted {target}")
                write_bmp(path, framed(picture, scale))
                print(f"{os.path.basename(path)}: mean {got}")
    write_bmp(os.path.join(assets, "ikona.bmp"), icon(ICON))
    for size in ICON_SIZES:
        write_png(os.path.join(assets, "ikona-%d.png" % size), icon(size, True))
    with open(os.path.join(assets, "ikona.svg"), "w", encoding="utf-8") as f:
        f.write(icon_svg())
    print("ikona.bmp, ikona.svg, ikona-{%s}.png" % ",".join(map(str, ICON_SIZES)))


if __name__ == "__main__":
    main()
