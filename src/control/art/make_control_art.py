#!/usr/bin/env python3
"""Writes the control's icon (velmora.ico, 32x32) and toolbox bitmap (toolbox.bmp, 16x15) into
this folder: a small property grid - a caption bar over rows of name and value cells. Run it
again after changing the drawing and commit the files it writes."""
import os
import struct

BLUE = (0, 64, 160)
WHITE = (255, 255, 255)
GREY = (128, 128, 128)
LIGHT = (212, 208, 200)
VALUE = (0, 0, 255)


def grid(width, height, caption, row):
    """Colour of every pixel, top row first."""
    pixels = [[WHITE] * width for _ in range(height)]
    for y in range(height):
        for x in range(width):
            if x in (0, width - 1) or y in (0, height - 1):
                pixels[y][x] = GREY
            elif y <= caption:
                pixels[y][x] = BLUE
            elif (y - caption) % row == 0 or x == width // 2 - 1:
                pixels[y][x] = LIGHT
            elif x > width // 2 and (y - caption) % row == row // 2 and x < width - 3:
                pixels[y][x] = VALUE
    return pixels


def ico_bytes(pixels):
    size = len(pixels)
    xor = bytearray()
    for y in reversed(range(size)):
        for (r, g, b) in pixels[y]:
            xor += bytes((b, g, r, 255))
    mask = bytes(size * size // 8)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), 22)
    return directory + image


def bmp_bytes(pixels):
    height, width = len(pixels), len(pixels[0])
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for y in reversed(range(height)):
        line = bytearray()
        for (r, g, b) in pixels[y]:
            line += bytes((b, g, r))
        data += line + bytes(stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 0, 0, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    return header + info + data


here = os.path.dirname(os.path.abspath(__file__))
with open(os.path.join(here, "velmora.ico"), "wb") as f:
    f.write(ico_bytes(grid(32, 32, 6, 5)))
with open(os.path.join(here, "toolbox.bmp"), "wb") as f:
    f.write(bmp_bytes(grid(16, 15, 3, 3)))
