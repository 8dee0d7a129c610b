#!/usr/bin/env python3
"""Draws the game's artwork: the four tile glyphs and the program icon.

Run from anywhere: python3 tools/make_assets.py
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


def icon_colour(x, y):
    u, v = x - ICON_BORDER, y - ICON_BORDER
    span = ICON - 2 * ICON_BORDER
    if not (0.0 <= u < span and 0.0 <= v < span):
        return ICON_EDGE
    col, row = int(u // ICON_TILE), int(v // ICON_TILE)
    tx, ty = u - col * ICON_TILE, v - row * ICON_TILE
    raised = ICON_BOARD[row][col] == "1"
    base = ICON_RED if raised else ICON_GREY
    bevel = 1.6
    left_top = min(tx, ty) < bevel and tx + ty < ICON_TILE
    right_bottom = max(tx, ty) > ICON_TILE - bevel and tx + ty >= ICON_TILE
    if raised:
        light, dark = left_top, right_bottom
    else:
        light, dark = right_bottom, left_top
    if light:
        return tuple(c + (255 - c) * 0.45 for c in base)
    if dark:
        return tuple(c * 0.55 for c in base)
    return base


def icon(scale):
    n = ICON * scale
    offsets = [(k + 0.5) / SUBSAMPLES for k in range(SUBSAMPLES)]
    img = []
    for py in range(n):
        row = []
        for px in range(n):
            acc = [0.0, 0.0, 0.0]
            for oy in offsets:
                for ox in offsets:
                    c = icon_colour((px + ox) / scale, (py + oy) / scale)
                    for k in range(3):
                        acc[k] += c[k]
            row.append(tuple(int(clamp(round(a / SUBSAMPLES ** 2), 0,
                                       CHANNEL_MAX)) for a in acc))
        img.append(row)
    return img


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
    write_bmp(os.path.join(assets, "ikona.bmp"), icon(1))
    write_bmp(os.path.join(assets, "ikona@4x.bmp"), icon(4))
    print("ikona.bmp, ikona@4x.bmp")


if __name__ == "__main__":
    main()
