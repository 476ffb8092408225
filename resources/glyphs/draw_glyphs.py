#!/usr/bin/env python3
"""Draws the feeding timer's four button glyphs as XPM files next to this script.

The clocks are 16 x 16 in the 16 standard colours with white as the transparent colour; the door
is one 36 x 18 bitmap of two 18 x 18 images, normal and disabled, with olive as the transparent
colour. Run it again after changing a drawing; the XPM files are what the program embeds.
"""
import os

PALETTE = {
    'k': '#000000', 'm': '#800000', 'g': '#008000', 'o': '#808000',
    'n': '#000080', 'p': '#800080', 't': '#008080', 's': '#C0C0C0',
    'a': '#808080', 'r': '#FF0000', 'l': '#00FF00', 'y': '#FFFF00',
    'b': '#0000FF', 'f': '#FF00FF', 'c': '#00FFFF', '.': '#FFFFFF',
}

# A yellow alarm clock with red bells (maroon rims), a black hammer, hands and legs. '.' is white.
CLOCK = [
    "..mmm..kk..mmm..",
    ".mrrrm.kk.mrrrm.",
    "mrrrrkkkkkkrrrrm",
    "mrrrkyyyyyykrrrm",
    ".mmkyyykyyyykmm.",
    "..kyyyykyyyyyk..",
    ".kyyyyykyyyyyyk.",
    ".kyyyyykyyyyyyk.",
    ".kyyyyykkkkyyyk.",
    ".kyyyyyyyyyyyyk.",
    "..kyyyyyyyyyyk..",
    "...kyyyyyyyyk...",
    "....kyyyyyyk....",
    ".....kkkkkk.....",
    "...kk......kk...",
    "..kk........kk..",
]


def with_bars(rows):
    """The clock crossed by two green horizontal bars."""
    out = [list(r) for r in rows]
    for y in (5, 6, 10, 11):
        out[y] = ['l' if y in (5, 10) else 'g'] * 16
    return [''.join(r) for r in out]


def struck_out(rows):
    """The clock struck out by a red X, two pixels thick."""
    out = [list(r) for r in rows]
    for i in range(16):
        for x in (i, i + 1):
            if 0 <= x < 16:
                out[i][x] = 'r'
                out[i][15 - x] = 'r'
    return [''.join(r) for r in out]


def door():
    """An open door: a grey doorway in a black frame, its maroon leaf swung out to the left."""
    size = 18
    img = [['o'] * size for _ in range(size)]
    left, right, top, bottom = 7, 15, 2, 15
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            edge = x in (left, right) or y in (top, bottom)
            img[y][x] = 'k' if edge else 'a'
    # The leaf: hinged on the frame's left side, its free edge nearer and so taller.
    free, hinge = 2, left
    for x in range(free, hinge + 1):
        shift = round(2 * (x - free) / (hinge - free))
        y0, y1 = shift, size - 1 - shift
        for y in range(y0, y1 + 1):
            edge = x in (free, hinge) or y in (y0, y1)
            img[y][x] = 'k' if edge else 'm'
    img[9][4] = 'y'
    img[8][4] = 'y'
    return [''.join(r) for r in img]


def disabled(rows):
    """The grey, embossed look of a disabled glyph: grey shape, white shadow one pixel down-right."""
    h, w = len(rows), len(rows[0])
    out = [['o'] * w for _ in range(h)]
    for y in range(h):
        for x in range(w):
            if rows[y][x] != 'o' and x + 1 < w and y + 1 < h and rows[y + 1][x + 1] == 'o':
                out[y + 1][x + 1] = '.'
    for y in range(h):
        for x in range(w):
            if rows[y][x] != 'o':
                out[y][x] = 'a' if rows[y][x] in 'kmnpgt' else 's'
    return [''.join(r) for r in out]


def write_xpm(name, rows):
    used = sorted({c for r in rows for c in r})
    lines = [f'"{len(rows[0])} {len(rows)} {len(used)} 1",']
    lines += [f'"{c} c {PALETTE[c]}",' for c in used]
    lines += [f'"{r}",' for r in rows]
    lines[-1] = lines[-1].rstrip(',')
    ident = name.replace('-', '_')
    text = f'/* XPM */\nstatic const char *{ident}[] = {{\n' + '\n'.join(lines) + '\n};\n'
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), name + '.xpm'), 'w') as f:
        f.write(text)


if __name__ == '__main__':
    for rows in (CLOCK,):
        assert len(rows) == 16 and all(len(r) == 16 for r in rows)
    write_xpm('every-cycle-alarm', with_bars(CLOCK))
    write_xpm('one-cycle-alarm', CLOCK)
    write_xpm('stop-alarm', struck_out(CLOCK))
    normal = door()
    grey = disabled(normal)
    write_xpm('close-door', [a + b for a, b in zip(normal, grey)])
