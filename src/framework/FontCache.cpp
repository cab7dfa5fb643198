#include "FontCache.h"

#include <QGuiApplication>
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
};

// A handful of fonts, the one used last in front: a window draws in two or three fonts at a time.
constexpr size_t CacheSize = 8;
std::array<std::optional<TEntry>, CacheSize> Cache;
}  // namespace

TCachedFont CachedFont(const TLogFont& font) {
    // Fonts made before the application map their face to the system's font, not the program's own.
    if (!qApp) {
        const QFont qfont = ToQFont(font);
        return {qfont, QFontMetrics(qfont)};
    }
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
    return Cache[0]->Value;
}
