#!/usr/bin/env python3
"""Writes fuzz/corpus: one small PNG of each colour type and depth, plain and interlaced, grey and
RGB ones with a colour key, some with other ancillary chunks or split image data. Deterministic,
so the committed corpus can be remade."""
import os
import random
import struct
import zlib

random.seed(5)
OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'fuzz', 'corpus')
CHANNELS = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}
FORMATS = [(0, 1), (0, 2), (0, 4), (0, 8), (0, 16), (2, 8), (2, 16), (3, 1), (3, 2), (3, 4), (3, 8),
           (4, 8), (4, 16), (6, 8), (6, 16)]
ADAM7 = [(0, 0, 8, 8), (0, 4, 8, 8), (4, 0, 8, 4), (0, 2, 4, 4), (2, 0, 4, 2), (0, 1, 2, 2), (1, 0, 2, 1)]


def chunk(name, data):
    return struct.pack('>I', len(data)) + name + data + struct.pack('>I', zlib.crc32(name + data) & 0xffffffff)


def random_row(row_bytes):
    return bytes([random.randrange(5)]) + bytes(random.randrange(256) for _ in range(row_bytes))


def raw_rows(w, h, bits, interlaced):
    if not interlaced:
        return b''.join(random_row((w * bits + 7) // 8) for _ in range(h))
    out = b''
    for start_row, start_col, row_step, col_step in ADAM7:
        pixels = (w - start_col + col_step - 1) // col_step if w > start_col else 0
        row_bytes = (pixels * bits + 7) // 8
        if row_bytes:
            out += b''.join(random_row(row_bytes) for _ in range(start_row, h, row_step))
    return out


def main():
    os.makedirs(OUT, exist_ok=True)
    for i, (color_type, depth) in enumerate(FORMATS):
        for interlaced in (0, 1):
            w, h = random.randrange(1, 12), random.randrange(1, 12)
            raw = raw_rows(w, h, depth * CHANNELS[color_type], interlaced)
            png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, depth, color_type, 0, 0, interlaced))
            if color_type == 3:
                png += chunk(b'PLTE', bytes(random.randrange(256) for _ in range(3 * (1 << depth))))
                png += chunk(b'tRNS', bytes(random.randrange(256) for _ in range(min(3, 1 << depth))))
            if color_type in (0, 2):
                # A colour key at every depth: a key's samples are as wide as the image's.
                key = [random.randrange(1 << depth) for _ in range(CHANNELS[color_type])]
                png += chunk(b'tRNS', b''.join(struct.pack('>H', k) for k in key))
            if (color_type, depth) in ((0, 8), (2, 16)):
                png += chunk(b'gAMA', struct.pack('>I', 45455))
            if (color_type, depth) == (2, 8):
                png += chunk(b'pHYs', struct.pack('>IIB', 3780, 3780, 1))
            if (color_type, depth) == (6, 8):
                png += chunk(b'tEXt', b'Title\x00Veloria')
                png += chunk(b'zTXt', b'Comment\x00\x00' + zlib.compress(b'hello hello'))
            z = zlib.compress(raw)
            if i % 3 == 0 and len(z) > 4:
                png += chunk(b'IDAT', z[:len(z) // 2]) + chunk(b'IDAT', z[len(z) // 2:])
            else:
                png += chunk(b'IDAT', z)
            png += chunk(b'IEND', b'')
            name = f'seed-{color_type}-{depth}-{"i" if interlaced else "n"}.png'
            with open(os.path.join(OUT, name), 'wb') as f:
                f.write(png)


if __name__ == '__main__':
    main()
