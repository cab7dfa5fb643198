#!/usr/bin/env python3
"""Writes the pinyin letter table (data/pinyin-letters.txt) from ICU's Han-Latin transliteration.

The characters of GB2312 level 1 are ordered by pinyin, so the program finds their initials by code
range; this table gives the initial of every other Chinese character of GBK (GB2312 level 2 and the
GBK extension). One row per initial, in the order A B C D E F G H J K L M N O P Q R S T W X Y Z:
the letter, then the characters, all separated by blanks. UTF-8.

Needs `uconv` (Debian package icu-devtools).
Usage: tools/make_pinyin_table.py [data/pinyin-letters.txt]
"""
import os
import subprocess
import sys
import unicodedata

HERE = os.path.dirname(os.path.abspath(__file__))
TARGET = os.path.join(HERE, '..', 'data', 'pinyin-letters.txt')
LETTERS = 'ABCDEFGHJKLMNOPQRSTWXYZ'


def gbk_characters():
    """Every Chinese character of GBK outside GB2312 level 1, in code order."""
    def trails(lo, hi):
        return (t for t in range(lo, hi + 1) if t != 0x7F)

    blocks = [
        (0xD8, 0xF7, 0xA1, 0xFE),  # GB2312 level 2
        (0x81, 0xA0, 0x40, 0xFE),  # GBK/3
        (0xAA, 0xFE, 0x40, 0xA0),  # GBK/4
        (0xA8, 0xA9, 0x40, 0xA0),  # GBK/5, which holds the character for zero
    ]
    for lead_lo, lead_hi, trail_lo, trail_hi in blocks:
        for lead in range(lead_lo, lead_hi + 1):
            for trail in trails(trail_lo, trail_hi):
                try:
                    ch = bytes([lead, trail]).decode('gbk')
                except UnicodeDecodeError:
                    continue
                if ch == '\u3007' or unicodedata.name(ch, '').startswith('CJK'):
                    yield ch


def initial(reading):
    """The upper-case first letter of a transliterated reading, without its tone mark."""
    plain = unicodedata.normalize('NFD', reading.strip())
    first = plain[:1].upper()
    return first if first in LETTERS else ''


def main():
    target = sys.argv[1] if len(sys.argv) > 1 else TARGET
    chars = list(gbk_characters())
    out = subprocess.run(['uconv', '-f', 'utf-8', '-t', 'utf-8', '-x', 'Han-Latin'],
                         input='\n'.join(chars) + '\n', capture_output=True, text=True, check=True).stdout
    readings = out.split('\n')[:len(chars)]
    assert len(readings) == len(chars), 'uconv changed the number of lines'
    rows = {letter: [] for letter in LETTERS}
    for ch, reading in zip(chars, readings):
        letter = initial(reading)
        if letter:
            rows[letter].append(ch)
    with open(target, 'w', encoding='utf-8', newline='\n') as f:
        for letter in LETTERS:
            f.write(' '.join([letter] + rows[letter]) + '\n')
    print(f'{sum(map(len, rows.values()))} of {len(chars)} characters written to {target}')


if __name__ == '__main__':
    main()
