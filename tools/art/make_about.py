#!/usr/bin/env python3
"""Draws the About picture of the preferences window: 308 x 163 pixels,
8 bits per pixel with a palette, run-length encoded (BI_RLE8), a sun behind a cloud on a blue sky, the
title, and a "version" label. The version number and the credit lines are
drawn onto it by the plug-in at run time (white, at 145,31 / 112,115 /
112,127), so those places are left plain. Standard library only; run once,
the result is committed as src/resources/about.bmp."""
import math
import struct
import sys

WIDTH, HEIGHT = 308, 163

# Palette layout.
SKY_FIRST, SKY_COUNT = 0, 96        # dark to light blue
SUN_FIRST, SUN_COUNT = 96, 32       # orange rim to pale yellow centre
CLOUD_FIRST, CLOUD_COUNT = 128, 32  # grey underside to white top
SHADOW = 253                        # letter shadow
RULE = 254                          # thin separator line
WHITE = 255                         # kept pure white: the run-time texts use it


def lerp(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def palette():
    colours = [(0, 0, 0)] * 256
    for i in range(SKY_COUNT):
        colours[SKY_FIRST + i] = lerp((8, 28, 92), (70, 140, 215), i / (SKY_COUNT - 1))
    for i in range(SUN_COUNT):
        colours[SUN_FIRST + i] = lerp((240, 120, 20), (255, 240, 140), i / (SUN_COUNT - 1))
    for i in range(CLOUD_COUNT):
        colours[CLOUD_FIRST + i] = lerp((150, 165, 190), (250, 252, 255), i / (CLOUD_COUNT - 1))
    colours[SHADOW] = (4, 16, 60)
    colours[RULE] = (150, 195, 240)
    colours[WHITE] = (255, 255, 255)
    return colours


# A 5 x 7 pixel font, only the letters the picture uses.
GLYPHS = {
    "W": ["#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."],
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "a": [".....", ".....", ".###.", "....#", ".####", "#...#", ".####"],
    "e": [".....", ".....", ".###.", "#...#", "#####", "#....", ".###."],
    "f": ["..##.", ".#...", ".#...", "###..", ".#...", ".#...", ".#..."],
    "g": [".....", ".####", "#...#", "#...#", ".####", "....#", ".###."],
    "h": ["#....", "#....", "#.##.", "##..#", "#...#", "#...#", "#...#"],
    "i": ["..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###."],
    "l": [".##..", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "m": [".....", ".....", "##.#.", "#.#.#", "#.#.#", "#.#.#", "#.#.#"],
    "n": [".....", ".....", "#.##.", "##..#", "#...#", "#...#", "#...#"],
    "o": [".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###."],
    "r": [".....", ".....", "#.##.", "##..#", "#....", "#....", "#...."],
    "s": [".....", ".....", ".####", "#....", ".###.", "....#", "####."],
    "t": [".#...", ".#...", "###..", ".#...", ".#...", ".#..#", "..##."],
    "u": [".....", ".....", "#...#", "#...#", "#...#", "#..##", ".##.#"],
    "v": [".....", ".....", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    "x": [".....", ".....", "#...#", ".#.#.", "..#..", ".#.#.", "#...#"],
    " ": ["....."] * 7,
}


BI_RLE8 = 1


def rle8_row(row):
    """One row in BI_RLE8: runs of a colour as (count, index), stretches of
    three or more changing pixels in absolute mode, then the end-of-line mark."""
    out = bytearray()
    literals = []

    def flush():
        while literals:
            chunk, literals[:] = literals[:255], literals[255:]
            if len(chunk) < 3:  # absolute mode needs at least three pixels
                for index in chunk:
                    out.extend((1, index))
            else:
                out.extend((0, len(chunk)))
                out.extend(chunk)
                if len(chunk) % 2:
                    out.append(0)  # absolute runs end on a word boundary

    i = 0
    while i < len(row):
        j = i
        while j < len(row) and j - i < 255 and row[j] == row[i]:
            j += 1
        if j - i >= 2:
            flush()
            out.extend((j - i, row[i]))
        else:
            literals.append(row[i])
        i = j
    flush()
    return bytes(out) + b"\0\0"


class Canvas:
    def __init__(self):
        self.pixels = [[0] * WIDTH for _ in range(HEIGHT)]

    def put(self, x, y, index):
        if 0 <= x < WIDTH and 0 <= y < HEIGHT:
            self.pixels[y][x] = index

    def text(self, x, y, words, index, scale=1, shadow=True):
        for layer, (dx, colour) in enumerate(((scale, SHADOW), (0, index))):
            if layer == 0 and not shadow:
                continue
            cx = x + dx
            for ch in words:
                for row, bits in enumerate(GLYPHS[ch]):
                    for col, bit in enumerate(bits):
                        if bit == "#":
                            for sy in range(scale):
                                for sx in range(scale):
                                    self.put(cx + col * scale + sx, y + dx + row * scale + sy, colour)
                cx += 6 * scale

    def bmp(self):
        colours = palette()
        rows = b"".join(rle8_row(row) for row in reversed(self.pixels)) + b"\0\1"  # end of picture
        table = b"".join(struct.pack("BBBB", b, g, r, 0) for (r, g, b) in colours)
        info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 8, BI_RLE8, len(rows), 2835, 2835, 256, 256)
        offset = 14 + len(info) + len(table)
        header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
        return header + info + table + rows


SUN_X, SUN_Y, SUN_R = 50, 62, 22


def sky(canvas):
    for y in range(HEIGHT):
        for x in range(WIDTH):
            t = y / (HEIGHT - 1) * 0.8 + x / (WIDTH - 1) * 0.2
            glow = max(0.0, 1.0 - math.hypot(x - SUN_X, y - SUN_Y) / 110.0) * 0.35
            shade = min(1.0, t + glow)
            # No dithering: 96 shades are smooth enough, and flat runs pack well.
            canvas.pixels[y][x] = SKY_FIRST + min(SKY_COUNT - 1, round(shade * (SKY_COUNT - 1)))


def sun(canvas):
    for ray in range(12):
        angle = ray * math.pi / 6 + math.pi / 12
        for step in range(SUN_R + 4, SUN_R + 15):
            half = (SUN_R + 15 - step) / 3.5
            for w in range(-3, 4):
                if abs(w) > half:
                    continue
                x = SUN_X + math.cos(angle) * step - math.sin(angle) * w * 0.7
                y = SUN_Y + math.sin(angle) * step + math.cos(angle) * w * 0.7
                canvas.put(round(x), round(y), SUN_FIRST + 4)
    for y in range(SUN_Y - SUN_R, SUN_Y + SUN_R + 1):
        for x in range(SUN_X - SUN_R, SUN_X + SUN_R + 1):
            d = math.hypot(x - SUN_X + 6, y - SUN_Y + 6) / (SUN_R * 1.4)
            if math.hypot(x - SUN_X, y - SUN_Y) <= SUN_R:
                canvas.put(x, y, SUN_FIRST + max(0, min(SUN_COUNT - 1, round((1 - d) * (SUN_COUNT - 1)))))


CLOUD = [(58, 92, 15), (80, 82, 20), (102, 93, 14), (40, 98, 11), (118, 99, 9)]
CLOUD_BOTTOM = 108


def cloud(canvas):
    top = min(cy - r for _, cy, r in CLOUD)
    for y in range(top, CLOUD_BOTTOM + 1):
        for x in range(25, 135):
            inside = any(math.hypot(x - cx, y - cy) <= r for cx, cy, r in CLOUD)
            inside = inside or (38 <= x <= 120 and 95 <= y <= CLOUD_BOTTOM)  # flat underside
            if not inside:
                continue
            t = 1.0 - (y - top) / (CLOUD_BOTTOM - top)
            canvas.put(x, y, CLOUD_FIRST + max(0, min(CLOUD_COUNT - 1, round((0.35 + 0.65 * t) * (CLOUD_COUNT - 1)))))


def main(path):
    canvas = Canvas()
    sky(canvas)
    sun(canvas)
    cloud(canvas)
    canvas.text(112, 6, "Weather Plugin", WHITE, scale=2)
    canvas.text(112, 58, "for Ostix", SUN_FIRST + SUN_COUNT - 1, scale=2)
    canvas.text(99, 34, "version", RULE, scale=1)
    for x in range(112, WIDTH - 8):
        canvas.put(x, 109, RULE)
    with open(path, "wb") as f:
        f.write(canvas.bmp())


if __name__ == "__main__":
    main(sys.argv[1])
