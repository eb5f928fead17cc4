#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Draws the README's picture of smooth edges: the corner of one
kaleidoscope tile made plain and with --smooth 4, side by side, each pixel
shown as 4 x 4.

    scripts/smooth-corner.py QUILLMORE-CLI OUTPUT.png

The source is a sharp drawing made here (stripes at three angles in
red, green and blue, yellow rings, 1024 pixels square); both tiles are cut
at 256 from it after --fit 100, at the same place (--seed 1).
"""
import math
import pathlib
import struct
import subprocess
import sys
import tempfile
import zlib

SIDE = 1024
CORNER = 96
ENLARGE = 4
GAP = 8


def write_bmp(path, side, pixel):
    row = (3 * side + 3) // 4 * 4
    data = bytearray()
    for y in range(side - 1, -1, -1):
        line = bytearray(row)
        for x in range(side):
            line[3 * x:3 * x + 3] = pixel(x, y)
        data += line
    header = b"BM" + struct.pack("<IHHI", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, side, side, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    path.write_bytes(header + info + data)


def drawing(x, y):
    """Blue, green, red bytes of the sharp drawing at (x, y)."""
    red = (x * 0.966 + y * 0.259) // 14 % 2
    green = (x * 0.5 - y * 0.866) // 18 % 2
    blue = (x * 0.174 + y * 0.985) // 22 % 2
    ring = int(math.hypot(x - SIDE / 2, y - SIDE / 2)) // 12 % 6 == 0
    if ring:
        return bytes((30, 230, 240))
    return bytes((230 if blue else 25, 210 if green else 20, 240 if red else 35))


def read_bmp(path):
    """Width, height and rows from the top of a 24-bit bottom-up BMP, as RGB."""
    data = path.read_bytes()
    offset, = struct.unpack_from("<I", data, 10)
    width, height = struct.unpack_from("<ii", data, 18)
    row = (3 * width + 3) // 4 * 4
    rows = []
    for y in range(height):
        start = offset + (height - 1 - y) * row
        line = data[start:start + 3 * width]
        rows.append(bytes(b for i in range(0, len(line), 3) for b in (line[i + 2], line[i + 1], line[i])))
    return width, height, rows


def write_png(path, width, height, rows):
    raw = b"".join(b"\0" + line for line in rows)

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    path.write_bytes(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                     + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def corner(rows):
    shown = []
    for line in rows[:CORNER]:
        wide = b"".join(line[3 * x:3 * x + 3] * ENLARGE for x in range(CORNER))
        shown += [wide] * ENLARGE
    return shown


def main():
    cli, output = sys.argv[1], pathlib.Path(sys.argv[2])
    with tempfile.TemporaryDirectory() as work:
        folder = pathlib.Path(work)
        source = folder / "drawing.bmp"
        write_bmp(source, SIDE, drawing)
        tiles = []
        for prefix, extra in (("plain", []), ("smooth", ["--smooth", "4"])):
            subprocess.run([cli, "--file", str(source), "--size", "256", "--fit", "100", "--seed", "1",
                            "--prefix", prefix, "--out", work] + extra, check=True, stdout=subprocess.DEVNULL)
            tiles.append(corner(read_bmp(folder / (prefix + "001.bmp"))[2]))
    gap = b"\xff" * (3 * GAP)
    rows = [left + gap + right for left, right in zip(*tiles)]
    write_png(output, 2 * CORNER * ENLARGE + GAP, CORNER * ENLARGE, rows)


if __name__ == "__main__":
    main()
