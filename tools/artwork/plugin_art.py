#!/usr/bin/env python3
"""Draws the plug-in's artwork and writes it as Windows resource files.

    python3 tools/artwork/plugin_art.py plugin/res
    python3 tools/artwork/plugin_art.py --check plugin/res

writes (or compares with the files there) about.bmp, the 256-colour picture of the about box. It is drawn with the converter's shapes and colours,
so the suite's pictures look alike and can be made again byte for byte.
"""
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from reelpro_art import AMBER, INK, NAVY, PAPER, REEL, REEL_LIGHT, TEAL, TEAL_LIGHT, Canvas, bolt, punch, reel, text, write_bmp8  # noqa: E402


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


def write_all(out):
    out.mkdir(parents=True, exist_ok=True)
    write_bmp8(out / "about.bmp", about())


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
