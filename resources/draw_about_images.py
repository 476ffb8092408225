#!/usr/bin/env python3
"""Draws the program's icon and the version dialog's button glyphs as 16-colour PNG files.

Run from anywhere; writes into resources/icons/ and resources/glyphs/ beside this script:
  icons/rotenu-32.png, icons/rotenu-16.png     the application icon, 32 x 32 and 16 x 16
  glyphs/vardig-webpage.png                    a small page with lines and a picture, for the
                                               web button (the close button shares the feeding
                                               timer's door, glyphs/close-door.xpm)
Only the standard library is used: each image is a 4-bit palette PNG written by hand.
"""
import math
import os
import struct
import zlib

# The 16 colours of the classic palette; index 0 is see-through and takes the place of teal,
# which none of the images uses.
PALETTE = [
    (0, 0, 0),        # 0 transparent
    (0, 0, 0),        # 1 black
    (128, 0, 0),      # 2 maroon
    (0, 128, 0),      # 3 green
    (128, 128, 0),    # 4 olive
    (0, 0, 128),      # 5 navy
    (128, 0, 128),    # 6 purple
    (192, 192, 192),  # 7 silver
    (128, 128, 128),  # 8 grey
    (255, 0, 0),      # 9 red
    (0, 255, 0),      # 10 lime
    (255, 255, 0),    # 11 yellow
    (0, 0, 255),      # 12 blue
    (255, 0, 255),    # 13 fuchsia
    (0, 255, 255),    # 14 aqua
    (255, 255, 255),  # 15 white
]
T, BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, SILVER, GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(16)


def write_png(path, pixels):
    height, width = len(pixels), len(pixels[0])
    raw = bytearray()
    for row in pixels:
        raw.append(0)  # no filter
        for x in range(0, width, 2):
            high = row[x]
            low = row[x + 1] if x + 1 < width else 0
            raw.append(high << 4 | low)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 4, 3, 0, 0, 0))
    png += chunk(b"PLTE", b"".join(bytes(c) for c in PALETTE))
    png += chunk(b"tRNS", bytes([0]))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def from_art(art, colours):
    return [[colours[c] for c in line] for line in art]


# The icon: the ten section ID colours as wedges of a round badge around a white centre.
SECTION_COLOURS = [GREEN, LIME, AQUA, BLUE, PURPLE, FUCHSIA, RED, OLIVE, YELLOW, WHITE]

# ろ, drawn on the white centre of the large icon.
RO = [
    ".#######.",
    "......#..",
    ".....#...",
    "....#....",
    "...####..",
    "..#....#.",
    ".#......#",
    "........#",
    ".......#.",
    "..#####..",
]


def badge(size, centre_radius, letter):
    c = size / 2
    outer = size / 2 - 0.5
    pixels = [[T] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            dx, dy = x + 0.5 - c, y + 0.5 - c
            r = math.hypot(dx, dy)
            if r > outer:
                continue
            if r > outer - 1.2 or abs(r - centre_radius) < 0.6:
                pixels[y][x] = BLACK
            elif r < centre_radius:
                pixels[y][x] = WHITE
            else:
                # Wedge 0 starts at the top and the IDs go round clockwise.
                angle = (math.degrees(math.atan2(dx, -dy)) + 360) % 360
                pixels[y][x] = SECTION_COLOURS[int(angle // 36) % 10]
    if letter:
        top = int(c - len(letter) / 2)
        left = int(c - len(letter[0]) / 2)
        for j, line in enumerate(letter):
            for i, ch in enumerate(line):
                if ch == "#":
                    pixels[top + j][left + i] = NAVY
    else:
        for y in range(size):
            for x in range(size):
                if math.hypot(x + 0.5 - c, y + 0.5 - c) < centre_radius * 0.45:
                    pixels[y][x] = NAVY
    return pixels


# A small page with its corner folded, lines of text and a picture of a hill under the sky.
# 18 x 18, the size of the door glyph beside it.
WEBPAGE = [
    "..##########......",
    "..#wwwwwwww##.....",
    "..#wwwwwwww#w#....",
    "..#wggggggw#ww#...",
    "..#wwwwwwww#####..",
    "..#wgggggggggggw#.",
    "..#wwwwwwwwwwwww#.",
    "..#w##########ww#.",
    "..#w#aaaaaaaa#ww#.",
    "..#w#aaaaayya#ww#.",
    "..#w#aaaaayya#ww#.",
    "..#w#aalaaaaa#ww#.",
    "..#w#alllaaal#ww#.",
    "..#w#llllllll#ww#.",
    "..#w##########ww#.",
    "..#wgggggggggggw#.",
    "..#wwwwwwwwwwwww#.",
    "..###############.",
]
WEBPAGE_COLOURS = {".": T, "#": BLACK, "w": WHITE, "g": GREY, "a": AQUA, "y": YELLOW, "l": GREEN}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    icons, glyphs = os.path.join(here, "icons"), os.path.join(here, "glyphs")
    os.makedirs(icons, exist_ok=True)
    os.makedirs(glyphs, exist_ok=True)
    write_png(os.path.join(icons, "rotenu-32.png"), badge(32, 8.2, RO))
    write_png(os.path.join(icons, "rotenu-16.png"), badge(16, 4.2, None))
    write_png(os.path.join(glyphs, "vardig-webpage.png"), from_art(WEBPAGE, WEBPAGE_COLOURS))


if __name__ == "__main__":
    main()
