#!/usr/bin/env python3
"""Draws the program's tree icons as 16 x 16 PNG files (data/icons/tree0.png .. tree3.png).

0 a closed folder (a group), 1 an open folder (a subgroup or class), 2 an item (a food, recipe or set meal),
3 the same item when selected. The windows' trees show them through the program's PNG codec.
Usage: tools/make_icons.py
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
TARGET = os.path.join(HERE, '..', 'data', 'icons')
SIZE = 16


def write_png(path, pixels):
    """pixels: SIZE rows of SIZE (r, g, b, a) tuples."""
    raw = b''.join(b'\x00' + b''.join(bytes(p) for p in row) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack('>IIBBBBB', SIZE, SIZE, 8, 6, 0, 0, 0)
    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', zlib.compress(raw, 9)) +
                chunk(b'IEND', b''))


def canvas():
    return [[(0, 0, 0, 0) for _ in range(SIZE)] for _ in range(SIZE)]


def fill(img, x0, y0, x1, y1, colour):
    for y in range(y0, y1):
        for x in range(x0, x1):
            img[y][x] = colour


def outline(img, x0, y0, x1, y1, colour):
    for x in range(x0, x1):
        img[y0][x] = img[y1 - 1][x] = colour
    for y in range(y0, y1):
        img[y][x0] = img[y][x1 - 1] = colour


def folder(open_):
    img = canvas()
    edge = (150, 110, 20, 255)
    fill(img, 1, 3, 7, 5, (240, 200, 80, 255))           # the tab
    outline(img, 1, 3, 7, 5, edge)
    fill(img, 1, 4, 15, 14, (250, 215, 100, 255))        # the body
    outline(img, 1, 4, 15, 14, edge)
    if open_:
        fill(img, 3, 7, 16, 14, (255, 235, 150, 255))    # the opened front leans forward
        outline(img, 3, 7, 16, 14, edge)
    return img


def item(selected):
    img = canvas()
    paper = (225, 238, 255, 255) if selected else (255, 255, 255, 255)
    edge = (40, 90, 180, 255) if selected else (110, 110, 110, 255)
    fill(img, 3, 1, 13, 15, paper)
    outline(img, 3, 1, 13, 15, edge)
    leaf = (30, 110, 220, 255) if selected else (60, 160, 60, 255)
    for y, (a, b) in enumerate([(7, 9), (6, 10), (5, 11), (5, 11), (6, 10), (7, 9)], start=4):
        fill(img, a, y, b, y + 1, leaf)
    fill(img, 8, 10, 9, 13, leaf)                        # the stem
    return img


def main():
    os.makedirs(TARGET, exist_ok=True)
    for index, img in enumerate([folder(False), folder(True), item(False), item(True)]):
        write_png(os.path.join(TARGET, f'tree{index}.png'), img)
    print('icons written to', os.path.normpath(TARGET))


if __name__ == '__main__':
    main()
