// The classic desktop's edges and frame controls, drawn pixel for pixel on a device context: 3-D
// edges by BDR_/BF_ flags, and check boxes, radio buttons, push buttons, scroll and combo arrows and
// the menu glyphs (check, bullet, arrow) from pixel patterns, and caption buttons with the symbol
// font's glyphs (SymbolFont.h). A glyph larger than its rectangle is clipped to it.
#pragma once

#include "DeviceContext.h"

enum : unsigned {
    BDR_RAISEDOUTER = 0x1,
    BDR_SUNKENOUTER = 0x2,
    BDR_RAISEDINNER = 0x4,
    BDR_SUNKENINNER = 0x8,
    BDR_OUTER = 0x3,
    BDR_INNER = 0xC,
    EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER,
    EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
    EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER,
    EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER
};
enum : unsigned {
    BF_LEFT = 0x1,
    BF_TOP = 0x2,
    BF_RIGHT = 0x4,
    BF_BOTTOM = 0x8,
    BF_RECT = 0xF,
    BF_MIDDLE = 0x800,
    BF_SOFT = 0x1000,
    BF_ADJUST = 0x2000,
    BF_FLAT = 0x4000,
    BF_MONO = 0x8000
};
enum : unsigned { DFC_CAPTION = 1, DFC_MENU = 2, DFC_SCROLL = 3, DFC_BUTTON = 4 };
enum : unsigned {
    DFCS_BUTTONCHECK = 0x0,
    DFCS_BUTTONRADIOIMAGE = 0x1,
    DFCS_BUTTONRADIOMASK = 0x2,
    DFCS_BUTTONRADIO = 0x4,
    DFCS_BUTTON3STATE = 0x8,
    DFCS_BUTTONPUSH = 0x10,
    DFCS_CAPTIONCLOSE = 0x0,
    DFCS_MENUARROW = 0x0,
    DFCS_MENUCHECK = 0x1,
    DFCS_MENUBULLET = 0x2,
    DFCS_SCROLLUP = 0x0,
    DFCS_SCROLLDOWN = 0x1,
    DFCS_SCROLLLEFT = 0x2,
    DFCS_SCROLLRIGHT = 0x3,
    DFCS_SCROLLCOMBOBOX = 0x5,
    DFCS_SCROLLSIZEGRIP = 0x8,
    DFCS_INACTIVE = 0x100,
    DFCS_PUSHED = 0x200,
    DFCS_CHECKED = 0x400,
    DFCS_TRANSPARENT = 0x800,
    DFCS_HOT = 0x1000,
    DFCS_ADJUSTRECT = 0x2000,
    DFCS_FLAT = 0x4000,
    DFCS_MONO = 0x8000
};

// Draws the chosen edges of `rect`; with BF_ADJUST `rect` becomes the area inside them.
bool DrawEdge(HDC dc, TRect& rect, unsigned edge, unsigned flags);
// Draws a frame control of `type` in `rect`; false for a kind it does not know.
bool DrawFrameControl(HDC dc, TRect& rect, unsigned type, unsigned state);
// A disabled (embossed) picture: its pixels that differ from `transparent` and are not light, one
// pixel down and right in the highlight colour, then in place in the shadow colour.
void DrawDisabledImage(HDC dc, int x, int y, const QImage& image, TColor transparent);
