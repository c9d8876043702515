#!/usr/bin/env python3
"""Draws the setup libraries' artwork and writes it as Windows resource files.

    python3 tools/artwork/setup_art.py setupext

writes setupext/parvel/res (the dialog library's button icons, its check-box, warning and flip bitmaps) and
setupext/orvadrop/res (the backdrop's pictures and its cursor). Everything is drawn from geometry with the
converter's drawing kit (reelpro_art.py), so the files can be made again byte for byte.

    python3 tools/artwork/setup_art.py --check setupext

exits 1 unless every file already has exactly the bytes this script makes.
"""
import math
import struct
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from reelpro_art import (AMBER, AMBER_DARK, FACE, FONT, GREY, INK, NAVY, PAPER, REEL, REEL_LIGHT, TEAL,  # noqa: E402
                         TEAL_LIGHT, Canvas, bolt, punch, reel, text, write_bmp8, write_ico)

GREEN = (32, 144, 48)
GREEN_DARK = (16, 88, 24)
RED = (200, 32, 32)
RED_DARK = (120, 16, 16)
KEY = (255, 0, 255)  # the backdrop's corner pictures leave this colour out

FONT.update({
    'C': ["01110", "10001", "10000", "10000", "10000", "10001", "01110"],
    'D': ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    'G': ["01110", "10001", "10000", "10111", "10001", "10001", "01111"],
    'H': ["10001", "10001", "10001", "11111", "10001", "10001", "10001"],
    'K': ["10001", "10010", "10100", "11000", "10100", "10010", "10001"],
    'P': ["11110", "10001", "10001", "11110", "10000", "10000", "10000"],
    'U': ["10001", "10001", "10001", "10001", "10001", "10001", "01110"],
    'Y': ["10001", "10001", "01010", "00100", "00100", "00100", "00100"],
    '.': ["00000", "00000", "00000", "00000", "00000", "01100", "01100"],
})


def blank(size=32):
    c = Canvas(size, size, INK)
    for y in range(size):
        for x in range(size):
            c.clear(x, y)
    return c


def polygon(c, points, colour):
    """Fills a polygon by even-odd scan lines."""
    ys = [p[1] for p in points]
    for y in range(math.floor(min(ys)), math.ceil(max(ys)) + 1):
        crossings = []
        for i in range(len(points)):
            (x0, y0), (x1, y1) = points[i], points[(i + 1) % len(points)]
            if (y0 <= y + 0.5 < y1) or (y1 <= y + 0.5 < y0):
                crossings.append(x0 + (y + 0.5 - y0) * (x1 - x0) / (y1 - y0))
        crossings.sort()
        for a, b in zip(crossings[::2], crossings[1::2]):
            for x in range(math.ceil(a - 0.5), math.floor(b - 0.5) + 1):
                c.put(x, y, colour)


def outline(c, points, colour):
    for i in range(len(points)):
        (x0, y0), (x1, y1) = points[i], points[(i + 1) % len(points)]
        c.line(round(x0), round(y0), round(x1), round(y1), colour)


def shape(c, points, fill, edge=INK):
    polygon(c, points, fill)
    outline(c, points, edge)


def pressed(c, shift=1):
    """The pressed variant: the picture moved down and right, its colours darkened."""
    out = blank(c.width)
    for y in range(c.height):
        for x in range(c.width):
            if c.alpha[y][x]:
                r, g, b = c.pixels[y][x]
                out.put(x + shift, y + shift, (r * 3 // 4, g * 3 // 4, b * 3 // 4))
    return out


# ---- The dialog library's icons ----

def arrow(right, fill, dark):
    c = blank()
    pts = [(3, 16), (15, 4), (15, 11), (28, 11), (28, 21), (15, 21), (15, 28)]
    if right:
        pts = [(31 - x, y) for x, y in pts]
    shape(c, [(x + 1, y + 1) for x, y in pts], dark, dark)
    shape(c, pts, fill)
    return c


def box(c, x0, y0, x1, y1, lid):
    """A product carton seen from the front, with its lid."""
    c.rect(x0, y0, x1, y1, AMBER)
    c.rect(x0, y0, x1, y0 + 3, lid)
    c.frame(x0, y0, x1, y1, INK)
    c.line(x0, y0 + 3, x1, y0 + 3, INK)
    reel(c, (x0 + x1) / 2, (y0 + y1 + 4) / 2, min(x1 - x0, y1 - y0 - 4) * 0.32, REEL, REEL_LIGHT)
    punch(c, AMBER)


def begin():
    c = blank()
    box(c, 4, 14, 27, 30, AMBER_DARK)
    shape(c, [(12, 1), (19, 1), (19, 7), (24, 7), (15.5, 14), (7, 7), (12, 7)], GREEN)
    return c


def custom():
    c = blank()
    c.rect(3, 3, 28, 28, PAPER)
    c.frame(3, 3, 28, 28, INK)
    for i, at in enumerate((9, 20, 13)):
        y = 8 + i * 8
        c.line(6, y, 25, y, GREY)
        c.rect(at - 2, y - 3, at + 2, y + 3, TEAL)
        c.frame(at - 2, y - 3, at + 2, y + 3, INK)
    return c


def minimum(small):
    c = blank()
    if small:
        box(c, 9, 14, 22, 26, AMBER_DARK)
    else:
        box(c, 6, 10, 25, 27, AMBER_DARK)
        c.rect(2, 28, 29, 29, GREY)
    return c


def exit_sign():
    c = blank()
    # A door standing open with the way out marked red.
    c.rect(6, 2, 25, 29, REEL_LIGHT)
    c.frame(6, 2, 25, 29, INK)
    shape(c, [(8, 4), (18, 7), (18, 30), (8, 27)], RED)
    c.disc(16, 17, 1.2, AMBER)
    c.rect(2, 29, 29, 30, GREY)
    return c


def folder(c, x0, y0, x1, y1):
    c.rect(x0, y0, x0 + 9, y0 + 3, AMBER_DARK)
    c.rect(x0, y0 + 3, x1, y1, AMBER)
    c.frame(x0, y0 + 3, x1, y1, INK)
    c.line(x0, y0, x0 + 9, y0, INK)
    c.line(x0, y0, x0, y0 + 3, INK)
    c.line(x0 + 9, y0, x0 + 11, y0 + 3, INK)


def dirs():
    c = blank()
    folder(c, 7, 3, 28, 18)
    folder(c, 3, 12, 24, 28)
    return c


def disk():
    c = blank()
    c.rect(3, 3, 28, 28, NAVY)
    c.rect(9, 3, 22, 12, REEL_LIGHT)
    c.rect(18, 5, 20, 10, NAVY)
    c.rect(7, 17, 24, 28, PAPER)
    for y in (20, 23, 26):
        c.line(9, y, 22, y, GREY)
    c.frame(3, 3, 28, 28, INK)
    return c


def drive():
    c = blank()
    c.rect(2, 11, 29, 22, REEL_LIGHT)
    c.frame(2, 11, 29, 22, INK)
    c.rect(5, 15, 20, 17, INK)
    c.rect(24, 15, 26, 17, GREEN)
    c.line(3, 22, 28, 22, REEL)
    return c


def search():
    c = blank()
    c.ring(12, 12, 9.5, 6.5, INK)
    c.disc(12, 12, 6.5, TEAL_LIGHT)
    c.disc(10, 9, 2, PAPER)
    for i in range(9):
        c.rect(18 + i, 18 + i, 20 + i, 20 + i, REEL)
    return c


def check_icon():
    c = blank()
    c.rect(4, 4, 27, 27, PAPER)
    c.frame(4, 4, 27, 27, INK)
    for i in range(3):
        c.line(8, 15 + i, 13, 20 + i, GREEN_DARK)
        c.line(13, 20 + i, 24, 9 + i, GREEN_DARK)
    return c


def setup_icon():
    c = blank()
    box(c, 2, 10, 25, 29, AMBER_DARK)
    bolt(c, [(20, 0), (30, 0), (25, 8), (30, 8), (17, 22), (21, 12), (16, 12)], AMBER, INK)
    return c


def place():
    c = blank()
    for i in range(3, 29, 2):
        for x, y in ((i, 3), (i, 28), (3, i), (28, i)):
            c.put(x, y, GREY)
    text(c, 11, 9, "P", TEAL, 2)
    return c


# ---- The dialog library's bitmaps (drawn on the button face) ----

def check_box(checked):
    c = Canvas(16, 16, FACE)
    c.rect(1, 1, 13, 13, PAPER)
    c.frame(1, 1, 13, 13, GREY)
    c.line(2, 13, 13, 13, PAPER)
    c.line(13, 2, 13, 13, PAPER)
    c.frame(2, 2, 12, 12, INK)
    if checked:
        for i in range(2):
            c.line(4, 6 + i, 6, 8 + i, INK)
            c.line(6, 8 + i, 10, 4 + i, INK)
    return c


def exclaim():
    c = Canvas(32, 32, FACE)
    shape(c, [(16, 1), (31, 29), (1, 29)], AMBER)
    c.rect(15, 9, 17, 21, INK)
    c.rect(15, 24, 17, 26, INK)
    return c


def flip(frame):
    """Pages of a book turning, four frames."""
    c = Canvas(32, 32, FACE)
    c.rect(2, 8, 15, 26, PAPER)
    c.rect(16, 8, 29, 26, PAPER)
    c.frame(2, 8, 29, 26, INK)
    c.line(16, 8, 16, 26, INK)
    angle = math.pi * (frame + 0.5) / 4
    tip = (16 + 13 * math.cos(angle), 8 - 6 * math.sin(angle))
    page = [(16, 8), (16, 26), (tip[0], tip[1] + 18), tip]
    shape(c, page, TEAL_LIGHT)
    return c


# ---- The backdrop's pictures ----

def mark(high):
    """Top-right mark: the name on a band, on the key colour."""
    c = Canvas(150, 36, KEY)
    c.rect(4, 4, 145, 31, NAVY if high else INK)
    c.frame(4, 4, 145, 31, TEAL_LIGHT if high else TEAL)
    text(c, 12, 11, "FLARION", AMBER if high else PAPER, 3)
    return c


def pattern():
    c = Canvas(8, 8, NAVY)
    for y in range(8):
        for x in range(8):
            if (x + y) % 4 == 0:
                c.put(x, y, TEAL)
    return c


def background(high):
    """A tile of night sky with faint diagonal grain: smooth on high-colour displays, four shades otherwise."""
    c = Canvas(64, 64, NAVY)
    for y in range(64):
        for x in range(64):
            t = (math.sin((x + y) * math.pi / 16) + 1) / 2
            if not high:
                t = round(t * 3) / 3
            c.put(x, y, tuple(round(NAVY[i] + (TEAL[i] - NAVY[i]) * (0.18 + 0.1 * t)) for i in range(3)))
    return c


def corner_logo(high):
    c = Canvas(72, 72, KEY)
    reel(c, 34, 34, 30, REEL if high else INK, REEL_LIGHT if high else PAPER)
    punch(c, KEY)
    bolt(c, [(44, 2), (66, 2), (54, 28), (68, 28), (36, 68), (46, 38), (34, 38)], AMBER, INK)
    return c


def slide(words, lines, seed):
    w, h = 320, 200
    c = Canvas(w, h, NAVY)
    for y in range(h):
        t = y / (h - 1)
        c.rect(0, y, w - 1, y, tuple(round(NAVY[i] + (TEAL[i] - NAVY[i]) * t * 0.7) for i in range(3)))
    reel(c, 56 + seed * 208, 158, 34, REEL, REEL_LIGHT)
    punch(c, None)
    for y in range(h):
        for x in range(w):
            if not c.alpha[y][x]:
                t = y / (h - 1)
                c.put(x, y, tuple(round(NAVY[i] + (TEAL[i] - NAVY[i]) * t * 0.7) for i in range(3)))
    text(c, (w - len(words) * 24) // 2, 30, words, AMBER, 4)
    for i, line in enumerate(lines):
        text(c, (w - len(line) * 12) // 2, 80 + i * 22, line, PAPER, 2)
    c.frame(0, 0, w - 1, h - 1, REEL_LIGHT)
    return c


def cursor():
    """A pointer with a small reel at its tail; hot spot at the tip."""
    c = blank()
    pts = [(0, 0), (0, 21), (5, 16), (9, 25), (12, 24), (8, 15), (15, 15)]
    shape(c, pts, PAPER)
    reel(c, 22, 23, 7, REEL, REEL_LIGHT)
    punch(c, None)
    return c


def write_bmp24(path, canvas):
    w, h = canvas.width, canvas.height
    stride = (w * 3 + 3) & ~3
    bits = bytearray()
    for y in reversed(range(h)):
        row = b"".join(bytes((b, g, r)) for r, g, b in canvas.pixels[y])
        bits += row + bytes(stride - len(row))
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(bits), 2835, 2835, 0, 0)
    offset = 14 + len(info)
    header = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    Path(path).write_bytes(header + info + bytes(bits))


def write_cur(path, canvas, hot_x, hot_y):
    """A cursor file: an icon file whose type is 2 and whose entry carries the hot spot."""
    write_ico(path, [canvas])
    data = bytearray(Path(path).read_bytes())
    data[2:4] = struct.pack("<H", 2)
    data[6 + 4:6 + 8] = struct.pack("<HH", hot_x, hot_y)
    Path(path).write_bytes(bytes(data))


def write_all(root):
    parvel = root / "parvel" / "res"
    orvadrop = root / "orvadrop" / "res"
    parvel.mkdir(parents=True, exist_ok=True)
    orvadrop.mkdir(parents=True, exist_ok=True)
    icons = {
        "back": arrow(False, TEAL_LIGHT, TEAL), "cont": arrow(True, GREEN, GREEN_DARK), "begin": begin(),
        "check": check_icon(), "custom": custom(), "dirs": dirs(), "disk": disk(), "drive": drive(),
        "exit": exit_sign(), "min": minimum(False), "mini": minimum(True), "search": search(),
        "setup": setup_icon(), "place": place(),
    }
    for name in ("begin", "custom", "exit", "min"):
        icons[name + "dn"] = pressed(icons[name])
    for name, picture in icons.items():
        write_ico(parvel / f"{name}.ico", [picture])
    write_bmp8(parvel / "check.bmp", check_box(True))
    write_bmp8(parvel / "ucheck.bmp", check_box(False))
    write_bmp8(parvel / "exclaim.bmp", exclaim())
    for frame in range(4):
        write_bmp8(parvel / f"flip{frame + 1}.bmp", flip(frame))

    write_bmp8(orvadrop / "mark.bmp", mark(False))
    write_bmp24(orvadrop / "mark24.bmp", mark(True))
    write_bmp8(orvadrop / "pattern.bmp", pattern())
    write_bmp8(orvadrop / "back.bmp", background(False))
    write_bmp24(orvadrop / "back24.bmp", background(True))
    write_bmp8(orvadrop / "logo.bmp", corner_logo(False))
    write_bmp24(orvadrop / "logo24.bmp", corner_logo(True))
    write_bmp8(orvadrop / "slide1.bmp", slide("WELCOME", ["TO FLARION SETUP"], 0))
    write_bmp8(orvadrop / "slide2.bmp", slide("FLARION", ["FAST-START MOVIES", "FOR THE WEB"], 1))
    write_cur(orvadrop / "reel.cur", cursor(), 0, 0)


def main(args):
    check = args[:1] == ["--check"]
    root = Path(args[1] if check else (args[0] if args else "setupext"))
    if not check:
        write_all(root)
        return 0
    with tempfile.TemporaryDirectory() as scratch:
        write_all(Path(scratch))
        stale = [str(made.relative_to(scratch)) for made in sorted(Path(scratch).rglob("*.*"))
                 if not (root / made.relative_to(scratch)).is_file()
                 or (root / made.relative_to(scratch)).read_bytes() != made.read_bytes()]
    for name in stale:
        print(f"setup_art: {root / name} differs from its drawing; run tools/artwork/setup_art.py {root}")
    return 1 if stale else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
