#!/usr/bin/env python3
"""Draws the plug-in's 16 x 16, 16-colour icon (a sun behind a cloud) as an
.ico file. Run once; the result is committed under src/resources/."""
import struct
import sys

# The standard 16-colour VGA palette (BGR0 order in the file).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
YELLOW, ORANGE, WHITE, GREY, BLUE = 11, 3, 15, 7, 12

ART = [
    "................",
    "......Y..Y......",
    "...Y..YYYY..Y...",
    "....YYYYYYYY....",
    "...YYYYYYYYYY...",
    "..YYYYYYYYYYYY..",
    "..YYYYYWWWYYYY..",
    ".YYYYYWWWWWYY...",
    "..YYWWWWWWWWW...",
    "...WWWWWWWWWWWW.",
    "..WWWWWWWWWWWWWW",
    ".GWWWWWWWWWWWWWG",
    ".GGWWWWWWWWWWWGG",
    "..GGGGGGGGGGGGG.",
    "................",
    "................",
]
COLOURS = {"Y": YELLOW, "W": WHITE, "G": GREY, "O": ORANGE, "B": BLUE}


def main(path):
    width = height = 16
    xor_rows, and_rows = [], []
    for line in reversed(ART):  # bitmaps are stored bottom-up
        nibbles = [COLOURS.get(ch, 0) for ch in line]
        xor_rows.append(bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, width, 2)))
        mask = 0
        for ch in line:
            mask = (mask << 1) | (1 if ch == "." else 0)
        and_rows.append(struct.pack(">H", mask) + b"\0\0")  # rows padded to 4 bytes
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    image = header + palette + b"".join(xor_rows) + b"".join(and_rows)
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", width, height, 16, 0, 1, 4, len(image), 22)
    with open(path, "wb") as f:
        f.write(directory + image)


if __name__ == "__main__":
    main(sys.argv[1])
