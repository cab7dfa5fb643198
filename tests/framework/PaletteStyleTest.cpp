// Scroll bars painted in the program's style: every look, drawn the first time or copied from the
// picture kept of it, shows the very pixels the underlying style paints; and the palettes the style
// shares between controls of the same colours go with the last of those controls.
#include "Forms.h"
#include "PaletteStyle.h"
#include "StdCtrls.h"

#include <QApplication>
#include <QHoverEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOption>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <vector>

namespace {

struct TBarCase {
    Qt::Orientation Orientation;
    QSize Size;
    int Value;
    bool SliderDown;
    QPoint Hover;  // (-1, -1): the mouse elsewhere
};

QStyle* PlainStyle() {
    static std::unique_ptr<QStyle> plain;
    if (!plain) {
        const auto* proxy = qobject_cast<QProxyStyle*>(QApplication::style());
        plain.reset(QStyleFactory::create(proxy ? proxy->baseStyle()->name() : QApplication::style()->name()));
    }
    return plain.get();
}

// The scroll bar in `style` (null: the application's), rendered at `at` into a magenta image of the
// layout a window's pixels have.
QImage Painted(QStyle* style, const TBarCase& c, const QPalette& palette,
               QImage::Format format = QImage::Format_RGB32, QPoint at = QPoint(3, 2)) {
    QScrollBar bar(c.Orientation);
    if (style) bar.setStyle(style);
    bar.setPalette(palette);
    bar.resize(c.Size);
    bar.setRange(0, 100);
    bar.setPageStep(20);
    bar.setValue(c.Value);
    bar.setSliderDown(c.SliderDown);
    if (c.Hover != QPoint(-1, -1)) {
        QHoverEvent enter(QEvent::HoverEnter, c.Hover, c.Hover, QPoint(-1, -1));
        QApplication::sendEvent(&bar, &enter);
        QHoverEvent move(QEvent::HoverMove, c.Hover, c.Hover, c.Hover);
        QApplication::sendEvent(&bar, &move);
    }
    QImage image(c.Size + QSize(at.x() + 5, at.y() + 4), format);
    image.fill(QColor(255, 0, 255));
    bar.render(&image, at);
    return image;
}

}  // namespace

// Both directions, sizes, places of the slider, hovered and pressed parts, in the classic colours, in
// others and in colours that let the background show, onto pixels of every common layout: each painted
// twice (the second time from the kept picture) as the underlying style paints it.
TEST(PaletteStyle, ScrollBarsShowWhatTheUnderlyingStyleDraws) {
    UseColourKeyedStyle();
    QPalette coloured = QApplication::palette();
    coloured.setColor(QPalette::Button, QColor(0xE8, 0xC9, 0xA0));
    coloured.setColor(QPalette::Window, QColor(0xF5, 0xE6, 0xD8));
    QPalette seeThrough = QApplication::palette();
    for (const QPalette::ColorRole role : {QPalette::Button, QPalette::Window, QPalette::Base, QPalette::Dark,
                                           QPalette::Mid, QPalette::Light, QPalette::Shadow})
        seeThrough.setColor(role, QColor(0, 0, 255, 90));
    const QPoint away(-1, -1);
    const TBarCase cases[] = {
        {Qt::Vertical, QSize(17, 200), 0, false, away},
        {Qt::Vertical, QSize(17, 200), 100, false, away},
        {Qt::Vertical, QSize(17, 120), 37, false, QPoint(8, 50)},
        {Qt::Vertical, QSize(17, 120), 37, true, away},
        {Qt::Horizontal, QSize(160, 17), 50, false, QPoint(4, 8)},
        {Qt::Horizontal, QSize(90, 15), 12, false, QPoint(80, 7)},
        {Qt::Horizontal, QSize(622, 16), 85, false, away},  // a day-detail window's
    };
    int checked = 0;
    for (const QImage::Format format :
         {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied, QImage::Format_ARGB32, QImage::Format_RGB16})
        for (const QPalette& palette : {QApplication::palette(), coloured, seeThrough})
            for (const TBarCase& c : cases)
                // Gradients round by where they lie: near the corner and far into a window.
                for (const QPoint at : {QPoint(3, 2), QPoint(9, 306), QPoint(301, 307)}) {
                    const QImage expected = Painted(PlainStyle(), c, palette, format, at);
                    for (int time = 0; time < 2; ++time)
                        ASSERT_EQ(Painted(nullptr, c, palette, format, at), expected)
                            << "case " << checked << " format " << format << " time " << time;
                    ++checked;
                }
    EXPECT_EQ(checked, 4 * 21 * 3);
}

// Two looks in turns, each shown as itself: a picture kept for one is never shown for the other.
TEST(PaletteStyle, ScrollBarsOfOtherLooksKeepTheirOwnPictures) {
    UseColourKeyedStyle();
    const TBarCase top{Qt::Vertical, QSize(17, 150), 0, false, QPoint(-1, -1)};
    const TBarCase bottom{Qt::Vertical, QSize(17, 150), 100, false, QPoint(-1, -1)};
    const QImage topLook = Painted(PlainStyle(), top, QApplication::palette());
    const QImage bottomLook = Painted(PlainStyle(), bottom, QApplication::palette());
    ASSERT_NE(topLook, bottomLook);
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(Painted(nullptr, top, QApplication::palette()), topLook);
        EXPECT_EQ(Painted(nullptr, bottom, QApplication::palette()), bottomLook);
    }
}

namespace {
// An edit of its own colour on `form`, drawn once.
TEdit* DrawnEdit(TForm* form, TColor color) {
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetColor(color);
    QImage image(edit->Width(), edit->Height(), QImage::Format_RGB32);
    edit->Widget()->render(&image);
    return edit;
}
}  // namespace

// Edits of 10,000 colours drawn, then freed one by one in a mixed order or with their window: no palette
// stays for them. A palette two edits drew with stays while either lives; drawing for no control keeps
// none.
TEST(PaletteStyle, APaletteGoesWithTheLastControlThatDrewWithIt) {
    UseColourKeyedStyle();
    // Widgets earlier tests left to go go first.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const int before = SharedPaletteCount();
    std::vector<std::unique_ptr<TForm>> windows;
    std::vector<TEdit*> alone;
    for (int w = 0; w < 200; ++w) {
        windows.push_back(std::make_unique<TForm>(nullptr));
        for (int i = 0; i < 50; ++i) {
            const int n = w * 50 + i;
            TEdit* edit = DrawnEdit(windows.back().get(), RGB(n & 0xFF, (n >> 8) & 0xFF, 0x5A));
            if (i % 2) alone.push_back(edit);
        }
        QCoreApplication::sendPostedEvents();
    }
    EXPECT_EQ(SharedPaletteCount(), before + 10000);
    std::shuffle(alone.begin(), alone.end(), std::mt19937(35));
    for (TEdit* edit : alone)
        delete edit;
    EXPECT_EQ(SharedPaletteCount(), before + 5000);
    windows.clear();
    EXPECT_EQ(SharedPaletteCount(), before);
    // Of those no control uses, only the last few are kept aside.
    EXPECT_LE(SparePaletteCount(), SparePalettes);

    TForm form(nullptr);
    TEdit* first = DrawnEdit(&form, 0x123456);
    TEdit* second = DrawnEdit(&form, 0x123456);
    EXPECT_EQ(SharedPaletteCount(), before + 1);
    delete first;
    EXPECT_EQ(SharedPaletteCount(), before + 1);
    delete second;
    EXPECT_EQ(SharedPaletteCount(), before);

    QStyleOptionFrame option;
    option.palette.setColor(QPalette::Base, QColor(0x65, 0x43, 0x21));
    option.rect = QRect(0, 0, 40, 20);
    QImage image(40, 20, QImage::Format_RGB32);
    QPainter painter(&image);
    QApplication::style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, nullptr);
    EXPECT_EQ(SharedPaletteCount(), before);
}

// One edit on a shown window, recoloured 20,000 times and repainted after each: it holds the palette of
// the colours it shows now only, the table holds what it held with the first colour, and a repaint's
// look-ups compare no more colour sets than they did after ten colours.
TEST(PaletteStyle, ARecolouredControlHoldsOnlyThePaletteItDrawsWithNow) {
    UseColourKeyedStyle();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 80);
    TEdit* edit = DrawnEdit(&form, RGB(0, 0, 0xA5));
    form.ShowForm();
    QCoreApplication::processEvents();
    const int before = SharedPaletteCount();
    QImage image(edit->Width(), edit->Height(), QImage::Format_RGB32);
    const auto comparedInRepaint = [&] {
        const qint64 compared = ColourKeyComparisons();
        edit->Widget()->render(&image);
        return ColourKeyComparisons() - compared;
    };
    qint64 afterTen = 0;
    for (int n = 1; n <= 20000; ++n) {
        edit->SetColor(RGB(n & 0xFF, n >> 8, 0xA5));
        edit->Widget()->render(&image);
        if (n == 10) afterTen = comparedInRepaint();
    }
    const qint64 afterAll = comparedInRepaint();
    // Repainted in the same colours, the mouse passing over it between paints.
    edit->Widget()->render(&image);
    for (int move = 0; move < 2; ++move) {
        QMouseEvent event(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(edit->Widget(), &event);
    }
    EXPECT_EQ(image.pixel(edit->Width() / 2, edit->Height() / 2), qRgb(0x20, 0x4E, 0xA5));
    EXPECT_EQ(PalettesHeldBy(edit->Widget()), 1);
    EXPECT_EQ(SharedPaletteCount(), before);
    // The last 32 colours let go are set aside, and none of those drawn with now.
    EXPECT_EQ(SparePaletteCount(), SparePalettes);
    EXPECT_GT(afterTen, 0);
    EXPECT_LE(afterAll, 2 * afterTen);
}

namespace {
// Paints a panel for another widget in colours of its own choosing, not its palette's, as an item
// view's viewport paints items coloured by their data for the view.
class TPanelForAnother : public QWidget {
public:
    explicit TPanelForAnother(QWidget* drawnFor) : QWidget(drawnFor), FDrawnFor(drawnFor) {}
    QColor Colour;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QStyleOptionFrame option;
        option.initFrom(this);
        option.palette.setColor(QPalette::Base, Colour);
        style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, FDrawnFor);
    }

private:
    QWidget* FDrawnFor;
};
}  // namespace

// Colours that change with no new palette: a paint lets go of those the paint before did not draw with,
// and the widget painted holds them, whichever widget it draws for.
TEST(PaletteStyle, APaintLetsGoOfColoursThePaintBeforeDidNotDrawWith) {
    UseColourKeyedStyle();
    QWidget view;
    TPanelForAnother viewport(&view);
    viewport.resize(40, 20);
    QImage image(40, 20, QImage::Format_RGB32);
    const int before = SharedPaletteCount();
    for (int n = 1; n <= 100; ++n) {
        viewport.Colour = QColor(n, 0x3C, 0xA5);
        viewport.render(&image);
        viewport.render(&image);
    }
    EXPECT_EQ(image.pixel(20, 10), qRgb(100, 0x3C, 0xA5));
    EXPECT_EQ(PalettesHeldBy(&viewport), 1);
    EXPECT_EQ(SharedPaletteCount(), before + 1);

    // A widget made where a freed one was (as the allocator likes to) is watched as any other.
    auto* freed = new TPanelForAnother(&view);
    freed->render(&image);
    delete freed;
    std::unique_ptr<TPanelForAnother> made(new TPanelForAnother(&view));
    made->resize(40, 20);
    for (const int red : {1, 2}) {
        made->Colour = QColor(red, 0x3C, 0xA6);
        made->render(&image);
        made->render(&image);
    }
    EXPECT_EQ(PalettesHeldBy(made.get()), 1);
}
