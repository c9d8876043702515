#!/usr/bin/env python3
"""Draws the converter program's artwork and writes it as Windows resource files.

    python3 tools/artwork/reelpro_art.py converter/res

writes reelpro.ico (the program icon, 32 x 32 and 16 x 16), toolbar.bmp (seven 16 x 15 buttons: New, Open,
Save, Cut, Copy, Paste, About) and splash.bmp (the 256-colour splash picture). Everything is drawn from
geometry here, so the files can be made again byte for byte; the standard library is all it needs.
"""
import math
import struct
import sys
from pathlib import Path

# The suite's colours: deep night blue, the gauge's teal, film amber, paper and ink.
NAVY = (16, 28, 64)
TEAL = (0, 128, 128)
TEAL_LIGHT = (64, 192, 184)
AMBER = (240, 176, 32)
AMBER_DARK = (176, 112, 16)
PAPER = (255, 255, 255)
INK = (0, 0, 0)
GREY = (128, 128, 128)
FACE = (192, 192, 192)  # the button face: the toolbar shows it in the system's colour
REEL = (72, 84, 104)
REEL_LIGHT = (152, 164, 184)


class Canvas:
    def __init__(self, width, height, fill):
        self.width, self.height = width, height
        self.pixels = [[fill] * width for _ in range(height)]
        self.alpha = [[255] * width for _ in range(height)]

    def put(self, x, y, colour, alpha=255):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour
            self.alpha[y][x] = alpha

    def rect(self, x0, y0, x1, y1, colour):
        """Fills x0..x1, y0..y1 inclusive."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        for x in range(x0, x1 + 1):
            self.put(x, y0, colour)
            self.put(x, y1, colour)
        for y in range(y0, y1 + 1):
            self.put(x0, y, colour)
            self.put(x1, y, colour)

    def line(self, x0, y0, x1, y1, colour):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            self.put(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), colour)

    def disc(self, cx, cy, r, colour):
        for y in range(int(cy - r - 1), int(cy + r + 2)):
            for x in range(int(cx - r - 1), int(cx + r + 2)):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                    self.put(x, y, colour)

    def ring(self, cx, cy, r_outer, r_inner, colour):
        for y in range(int(cy - r_outer - 1), int(cy + r_outer + 2)):
            for x in range(int(cx - r_outer - 1), int(cx + r_outer + 2)):
                d = (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2
                if r_inner * r_inner <= d <= r_outer * r_outer:
                    self.put(x, y, colour)

    def clear(self, x, y):
        self.put(x, y, INK, 0)

    def blit(self, other, x0, y0):
        for y in range(other.height):
            for x in range(other.width):
                self.put(x0 + x, y0 + y, other.pixels[y][x], other.alpha[y][x])


# A 5 x 7 font for the splash's words.
FONT = {
    'A': ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    'F': ["11111", "10000", "10000", "11110", "10000", "10000", "10000"],
    'I': ["11111", "00100", "00100", "00100", "00100", "00100", "11111"],
    'L': ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    'M': ["10001", "11011", "10101", "10101", "10001", "10001", "10001"],
    'N': ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    'O': ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    'R': ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    'S': ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    'T': ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    'V': ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    'W': ["10001", "10001", "10001", "10101", "10101", "10101", "01010"],
    'E': ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    'B': ["11110", "10001", "10001", "11110", "10001", "10001", "11110"],
    '-': ["00000", "00000", "00000", "11111", "00000", "00000", "00000"],
    ' ': ["00000"] * 7,
}


def text(canvas, x, y, words, colour, scale):
    for ch in words:
        for row, bits in enumerate(FONT[ch]):
            for col, bit in enumerate(bits):
                if bit == "1":
                    canvas.rect(x + col * scale, y + row * scale, x + col * scale + scale - 1,
                                y + row * scale + scale - 1, colour)
        x += 6 * scale


def reel(canvas, cx, cy, r, body, light):
    """A film reel: a disc with five round windows around the hub."""
    canvas.disc(cx, cy, r, body)
    canvas.ring(cx, cy, r, r - max(1, r / 10), light)
    for k in range(5):
        a = -math.pi / 2 + k * 2 * math.pi / 5
        canvas.disc(cx + math.cos(a) * r * 0.55, cy + math.sin(a) * r * 0.55, r * 0.22, None)
    canvas.disc(cx, cy, r * 0.16, light)


def punch(canvas, colour):
    """Replaces the holes (None) with a colour, or with transparency when colour is None."""
    for y in range(canvas.height):
        for x in range(canvas.width):
            if canvas.pixels[y][x] is None:
                if colour is None:
                    canvas.clear(x, y)
                else:
                    canvas.put(x, y, colour)


def bolt(canvas, points, colour, outline):
    """A lightning bolt: the fast start."""
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    for y in range(min(ys), max(ys) + 1):
        crossings = []
        for i in range(len(points)):
            (x0, y0), (x1, y1) = points[i], points[(i + 1) % len(points)]
            if (y0 <= y < y1) or (y1 <= y < y0):
                crossings.append(x0 + (y - y0) * (x1 - x0) / (y1 - y0))
        crossings.sort()
        for a, b in zip(crossings[::2], crossings[1::2]):
            for x in range(math.ceil(a), math.floor(b) + 1):
                canvas.put(x, y, colour)
    for i in range(len(points)):
        (x0, y0), (x1, y1) = points[i], points[(i + 1) % len(points)]
        canvas.line(x0, y0, x1, y1, outline)
    del xs


def icon_image(size):
    c = Canvas(size, size, INK)
    for y in range(size):
        for x in range(size):
            c.clear(x, y)
    s = size / 32
    reel(c, 14 * s, 14 * s, 13 * s, REEL, REEL_LIGHT)
    punch(c, None)
    # Film running off the reel to the right, then the bolt over it.
    c.rect(round(14 * s), round(25 * s), size - 1, round(30 * s), AMBER_DARK)
    for x in range(round(16 * s), size, max(2, round(4 * s))):
        c.put(x, round(26 * s), NAVY)
        c.put(x, round(29 * s), NAVY)
    pts = [(20, 4), (30, 4), (24, 13), (29, 13), (16, 29), (20, 17), (15, 17)]
    bolt(c, [(round(x * s), round(y * s)) for x, y in pts], AMBER, NAVY)
    return c


def write_ico(path, images):
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for img in images:
        w, h = img.width, img.height
        header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
        xor = bytearray()
        for y in reversed(range(h)):
            for x in range(w):
                r, g, b = img.pixels[y][x] if img.alpha[y][x] else (0, 0, 0)
                xor += bytes((b, g, r, img.alpha[y][x]))
        mask_row = ((w + 31) // 32) * 4
        mask = bytearray()
        for y in reversed(range(h)):
            row = bytearray(mask_row)
            for x in range(w):
                if img.alpha[y][x] == 0:
                    row[x // 8] |= 0x80 >> (x % 8)
            mask += row
        blob = header + bytes(xor) + bytes(mask)
        entries.append(struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    Path(path).write_bytes(struct.pack("<HHH", 0, 1, len(images)) + b"".join(entries) + b"".join(blobs))


def write_bmp8(path, canvas):
    """An 8-bit paletted bottom-up BMP; the canvas must hold at most 256 colours."""
    palette = []
    index = {}
    for row in canvas.pixels:
        for colour in row:
            if colour not in index:
                index[colour] = len(palette)
                palette.append(colour)
    assert len(palette) <= 256, len(palette)
    palette += [(0, 0, 0)] * (256 - len(palette))
    w, h = canvas.width, canvas.height
    stride = (w + 3) & ~3
    bits = bytearray()
    for y in reversed(range(h)):
        row = bytes(index[c] for c in canvas.pixels[y])
        bits += row + bytes(stride - w)
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 0, len(bits), 2835, 2835, 256, 0)
    offset = 14 + len(info) + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    Path(path).write_bytes(header + info + colours + bytes(bits))


def toolbar():
    c = Canvas(7 * 16, 15, FACE)

    def new(x):  # a page with a folded corner and a strip of film
        c.rect(x + 3, 1, x + 10, 13, PAPER)
        c.frame(x + 2, 0, x + 12, 14, INK)
        c.line(x + 9, 0, x + 12, 3, INK)
        c.rect(x + 10, 0, x + 12, 2, FACE)
        c.line(x + 9, 0, x + 9, 3, INK)
        c.line(x + 9, 3, x + 12, 3, INK)
        c.rect(x + 4, 6, x + 10, 10, AMBER)
        for fx in (x + 5, x + 7, x + 9):
            c.put(fx, 6, NAVY)
            c.put(fx, 10, NAVY)

    def open_(x):  # a folder, its flap open
        c.rect(x + 1, 3, x + 6, 4, AMBER)
        c.rect(x + 1, 4, x + 13, 12, AMBER_DARK)
        c.frame(x + 1, 4, x + 13, 12, INK)
        for i in range(6):
            c.line(x + 3 + i, 7 + i // 2, x + 15, 7 + i // 2, AMBER if i < 5 else INK)
        c.line(x + 3, 7, x + 15, 7, INK)
        c.line(x + 15, 7, x + 13, 12, INK)
        c.line(x + 11, 1, x + 14, 1, TEAL)
        c.line(x + 14, 1, x + 14, 4, TEAL)

    def save(x):  # a diskette
        c.rect(x + 1, 1, x + 14, 14, NAVY)
        c.rect(x + 4, 1, x + 11, 6, PAPER)
        c.rect(x + 9, 2, x + 10, 5, NAVY)
        c.rect(x + 3, 9, x + 12, 14, REEL_LIGHT)
        c.frame(x + 1, 1, x + 14, 14, INK)

    def cut(x):  # scissors
        c.line(x + 4, 0, x + 9, 9, INK)
        c.line(x + 11, 0, x + 6, 9, INK)
        c.ring(x + 5, 11.5, 2.8, 1.5, TEAL)
        c.ring(x + 10.5, 11.5, 2.8, 1.5, TEAL)

    def copy(x):  # two pages
        for dx, dy in ((1, 0), (6, 4)):
            c.rect(x + dx, dy, x + dx + 8, dy + 10, PAPER)
            c.frame(x + dx, dy, x + dx + 8, dy + 10, INK)
            for ly in range(dy + 3, dy + 9, 2):
                c.line(x + dx + 2, ly, x + dx + 6, ly, GREY)

    def paste(x):  # a clipboard with a page on it
        c.rect(x + 1, 2, x + 11, 14, AMBER_DARK)
        c.frame(x + 1, 2, x + 11, 14, INK)
        c.rect(x + 4, 1, x + 8, 3, GREY)
        c.frame(x + 4, 1, x + 8, 3, INK)
        c.rect(x + 7, 6, x + 14, 14, PAPER)
        c.frame(x + 7, 6, x + 14, 14, INK)
        for ly in (8, 10, 12):
            c.line(x + 9, ly, x + 12, ly, GREY)

    def about(x):  # a question mark in a teal disc
        c.disc(x + 7.5, 7.5, 7, TEAL)
        c.ring(x + 7.5, 7.5, 7, 6, NAVY)
        for px, py in ((6, 3), (7, 3), (8, 3), (9, 3), (5, 4), (10, 4), (10, 5), (9, 6), (8, 7), (7, 8), (7, 9),
                       (7, 11), (7, 12), (8, 11), (8, 12), (6, 4), (9, 4), (8, 8)):
            c.put(x + px, py, PAPER)

    for i, draw in enumerate((new, open_, save, cut, copy, paste, about)):
        draw(i * 16)
    return c


def splash():
    w, h = 320, 200
    c = Canvas(w, h, NAVY)
    # Night sky to teal horizon, in 48 bands.
    for y in range(h):
        t = min(47, y * 48 // h) / 47
        c.rect(0, y, w - 1, y, tuple(round(NAVY[i] + (TEAL[i] - NAVY[i]) * t * 0.8) for i in range(3)))
    # A film strip sweeping across, with frames and sprocket holes.
    strip_top, strip_bottom = 120, 158
    c.rect(0, strip_top, w - 1, strip_bottom, INK)
    for x in range(4, w, 12):
        c.rect(x, strip_top + 3, x + 5, strip_top + 6, FACE)
        c.rect(x, strip_bottom - 6, x + 5, strip_bottom - 3, FACE)
    for i, x in enumerate(range(10, w, 50)):
        shade = 0.35 + 0.65 * i / 6
        c.rect(x, strip_top + 10, x + 40, strip_bottom - 10,
               tuple(round(AMBER[k] * shade + NAVY[k] * (1 - shade)) for k in range(3)))
    # The reel, then the bolt striking across it.
    reel(c, 70, 70, 52, REEL, REEL_LIGHT)
    punch(c, NAVY)
    bolt(c, [(92, 8), (132, 8), (110, 58), (130, 58), (70, 150), (88, 82), (66, 82)], AMBER, INK)
    text(c, 144, 40, "FLARION", PAPER, 4)
    text(c, 152, 82, "FAST-START", TEAL_LIGHT, 2)
    text(c, 152, 100, "WEB MOVIES", TEAL_LIGHT, 2)
    c.frame(0, 0, w - 1, h - 1, REEL_LIGHT)
    return c


def main(out):
    out = Path(out)
    out.mkdir(parents=True, exist_ok=True)
    write_ico(out / "reelpro.ico", [icon_image(32), icon_image(16)])
    write_bmp8(out / "toolbar.bmp", toolbar())
    write_bmp8(out / "splash.bmp", splash())


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "converter/res")
