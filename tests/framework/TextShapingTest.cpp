// Text drawn from the glyphs kept for it: the same pixels as Qt's own drawing of the text, for every
// font and text a context draws, and the same cut as Qt's eliding.
#include "DeviceContext.h"
#include "FontCache.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {
struct TTextCase {
    QString Text;
    TLogFont Font;
};

TLogFont FontOf(int height, int weight = 400, bool italic = false, bool underline = false) {
    TLogFont font;
    font.FaceName = QStringLiteral("宋体");
    font.Height = height;
    font.Weight = weight;
    font.Italic = italic;
    font.Underline = underline;
    font.StrikeOut = underline;
    return font;
}

// The text as Qt draws it: top left at (x, y), clipped to `clip`, over white.
QImage DrawnByQt(const TTextCase& c, int x, int y, const QRect& clip, QColor color) {
    QImage image(220, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setClipRect(clip);
    const QFont font = ToQFont(c.Font);
    p.setFont(font);
    p.setPen(color);
    p.drawText(x, y + QFontMetrics(font).ascent(), c.Text);
    return image;
}

QImage DrawnByContext(const TTextCase& c, int x, int y, const QRect& clip, TColor color) {
    QImage image(220, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    TDeviceContext dc(&image);
    dc.Font = c.Font;
    dc.TextColor = color;
    dc.BkMode = TRANSPARENT;
    const TRect r = Rect(clip.left(), clip.top(), clip.right() + 1, clip.bottom() + 1);
    dc.ExtTextOut(x, y, ETO_CLIPPED, &r, c.Text);
    return image;
}

const QString Texts[] = {QStringLiteral("保存"),          QStringLiteral("鸡蛋(白皮)"),
                         QStringLiteral("123.45"),        QStringLiteral("维生素B1 (mg)"),
                         QStringLiteral("fi ff AV Wa"),   QStringLiteral("能量 kcal\t1,234"),
                         QStringLiteral("😀 表情 ①"),     QStringLiteral("مرحبا 你好"),
                         QStringLiteral("e\u0301 n\u0303"), QString()};
}  // namespace

// Every text, in regular, bold, italic, small and large, underlined and struck out, at whole and odd
// places and under a clip that cuts it, is drawn as Qt draws it; the second time (from the kept glyphs)
// as the first.
TEST(TextShaping, KeptGlyphsDrawTheSamePixelsAsQtDrawsTheText) {
    const TLogFont fonts[] = {FontOf(-12), FontOf(-12, 700), FontOf(-9, 400, true), FontOf(-20),
                              FontOf(-13, 400, false, true)};
    const QRect clips[] = {QRect(0, 0, 220, 40), QRect(7, 5, 40, 12)};
    int checked = 0;
    for (const TLogFont& font : fonts)
        for (const QString& text : Texts)
            for (const QPoint at : {QPoint(0, 0), QPoint(7, 3)})
                for (const QRect& clip : clips)
                    for (const TColor color : {clBlack, TColor(0x3050C0)}) {
                        const TTextCase c{text, font};
                        const QColor qcolor = color == clBlack ? QColor(Qt::black) : QColor(0xC0, 0x50, 0x30);
                        const QImage reference = DrawnByQt(c, at.x(), at.y(), clip, qcolor);
                        for (int time = 0; time < 2; ++time)
                            ASSERT_EQ(DrawnByContext(c, at.x(), at.y(), clip, color), reference)
                                << text.toStdString() << " height " << font.Height << " weight " << font.Weight
                                << " at " << at.x() << "," << at.y() << " time " << time;
                        ++checked;
                    }
    EXPECT_EQ(checked, 5 * 10 * 2 * 2 * 2);
}

// Texts of the same letters in other fonts, and other texts in the same font, each keep their own
// glyphs: drawn in turns, each is drawn as itself.
TEST(TextShaping, EachTextAndFontKeepsItsOwnGlyphs) {
    const TLogFont regular = FontOf(-12), bold = FontOf(-12, 700), large = FontOf(-16);
    const QRect all(0, 0, 220, 40);
    for (int round = 0; round < 3; ++round)
        for (const TTextCase& c : {TTextCase{QStringLiteral("早餐"), regular}, TTextCase{QStringLiteral("午餐"), regular},
                                   TTextCase{QStringLiteral("早餐"), bold}, TTextCase{QStringLiteral("早餐"), large}})
            ASSERT_EQ(DrawnByContext(c, 2, 2, all, clBlack), DrawnByQt(c, 2, 2, all, Qt::black))
                << c.Text.toStdString() << " " << c.Font.Height << " " << c.Font.Weight;
    const TShapedLine early = *CachedShapedLine(regular, QStringLiteral("早餐"));
    EXPECT_EQ(early.Runs.size(), 1);
    EXPECT_FALSE(CachedShapedLine(FontOf(-12, 400, false, true), QStringLiteral("早餐")))
        << "an underlined font draws its text whole";
}

// A text is cut at the right as Qt cuts it, for every width from nothing to past the whole text:
// short texts, texts that just fit, and texts of several variants.
TEST(TextShaping, ElidingCutsAsQtCutsAtEveryWidth) {
    const TLogFont font = FontOf(-12);
    const QFontMetrics metrics(ToQFont(font));
    const QString variants = QStringLiteral("早餐午餐晚餐") + QChar(0x9C) + QStringLiteral("三餐");
    for (const QString& text : {QStringLiteral("早餐"), QStringLiteral("abc"), QStringLiteral("鸡蛋(白皮)"),
                                QStringLiteral("Hello, world"), variants, QString()}) {
        const int whole = metrics.horizontalAdvance(text);
        for (int width = 0; width <= whole + 3; ++width)
            ASSERT_EQ(ElidedRight(font, text, width), metrics.elidedText(text, Qt::ElideRight, width))
                << text.toStdString() << " width " << width;
    }
}

namespace {
// The text as Qt draws it over `background`, clipped to `clip`.
QImage QtOver(const QImage& background, const TTextCase& c, QPoint at, const QRect& clip, QColor ink) {
    QImage image = background;
    QPainter p(&image);
    p.setClipRect(clip);
    const QFont font = ToQFont(c.Font);
    p.setFont(font);
    p.setPen(ink);
    p.drawText(at.x(), at.y() + QFontMetrics(font).ascent(), c.Text);
    return image;
}

QImage ContextOver(const QImage& background, const TTextCase& c, QPoint at, const QRect& clip, TColor ink) {
    QImage image = background;
    TDeviceContext dc(&image);
    dc.Font = c.Font;
    dc.TextColor = ink;
    dc.BkMode = TRANSPARENT;
    const TRect r = Rect(clip.left(), clip.top(), clip.right() + 1, clip.bottom() + 1);
    dc.ExtTextOut(at.x(), at.y(), ETO_CLIPPED, &r, c.Text);
    return image;
}
}  // namespace

// Texts drawn from their kept glyphs over other colours, over stripes and a colour change under the
// text, at the image's edges, on a window's pixels and a bitmap's and in turns: each shows as Qt draws
// it there.
TEST(TextShaping, TextsOverAnyBackgroundShowAsQtDrawsThem) {
    const TLogFont fonts[] = {FontOf(-12), FontOf(-14, 700, true)};
    const QString texts[] = {QStringLiteral("午餐"), QStringLiteral("650Kcal"), QStringLiteral("  "),
                             QStringLiteral("维生素B1 (mg)")};
    for (const QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32}) {
        QImage plain(120, 30, format), other(120, 30, format), striped(120, 30, format), split(120, 30, format);
        plain.fill(QColor(255, 255, 255));
        other.fill(QColor(0x0A, 0x24, 0x6A));
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 120; ++x) {
                striped.setPixelColor(x, y, (x / 3) % 2 ? QColor(255, 255, 255) : QColor(250, 250, 250));
                split.setPixelColor(x, y, y < 14 ? QColor(255, 255, 255) : QColor(0xF5, 0xE6, 0xD8));
            }
        int checked = 0;
        for (int round = 0; round < 2; ++round)
            for (const TLogFont& font : fonts)
                for (const QString& text : texts)
                    for (const QImage* background : {&plain, &other, &striped, &split, &plain})
                        for (const QPoint at : {QPoint(4, 3), QPoint(-3, -2), QPoint(95, 20)})
                            for (const TColor ink : {clBlack, clWhite}) {
                                const TTextCase c{text, font};
                                const QRect clip = at == QPoint(4, 3) ? QRect(0, 0, 120, 30) : QRect(2, 1, 110, 26);
                                const QColor qink = ink == clBlack ? QColor(Qt::black) : QColor(Qt::white);
                                ASSERT_EQ(ContextOver(*background, c, at, clip, ink), QtOver(*background, c, at, clip, qink))
                                    << text.toStdString() << " format " << format << " at " << at.x() << "," << at.y()
                                    << " round " << round;
                                ++checked;
                            }
        EXPECT_EQ(checked, 2 * 2 * 4 * 5 * 3 * 2);
    }
}

// A cell's text as a grid writes it (the cell filled, the text clipped to it) is the text Qt draws over
// the cell's colour, the first time and from the kept glyphs.
TEST(TextShaping, CellTextsOverTheirFillShowAsQtDrawsThem) {
    const TLogFont font = FontOf(-12);
    for (const TColor back : {clWhite, TColor(0x6A240A), clWhite}) {
        QImage image(100, 24, QImage::Format_RGB32);
        image.fill(Qt::black);
        TDeviceContext dc(&image);
        dc.Font = font;
        dc.TextColor = back == clWhite ? clBlack : clWhite;
        dc.BkColor = back;
        dc.BkMode = OPAQUE;
        const TRect cell = Rect(1, 1, 60, 20);
        dc.ExtTextOut(3, 3, ETO_CLIPPED | ETO_OPAQUE, &cell, QStringLiteral("鸡蛋(白皮)很长的名字"));
        QImage expected(100, 24, QImage::Format_RGB32);
        expected.fill(Qt::black);
        {
            QPainter p(&expected);
            p.fillRect(QRect(1, 1, 59, 19), ToQColor(back));
            p.setClipRect(QRect(1, 1, 59, 19));
            const QFont qfont = ToQFont(font);
            p.setFont(qfont);
            p.setPen(ToQColor(dc.TextColor));
            p.drawText(3, 3 + QFontMetrics(qfont).ascent(), QStringLiteral("鸡蛋(白皮)很长的名字"));
        }
        dc.EndPainter();
        ASSERT_EQ(image, expected) << std::hex << back;
    }
}
