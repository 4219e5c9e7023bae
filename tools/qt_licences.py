#!/usr/bin/env python3
"""Gathers the licences of what the Windows program links from Qt.

usage: qt_licences.py QTBASE_SOURCE DEST

Copies Qt's own licence (the LGPL 3 and the GPL 3 it builds on) into DEST
and writes DEST/THIRD-PARTY.txt: every part Qt bundles into the modules the
program links (Core, Gui, Widgets and the Windows plugins), each with its
copyright lines and its licence text, as Qt's attribution files name them.
"""
import json
import os
import sys

# The folders whose attribution files cover what is linked; the rest (D-Bus,
# OpenGL, Vulkan, other platforms, the test library) is not in the program.
PARTS = [
    "src/corelib/codecs", "src/corelib/io", "src/corelib/kernel", "src/corelib/text",
    "src/gui/painting", "src/gui/text",
    "src/3rdparty/double-conversion", "src/3rdparty/easing", "src/3rdparty/freebsd",
    "src/3rdparty/freetype", "src/3rdparty/harfbuzz-ng", "src/3rdparty/icc",
    "src/3rdparty/libpng", "src/3rdparty/md4", "src/3rdparty/md4c", "src/3rdparty/md5",
    "src/3rdparty/pcre2", "src/3rdparty/pixman", "src/3rdparty/rfc6234",
    "src/3rdparty/sha1", "src/3rdparty/sha3", "src/3rdparty/tinycbor", "src/3rdparty/zlib",
]
QT_LICENCES = ["LICENSE.LGPL3", "LICENSE.GPL3"]


def crlf(text):
    return text.replace("\r\n", "\n").replace("\n", "\r\n")


def read_text(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        return f.read()


def entries(path):
    # Qt's attribution files allow line breaks inside strings.
    data = json.loads(read_text(path), strict=False)
    return data if isinstance(data, list) else [data]


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__.strip().splitlines()[2])
    source, dest = sys.argv[1], sys.argv[2]
    os.makedirs(dest, exist_ok=True)
    for name in QT_LICENCES:
        path = os.path.join(source, name)
        if not os.path.isfile(path):
            sys.exit("qt_licences.py: %s is missing" % path)
        with open(os.path.join(dest, name + ".txt"), "w", encoding="utf-8", newline="") as f:
            f.write(crlf(read_text(path)))

    out = ["The parts the Qt library bundles into putevod.exe, and their licences.",
           "Qt itself: LICENSE.LGPL3.txt (with LICENSE.GPL3.txt).", ""]
    found = 0
    for part in PARTS:
        attribution = os.path.join(source, part, "qt_attribution.json")
        if not os.path.isfile(attribution):
            continue
        for entry in entries(attribution):
            found += 1
            title = entry.get("Name", entry.get("Id", part))
            if entry.get("Version"):
                title += " " + entry["Version"]
            out += ["=" * 78, title, "=" * 78]
            for key in ("QtUsage", "Homepage", "License", "Copyright"):
                if entry.get(key):
                    out.append("%s: %s" % (key, " ".join(entry[key].split())))
            licence_file = entry.get("LicenseFile")
            if licence_file:
                path = os.path.join(source, part, licence_file)
                if not os.path.isfile(path):
                    sys.exit("qt_licences.py: %s is missing" % path)
                out += ["", read_text(path).rstrip()]
            out.append("")
    if found == 0:
        sys.exit("qt_licences.py: no attribution files under %s" % source)
    with open(os.path.join(dest, "THIRD-PARTY.txt"), "w", encoding="utf-8", newline="") as f:
        f.write(crlf("\n".join(out) + "\n"))


if __name__ == "__main__":
    main()
