#!/usr/bin/env python3
"""Draws Tessaly's two pointer images and writes them as the files the program loads:
HAND-M.CUR, the hand shown over buttons (a cursor file whose hotspot is the finger tip), and
drag.ico, the list's pointer while a row is carried (an icon file: two arrows around a row).
Both are 32 x 32, 32-bit colour with alpha plus the 1-bit mask older readers use.
Run it again after changing a drawing: python3 data/draw_pointers.py data
"""
import struct
import sys

SIZE = 32
COLOURS = {".": None, "K": (0, 0, 0), "W": (255, 255, 255), "B": (31, 95, 168)}

HAND = """
.....KK
....KWWK
....KWWK
....KWWK
....KWWK
....KWWKKK
....KWWKWWKKK
....KWWKWWKWWKK
....KWWKWWKWWKWK
KK..KWWWWWWWWKWWK
KWK.KWWWWWWWWWWWK
KWWKKWWWWWWWWWWWK
.KWWKWWWWWWWWWWWK
..KWWWWWWWWWWWWWK
..KWWWWWWWWWWWWWK
...KWWWWWWWWWWWWK
...KWWWWWWWWWWWK
....KWWWWWWWWWWK
....KWWWWWWWWWK
.....KWWWWWWWWK
.....KWWWWWWWWK
.....KKKKKKKKKK
"""
HAND_HOTSPOT = (5, 0)


def drag_rows():
    """An arrow up, a blue list row, an arrow down, centred."""
    grid = [["."] * SIZE for _ in range(SIZE)]

    def arrow(tip_row, step):
        for i in range(7):
            row = tip_row + i * step
            for x in range(16 - i - 1, 16 + i + 1):
                edge = x in (16 - i - 1, 16 + i) or i == 6
                grid[row][x] = "K" if edge else "W"

    arrow(2, 1)
    arrow(29, -1)
    for y in range(11, 21):
        for x in range(4, 28):
            edge = y in (11, 20) or x in (4, 27)
            grid[y][x] = "K" if edge else ("W" if y in (14, 17) and 7 <= x <= 24 else "B")
    return ["".join(r) for r in grid]


def image_bytes(rows):
    rows = [r.ljust(SIZE, ".") for r in rows] + ["." * SIZE] * (SIZE - len(rows))
    colour = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # bottom-up, as bitmaps are stored
        bits = 0
        for x, ch in enumerate(row):
            c = COLOURS[ch]
            colour += bytes((0, 0, 0, 0)) if c is None else bytes((c[2], c[1], c[0], 255))
            if c is None:
                bits |= 1 << (SIZE - 1 - x)
        mask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    return header + colour + mask


def write(path, kind, rows, hotspot=(0, 0)):
    data = image_bytes(rows)
    # kind 1: icon (planes 1, 32 bits per pixel); kind 2: cursor (those words hold the hotspot).
    words = (1, 32) if kind == 1 else hotspot
    directory = struct.pack("<HHH", 0, kind, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, words[0], words[1], len(data), 6 + 16)
    with open(path, "wb") as out:
        out.write(directory + entry + data)


if __name__ == "__main__":
    folder = sys.argv[1] if len(sys.argv) > 1 else "."
    write(f"{folder}/HAND-M.CUR", 2, HAND.strip("\n").split("\n"), HAND_HOTSPOT)
    write(f"{folder}/drag.ico", 1, drag_rows())
