#!/usr/bin/env python3
"""Draws the two program icons and writes them as .ico files.

snipforge: a page of code with a red asterisk, 16 colours, 32x32 and 16x16.
snipfetch: a page with a green arrow coming down onto it, 256 colours, 32x32 and 16x16.
Run from the repository root: python3 tools/make_icons.py
"""
import struct

# The 16 colours of the standard Windows palette, as (r, g, b).
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def palette256():
    colours = list(VGA16)
    # A 6x6x6 colour cube fills most of the rest, then greys.
    for r in range(6):
        for g in range(6):
            for b in range(6):
                colours.append((r * 51, g * 51, b * 51))
    while len(colours) < 256:
        grey = 8 + (len(colours) - 232) * 10
        colours.append((grey, grey, grey))
    return colours[:256]


def nearest(palette, rgb):
    return min(range(len(palette)),
               key=lambda i: sum((a - b) ** 2 for a, b in zip(palette[i], rgb)))


def page(size):
    """Pixels of a page with a folded corner: None is transparent."""
    px = [[None] * size for _ in range(size)]
    s = size / 32.0
    left, right = int(5 * s), int(26 * s)
    top, bottom = int(2 * s), int(29 * s)
    fold = max(2, int(6 * s))
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            if x - (right - fold) > y - top:
                continue  # cut corner
            edge = x in (left, right) or y in (top, bottom) or x - (right - fold) == y - top
            px[y][x] = (0, 0, 0) if edge else (255, 255, 255)
    # The folded-over corner.
    for y in range(top, top + fold + 1):
        for x in range(right - fold, right + 1):
            if x - (right - fold) <= y - top:
                on_edge = x == right - fold or y == top + fold or x - (right - fold) == y - top
                px[y][x] = (0, 0, 0) if on_edge else (192, 192, 192)
    return px, left, right, top, bottom


def code_lines(px, size, left, right, top, colour, rows):
    s = size / 32.0
    step = max(2, int(4 * s))
    widths = [0.7, 0.5, 0.8, 0.4, 0.6]
    y = top + max(3, int(7 * s))
    for i in range(rows):
        length = int((right - left - 4) * widths[i % len(widths)])
        for x in range(left + 2, left + 2 + length):
            px[y][x] = colour
        y += step


def snipforge_icon(size):
    px, left, right, top, bottom = page(size)
    code_lines(px, size, left, right, top, (0, 0, 128), 4 if size >= 32 else 2)
    # A red asterisk: where the window handle goes.
    s = size / 32.0
    cx, cy, r = int(22 * s), int(23 * s), max(2, int(6 * s))
    for d in range(-r, r + 1):
        for (x, y) in ((cx + d, cy), (cx, cy + d), (cx + d, cy + d), (cx + d, cy - d)):
            if 0 <= x < size and 0 <= y < size:
                px[y][x] = (255, 0, 0)
            if size >= 32 and 0 <= x + 1 < size and 0 <= y < size and abs(d) < r:
                px[y][x + 1] = (255, 0, 0)
    return px


def snipfetch_icon(size):
    px, left, right, top, bottom = page(size)
    code_lines(px, size, left, right, top, (0, 0, 128), 3 if size >= 32 else 1)
    # A green arrow pointing down onto the page, shaded.
    s = size / 32.0
    cx = int(20 * s)
    shaft_w = max(1, int(3 * s))
    shaft_top, shaft_bottom = int(8 * s), int(20 * s)
    for y in range(shaft_top, shaft_bottom):
        for x in range(cx - shaft_w, cx + shaft_w + 1):
            shade = 80 + int(120 * (x - cx + shaft_w) / (2 * shaft_w + 1))
            px[y][x] = (0, shade + 40, 0)
    head = max(3, int(8 * s))
    for i in range(head + 1):
        y = shaft_bottom + i
        if y >= size:
            break
        half = head - i
        for x in range(cx - half, cx + half + 1):
            edge = x in (cx - half, cx + half)
            px[y][x] = (0, 96, 0) if edge else (0, 200, 0)
    return px


def encode(px, palette, bpp):
    size = len(px)
    row_bytes = ((size * bpp + 31) // 32) * 4
    mask_bytes = ((size + 31) // 32) * 4
    xor, mask = bytearray(), bytearray()
    for y in reversed(range(size)):  # bottom-up
        bits, mbits = [], []
        for x in range(size):
            c = px[y][x]
            bits.append(0 if c is None else nearest(palette, c))
            mbits.append(1 if c is None else 0)
        row = bytearray()
        if bpp == 4:
            for i in range(0, size, 2):
                row.append((bits[i] << 4) | bits[i + 1])
        else:
            row.extend(bits)
        xor += row + bytes(row_bytes - len(row))
        mrow = bytearray()
        for i in range(0, size, 8):
            byte = 0
            for j in range(8):
                byte = (byte << 1) | mbits[i + j]
            mrow.append(byte)
        mask += mrow + bytes(mask_bytes - len(mrow))
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bpp, 0,
                         len(xor) + len(mask), 0, 0, len(palette), 0)
    pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in palette)
    return header + pal + bytes(xor) + bytes(mask)


def write_ico(path, images):
    """images: list of (size, colour count byte, bpp, data)."""
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, blobs = b'', b''
    for size, count, bpp, data in images:
        entries += struct.pack('<BBBBHHII', size, size, count, 0, 1, bpp, len(data), offset)
        offset += len(data)
        blobs += data
    with open(path, 'wb') as f:
        f.write(out + entries + blobs)


def main():
    forge = [(n, 16, 4, encode(snipforge_icon(n), VGA16, 4)) for n in (32, 16)]
    write_ico('snipforge/resources/snipforge.ico', forge)
    pal = palette256()
    fetch = [(n, 0, 8, encode(snipfetch_icon(n), pal, 8)) for n in (32, 16)]
    write_ico('snipfetch/resources/snipfetch.ico', fetch)


if __name__ == '__main__':
    main()
