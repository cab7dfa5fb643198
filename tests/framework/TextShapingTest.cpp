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
