// The Qt font and metrics of a logical font, kept for the few fonts drawn lately: every text drawn or
// measured needs them, and making them anew (the face name mapped, the font engine looked up) cost
// more than measuring a short line.
#pragma once

#include "DeviceContext.h"

#include <QFont>
#include <QFontMetrics>

struct TCachedFont {
    QFont Font;
    QFontMetrics Metrics;
};

// Copies share the cached font's data; without a Qt application the font is made for this call alone.
TCachedFont CachedFont(const TLogFont& font);

// The width of a line in the font (as QFontMetrics::horizontalAdvance gives it), kept for the texts
// measured lately: a control that repaints measures the same captions each time.
int CachedTextWidth(const TLogFont& font, const QString& text);

bool SameLogFont(const TLogFont& a, const TLogFont& b);
