#!/usr/bin/env python3
"""Generates the bundled data the editor runs on: the game catalogue fw.xml, the three
texture strips, the marker, castle and army icons and the about box's picture under res/,
and sample world images.

Everything is drawn from a fixed seed, so running it again gives the same files. The
generated files are committed; run this only to change them:
    scripts/make-data.py            (needs cjpeg from libjpeg-turbo-progs for the JPEG pictures)
"""
import math
import os
import random
import struct
import subprocess
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data")

# ---------------------------------------------------------------------------------------
# Images are lists of rows of (r, g, b) tuples.


def new_image(w, h, colour):
    return [[colour] * w for _ in range(h)]


def write_bmp24(path, img):
    """24-bit bottom-up BMP with a 40-byte info header; rows padded to 4 bytes."""
    h, w = len(img), len(img[0])
    stride = (w * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(img):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - w * 3)
        pixels += line
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def write_ppm(path, img):
    h, w = len(img), len(img[0])
    with open(path, "wb") as f:
        f.write(b"P6\n%d %d\n255\n" % (w, h))
        for row in img:
            f.write(bytes(c for px in row for c in px))


def clamp(v):
    return max(0, min(255, int(v)))


def shade(colour, factor):
    return tuple(clamp(c * factor) for c in colour)

# ---------------------------------------------------------------------------------------
# Textures: horizontal strips of square tiles whose side is the strip's height.
# Tile 0 is a province without owner, tiles 1-6 the six players, tile 7 green land.

TILE = 64
TILE_COLOURS = [
    (176, 160, 128),  # no owner: parchment
    (200, 48, 40),    # player 1: red
    (48, 80, 200),    # player 2: blue
    (220, 196, 48),   # player 3: yellow
    (140, 60, 170),   # player 4: purple
    (230, 130, 40),   # player 5: orange
    (40, 170, 170),   # player 6: teal
    (70, 150, 60),    # green land: grass
]


def noise_tile(rng, base, amplitude, wave):
    tile = new_image(TILE, TILE, base)
    phase = rng.random() * math.tau
    for y in range(TILE):
        for x in range(TILE):
            # Periodic in both directions so that tiles repeat without seams.
            v = math.sin(math.tau * x / TILE * wave + phase) * math.cos(math.tau * y / TILE * wave)
            v += 0.5 * math.sin(math.tau * (x + y) / TILE * 2 * wave)
            f = 1.0 + amplitude * v / 1.5 + rng.uniform(-0.04, 0.04)
            tile[y][x] = shade(base, f)
    return tile


def strip(tiles):
    rows = []
    for y in range(TILE):
        row = []
        for t in tiles:
            row.extend(t[y])
        rows.append(row)
    return rows


def make_textures(rng):
    normal = [noise_tile(rng, c, 0.10, 2) for c in TILE_COLOURS]
    selected = [noise_tile(rng, shade(c, 1.25), 0.06, 2) for c in TILE_COLOURS]
    sea = [noise_tile(rng, (30, 70, 150), 0.15, 3)]
    write_bmp24(os.path.join(ROOT, "res", "MapTexturesNormal.bmp"), strip(normal))
    write_bmp24(os.path.join(ROOT, "res", "MapTexturesSelected.bmp"), strip(selected))
    write_bmp24(os.path.join(ROOT, "res", "SeaTexture.bmp"), strip(sea))

# ---------------------------------------------------------------------------------------
# Icons: 32x32 pictures on opaque magenta, which the editor makes transparent.

MAGENTA = (255, 0, 255)


def fill_rect(img, x0, y0, x1, y1, colour):
    for y in range(max(0, y0), min(len(img), y1)):
        for x in range(max(0, x0), min(len(img[0]), x1)):
            img[y][x] = colour


def castle_icon(towers, stone, roof):
    img = new_image(32, 32, MAGENTA)
    fill_rect(img, 4, 14, 28, 30, stone)
    fill_rect(img, 13, 22, 19, 30, (60, 40, 20))      # gate
    width = 24 // towers
    for i in range(towers):
        x = 4 + i * width
        fill_rect(img, x, 6, x + max(4, width - 2), 14, shade(stone, 0.85))
        fill_rect(img, x, 2, x + max(4, width - 2), 6, roof)
    for x in range(4, 28, 4):                          # battlements
        fill_rect(img, x, 12, x + 2, 14, shade(stone, 0.7))
    return img


def army_icon(banner):
    img = new_image(32, 32, MAGENTA)
    fill_rect(img, 9, 2, 11, 30, (90, 60, 30))         # pole
    fill_rect(img, 11, 3, 26, 13, banner)               # flag
    fill_rect(img, 14, 16, 24, 28, (150, 150, 160))     # shield
    fill_rect(img, 17, 18, 21, 26, banner)
    return img


def marker_icon():
    img = new_image(12, 12, MAGENTA)
    for y in range(12):
        for x in range(12):
            d = math.hypot(x - 5.5, y - 5.5)
            if d <= 5.5:
                img[y][x] = (255, 255, 255) if d > 4.0 else (200, 20, 20)
    return img


CASTLES = [
    ("Keep", "castle_keep.bmp", castle_icon(1, (150, 140, 120), (120, 40, 30))),
    ("Castle", "castle_castle.bmp", castle_icon(2, (160, 160, 150), (40, 60, 130))),
    ("Citadel", "castle_citadel.bmp", castle_icon(3, (190, 180, 160), (140, 30, 30))),
    ("Fortress", "castle_fortress.bmp", castle_icon(4, (110, 110, 110), (30, 30, 30))),
]
ARMIES = [
    ("army_field.bmp", army_icon((200, 30, 30))),
    ("army_siege.bmp", army_icon((30, 60, 190))),
]


def make_icons():
    for _, path, img in CASTLES:
        write_bmp24(os.path.join(ROOT, "res", path), img)
    for path, img in ARMIES:
        write_bmp24(os.path.join(ROOT, "res", path), img)
    write_bmp24(os.path.join(ROOT, "res", "marker.bmp"), marker_icon())

# ---------------------------------------------------------------------------------------
# The game catalogue.

UNITS_STANDARD = ["Peasants", "Archers", "Pikemen", "Swordsmen", "Knights", "Crossbowmen",
                  "Cavalry", "Catapult", "Ballista", "Monks"]
UNITS_SPECIAL = ["Mercenaries", "Rangers", "Berserkers", "Paladins"]
RESOURCES = [("Gold", 0, 20), ("Wood", 0, 10), ("Stone", 0, 10), ("Iron", "", 5), ("Horses", 0, 4)]
SKILLS = ["Leadership", "Logistics", "Siegecraft", "Diplomacy", "Archery", "Tactics"]
ABILITIES = [("None", 0), ("Builder", 1), ("Merchant", 2), ("Warlord", 3), ("Scholar", 4)]
AIS = [("Passive", 1), ("Defensive", 2), ("Balanced", 3), ("Aggressive", 4), ("Expansionist", 5)]


def section(name, entries, indent="  "):
    """An element holding one line per entry, indented one step deeper."""
    return ([indent + "<%s>" % name] + [indent + "  " + e for e in entries] +
            [indent + "</%s>" % name])


def make_catalogue():
    units = (section("Standart", ['<Unit name="%s"/>' % n for n in UNITS_STANDARD], "    ") +
             section("NonStandart", ['<Unit name="%s"/>' % n for n in UNITS_SPECIAL], "    "))
    lines = ['<?xml version="1.0"?>', '<Valdrune dwID="VLDR">']
    lines += ['  <Units standart="%d" non-standart="%d">' % (len(UNITS_STANDARD), len(UNITS_SPECIAL))]
    lines += units + ["  </Units>"]
    lines += section("Castles", ['<Castle name="%s" path="%s" pivot_x="16" pivot_y="29"/>' % (n, p)
                                 for n, p, _ in CASTLES])
    lines += section("Armies", ['<Army path="%s" pivot_x="10" pivot_y="29"/>' % p for p, _ in ARMIES])
    lines += section("Resources", ['<Resource name="%s" min="%s" max="%s"/>' % r for r in RESOURCES])
    lines += section("Skills", ['<Skill name="%s"/>' % n for n in SKILLS])
    lines += section("Abilities", ['<Ability name="%s" val="%d"/>' % a for a in ABILITIES])
    lines += section("AIs", ['<AI name="%s" val="%d"/>' % a for a in AIS])
    lines.append("</Valdrune>")
    with open(os.path.join(ROOT, "fw.xml"), "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")

# ---------------------------------------------------------------------------------------
# Sample worlds: provinces of one colour each (warped Voronoi cells), a sea border and
# inland lakes in pure blue, patches of pure green land, and a few specks.

SEA = (0, 0, 255)
GREEN = (0, 255, 0)


def province_colours(rng, n):
    colours, seen = [], {SEA, GREEN, (0, 0, 0)}
    while len(colours) < n:
        c = (rng.randrange(40, 250), rng.randrange(40, 250), rng.randrange(40, 250))
        if c not in seen and not (c[2] > 200 and c[0] < 60 and c[1] < 60):
            seen.add(c)
            colours.append(c)
    return colours


def make_world(rng, w, h, provinces, lakes, greens, specks):
    sites = [(rng.uniform(0.08, 0.92) * w, rng.uniform(0.08, 0.92) * h) for _ in range(provinces)]
    colours = province_colours(rng, provinces)
    fx, fy = rng.uniform(0.02, 0.05), rng.uniform(0.02, 0.05)
    amp = min(w, h) * 0.03
    lake_list = [(rng.uniform(0.2, 0.8) * w, rng.uniform(0.2, 0.8) * h, rng.uniform(0.03, 0.06) * min(w, h))
                 for _ in range(lakes)]
    green_list = [(rng.uniform(0.15, 0.85) * w, rng.uniform(0.15, 0.85) * h, rng.uniform(0.03, 0.05) * min(w, h))
                  for _ in range(greens)]
    img = new_image(w, h, SEA)
    cx, cy = w / 2, h / 2
    for y in range(h):
        for x in range(w):
            # Ragged coast: an ellipse whose radius wobbles with the angle.
            a = math.atan2(y - cy, x - cx)
            r = math.hypot((x - cx) / (w * 0.46), (y - cy) / (h * 0.44))
            if r > 1.0 + 0.06 * math.sin(5 * a) + 0.04 * math.sin(11 * a + 1.3):
                continue
            wx = x + amp * math.sin(y * fy) + amp * 0.5 * math.sin((x + y) * fx * 1.7)
            wy = y + amp * math.cos(x * fx) + amp * 0.5 * math.cos((x - y) * fy * 1.3)
            if any(math.hypot(wx - lx, wy - ly) < lr for lx, ly, lr in lake_list):
                continue
            if any(math.hypot(wx - gx, wy - gy) < gr for gx, gy, gr in green_list):
                img[y][x] = GREEN
                continue
            best = min(range(provinces), key=lambda i: (wx - sites[i][0]) ** 2 + (wy - sites[i][1]) ** 2)
            img[y][x] = colours[best]
    for i in range(specks):
        # Small specks: some reuse a province colour, some are new colours.
        sx, sy = rng.randrange(w), rng.randrange(h)
        size = rng.randrange(1, 4)
        colour = colours[rng.randrange(provinces)] if i % 3 == 0 else province_colours(rng, 1)[0]
        fill_rect(img, sx, sy, sx + size, sy + size, colour)
    return img


def make_worlds(rng):
    worlds = os.path.join(ROOT, "worlds")
    write_bmp24(os.path.join(worlds, "isles-320x240.bmp"), make_world(rng, 320, 240, 18, 1, 1, 12))
    write_bmp24(os.path.join(worlds, "kingdoms-640x480.bmp"), make_world(rng, 640, 480, 45, 2, 3, 30))
    # A world kept as a JPEG must decode to its exact colours, or its sea and land are
    # not recognised: flat 8 x 8 blocks, stored as RGB at quality 100, decode exactly.
    valley = in_blocks(make_world(rng, 200, 150, 10, 0, 1, 0), 8)
    write_jpeg(os.path.join(worlds, "valley-200x150.jpg"), valley, 100, rgb=True)


def in_blocks(img, side):
    """Every side x side block takes the colour of its middle pixel."""
    h, w = len(img), len(img[0])
    out = new_image(w, h, (0, 0, 0))
    for y in range(0, h, side):
        for x in range(0, w, side):
            fill_rect(out, x, y, x + side, y + side, img[min(y + side // 2, h - 1)][min(x + side // 2, w - 1)])
    return out


def write_jpeg(path, img, quality, rgb=False):
    """Through cjpeg, without chroma subsampling; `rgb` keeps the colours as RGB instead of
    converting them to YCbCr, whose rounding moves colours such as pure blue by a step."""
    ppm = path + ".tmp.ppm"
    write_ppm(ppm, img)
    options = ["-rgb"] if rgb else []
    try:
        subprocess.run(["cjpeg", "-quality", str(quality), "-sample", "1x1"] + options + ["-outfile", path, ppm],
                       check=True)
    finally:
        os.remove(ppm)

# ---------------------------------------------------------------------------------------
# The about box's picture: a castle on a hill under an evening sky, drawn without the
# random generator so that the other files do not change with it.


def make_about_picture():
    w, h = 120, 160
    img = new_image(w, h, (0, 0, 0))
    for y in range(h):
        sky = shade((70, 90, 170), 1.0 + 0.9 * y / h)
        for x in range(w):
            img[y][x] = sky
    for x in range(w):                                  # the hill
        top = int(118 + 14 * math.cos((x - 60) / 38.0))
        for y in range(min(top, h), h):
            img[y][x] = shade((60, 120, 50), 1.0 - 0.4 * (y - top) / h)
    castle = castle_icon(3, (170, 165, 150), (140, 30, 30))
    for y in range(32):                                 # the castle icon, doubled, magenta left out
        for x in range(32):
            if castle[y][x] != MAGENTA:
                fill_rect(img, 28 + 2 * x, 44 + 2 * y, 30 + 2 * x, 46 + 2 * y, castle[y][x])
    write_jpeg(os.path.join(ROOT, "res", "about.jpg"), img, 90)


def main():
    rng = random.Random(20261206)
    os.makedirs(os.path.join(ROOT, "res"), exist_ok=True)
    os.makedirs(os.path.join(ROOT, "worlds"), exist_ok=True)
    make_catalogue()
    make_textures(rng)
    make_icons()
    make_worlds(rng)
    make_about_picture()
    return 0


if __name__ == "__main__":
    sys.exit(main())
