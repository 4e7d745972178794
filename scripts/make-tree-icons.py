#!/usr/bin/env python3
"""Draws the thirteen 16x16 icons of the settings tree, side by side in tree order,
into one strip, res/tree-icons.bmp.

The pictures are pixel maps below. The strip is a 24-bit bitmap whose see-through
pixels are magenta, a colour no picture uses: the program makes its image list
from it in one step, which every Windows from 95 on does. Run again after
changing a picture."""
import os
import struct

PALETTE = {
    '.': None, 'k': (0, 0, 0), 'w': (255, 255, 255), 'r': (200, 0, 0), 'R': (255, 96, 96),
    'g': (0, 128, 0), 'G': (64, 200, 64), 'b': (0, 0, 192), 'B': (64, 128, 255),
    'y': (255, 208, 0), 'o': (255, 128, 0), 'n': (128, 64, 0), 's': (192, 192, 192),
    'd': (128, 128, 128), 'c': (0, 160, 160), 'e': (0, 0, 128), 'l': (192, 224, 255),
}

ICONS = [
    ("main", [  # a house
        ".......kk.......",
        "......krrk..kk..",
        ".....krrrrk.kk..",
        "....krrrrrrkkk..",
        "...krrrrrrrrkk..",
        "..krrrrrrrrrrk..",
        ".kkkkkkkkkkkkkk.",
        "..kyyyyyyyyyyk..",
        "..kyllkyyyyyyk..",
        "..kyllkyykkkyk..",
        "..kkkkkyykbkyk..",
        "..kyyyyyykbkyk..",
        "..kyyyyyykbkyk..",
        "..kyyyyyykbkyk..",
        "..kkkkkkkkkkkk..",
        "gggggggggggggggg"]),
    ("settings", [  # a gear
        "................",
        "......kddk......",
        "...kk.kssk.kk...",
        "..kssksssskssk..",
        "..kssssssssssk..",
        "...kssskksssk...",
        ".kksssk..ksssskk",
        ".kssssk..kssssk.",
        ".kssssk..kssssk.",
        ".kksssk..ksssskk",
        "...ksssskksssk..",
        "..kssssssssssk..",
        "..kssksssskssk..",
        "...kk.kssk.kk...",
        "......kddk......",
        "................"]),
    ("windows", [  # an application window
        "kkkkkkkkkkkkkkkk",
        "keeeeeeeeeekwkwk",
        "keeeeeeeeeekkkkk",
        "kkkkkkkkkkkkkkkk",
        "kwwwwwwwwwwwwwwk",
        "kwwwwwwwwwwwwwwk",
        "kwdddddwwwwwwwwk",
        "kwwwwwwwwwwwwwwk",
        "kwddddddddwwwwwk",
        "kwwwwwwwwwwwwwwk",
        "kwdddddddwwwwwwk",
        "kwwwwwwwwwwwwwwk",
        "kwwwwwwwwwwwwwwk",
        "kkkkkkkkkkkkkkkk",
        "................",
        "................"]),
    ("browser", [  # a globe
        ".....kkkkkk.....",
        "...kkBBGGBBkk...",
        "..kBBGGGGBBBBk..",
        ".kBBGGGGGBBBBBk.",
        ".kBBBGGGBBBGGBk.",
        "kBBBBGGBBBGGGGBk",
        "kBBBBBGBBBGGGGBk",
        "kBBBBBBBBBBGGBBk",
        "kBBBGGBBBBBBBBBk",
        "kBBGGGGGBBBBBBBk",
        "kBBBGGGGBBBBBBBk",
        ".kBBBGGGBBBBGBk.",
        ".kBBBBGGBBBBBBk.",
        "..kBBBBGBBBBBk..",
        "...kkBBBBBBkk...",
        ".....kkkkkk....."]),
    ("ie", [  # a blue "e" with a ring
        "............yyy.",
        "..........yy..y.",
        ".....bbbbbb...y.",
        "...bbbbbbbbbbyy.",
        "..bbbb....bbbb..",
        ".ybbb......bbb..",
        "y.bbb......bbb..",
        "y.bbbbbbbbbbbb..",
        "y.bbbbbbbbbbbb..",
        ".ybbb...........",
        "..bbb......y....",
        "..bbbb....bbb...",
        "...bbbbbbbbbb...",
        ".yy..bbbbbb.....",
        "y..yyy..........",
        ".yy............."]),
    ("netscape", [  # an "N" on a ship's wheel
        ".......nn.......",
        "...nn..nn..nn...",
        "...nnnkkkknnn...",
        "....kccccccck...",
        "..nkcwcccccwckn.",
        "..kccwwccccwcck.",
        "nnkccwcwcccwcckn",
        "nnkccwccwccwcckn",
        "..kccwcccwcwcck.",
        "..kccwccccwwcck.",
        "..nkcwcccccwckn.",
        "....kccccccck...",
        "...nnnkkkknnn...",
        "...nn..nn..nn...",
        ".......nn.......",
        "................"]),
    ("opera", [  # a red "O"
        ".....rrrrrr.....",
        "...rrrrrrrrrr...",
        "..rrrrRRRRrrrr..",
        ".rrrrR....Rrrrr.",
        ".rrrR......Rrrr.",
        "rrrrR......Rrrrr",
        "rrrr........rrrr",
        "rrrr........rrrr",
        "rrrr........rrrr",
        "rrrr........rrrr",
        "rrrrR......Rrrrr",
        ".rrrR......Rrrr.",
        ".rrrrR....Rrrrr.",
        "..rrrrRRRRrrrr..",
        "...rrrrrrrrrr...",
        ".....rrrrrr....."]),
    ("schedule", [  # a clock
        ".....kkkkkk.....",
        "...kkwwwwwwkk...",
        "..kwwwwkwwwwwk..",
        ".kwkwwwkwwwwkwk.",
        ".kwwwwwkwwwwwwk.",
        "kwwwwwwkwwwwwwwk",
        "kwwwwwwkwwwwwwwk",
        "kkwwwwwkkkkkwwkk",
        "kwwwwwwwwwwwwwwk",
        "kwwwwwwwwwwwwwwk",
        "kwwwwwwwwwwwwwwk",
        ".kwwwwwwwwwwwwk.",
        ".kwkwwwwwwwwkwk.",
        "..kwwwwkwwwwwk..",
        "...kkwwwwwwkk...",
        ".....kkkkkk....."]),
    ("upgrade", [  # an up arrow
        ".......kk.......",
        "......kGGk......",
        ".....kGGGGk.....",
        "....kGGGGGGk....",
        "...kGGGGGGGGk...",
        "..kGGGGGGGGGGk..",
        ".kGGGGGGGGGGGGk.",
        "kkkkkGGGGGGkkkkk",
        "....kGGGGGGk....",
        "....kGGggGGk....",
        "....kGGggGGk....",
        "....kGGggGGk....",
        "....kGGggGGk....",
        "....kGGGGGGk....",
        "....kkkkkkkk....",
        "................"]),
    ("help", [  # a question mark
        ".....kkkkkk.....",
        "...kkbbbbbbkk...",
        "..kbbbwwwwbbbk..",
        ".kbbbwwbbwwbbbk.",
        ".kbbbwwbbwwbbbk.",
        "kbbbbbbbbwwbbbbk",
        "kbbbbbbbwwbbbbbk",
        "kbbbbbbwwbbbbbbk",
        "kbbbbbbwwbbbbbbk",
        "kbbbbbbwwbbbbbbk",
        "kbbbbbbbbbbbbbbk",
        ".kbbbbbwwbbbbbk.",
        ".kbbbbbwwbbbbbk.",
        "..kbbbbbbbbbbk..",
        "...kkbbbbbbkk...",
        ".....kkkkkk....."]),
    ("run", [  # a play button
        ".....kkkkkk.....",
        "...kkggggggkk...",
        "..kggggggggggk..",
        ".kgggwwggggggGk.",
        ".kgggwwwgggggGk.",
        "kggggwwwwggggGGk",
        "kggggwwwwwgggGGk",
        "kggggwwwwwwggGGk",
        "kggggwwwwwwggGGk",
        "kggggwwwwwgggGGk",
        "kggggwwwwggggGGk",
        ".kgggwwwgggggGk.",
        ".kgggwwggggggGk.",
        "..kggggggggggk..",
        "...kkggggggkk...",
        ".....kkkkkk....."]),
    ("shredder", [  # paper going into a shredder, strips below
        "...kkkkkkkkkk...",
        "...kwwwwwwwwk...",
        "...kwddddddwk...",
        "...kwwwwwwwwk...",
        "...kwdddddwwk...",
        "kkkkkkkkkkkkkkkk",
        "kssssssssssssssk",
        "ksssssssssssGssk",
        "kddddddddddddddk",
        "kkkkkkkkkkkkkkkk",
        "...kw.kw.kw.kw..",
        "...kw.kw.kw.kw..",
        "...kw..kw.kw.kw.",
        "....kw.kw..kw.kw",
        "....kw..kw.kw.kw",
        "....kk..kk.kk.kk"]),
    ("hardware", [  # a memory chip with its pins
        "................",
        "..k.k.k.k.k.k...",
        "..k.k.k.k.k.k...",
        ".kkkkkkkkkkkkkk.",
        ".kddddddddddddk.",
        ".kdssssssssssdk.",
        ".kdsggggggggsdk.",
        ".kdsgGGGGGGgsdk.",
        ".kdsgGGGGGGgsdk.",
        ".kdsggggggggsdk.",
        ".kdssssssssssdk.",
        ".kddddddddddddk.",
        ".kkkkkkkkkkkkkk.",
        "..k.k.k.k.k.k...",
        "..k.k.k.k.k.k...",
        "................",
    ]),
]


SEE_THROUGH = (255, 0, 255)


def strip_bytes(icons):
    width = 16 * len(icons)
    for _, rows in icons:
        assert len(rows) == 16 and all(len(r) == 16 for r in rows), rows
        assert SEE_THROUGH not in {PALETTE[c] for r in rows for c in r}
    pixels = b''
    for y in reversed(range(16)):  # bottom-up
        row = b''
        for _, rows in icons:
            for c in rows[y]:
                r, g, b = PALETTE[c] or SEE_THROUGH
                row += bytes((b, g, r))
        pixels += row + b'\0' * (-len(row) % 4)  # rows padded to 32 bits
    info = struct.pack('<IiiHHIIiiII', 40, width, 16, 1, 24, 0, len(pixels), 0, 0, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'res', 'tree-icons.bmp')
    with open(out, 'wb') as f:
        f.write(strip_bytes(ICONS))


if __name__ == '__main__':
    main()
