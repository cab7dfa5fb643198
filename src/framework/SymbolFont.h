// The symbol font of caption buttons and small arrows ("Marlett"): not a font installed here, so its
// glyphs are drawn from pixel patterns wherever text is drawn in it. Each character sits in the cell
// the text layout gives it and its glyph is centred there, so centred text centres the glyph.
#pragma once

#include "DeviceContext.h"

#include <QString>

// Whether text in this face is drawn as symbol glyphs.
bool IsSymbolFontName(const QString& FaceName);

// The glyph of one character, for a font whose characters are Size pixels high, centred in Box:
// "r" the close cross, "3" "4" "5" "6" triangles pointing left, right, up and down; other characters
// have no glyph.
void DrawSymbolGlyph(HDC DC, const TRect& Box, QChar Ch, int Size, TColor Color);

// ExtTextOut for a symbol font: the same placement, background and clipping as text.
void SymbolTextOut(HDC DC, int X, int Y, unsigned Options, const TRect* Clip, const QString& Text);
