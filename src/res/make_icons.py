#!/usr/bin/env python3
"""Writes the row-button icons of the page list (16x16, 32-bit with mask) into this folder.

The glyphs keep to the upper-left 12x11 pixels: that is what the button box of an 18-pixel row
shows. Run it again after changing a glyph and commit the .ico files it writes."""
import os
import struct

SIZE = 16
BLACK = (0, 0, 0)
GREY = (64, 64, 64)

# Each glyph: list of (x, y) pixels and their colour.
def triangle(top):
    return [(x, top + row) for row in range(4) for x in range(2 + row, 9 - row)]

def dots():
    return [(x + dx, 7 + dy) for x in (2, 5, 8) for dx in (0, 1) for dy in (0, 1)]

def hline(y, x0, x1):
    return [(x, y) for x in range(x0, x1 + 1)]

def vline(x, y0, y1):
    return [(x, y) for y in range(y0, y1 + 1)]

GLYPHS = {
    "drop.ico": (triangle(4), BLACK),                                  # 204
    "comboarrow.ico": (triangle(3) + hline(8, 2, 8), BLACK),           # 205
    "button.ico": (dots(), BLACK),                                     # 206
    "pressed.ico": (hline(0, 0, 11) + vline(0, 0, 10), GREY),          # 208
    "return.ico": (vline(9, 2, 6) + hline(6, 2, 9) + [(3, 5), (3, 7), (4, 4), (4, 8)], BLACK),  # 211
    "link.ico": (hline(5, 1, 9) + [(8, 4), (8, 6), (7, 3), (7, 7)], BLACK),                    # 212
    "editbutton.ico": (dots() + hline(10, 1, 10), BLACK),              # 213
}


def ico_bytes(pixels, colour):
    lit = set(pixels)
    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(SIZE)):  # bottom-up rows
        bits = 0
        for x in range(SIZE):
            if (x, y) in lit:
                xor += bytes((colour[2], colour[1], colour[0], 255))
            else:
                xor += bytes((0, 0, 0, 0))
                bits |= 1 << (SIZE - 1 - x)
        mask += struct.pack(">H", bits) + b"\0\0"  # rows padded to 32 bits
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "icons")
    os.makedirs(folder, exist_ok=True)
    for name, (pixels, colour) in GLYPHS.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(ico_bytes(pixels, colour))


if __name__ == "__main__":
    main()
