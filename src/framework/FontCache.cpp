#include "FontCache.h"

#include <QGuiApplication>
#include <QHash>
#include <QTextLayout>
#include <array>
#include <optional>

bool SameLogFont(const TLogFont& a, const TLogFont& b) {
    return a.Height == b.Height && a.Width == b.Width && a.Escapement == b.Escapement &&
           a.Orientation == b.Orientation && a.Weight == b.Weight && a.Italic == b.Italic &&
           a.Underline == b.Underline && a.StrikeOut == b.StrikeOut && a.CharSet == b.CharSet &&
           a.PitchAndFamily == b.PitchAndFamily && a.FaceName == b.FaceName;
}

namespace {
struct TEntry {
    TLogFont Key;
    TCachedFont Value;
    QHash<QString, int> Widths;
    QHash<QString, std::optional<TShapedLine>> Lines;
};

// Texts kept per font; past that the widths (or the lines) start anew: a window's captions and a
// grid's page of cells fit many times over.
constexpr qsizetype MaxWidths = 512;
constexpr qsizetype MaxLines = 1024;

// A handful of fonts, the one used last in front: a window draws in two or three fonts at a time.
constexpr size_t CacheSize = 8;
std::array<std::optional<TEntry>, CacheSize> Cache;

// The cache's entry for the font, moved to the front; nullptr without a Qt application (fonts made
// before it map their face to the system's font, not the program's own).
TEntry* EntryOf(const TLogFont& font) {
    if (!qApp) return nullptr;
    // Qt's fonts must go while the application that made them is still there.
    static const bool cleared = [] {
        qAddPostRoutine([] {
            for (auto& entry : Cache)
                entry.reset();
        });
        return true;
    }();
    Q_UNUSED(cleared);
    size_t found = CacheSize - 1;
    for (size_t i = 0; i < CacheSize; ++i)
        if (!Cache[i] || SameLogFont(Cache[i]->Key, font)) {
            found = i;
            break;
        }
    if (!Cache[found] || !SameLogFont(Cache[found]->Key, font)) {
        const QFont qfont = ToQFont(font);
        Cache[found].emplace(TEntry{font, TCachedFont{qfont, QFontMetrics(qfont)}, {}, {}});
    }
    // Move to the front, the others one place back.
    for (size_t i = found; i > 0; --i)
        std::swap(Cache[i], Cache[i - 1]);
    return &*Cache[0];
}
}  // namespace

TCachedFont CachedFont(const TLogFont& font) {
    if (const TEntry* entry = EntryOf(font)) return entry->Value;
    const QFont qfont = ToQFont(font);
    return {qfont, QFontMetrics(qfont)};
}

int CachedTextWidth(const TLogFont& font, const QString& text) {
    TEntry* entry = EntryOf(font);
    if (!entry) return QFontMetrics(ToQFont(font)).horizontalAdvance(text);
    if (const auto known = entry->Widths.constFind(text); known != entry->Widths.cend()) return *known;
    if (entry->Widths.size() >= MaxWidths) entry->Widths.clear();
    const int width = entry->Value.Metrics.horizontalAdvance(text);
    entry->Widths.insert(text, width);
    return width;
}

QString ElidedRight(const TLogFont& font, const QString& text, int width) {
    // Qt keeps whole a text no wider than `width`; the kept width is rounded, so only a text narrower
    // by a whole pixel is taken as fitting without asking. A text of several variants (split by U+009C)
    // is always asked about.
    constexpr QChar variants(0x9C);
    if (!text.contains(variants) && CachedTextWidth(font, text) < width) return text;
    return CachedFont(font).Metrics.elidedText(text, Qt::ElideRight, width);
}

namespace {
std::optional<TShapedLine> ShapeLine(const TLogFont& logFont, const QFont& font, const QString& text) {
    // Glyph runs draw their decorations to other lengths than the text does, and a turned font is
    // drawn as the text.
    if (logFont.Underline || logFont.StrikeOut || logFont.Escapement != 0) return std::nullopt;
    QTextLayout layout(text, font);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid() || line.textLength() != text.size()) return std::nullopt;
    return TShapedLine{layout.glyphRuns(), line.ascent()};
}
}  // namespace

std::optional<TShapedLine> CachedShapedLine(const TLogFont& font, const QString& text) {
    TEntry* entry = EntryOf(font);
    if (!entry) return std::nullopt;
    if (const auto known = entry->Lines.constFind(text); known != entry->Lines.cend()) return *known;
    if (entry->Lines.size() >= MaxLines) entry->Lines.clear();
    return *entry->Lines.insert(text, ShapeLine(font, entry->Value.Font, text));
}
