#!/usr/bin/env python3
"""Turns the icon's text grid (resources/app_icon.txt) into a 32 x 32,
16-colour Windows icon (resources/app_icon.ico).

Grid characters: '.' transparent, 'K' black, 'O' olive.
Run it again after editing the grid, and commit both files.
"""
import struct
import sys
from pathlib import Path

SIZE = 32
BITS_PER_PIXEL = 4
# The standard 16-colour palette, as (blue, green, red, reserved).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]  # as (red, green, blue)
COLOUR_INDEX = {'K': 0, 'O': 3}
TRANSPARENT = '.'


def read_grid(path):
    rows = path.read_text(encoding='ascii').splitlines()
    if len(rows) != SIZE or any(len(row) != SIZE for row in rows):
        sys.exit(f'{path}: the grid must be {SIZE} rows of {SIZE} characters')
    for row in rows:
        for char in row:
            if char != TRANSPARENT and char not in COLOUR_INDEX:
                sys.exit(f'{path}: unknown grid character {char!r}')
    return rows


def icon_bytes(rows):
    # Bitmaps are stored bottom row first.
    colour_rows = b''
    mask_rows = b''
    for row in reversed(rows):
        pixels = [COLOUR_INDEX.get(char, 0) for char in row]
        colour_rows += bytes((pixels[i] << 4) | pixels[i + 1] for i in range(0, SIZE, 2))
        mask_bits = ''.join('1' if char == TRANSPARENT else '0' for char in row)
        mask_rows += int(mask_bits, 2).to_bytes(SIZE // 8, 'big')
    palette = b''.join(bytes((blue, green, red, 0)) for red, green, blue in PALETTE)
    # BITMAPINFOHEADER: the height counts the colour and the mask bitmaps.
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, BITS_PER_PIXEL, 0,
                         len(colour_rows) + len(mask_rows), 0, 0, len(PALETTE), 0)
    image = header + palette + colour_rows + mask_rows
    directory = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, len(PALETTE), 0, 1, BITS_PER_PIXEL, len(image),
                        len(directory) + 16)
    return directory + entry + image


def main():
    resources = Path(__file__).resolve().parent.parent / 'resources'
    rows = read_grid(resources / 'app_icon.txt')
    (resources / 'app_icon.ico').write_bytes(icon_bytes(rows))


if __name__ == '__main__':
    main()
