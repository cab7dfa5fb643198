// Text laid out in a rectangle by DT_ flags on a device context: alignment, single or broken lines
// (breaks at spaces and between CJK ideographs), expanded tabs, the "&" prefix underline,
// end ellipsis, and DT_CALCRECT measuring.
#pragma once

#include "DeviceContext.h"

#include <QString>
#include <vector>

// Draws (or, with DT_CALCRECT, measures into `rect`) and returns the text's height; with DT_VCENTER
// or DT_BOTTOM on a single line, the offset from the rectangle's top to the text's bottom.
int DrawTextDC(HDC dc, const QString& text, TRect& rect, unsigned flags);

// The line a prefix text shows: "&&" gives "&", "&x" gives x and `underline` its index (-1: none).
QString StripPrefix(const QString& text, int* underline);

// The lines DT_WORDBREAK makes of one paragraph in `width` pixels, measured by `measure`.
template <class TMeasure>
std::vector<QString> BreakLines(const QString& paragraph, int width, TMeasure measure);

// Whether a break may fall between the two characters (one of them a CJK character).
bool IsCJKChar(QChar c);

// Disabled (embossed) text: a copy one pixel down and right in the highlight colour, then the text
// in the shadow colour.
void DrawDisabledText(HDC dc, int x, int y, const QString& text);

template <class TMeasure>
std::vector<QString> BreakLines(const QString& paragraph, int width, TMeasure measure) {
    // Units: a run of spaces, a single CJK character, or a word of anything else.
    std::vector<QString> units;
    for (int i = 0; i < paragraph.size();) {
        int j = i + 1;
        const QChar c = paragraph[i];
        if (c == QLatin1Char(' ')) {
            while (j < paragraph.size() && paragraph[j] == QLatin1Char(' '))
                ++j;
        } else if (!IsCJKChar(c)) {
            while (j < paragraph.size() && paragraph[j] != QLatin1Char(' ') && !IsCJKChar(paragraph[j]))
                ++j;
        }
        units.push_back(paragraph.mid(i, j - i));
        i = j;
    }
    std::vector<QString> lines;
    QString line;
    for (const QString& unit : units) {
        const bool space = unit.startsWith(QLatin1Char(' '));
        if (!line.isEmpty() && !space && measure(line + unit) > width) {
            while (line.endsWith(QLatin1Char(' ')))
                line.chop(1);
            lines.push_back(line);
            line.clear();
        }
        if (line.isEmpty() && space && !lines.empty()) continue;  // a break swallows its spaces
        line += unit;
    }
    lines.push_back(line);
    return lines;
}
