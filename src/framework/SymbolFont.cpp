#include "SymbolFont.h"

#include <QFontMetrics>
#include <algorithm>

bool IsSymbolFontName(const QString& FaceName) {
    return FaceName.compare(QLatin1String("Marlett"), Qt::CaseInsensitive) == 0;
}

namespace {
void Fill(HDC dc, const TRect& r, TColor color) {
    dc->FillRect(r, TLogBrush{bsSolid, color, {}, false});
}

// The cross: two diagonals two pixels thick over n rows (n odd), n + 1 pixels wide.
void Cross(HDC dc, const TRect& box, int size, TColor color) {
    int n = std::max(3, (2 * size + 1) / 3);
    if (n % 2 == 0) --n;
    const int left = box.Left + (box.Width() - (n + 1)) / 2, top = box.Top + (box.Height() - n) / 2;
    for (int i = 0; i < n; ++i) {
        Fill(dc, Rect(left + i, top + i, left + i + 2, top + i + 1), color);
        Fill(dc, Rect(left + n - 1 - i, top + i, left + n + 1 - i, top + i + 1), color);
    }
}

// A solid triangle of k rows: its base 2k - 1 pixels long, its point k pixels away.
void Triangle(HDC dc, const TRect& box, int size, int direction, TColor color) {
    const int k = std::max(2, (size + 1) / 3), base = 2 * k - 1;
    const bool vertical = direction >= 2;  // pointing up or down
    const int w = vertical ? base : k, h = vertical ? k : base;
    const int left = box.Left + (box.Width() - w) / 2, top = box.Top + (box.Height() - h) / 2;
    for (int i = 0; i < k; ++i) {
        switch (direction) {
        case 0:  // left: the point at the left
            Fill(dc, Rect(left + i, top + k - 1 - i, left + i + 1, top + k + i), color);
            break;
        case 1:  // right
            Fill(dc, Rect(left + k - 1 - i, top + k - 1 - i, left + k - i, top + k + i), color);
            break;
        case 2:  // up
            Fill(dc, Rect(left + k - 1 - i, top + i, left + k + i, top + i + 1), color);
            break;
        default:  // down
            Fill(dc, Rect(left + k - 1 - i, top + k - 1 - i, left + k + i, top + k - i), color);
            break;
        }
    }
}
}  // namespace

void DrawSymbolGlyph(HDC DC, const TRect& Box, QChar Ch, int Size, TColor Color) {
    switch (Ch.unicode()) {
    case 'r':
        Cross(DC, Box, Size, Color);
        break;
    case '3':
    case '4':
    case '5':
    case '6':
        Triangle(DC, Box, Size, Ch.unicode() - '3', Color);
        break;
    default:
        break;
    }
}

void SymbolTextOut(HDC DC, int X, int Y, unsigned Options, const TRect* Clip, const QString& Text) {
    const int saved = DC->SaveDC();
    if ((Options & ETO_OPAQUE) && Clip) Fill(DC, *Clip, DC->BkColor);
    if ((Options & ETO_CLIPPED) && Clip)
        DC->IntersectClipRect(Clip->Left, Clip->Top, Clip->Right, Clip->Bottom);
    // The cells are those the text layout measures for the face.
    const QFontMetrics fm(ToQFont(DC->Font));
    const int height = fm.ascent() + fm.descent(), width = fm.horizontalAdvance(Text);
    int left = X, top = Y;
    if ((DC->TextAlign & TA_CENTER) == TA_CENTER)
        left -= width / 2;
    else if (DC->TextAlign & TA_RIGHT)
        left -= width;
    if ((DC->TextAlign & TA_BASELINE) == TA_BASELINE)
        top -= fm.ascent();
    else if (DC->TextAlign & TA_BOTTOM)
        top -= height;
    if (DC->BkMode == OPAQUE) Fill(DC, Rect(left, top, left + width, top + height), DC->BkColor);
    const int size = std::max(1, std::abs(DC->Font.Height == 0 ? 12 : DC->Font.Height));
    for (const QChar ch : Text) {
        const int advance = fm.horizontalAdvance(ch);
        DrawSymbolGlyph(DC, Rect(left, top, left + advance, top + height), ch, size, DC->TextColor);
        left += advance;
    }
    DC->RestoreDC(saved);
}
