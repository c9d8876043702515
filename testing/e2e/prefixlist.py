#!/usr/bin/env python3
"""Lists what a Wine prefix holds, so that two moments can be compared: every folder and file below drive_c
(files with their size and a digest of their bytes, links with their target) and every registry key and value
of the machine and the user. What Wine itself changes as it runs programs (its housekeeping) is left out; the
table HOUSEKEEPING names each such entry and why it changes. Read the registry only while the prefix's
wineserver is stopped: it writes its files when it ends.

    prefixlist.py PREFIX > listing.txt
"""
import hashlib
import os
import re
import sys

# (what, pattern over the listed line, why Wine changes it by itself)
HOUSEKEEPING = [
    ("file", r"^drive_c/windows/Temp/", "Wine's own temporary files"),
    ("file", r"^drive_c/users/[^/]+/(AppData/Local/)?Temp/", "the user's temporary folder, which Wine's programs use"),
    ("file", r"^drive_c/windows/Fonts/", "the fonts the Wine session puts into the prefix at each start"),
    ("registry", r"^HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts\\",
     "the fonts Wine registers as it finds them"),
    ("registry", r"^HKLM\\System\\CurrentControlSet\\Control\\Session Manager\\Environment\\",
     "the environment Wine writes at each boot"),
    ("registry", r"^HKCU\\Software\\Wine\\", "Wine's own settings"),
]

ROOTS = {"system.reg": "HKLM", "user.reg": "HKCU"}


def housekeeping(line, what):
    return any(kind == what and re.search(pattern, line) for kind, pattern, _ in HOUSEKEEPING)


def list_files(prefix):
    lines = []
    base = os.path.join(prefix, "drive_c")
    for folder, dirs, files in os.walk(base):
        dirs.sort()
        for name in sorted(dirs + files):
            path = os.path.join(folder, name)
            shown = "drive_c/" + os.path.relpath(path, base)
            if os.path.islink(path):
                line = shown + " -> " + os.readlink(path)
                if name in dirs:
                    dirs.remove(name)
            elif os.path.isdir(path):
                line = shown + "/"
            else:
                with open(path, "rb") as stream:
                    digest = hashlib.sha1(stream.read()).hexdigest()
                line = "%s %d %s" % (shown, os.path.getsize(path), digest)
            if not housekeeping(line, "file"):
                lines.append(line)
    return lines


def list_registry(path, root):
    """The keys and values of one registry file, one line each: ROOT\\KEY\\ for a key, ROOT\\KEY\\NAME=DATA."""
    lines = []
    key = None
    with open(path, encoding="utf-8", errors="replace") as stream:
        text = stream.read()
    # A value continued over several lines (hex data) ends each line but its last with a backslash.
    text = re.sub(r"\\\n\s*", "", text)
    for line in text.split("\n"):
        if line.startswith("["):
            # "[Key\\Name] 1700000000": the number is the key's last write, which says nothing of its content.
            key = line[1:line.rindex("]")].replace("\\\\", "\\")
            lines.append("%s\\%s\\" % (root, key))
        elif key is not None and line and not line.startswith("#") and not line.startswith(";"):
            lines.append("%s\\%s\\%s" % (root, key, line))
    return [line for line in lines if not housekeeping(line, "registry")]


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__.strip().split("\n")[-1].strip())
    prefix = sys.argv[1]
    lines = list_files(prefix)
    for name, root in sorted(ROOTS.items()):
        lines += list_registry(os.path.join(prefix, name), root)
    sys.stdout.write("".join(line + "\n" for line in sorted(lines)))


if __name__ == "__main__":
    main()
