#!/usr/bin/env python3
"""Writes drennow.ico from the application icon's PNG pictures (ui/res/ico128_application_*.png),
each stored as PNG in the icon file as Windows Vista and later read it.
Run from the repository's top folder: python3 ui/win32/res/make_icon.py"""
import struct

SIZES = (16, 32, 48)
images = [open(f"ui/res/ico128_application_{size}.png", "rb").read() for size in SIZES]
header = struct.pack("<HHH", 0, 1, len(images))
offset = len(header) + 16 * len(images)
entries = b""
for size, data in zip(SIZES, images):
    entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
    offset += len(data)
with open("ui/win32/res/drennow.ico", "wb") as out:
    out.write(header + entries + b"".join(images))
