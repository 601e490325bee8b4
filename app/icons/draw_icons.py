#!/usr/bin/env python3
"""Draws the tool bar images (16 x 15) and the application icon as PNG files.

Each image is pixel art: one character per pixel, '.' transparent, the other
characters looked up in PALETTE. Run it from anywhere; it writes beside itself.
"""
import os
import struct
import zlib

PALETTE = {
    "k": (0, 0, 0, 255),
    "w": (255, 255, 255, 255),
    "g": (128, 128, 128, 255),
    "l": (192, 192, 192, 255),
    "y": (255, 255, 0, 255),
    "o": (128, 128, 0, 255),
    "b": (0, 0, 255, 255),
    "n": (0, 0, 128, 255),
    "r": (255, 0, 0, 255),
    "G": (0, 160, 0, 255),
}

IMAGES = {
    "new": [
        "................",
        "..kkkkkkkk......",
        "..kwwwwwwkk.....",
        "..kwwwwwwkwk....",
        "..kwwwwwwkkkk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kkkkkkkkkkk...",
        "................",
    ],
    "open": [
        "................",
        "...........kkk..",
        "..........k...kk",
        "...............k",
        ".kkk......kkkk.k",
        "kyyykkkkkkkkkkk.",
        "kywywywywk......",
        "kwywywywyk......",
        "kywywkkkkkkkkkkk",
        "kwywkoooooooook.",
        "kywkoooooooook..",
        "kwkoooooooook...",
        "kkoooooooook....",
        "kkkkkkkkkkk.....",
        "................",
    ],
    "save": [
        "................",
        ".kkkkkkkkkkkkkk.",
        ".kokwwwwwwwwkok.",
        ".kokwwwwwwwwkkk.",
        ".kokwwwwwwwwkok.",
        ".kokwwwwwwwwkok.",
        ".koookkkkkkoook.",
        ".kooooooooooook.",
        ".kookkkkkkkkook.",
        ".kookkkkkllkook.",
        ".kookkkkkllkook.",
        ".kookkkkkllkook.",
        "..kkkkkkkkkkkkk.",
        "................",
        "................",
    ],
    "cut": [
        "................",
        "....k.....k.....",
        "....k.....k.....",
        "....k.....k.....",
        "....kk...kk.....",
        ".....k...k......",
        ".....kk.kk......",
        "......kkk.......",
        ".......k........",
        "......nkn.......",
        "....nnn.nnn.....",
        "...n..n.n..n....",
        "...n..n.n..n....",
        "...n..n.n..n....",
        "....nn...nn.....",
    ],
    "copy": [
        "................",
        "kkkkkk..........",
        "kwwwwkk.........",
        "kwkkwkwk........",
        "kwwwwkkkkk......",
        "kwkkkwkwwkk.....",
        "kwwwwwkwwkwk....",
        "kwkkkkkwkkkkk...",
        "kwwwwwkwwwwwk...",
        "kkkkkkkwkkkwk...",
        "......kwwwwwk...",
        "......kwkkkwk...",
        "......kwwwwwk...",
        "......kkkkkkk...",
        "................",
    ],
    "paste": [
        "................",
        ".....kkkk.......",
        ".kkkkyyyykkkk...",
        "kooookkkkoooook.",
        "koookwwwwkooook.",
        "koooooooooooook.",
        "koooookkkkkkkk..",
        "kooookwwwwwkwk..",
        "kooookwkkkwkwwk.",
        "kooookwwwwwkkkk.",
        "kooookwkkkkkwwk.",
        "kooookwwwwwwwwk.",
        ".kkkkkwkkkkkkwk.",
        "......wwwwwwwwk.",
        "......kkkkkkkkk.",
    ],
    "print": [
        "................",
        "....kkkkkkkkk...",
        "...kwwwwwwwwk...",
        "...kwkkkkkwk....",
        "..kwwwwwwwwk....",
        "..kwkkkkkwkkkkk.",
        ".kkkkkkkkkkllkk.",
        "klllllllllllkkk.",
        "kkkkkkkkkkkkkllk",
        "kllllllllllllkkk",
        "kllllllllyyGlkk.",
        "kkkkkkkkkkkkkk..",
        ".kllllllllllk...",
        "..kkkkkkkkkkk...",
        "................",
    ],
    "about": [
        "................",
        ".....kkkkkk.....",
        "...kkwwwwwwkk...",
        "..kwwwbbbbwwwk..",
        "..kwwbbwwbbwwk..",
        ".kwwwwwwwbbwwwk.",
        ".kwwwwwwbbwwwwk.",
        ".kwwwwwbbwwwwwk.",
        ".kwwwwwbbwwwwwk.",
        "..kwwwwwwwwwwk..",
        "..kwwwwbbwwwwk..",
        "...kkwwbbwwkk...",
        ".....kwwwkk.....",
        "....kwwkk.......",
        "....kkk.........",
    ],
    "findpeaks": [
        "....r......r....",
        "....r......r....",
        "...rrr....rrr...",
        "....r......r....",
        "....b...........",
        "...b.b.....b....",
        "...b.b....b.b...",
        "...b.b....b.b...",
        "..b...b...b.b...",
        "..b...b..b...b..",
        ".b.....bb....b..",
        ".b...........bb.",
        "b..............b",
        "kkkkkkkkkkkkkkkk",
        "................",
    ],
}


def app_icon():
    """32 x 32: a white plot with a frame, a blue peak profile and a red fit."""
    size = 32
    rows = [["w"] * size for _ in range(size)]
    for i in range(size):
        rows[0][i] = rows[size - 1][i] = rows[i][0] = rows[i][size - 1] = "g"
    import math
    for col in range(2, size - 2):
        y = 4 + 22 * math.exp(-((col - 16) / 3.5) ** 2)
        row = size - 4 - int(y)
        rows[row][col] = "r"
        if col % 2 == 0:
            rows[min(size - 3, row + 1)][col] = "b"
    return ["".join(r) for r in rows]


def png_bytes(rows):
    height = len(rows)
    width = len(rows[0])
    raw = bytearray()
    for row in rows:
        assert len(row) == width, row
        raw.append(0)  # no filter
        for ch in row:
            raw.extend(PALETTE.get(ch, (0, 0, 0, 0)))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    images = dict(IMAGES)
    images["tav"] = app_icon()
    for name, rows in images.items():
        with open(os.path.join(here, name + ".png"), "wb") as f:
            f.write(png_bytes(rows))


if __name__ == "__main__":
    main()
