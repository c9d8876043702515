#!/usr/bin/env python3
"""Draws the uninstaller's pointer icon and writes it as a Windows icon file.

    python3 tools/artwork/uninstall_art.py uninstall/res

writes uninstall/res/pointer.ico, the pointer in front of the progress window's current step, drawn from
geometry with the setup libraries' drawing kit (setup_art.py), so the file can be made again byte for byte.

    python3 tools/artwork/uninstall_art.py --check uninstall/res

exits 1 unless the file already has exactly the bytes this script makes.
"""
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from reelpro_art import NAVY, TEAL_LIGHT, write_ico  # noqa: E402
from setup_art import blank, shape  # noqa: E402


def pointer():
    """A short arrow pointing right at the line beside it, with a shadow below and to the right."""
    c = blank()
    pts = [(6, 12), (16, 12), (16, 7), (26, 16), (16, 25), (16, 20), (6, 20)]
    shape(c, [(x + 1, y + 1) for x, y in pts], NAVY, NAVY)
    shape(c, pts, TEAL_LIGHT, NAVY)
    return c


def write_all(root):
    root.mkdir(parents=True, exist_ok=True)
    write_ico(root / "pointer.ico", [pointer()])


def main(args):
    check = args[:1] == ["--check"]
    root = Path(args[1] if check else (args[0] if args else "uninstall/res"))
    if not check:
        write_all(root)
        return 0
    with tempfile.TemporaryDirectory() as scratch:
        write_all(Path(scratch))
        made = Path(scratch) / "pointer.ico"
        kept = root / "pointer.ico"
        if kept.is_file() and kept.read_bytes() == made.read_bytes():
            return 0
    print(f"uninstall_art: {kept} differs from its drawing; run tools/artwork/uninstall_art.py {root}")
    return 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
