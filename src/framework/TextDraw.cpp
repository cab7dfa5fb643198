#include "TextDraw.h"

#include "FontCache.h"

#include <QFontMetrics>
#include <algorithm>
#include <array>

bool IsCJKChar(QChar c) {
    const ushort u = c.unicode();
    return (u >= 0x2E80 && u <= 0x9FFF) || (u >= 0xAC00 && u <= 0xD7AF) || (u >= 0xF900 && u <= 0xFAFF) ||
           (u >= 0xFE30 && u <= 0xFE4F) || (u >= 0xFF00 && u <= 0xFFEF);
}

QString StripPrefix(const QString& text, int* underline) {
    QString shown;
    int mark = -1;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('&')) {
            shown += text[i];
            continue;
        }
        if (i + 1 >= text.size()) break;  // a lone "&" at the end shows nothing
        if (text[i + 1] == QLatin1Char('&')) {
            shown += QLatin1Char('&');
            ++i;
            continue;
        }
        mark = int(shown.size());  // the last single "&" underlines
    }
    if (underline) *underline = mark;
    return shown;
}

namespace {
struct TLine {
    QString Text;
    int Underline = -1;
};

class TLayout {
public:
    TLayout(HDC dc, unsigned flags)
        : FLogFont(dc->Font), FFont(CachedFont(dc->Font)), FMetrics(FFont.Metrics), FFlags(flags) {
        if (flags & DT_EXPANDTABS) FTabWidth = 8 * std::max(1, FMetrics.averageCharWidth());
    }
    const QFontMetrics& Metrics() const { return FMetrics; }
    // The width of a piece of text without tabs; a caption drawn again is not measured again.
    int PieceWidth(const QString& text) const { return CachedTextWidth(FLogFont, text); }
    // The width of a line, tabs expanded to the next stop.
    int Width(const QString& text) const {
        if (!(FFlags & DT_EXPANDTABS) || !text.contains(QLatin1Char('\t'))) return PieceWidth(text);
        int x = 0;
        const QStringList parts = text.split(QLatin1Char('\t'));
        for (int i = 0; i < parts.size(); ++i) {
            x += PieceWidth(parts[i]);
            if (i + 1 < parts.size()) x = (x / FTabWidth + 1) * FTabWidth;
        }
        return x;
    }
    int TabWidth() const { return FTabWidth; }

private:
    TLogFont FLogFont;
    TCachedFont FFont;
    const QFontMetrics& FMetrics;
    unsigned FFlags;
    int FTabWidth = 0;
};

// Cuts the line and adds "..." until it fits in `width`.
QString WithEllipsis(const QString& line, int width, const TLayout& layout) {
    if (layout.Width(line) <= width) return line;
    const QString dots = QStringLiteral("...");
    QString cut = line;
    while (!cut.isEmpty() && layout.Width(cut + dots) > width)
        cut.chop(1);
    return cut + dots;
}

std::vector<TLine> LayOut(const QString& text, int width, unsigned flags, const TLayout& layout) {
    QString source = text;
    QStringList paragraphs;
    if (flags & DT_SINGLELINE) {
        source.remove(QLatin1Char('\r'));
        source.remove(QLatin1Char('\n'));
        paragraphs << source;
    } else {
        source.replace(QLatin1String("\r\n"), QLatin1String("\n"))
            .replace(QLatin1Char('\r'), QLatin1Char('\n'));
        paragraphs = source.split(QLatin1Char('\n'));
    }
    std::vector<TLine> lines;
    for (const QString& paragraph : paragraphs) {
        int underline = -1;
        const QString shown = (flags & DT_NOPREFIX) ? paragraph : StripPrefix(paragraph, &underline);
        std::vector<QString> pieces{shown};
        if ((flags & DT_WORDBREAK) && !(flags & DT_SINGLELINE))
            pieces = BreakLines(shown, width, [&](const QString& s) { return layout.Width(s); });
        int start = 0;
        for (const QString& piece : pieces) {
            const int at = int(shown.indexOf(piece, start));
            TLine line{piece, -1};
            if (underline >= 0 && at >= 0 && underline >= at && underline < at + piece.size())
                line.Underline = underline - at;
            if (at >= 0) start = at + int(piece.size());
            lines.push_back(line);
        }
    }
    if (flags & DT_END_ELLIPSIS)
        for (TLine& line : lines) {
            const QString cut = WithEllipsis(line.Text, width, layout);
            if (cut != line.Text) {
                line.Text = cut;
                if (line.Underline >= int(cut.size()) - 3) line.Underline = -1;
            }
        }
    return lines;
}

// The lines of the texts laid out lately, for a text laid out again in the same font, flags and (where
// it breaks or cuts lines) width: a control that repaints lays out the same captions each time.
struct TLaidOut {
    QString Text;
    TLogFont Font;
    unsigned Flags = 0;
    int Width = 0;
    std::vector<TLine> Lines;
};

const std::vector<TLine>& LaidOutLines(const QString& text, int width, unsigned flags, const TLayout& layout,
                                       const TLogFont& font) {
    static std::array<TLaidOut, 16> recent;
    static size_t next = 0;
    constexpr unsigned shaping = DT_SINGLELINE | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS | DT_END_ELLIPSIS;
    flags &= shaping;
    if (!(flags & DT_END_ELLIPSIS) && !((flags & DT_WORDBREAK) && !(flags & DT_SINGLELINE))) width = 0;
    for (const TLaidOut& entry : recent)
        if (entry.Flags == flags && entry.Width == width && entry.Text == text && !entry.Lines.empty() &&
            SameLogFont(entry.Font, font))
            return entry.Lines;
    TLaidOut& entry = recent[next];
    next = (next + 1) % recent.size();
    entry = TLaidOut{text, font, flags, width, LayOut(text, width, flags, layout)};
    return entry.Lines;
}

// One line at (x, top): the pieces between tabs, then the underline of the prefix character.
void DrawLine(HDC dc, int x, int top, const TLine& line, unsigned flags, const TLayout& layout) {
    int cx = x;
    const QStringList parts =
        (flags & DT_EXPANDTABS) ? line.Text.split(QLatin1Char('\t')) : QStringList{line.Text};
    for (int i = 0; i < parts.size(); ++i) {
        dc->ExtTextOut(cx, top, 0, nullptr, parts[i]);
        if (i + 1 == parts.size()) break;
        cx += layout.PieceWidth(parts[i]);
        cx = x + ((cx - x) / layout.TabWidth() + 1) * layout.TabWidth();
    }
    if (line.Underline < 0 || (flags & DT_HIDEPREFIX)) return;
    const int from = x + layout.Width(line.Text.left(line.Underline));
    const int to = x + layout.Width(line.Text.left(line.Underline + 1));
    const int y = top + layout.Metrics().ascent() + 1;
    const TLogBrush ink{bsSolid, dc->TextColor, {}, false};
    dc->FillRect(Rect(from, y, to, y + 1), ink);
}
}  // namespace

int DrawTextDC(HDC dc, const QString& text, TRect& rect, unsigned flags) {
    const TLayout layout(dc, flags);
    const std::vector<TLine> lines = LaidOutLines(text, rect.Width(), flags, layout, dc->Font);
    const int lineHeight = layout.Metrics().height();
    const int height = lineHeight * int(lines.size());
    // Shaping the text is what text drawing spends its time on: each line is measured once, and only
    // where its width places it or is asked for; a left-aligned line is shaped only as it is drawn.
    const bool measure = flags & (DT_CALCRECT | DT_CENTER | DT_RIGHT);
    std::vector<int> widths;
    int widest = 0;
    if (measure)
        for (const TLine& line : lines) {
            widths.push_back(layout.Width(line.Text));
            widest = std::max(widest, widths.back());
        }
    int top = rect.Top;
    if (flags & DT_SINGLELINE) {
        if (flags & DT_VCENTER)
            top = rect.Top + (rect.Height() - lineHeight) / 2;
        else if (flags & DT_BOTTOM)
            top = rect.Bottom - lineHeight;
    }
    const int result =
        (flags & DT_SINGLELINE) && (flags & (DT_VCENTER | DT_BOTTOM)) ? top - rect.Top + height : height;
    if (flags & DT_CALCRECT) {
        rect.Right = rect.Left + widest;
        rect.Bottom = rect.Top + height;
        return result;
    }
    const int saved = dc->SaveDC();
    if (!(flags & DT_NOCLIP)) dc->IntersectClipRect(rect.Left, rect.Top, rect.Right, rect.Bottom);
    dc->TextAlign = TA_LEFT | TA_TOP;
    for (size_t i = 0; i < lines.size(); ++i) {
        const TLine& line = lines[i];
        int x = rect.Left;
        if (flags & DT_CENTER)
            x = rect.Left + (rect.Width() - widths[i]) / 2;
        else if (flags & DT_RIGHT)
            x = rect.Right - widths[i];
        DrawLine(dc, x, top, line, flags, layout);
        top += lineHeight;
    }
    dc->RestoreDC(saved);
    return result;
}

void DrawDisabledText(HDC dc, int x, int y, const QString& text) {
    const int saved = dc->SaveDC();
    dc->BkMode = TRANSPARENT;
    dc->TextColor = clBtnHighlight;
    dc->ExtTextOut(x + 1, y + 1, 0, nullptr, text);
    dc->TextColor = clBtnShadow;
    dc->ExtTextOut(x, y, 0, nullptr, text);
    dc->RestoreDC(saved);
}
