#include "Graphics.h"

#include <QCoreApplication>
#include <QFontDatabase>

#include <QColor>
#include <QFont>
#include <algorithm>
#include <cmath>

// Colours ---------------------------------------------------------------------------------------
namespace {
// The classic (Windows Standard) scheme, so controls look the same on every desktop.
constexpr TColor ClassicSystemColors[] = {
    RGB(212, 208, 200), RGB(58, 110, 165),  RGB(10, 36, 106),   RGB(128, 128, 128), RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(212, 208, 200), RGB(128, 128, 128), RGB(10, 36, 106),   RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(64, 64, 64),    RGB(212, 208, 200), RGB(0, 0, 0),       RGB(255, 255, 225),
    RGB(181, 181, 181), RGB(0, 0, 128),     RGB(166, 202, 240), RGB(192, 192, 192), RGB(10, 36, 106),
    RGB(212, 208, 200),
};
}  // namespace

TColor GetSysColor(int index) {
    if (index < 0 || index >= int(std::size(ClassicSystemColors))) return clBlack;
    return ClassicSystemColors[index];
}

TColor ColorToRGB(TColor color) {
    if (IsSystemColor(color)) return GetSysColor(int(color & 0xFF));
    if (color == clNone || color == clDefault) return clBlack;
    return color & 0xFFFFFF;
}

QColor ToQColor(TColor color) {
    const TColor rgb = ColorToRGB(color);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

// Rectangles ------------------------------------------------------------------------------------
void InflateRect(TRect& r, int dx, int dy) {
    r.Left -= dx;
    r.Top -= dy;
    r.Right += dx;
    r.Bottom += dy;
}

void OffsetRect(TRect& r, int dx, int dy) {
    r.Left += dx;
    r.Right += dx;
    r.Top += dy;
    r.Bottom += dy;
}

bool IntersectRect(TRect& dest, const TRect& a, const TRect& b) {
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
    if (r.IsEmpty()) r = TRect{};
    dest = r;
    return !r.IsEmpty();
}

bool PtInRect(const TRect& r, const TPoint& p) {
    return r.Contains(p);
}

// Fonts -----------------------------------------------------------------------------------------
namespace {

// The program's own copy of WenQuanYi Micro Hei (fonts/ beside the program), which leaves no character
// blank; the system's font when the copy is not there.
QString TextFontFamily() {
    static QString family;
    if (!family.isEmpty() || !qApp) return family.isEmpty() ? QStringLiteral("WenQuanYi Micro Hei") : family;
    family = QStringLiteral("WenQuanYi Micro Hei");
    const int id = QFontDatabase::addApplicationFont(QCoreApplication::applicationDirPath() +
                                                     QStringLiteral("/fonts/VeloriaHei.ttf"));
    const QStringList families = id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
    if (!families.isEmpty()) family = families.first();
    return family;
}

}  // namespace

QString MapFontName(const QString& name) {
    // Made once: every font made for drawing or measuring passes here.
    static const QStringList windowsFaces = {
        QString(),
        QStringLiteral("default"),
        QStringLiteral("宋体"),
        QStringLiteral("新宋体"),
        QStringLiteral("SimSun"),
        QStringLiteral("NSimSun"),
        QStringLiteral("黑体"),
        QStringLiteral("SimHei"),
        QStringLiteral("微软雅黑"),
        QStringLiteral("Microsoft YaHei"),
        QStringLiteral("Tahoma"),
        QStringLiteral("MS Sans Serif"),
        QStringLiteral("Microsoft Sans Serif"),
        QStringLiteral("MS Shell Dlg"),
        QStringLiteral("MS Shell Dlg 2"),
        QStringLiteral("Arial"),
    };
    for (const QString& face : windowsFaces)
        if (name.compare(face, Qt::CaseInsensitive) == 0) return TextFontFamily();
    return name;
}

TFont::TFont() : FName(QStringLiteral("宋体")) {}

void TFont::Assign(const TFont& source) {
    FName = source.FName;
    FSize = source.FSize;
    FColor = source.FColor;
    FStyle = source.FStyle;
    FCharset = source.FCharset;
    FPitch = source.FPitch;
    Changed();
}

void TFont::SetCharset(int charset) {
    if (charset == FCharset) return;
    FCharset = charset;
    Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
    if (pitch == FPitch) return;
    FPitch = pitch;
    Changed();
}

void TFont::SetName(const QString& name) {
    if (name == FName) return;
    FName = name;
    Changed();
}

void TFont::SetSize(int size) {
    if (size == FSize) return;
    FSize = size;
    Changed();
}

int TFont::Height() const {
    return -int(std::lround(FSize * double(ScreenPixelsPerInch) / 72.0));
}

void TFont::SetHeight(int height) {
    SetSize(int(std::lround(std::abs(height) * 72.0 / ScreenPixelsPerInch)));
}

void TFont::SetColor(TColor color) {
    if (color == FColor) return;
    FColor = color;
    Changed();
}

void TFont::SetStyle(TFontStyles style) {
    if (style == FStyle) return;
    FStyle = style;
    Changed();
}

void TFont::Changed() {
    if (OnChange) OnChange(this);
}

QFont TFont::ToQFont() const {
    QFont font(MapFontName(FName));
    font.setPixelSize(std::max(1, -Height()));
    font.setBold(HasStyle(fsBold));
    font.setItalic(HasStyle(fsItalic));
    font.setUnderline(HasStyle(fsUnderline));
    font.setStrikeOut(HasStyle(fsStrikeOut));
    return font;
}

// Pens and brushes ------------------------------------------------------------------------------
void TPen::Assign(const TPen& source) {
    FColor = source.FColor;
    FWidth = source.FWidth;
    FStyle = source.FStyle;
    FMode = source.FMode;
    Changed();
}

void TPen::SetColor(TColor color) {
    if (color == FColor) return;
    FColor = color;
    Changed();
}

void TPen::SetWidth(int width) {
    width = std::max(width, 1);
    if (width == FWidth) return;
    FWidth = width;
    Changed();
}

void TPen::SetStyle(TPenStyle style) {
    if (style == FStyle) return;
    FStyle = style;
    Changed();
}

void TPen::SetMode(TPenMode mode) {
    if (mode == FMode) return;
    FMode = mode;
    Changed();
}

void TBrush::SetBitmap(TBitmap* bitmap) {
    if (bitmap == FBitmap) return;
    FBitmap = bitmap;
    Changed();
}

void TBrush::Assign(const TBrush& source) {
    FColor = source.FColor;
    FStyle = source.FStyle;
    FBitmap = source.FBitmap;
    Changed();
}

void TBrush::SetColor(TColor color) {
    if (color == FColor && FStyle == bsSolid) return;
    FColor = color;
    FStyle = bsSolid;  // choosing a colour makes the brush solid again
    Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
    if (style == FStyle) return;
    FStyle = style;
    Changed();
}
