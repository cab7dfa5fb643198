#!/usr/bin/env python3
"""Makes the program's text font from WenQuanYi Micro Hei, under a name of its own ("Veloria Hei").

WenQuanYi Micro Hei maps the degree Celsius sign (U+2103) of the tips, recipes and food names to an empty
outline, so it shows as a blank; of all the characters the program's data holds, only this one. The copy
does not map it, so the text layer draws it from a font that has it.
Needs python3-fonttools. Usage: tools/make_ui_font.py <wqy-microhei.ttc> <output .ttf>
"""
import sys

from fontTools.ttLib import TTFont

FAMILY = 'Veloria Hei'
BLANK_CHARACTERS = [0x2103]


def main():
    source, target = sys.argv[1], sys.argv[2]
    font = TTFont(source, fontNumber=0, lazy=True)
    for table in font['cmap'].tables:
        for code in BLANK_CHARACTERS:
            table.cmap.pop(code, None)
    names = font['name']
    for record in list(names.names):
        if record.nameID in (1, 4, 16):
            names.setName(FAMILY, record.nameID, record.platformID, record.platEncID, record.langID)
        elif record.nameID == 6:
            names.setName(FAMILY.replace(' ', ''), record.nameID, record.platformID, record.platEncID, record.langID)
    font.save(target)


if __name__ == '__main__':
    main()
