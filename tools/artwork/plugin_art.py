#!/usr/bin/env python3
"""Draws the plug-in's artwork and writes it as Windows resource files.

    python3 tools/artwork/plugin_art.py plugin/res
    python3 tools/artwork/plugin_art.py --check plugin/res

writes (or compares with the files there) about.bmp, the 256-colour picture of the about box; hand.cur, the
cursor over a movie that links to a page; and the backgrounds of full-page movies, each in a plain 256-colour
form for 8-bit displays and a 24-bit form for deeper ones: the maker's logo (logo), the paper tile (paper), the
corner emblem (bug), the product's reel face (reelface) and its tile (bugtile). The logo, emblem and face are
drawn masked, so their black background lets the window show through. Everything is drawn with the converter's
shapes and colours, so the suite's pictures look alike and can be made again byte for byte.
"""
import math
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from reelpro_art import (AMBER, AMBER_DARK, INK, NAVY, PAPER, REEL, REEL_LIGHT, TEAL, TEAL_LIGHT, Canvas,  # noqa: E402
                         bolt, punch, reel, text, write_bmp8)
from setup_art import blank, shape, write_bmp24, write_cur  # noqa: E402

# Masked pictures keep pure black for their background only; their dark lines use this instead.
LINE = (8, 8, 8)
SHEET = (236, 232, 220)


def about():
    w, h = 240, 96
    c = Canvas(w, h, NAVY)
    for y in range(h):
        t = min(31, y * 32 // h) / 31
        c.rect(0, y, w - 1, y, tuple(round(NAVY[i] + (TEAL[i] - NAVY[i]) * t * 0.7) for i in range(3)))
    reel(c, 46, 48, 36, REEL, REEL_LIGHT)
    punch(c, NAVY)
    bolt(c, [(60, 6), (88, 6), (72, 40), (86, 40), (46, 92), (58, 52), (44, 52)], AMBER, INK)
    text(c, 98, 26, "FLARION", PAPER, 3)
    text(c, 100, 58, "WEB MOVIES", TEAL_LIGHT, 2)
    c.frame(0, 0, w - 1, h - 1, REEL_LIGHT)
    return c


def hand():
    """A hand pointing up; hot spot at the finger's tip."""
    c = blank()
    shape(c, [(8, 0), (11, 0), (12, 1), (12, 10), (14, 9), (16, 10), (17, 11), (19, 11), (21, 13), (22, 14),
              (22, 22), (20, 26), (19, 29), (8, 29), (7, 26), (3, 20), (2, 16), (3, 15), (5, 15), (7, 17), (7, 1)],
          PAPER)
    for x in (14, 17):
        c.line(x, 12, x, 16, INK)
    return c


def black_reel(c, cx, cy, r, high):
    """A reel on a masked picture's black: the suite's reel colours, or plain greys for 8-bit displays."""
    reel(c, cx, cy, r, REEL if high else (64, 64, 64), REEL_LIGHT if high else (192, 192, 192))
    punch(c, INK)


def logo(high):
    """The maker's name beside a small reel with the bolt, on black."""
    c = Canvas(180, 44, INK)
    black_reel(c, 22, 22, 19, high)
    bolt(c, [(26, 1), (40, 1), (32, 18), (41, 18), (19, 43), (27, 24), (19, 24)], AMBER, LINE)
    text(c, 50, 8, "ORVANTA", NAVY if high else (0, 0, 128), 3)
    text(c, 51, 32, "WEB MOVIES", TEAL if high else (0, 128, 128), 1)
    return c


def paper():
    """A sheet of warm paper with a faint weave, tiled behind the maker's screen."""
    c = Canvas(64, 64, SHEET)
    for y in range(64):
        for x in range(64):
            t = (math.sin(x * math.pi / 8) * math.sin(y * math.pi / 8) + 1) / 2
            shade = round(6 * t) - 3 + ((x * 7 + y * 13) % 5 == 0) * -4
            c.put(x, y, tuple(min(255, max(0, v + shade)) for v in SHEET))
    return c


def bug(high):
    """The corner emblem: a reel with film running off it, on black."""
    c = Canvas(64, 64, INK)
    black_reel(c, 28, 28, 24, high)
    c.rect(28, 50, 63, 57, AMBER_DARK if high else (128, 64, 0))
    for x in range(30, 64, 4):
        c.put(x, 51, LINE)
        c.put(x, 56, LINE)
    return c


def reelface(high):
    """The product's face for its own screen: a large reel and the bolt, on black."""
    c = Canvas(96, 96, INK)
    black_reel(c, 46, 48, 44, high)
    bolt(c, [(56, 2), (84, 2), (68, 40), (84, 40), (42, 94), (56, 52), (40, 52)], AMBER, LINE)
    return c


def bugtile(high):
    """The product screen's tile: small reels on the night blue, offset row by row."""
    c = Canvas(48, 48, NAVY if high else (0, 0, 128))
    for cx, cy in ((12, 12), (36, 36)):
        reel(c, cx, cy, 9, REEL if high else (0, 128, 128), REEL_LIGHT if high else (192, 192, 192))
        punch(c, NAVY if high else (0, 0, 128))
    return c


def write_all(out):
    out.mkdir(parents=True, exist_ok=True)
    write_bmp8(out / "about.bmp", about())
    write_cur(out / "hand.cur", hand(), 9, 0)
    for name, draw in (("logo", logo), ("bug", bug), ("reelface", reelface), ("bugtile", bugtile)):
        write_bmp8(out / f"{name}.bmp", draw(False))
        write_bmp24(out / f"{name}dib.bmp", draw(True))
    write_bmp24(out / "paperdib.bmp", paper())


def main(args):
    check = args[:1] == ["--check"]
    root = Path(args[1] if check else (args[0] if args else "plugin/res"))
    if not check:
        write_all(root)
        return 0
    with tempfile.TemporaryDirectory() as scratch:
        write_all(Path(scratch))
        stale = [made.name for made in sorted(Path(scratch).iterdir())
                 if not (root / made.name).is_file() or (root / made.name).read_bytes() != made.read_bytes()]
    for name in stale:
        print(f"plugin_art: {root / name} differs from its drawing; run tools/artwork/plugin_art.py {root}")
    return 1 if stale else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
