#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes the seeds of fuzz_exif_reader into this folder (or FOLDER):
the places an orientation tag is read from, each a few dozen bytes.

    make-seeds.py [FOLDER]

  orientation-6-be.jpg   JPEG, big-endian Exif block, orientation 6
  orientation-8-le.jpg   JPEG, little-endian block of two directories
                         with a sub-directory and a rational entry
  orientation-3.png      PNG, orientation 3 in an eXIf chunk before IDAT
  orientation-long.jpg   JPEG, the tag stored as LONG (read as 1)
"""
import os
import struct
import sys
import zlib


def tiff(order, entries, next_directory=b""):
    """A TIFF block of one directory; entries are (tag, type, count, value bytes)."""
    e = "<" if order == b"II" else ">"
    head = order + struct.pack(e + "HI", 42, 8)
    extra_at = 8 + 2 + 12 * len(entries) + 4
    directory = struct.pack(e + "H", len(entries))
    extra = b""
    for tag, kind, count, value in entries:
        if len(value) <= 4:
            directory += struct.pack(e + "HHI", tag, kind, count) + value.ljust(4, b"\0")
        else:
            directory += struct.pack(e + "HHII", tag, kind, count, extra_at + len(extra))
            extra += value
    after = extra_at + len(extra)
    directory += struct.pack(e + "I", after if next_directory else 0)
    return head + directory + extra + next_directory


def jpeg(block):
    app1 = b"Exif\0\0" + block
    return b"\xff\xd8\xff\xe1" + struct.pack(">H", len(app1) + 2) + app1 + b"\xff\xd9"


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png(block):
    header = struct.pack(">IIBBBBB", 1, 1, 8, 0, 0, 0, 0)
    pixels = zlib.compress(b"\0\0")
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"eXIf", block) +
            chunk(b"IDAT", pixels) + chunk(b"IEND", b""))


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    short = lambda e, v: struct.pack(e + "H", v)
    little_sub = struct.pack("<H", 1) + struct.pack("<HHII", 0x9000, 7, 4, 0x30323230) + b"\0" * 4
    seeds = {
        "orientation-6-be.jpg": jpeg(tiff(b"MM", [(0x0112, 3, 1, short(">", 6))])),
        "orientation-8-le.jpg": jpeg(tiff(
            b"II",
            [(0x0112, 3, 1, short("<", 8)),
             (0x011A, 5, 1, struct.pack("<II", 72, 1)),
             (0x8769, 4, 1, struct.pack("<I", 8 + 2 + 3 * 12 + 4 + 8))],
            little_sub)),
        "orientation-3.png": png(tiff(b"MM", [(0x0112, 3, 1, short(">", 3))])),
        "orientation-long.jpg": jpeg(tiff(b"MM", [(0x0112, 4, 1, struct.pack(">I", 6))])),
    }
    for name, data in seeds.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main()
