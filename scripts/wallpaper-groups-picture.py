#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Makes docs/wallpaper-groups.png: the seventeen wallpaper groups of one
cut of resources/sample.jpg, each group's tile repeated over a square cell
at its own pixels from its top left corner, labelled with the group's
symbol; the last cell shows the cut itself (p1's tile, which is the cut).

    scripts/wallpaper-groups-picture.py QUILLMORE-CLI [OUTPUT.png]

Every tile comes from quillmore-cli with the same seed and cut size, so
every group lays out the very same piece of the photograph.
"""
import pathlib
import struct
import subprocess
import sys
import tempfile
import zlib

ROOT = pathlib.Path(__file__).resolve().parent.parent
GROUPS = ["p1", "p2", "pm", "pg", "cm", "pmm", "pmg", "pgg", "cmm",
          "p4", "p4m", "p4g", "p3", "p3m1", "p31m", "p6", "p6m"]
CUT = 48
SEED = 26
CELL = 192
GAP = 8
COLUMNS = 6
LABEL = 22
SCALE = 2
BACKGROUND = (255, 255, 255)
INK = (40, 40, 40)

# 5 x 8 glyphs of the labels, a text of bits per row, the left pixel first;
# rows 2 to 6 are the small letters' height, row 7 their descent.
GLYPHS = {
    "p": ["", "", "11110", "10001", "10001", "11110", "10000", "10000"],
    "m": ["", "", "11010", "10101", "10101", "10101", "10101", ""],
    "g": ["", "", "01111", "10001", "10001", "01111", "00001", "01110"],
    "c": ["", "", "01110", "10000", "10000", "10000", "01110", ""],
    "u": ["", "", "10001", "10001", "10001", "10011", "01101", ""],
    "t": ["01000", "01000", "11100", "01000", "01000", "01001", "00110", ""],
    "1": ["00100", "01100", "00100", "00100", "00100", "00100", "01110", ""],
    "2": ["01110", "10001", "00001", "00010", "00100", "01000", "11111", ""],
    "3": ["11111", "00010", "00100", "00010", "00001", "10001", "01110", ""],
    "4": ["00010", "00110", "01010", "10010", "11111", "00010", "00010", ""],
    "6": ["00110", "01000", "10000", "11110", "10001", "10001", "01110", ""],
}


def read_bmp(path):
    """A 24-bit bottom-up BMP as (width, height, rows of RGB bytes, top first)."""
    data = path.read_bytes()
    offset, = struct.unpack_from("<I", data, 10)
    width, height = struct.unpack_from("<ii", data, 18)
    stride = (3 * width + 3) // 4 * 4
    rows = []
    for y in range(height):
        row = data[offset + (height - 1 - y) * stride:][:3 * width]
        rgb = bytearray(row)
        rgb[0::3], rgb[2::3] = row[2::3], row[0::3]
        rows.append(bytes(rgb))
    return width, height, rows


def write_png(path, width, height, pixels):
    """pixels: a bytearray of RGB rows, top first; every row filtered by "up"."""
    stride = 3 * width
    raw = bytearray()
    previous = bytes(stride)
    for y in range(height):
        row = pixels[y * stride:(y + 1) * stride]
        raw.append(2)
        raw += bytes((a - b) & 0xFF for a, b in zip(row, previous))
        previous = row

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    path.write_bytes(b"\x89PNG\r\n\x1a\n" +
                     chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
                     chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def main():
    cli = pathlib.Path(sys.argv[1]).resolve()
    output = pathlib.Path(sys.argv[2]) if len(sys.argv) > 2 else ROOT / "docs" / "wallpaper-groups.png"
    tiles = []
    with tempfile.TemporaryDirectory() as folder:
        for group in GROUPS:
            subprocess.run([str(cli), "--file", str(ROOT / "resources" / "sample.jpg"), "--method", group,
                            "--size", str(CUT), "--seed", str(SEED), "--prefix", group, "--out", folder],
                           check=True, stdout=subprocess.DEVNULL)
            tiles.append((group, read_bmp(pathlib.Path(folder) / f"{group}001.bmp")))
    cells = tiles + [("cut", tiles[0][1])]

    rows_of_cells = (len(cells) + COLUMNS - 1) // COLUMNS
    width = COLUMNS * CELL + (COLUMNS + 1) * GAP
    height = rows_of_cells * (CELL + LABEL) + (rows_of_cells + 1) * GAP
    pixels = bytearray(bytes(BACKGROUND) * (width * height))

    def put(x, y, rgb):
        pixels[3 * (y * width + x):3 * (y * width + x) + 3] = bytes(rgb)

    for n, (name, (w, h, rows)) in enumerate(cells):
        left = GAP + n % COLUMNS * (CELL + GAP)
        top = GAP + n // COLUMNS * (CELL + LABEL + GAP)
        if name == "cut":
            # Once, in the middle of its cell.
            for y in range(h):
                start = 3 * ((top + (CELL - h) // 2 + y) * width + left + (CELL - w) // 2)
                pixels[start:start + 3 * w] = rows[y]
        else:
            for y in range(CELL):
                line = (rows[y % h] * (CELL // w + 1))[:3 * CELL]
                start = 3 * ((top + y) * width + left)
                pixels[start:start + len(line)] = line
        text_width = len(name) * 6 * SCALE - SCALE
        x0 = left + (CELL - text_width) // 2
        y0 = top + CELL + (LABEL - 8 * SCALE) // 2
        for i, char in enumerate(name):
            for r, bits in enumerate(GLYPHS[char]):
                for c, bit in enumerate(bits):
                    if bit == "1":
                        for dy in range(SCALE):
                            for dx in range(SCALE):
                                put(x0 + (6 * i + c) * SCALE + dx, y0 + r * SCALE + dy, INK)
    write_png(output, width, height, pixels)


if __name__ == "__main__":
    main()
