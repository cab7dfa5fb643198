#include "FontCache.h"

#include <QGuiApplication>
#include <QHash>
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
};

// Texts kept per font; past that the widths start anew (a window's captions fit many times over).
constexpr qsizetype MaxWidths = 512;

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
        Cache[found].emplace(TEntry{font, TCachedFont{qfont, QFontMetrics(qfont)}});
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
