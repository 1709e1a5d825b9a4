#!/usr/bin/env python3
"""Draws the series pictures of the shipped catalogue.

Each series gets a front view of its enclosure: a grey cabinet with a band
in the series colour, the controller's display, and a capacitor symbol on
the door (with a reactor coil for the detuned series). The report prints a
picture 65 mm wide, so it is drawn 600 pixels wide (about 230 dots per
inch there); the results list and the detail page scale it down to their
own size. The drawing is laid out on a grid of 96 units and rendered at
6.25 pixels per unit, curves with anti-aliased edges. Only the standard
library is used, so the pictures can be redrawn anywhere:

    python3 catalogue/tools/draw_pictures.py catalogue/pictures

The PNG files are committed; the build only reads them.
"""

import struct
import sys
import zlib
from pathlib import Path

SIZE = 600
UNITS = 96
SCALE = SIZE / UNITS

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
GRILLE = (0xB4, 0xBA, 0xC0, 255)

# Line widths in units: outlines, and the symbols' strokes. Thick enough to
# stay visible where the results list shows the picture 65 pixels wide.
LINE = 0.8
STROKE = 1.6


def pixel(units):
    return int(round(units * SCALE))


class Canvas:
    def __init__(self):
        self.pixels = [[TRANSPARENT] * SIZE for _ in range(SIZE)]

    def fill(self, x0, y0, x1, y1, colour):
        """Fills the rectangle [x0, x1) × [y0, y1), given in units."""
        for y in range(max(0, pixel(y0)), min(SIZE, pixel(y1))):
            row = self.pixels[y]
            for x in range(max(0, pixel(x0)), min(SIZE, pixel(x1))):
                row[x] = colour

    def box(self, x0, y0, x1, y1, inside, line=OUTLINE, width=LINE):
        self.fill(x0, y0, x1, y1, line)
        self.fill(x0 + width, y0 + width, x1 - width, y1 - width, inside)

    def blend(self, x, y, colour, coverage):
        if coverage <= 0.0:
            return
        r, g, b, a = self.pixels[y][x]
        cr, cg, cb, ca = colour
        alpha = coverage * ca / 255.0
        out = alpha + (a / 255.0) * (1.0 - alpha)
        if out <= 0.0:
            return

        def mix(c, base):
            return int(round((c * alpha + base * (a / 255.0) * (1.0 - alpha)) / out))

        self.pixels[y][x] = (mix(cr, r), mix(cg, g), mix(cb, b), int(round(out * 255)))

    def arc(self, cx, cy, radius, width, colour, right_half=True):
        """A half ring of the given centre line radius and width, in units,
        opening to the left (right_half) or to the right; edges sampled
        4 × 4 times per pixel."""
        inner = (radius - width / 2) * SCALE
        outer = (radius + width / 2) * SCALE
        px, py = cx * SCALE, cy * SCALE
        for y in range(max(0, int(py - outer) - 1), min(SIZE, int(py + outer) + 2)):
            for x in range(max(0, int(px - outer) - 1), min(SIZE, int(px + outer) + 2)):
                hits = 0
                for sy in range(4):
                    for sx in range(4):
                        dx = x + (sx + 0.5) / 4 - px
                        dy = y + (sy + 0.5) / 4 - py
                        if (dx >= 0) != right_half:
                            continue
                        if inner * inner <= dx * dx + dy * dy <= outer * outer:
                            hits += 1
                self.blend(x, y, colour, hits / 16.0)

    def png(self):
        raw = bytearray()
        for row in self.pixels:
            raw.append(0)  # filter type None
            for value in row:
                raw.extend(value)

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

        header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def capacitor(canvas, cx, top, colour):
    """The capacitor symbol: a lead, two plates, a lead."""
    canvas.fill(cx - STROKE / 2, top, cx + STROKE / 2, top + 10 - STROKE, colour)
    canvas.fill(cx - 9, top + 10 - STROKE, cx + 9, top + 10, colour)
    canvas.fill(cx - 9, top + 13, cx + 9, top + 13 + STROKE, colour)
    canvas.fill(cx - STROKE / 2, top + 13 + STROKE, cx + STROKE / 2, top + 23, colour)


def coil(canvas, cx, top, colour):
    """A reactor: three turns drawn as half rings on a lead."""
    canvas.fill(cx - STROKE / 2, top, cx + STROKE / 2, top + 4, colour)
    for i in range(3):
        canvas.arc(cx, top + 6.5 + 5 * i, 2.5, STROKE, colour)
    canvas.fill(cx - STROKE / 2, top + 19, cx + STROKE / 2, top + 23, colour)


def grille(canvas, x0, x1, y):
    """Ventilation slots near the foot of a cabinet door."""
    for i in range(3):
        canvas.fill(x0, y + 2.0 * i, x1, y + 2.0 * i + 0.8, GRILLE)


def draw(colour, kind):
    band = colour + (255,)
    canvas = Canvas()
    if kind == "wall":
        x0, y0, x1, y1 = 22, 14, 74, 82
    elif kind == "fixed":
        x0, y0, x1, y1 = 18, 30, 78, 76
    elif kind == "unit":
        x0, y0, x1, y1 = 14, 6, 82, 90
    else:
        x0, y0, x1, y1 = 20, 4, 76, 90

    if kind in ("cabinet", "detuned", "unit"):
        # Plinth under a floor-standing cabinet.
        canvas.fill(x0 + 1.5, y1, x1 - 1.5, y1 + 3, OUTLINE)
    canvas.box(x0, y0, x1, y1, BODY)
    canvas.fill(x0 + LINE, y0 + LINE, x1 - LINE, y0 + 8, band)
    canvas.box(x0 + 4, y0 + 11, x1 - 4, y1 - 4, DOOR)
    # Door handle.
    canvas.fill(x1 - 9, (y0 + y1) / 2 - 4, x1 - 7, (y0 + y1) / 2 + 4, OUTLINE)

    cx = (x0 + x1) / 2
    if kind == "fixed":
        capacitor(canvas, cx, y0 + 14, SYMBOL)
        return canvas.png()

    # The controller's display with its lit segments.
    canvas.box(cx - 12, y0 + 15, cx + 8, y0 + 25, SCREEN)
    for i in range(4):
        canvas.fill(cx - 9 + 3.5 * i, y0 + 18, cx - 9 + 3.5 * i + 2.5, y0 + 22, LIT)
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
    if kind in ("cabinet", "detuned"):
        grille(canvas, x0 + 10, x1 - 14, y1 - 14)
    return canvas.png()


def main():
    folder = Path(sys.argv[1] if len(sys.argv) > 1 else "pictures")
    folder.mkdir(parents=True, exist_ok=True)
    for code, (colour, kind) in SERIES.items():
        (folder / (code.lower() + ".png")).write_bytes(draw(colour, kind))


if __name__ == "__main__":
    main()
