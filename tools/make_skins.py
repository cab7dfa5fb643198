#!/usr/bin/env python3
"""Draws the skin title images of the main window and the small windows (data/skins/Blue, data/skins/Red).

Each skin is a gradient in its colour: the main title (MTop), the line under it (PLine) and the three
pieces of a small window's title bar (CTopLeft, CTopCenter, CTopRight; "CTopcRight" in the pink set).
Needs cjpeg (Debian package libjpeg-turbo-progs) to write the JPEG files.
Usage: tools/make_skins.py
"""
import math
import os
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
TARGET = os.path.join(HERE, '..', 'data', 'skins')

SKINS = {
    # folder: (base colour as RGB, how light the top gets, right title piece's file name). The pink is a
    # deep one with little light at the top, so the white titles on it stay readable.
    'Blue': ((0, 182, 248), 1.45, 'CTopRight.jpg'),
    'Red': ((196, 64, 168), 1.12, 'CTopcRight.jpg'),
}


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def shade(colour, factor):
    """Darker below 1, lighter towards white above 1."""
    if factor <= 1:
        return tuple(round(c * factor) for c in colour)
    return mix(colour, (255, 255, 255), factor - 1)


def title_pixel(base, light, x, y, width, height):
    # Light at the top, the skin colour in the middle, darker at the bottom; a soft sheen across.
    t = y / max(1, height - 1)
    vertical = mix(shade(base, light), shade(base, 0.78), t)
    sheen = 0.08 * math.sin(math.pi * x / max(1, width - 1))
    return mix(vertical, (255, 255, 255), max(0.0, sheen))


def write_jpeg(path, width, height, pixel):
    rows = bytearray()
    for y in range(height):
        for x in range(width):
            rows.extend(pixel(x, y))
    with tempfile.NamedTemporaryFile(suffix='.ppm', delete=False) as ppm:
        ppm.write(b'P6 %d %d 255\n' % (width, height))
        ppm.write(bytes(rows))
    try:
        subprocess.run(['cjpeg', '-quality', '92', '-outfile', path, ppm.name], check=True)
    finally:
        os.unlink(ppm.name)


def make_skin(folder, base, light, right_name):
    out = os.path.join(TARGET, folder)
    os.makedirs(out, exist_ok=True)
    write_jpeg(os.path.join(out, 'MTop.jpg'), 1007, 96, lambda x, y: title_pixel(base, light, x, y, 1007, 96))
    write_jpeg(os.path.join(out, 'PLine.Jpg'), 1007, 4,
               lambda x, y: mix(shade(base, 0.7), shade(base, 1.3), y / 3))
    bar = lambda x, y: title_pixel(base, light, x, y, 400, 28)
    write_jpeg(os.path.join(out, 'CTopCenter.jpg'), 400, 28, bar)
    # The end pieces fade from a darker edge into the bar.
    write_jpeg(os.path.join(out, 'CTopLeft.jpg'), 40, 28,
               lambda x, y: mix(shade(title_pixel(base, light, 0, y, 40, 28), 0.85), title_pixel(base, light, 0, y, 40, 28), x / 39))
    write_jpeg(os.path.join(out, right_name), 40, 28,
               lambda x, y: mix(title_pixel(base, light, 0, y, 40, 28), shade(title_pixel(base, light, 0, y, 40, 28), 0.85), x / 39))


def main():
    for folder, (base, light, right_name) in SKINS.items():
        make_skin(folder, base, light, right_name)
    print('skins written to', os.path.normpath(TARGET))


if __name__ == '__main__':
    main()
