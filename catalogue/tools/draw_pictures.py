#!/usr/bin/env python3
"""Draws the series pictures of the shipped catalogue.

Each series gets a small front view of its enclosure: a grey cabinet with a
band in the series colour, the controller's display, and a capacitor symbol
on the door (with a reactor coil for the detuned series). Only the standard
library is used, so the pictures can be redrawn anywhere:

    python3 catalogue/tools/draw_pictures.py catalogue/pictures

The PNG files are committed; the build only reads them.
"""

import struct
import sys
import zlib
from pathlib import Path

WIDTH = 96
HEIGHT = 96

# series code: (band colour, enclosure kind)
#   wall: small wall-mounted box; cabinet: floor-standing cabinet;
#   detuned: cabinet with a reactor; fixed: fixed bank for a transformer;
#   unit: product-line unit.
SERIES = {
    "Quelva": ((0x2E, 0x86, 0xC1), "wall"),
    "Fenwa": ((0x27, 0xAE, 0x60), "wall"),
    "Corsel": ((0xE6, 0x7E, 0x22), "cabinet"),
    "Dravia": ((0x8E, 0x44, 0xAD), "cabinet"),
    "Galvix": ((0xC0, 0x39, 0x2B), "cabinet"),
    "Hormea": ((0x16, 0xA0, 0x85), "detuned"),
    "Isquel": ((0xD4, 0xAC, 0x0D), "detuned"),
    "Brunia": ((0x7F, 0x8C, 0x8D), "detuned"),
    "Elmora": ((0x1F, 0x3A, 0x93), "cabinet"),
    "Tirsa": ((0x5D, 0x6D, 0x7E), "fixed"),
    "Ostrel": ((0x00, 0x7C, 0x91), "unit"),
    "Varden": ((0x6C, 0x3B, 0x2A), "unit"),
    "Nimbra": ((0x9B, 0x27, 0x5F), "unit"),
    "Sovel": ((0x3D, 0x7A, 0x1E), "unit"),
}

TRANSPARENT = (0, 0, 0, 0)
OUTLINE = (0x3A, 0x3F, 0x44, 255)
BODY = (0xD9, 0xDD, 0xE1, 255)
DOOR = (0xE9, 0xEC, 0xEF, 255)
SCREEN = (0x1B, 0x26, 0x31, 255)
LIT = (0x58, 0xD6, 0x8D, 255)
SYMBOL = (0x34, 0x49, 0x5E, 255)


class Canvas:
    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.pixels = [[TRANSPARENT] * width for _ in range(height)]

    def fill(self, x0, y0, x1, y1, colour):
        """Fills the rectangle [x0, x1) × [y0, y1)."""
        for y in range(max(0, y0), min(self.height, y1)):
            row = self.pixels[y]
            for x in range(max(0, x0), min(self.width, x1)):
                row[x] = colour

    def box(self, x0, y0, x1, y1, inside, line=OUTLINE):
        self.fill(x0, y0, x1, y1, line)
        self.fill(x0 + 1, y0 + 1, x1 - 1, y1 - 1, inside)

    def png(self):
        raw = bytearray()
        for row in self.pixels:
            raw.append(0)  # filter type None
            for pixel in row:
                raw.extend(pixel)

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 6, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def capacitor(canvas, cx, top, colour):
    """The capacitor symbol: a lead, two plates, a lead."""
    canvas.fill(cx - 1, top, cx + 1, top + 8, colour)
    canvas.fill(cx - 9, top + 8, cx + 9, top + 10, colour)
    canvas.fill(cx - 9, top + 13, cx + 9, top + 15, colour)
    canvas.fill(cx - 1, top + 15, cx + 1, top + 23, colour)


def coil(canvas, cx, top, colour):
    """A reactor: three bumps drawn as small boxes on a lead."""
    canvas.fill(cx - 1, top, cx + 1, top + 4, colour)
    for i in range(3):
        y = top + 4 + 5 * i
        canvas.fill(cx - 1, y, cx + 5, y + 4, colour)
        canvas.fill(cx + 1, y + 1, cx + 3, y + 3, DOOR)
    canvas.fill(cx - 1, top + 19, cx + 1, top + 23, colour)


def draw(colour, kind):
    band = colour + (255,)
    canvas = Canvas(WIDTH, HEIGHT)
    if kind == "wall":
        x0, y0, x1, y1 = 22, 14, 74, 82
    elif kind == "fixed":
        x0, y0, x1, y1 = 18, 30, 78, 76
    elif kind == "unit":
        x0, y0, x1, y1 = 14, 6, 82, 92
    else:
        x0, y0, x1, y1 = 20, 4, 76, 92

    canvas.box(x0, y0, x1, y1, BODY)
    canvas.fill(x0 + 1, y0 + 1, x1 - 1, y0 + 8, band)
    canvas.box(x0 + 4, y0 + 11, x1 - 4, y1 - 4, DOOR)
    # Door handle.
    canvas.fill(x1 - 9, (y0 + y1) // 2 - 4, x1 - 7, (y0 + y1) // 2 + 4, OUTLINE)

    cx = (x0 + x1) // 2
    if kind == "fixed":
        capacitor(canvas, cx, y0 + 14, SYMBOL)
        return canvas.png()

    # The controller's display with its lit segments.
    canvas.box(cx - 12, y0 + 15, cx + 8, y0 + 25, SCREEN)
    canvas.fill(cx - 9, y0 + 18, cx + 5, y0 + 22, LIT)
    top = y0 + 32
    if kind == "detuned":
        coil(canvas, cx - 14, top, band)
        capacitor(canvas, cx + 6, top, SYMBOL)
    elif kind == "unit":
        capacitor(canvas, cx - 14, top, SYMBOL)
        capacitor(canvas, cx + 10, top, band)
        canvas.fill(x0 + 8, y1 - 18, x1 - 14, y1 - 14, band)
    else:
        capacitor(canvas, cx - 2, top, SYMBOL)
    return canvas.png()


def main():
    folder = Path(sys.argv[1] if len(sys.argv) > 1 else "pictures")
    folder.mkdir(parents=True, exist_ok=True)
    for code, (colour, kind) in SERIES.items():
        (folder / (code.lower() + ".png")).write_bytes(draw(colour, kind))


if __name__ == "__main__":
    main()
