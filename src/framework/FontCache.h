// The Qt font and metrics of a logical font, kept for the few fonts drawn lately: every text drawn or
// measured needs them, and making them anew (the face name mapped, the font engine looked up) cost
// more than measuring a short line.
#pragma once

#include "DeviceContext.h"

#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QList>
#include <optional>

struct TCachedFont {
    QFont Font;
    QFontMetrics Metrics;
};

// Copies share the cached font's data; without a Qt application the font is made for this call alone.
TCachedFont CachedFont(const TLogFont& font);

// The width of a line in the font (as QFontMetrics::horizontalAdvance gives it), kept for the texts
// measured lately: a control that repaints measures the same captions each time.
int CachedTextWidth(const TLogFont& font, const QString& text);

// The text cut at the right with an ellipsis to fit `width`, as QFontMetrics::elidedText cuts it; a
// text that plainly fits, by its kept width, is not shaped again.
QString ElidedRight(const TLogFont& font, const QString& text, int width);

// A line of text shaped once in the font: its glyphs as Qt lays them out for drawing the line at a
// point, with the baseline `Ascent` below the origin. Drawing the runs gives the very pixels drawing the
// text gives, without shaping it again.
struct TShapedLine {
    QList<QGlyphRun> Runs;
    qreal Ascent = 0;
};

// The line shaped, kept for the texts drawn lately; nullopt for what glyph runs do not draw as the text
// would (underlined or struck-out fonts, turned fonts, more than one line) and without a Qt application.
std::optional<TShapedLine> CachedShapedLine(const TLogFont& font, const QString& text);

bool SameLogFont(const TLogFont& a, const TLogFont& b);
