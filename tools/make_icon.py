#!/usr/bin/env python3
"""Turns the icon's text grid (resources/app_icon.txt) into a 32 x 32,
16-colour Windows icon (resources/app_icon.ico), or into the page's PNG icons.

Grid characters: '.' transparent, 'K' black, 'O' olive.
Run it without arguments after editing the grid, and commit both files.

    make_icon.py --png SIZE SCALE [--background RRGGBB] OUTPUT

writes a SIZE x SIZE PNG with each grid cell SCALE pixels square, centred on
a transparent or a solid background. The build makes the page's icons so.
"""
import argparse
import struct
import sys
import zlib
from pathlib import Path

SIZE = 32
BITS_PER_PIXEL = 4
# The standard 16-colour palette, each colour as (red, green, blue); the icon
# file stores each as (blue, green, red, reserved).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
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


def png_chunk(kind, data):
    return (struct.pack('>I', len(data)) + kind + data +
            struct.pack('>I', zlib.crc32(kind + data)))


def png_bytes(rows, size, scale, background):
    """8-bit RGBA; `background` is (red, green, blue) or None for transparent."""
    margin = (size - SIZE * scale) // 2
    if margin < 0:
        sys.exit(f'a {SIZE}-cell grid at scale {scale} does not fit in {size} pixels')
    clear = bytes((*background, 255)) if background else bytes(4)
    colours = {char: bytes((*PALETTE[index], 255)) for char, index in COLOUR_INDEX.items()}
    lines = []
    for y in range(size):
        row = rows[(y - margin) // scale] if margin <= y < margin + SIZE * scale else None
        pixels = b''.join(
            colours.get(row[(x - margin) // scale], clear)
            if row is not None and margin <= x < margin + SIZE * scale else clear
            for x in range(size))
        lines.append(b'\0' + pixels)  # filter type 0: none
    header = struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)  # RGBA, 8 bits a channel
    return (b'\x89PNG\r\n\x1a\n' + png_chunk(b'IHDR', header) +
            png_chunk(b'IDAT', zlib.compress(b''.join(lines), 9)) + png_chunk(b'IEND', b''))


def main():
    resources = Path(__file__).resolve().parent.parent / 'resources'
    rows = read_grid(resources / 'app_icon.txt')
    parser = argparse.ArgumentParser()
    parser.add_argument('--png', nargs=2, type=int, metavar=('SIZE', 'SCALE'))
    parser.add_argument('--background', type=lambda text: bytes.fromhex(text))
    parser.add_argument('output', nargs='?')
    arguments = parser.parse_args()
    if arguments.png:
        size, scale = arguments.png
        Path(arguments.output).write_bytes(png_bytes(rows, size, scale, arguments.background))
    else:
        (resources / 'app_icon.ico').write_bytes(icon_bytes(rows))


if __name__ == '__main__':
    main()
