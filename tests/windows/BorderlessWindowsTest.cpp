// The borderless windows' cut-corner outline through the data module's SetFormRegion, and moving such
// a window by its title through DragForm. Where the window system cannot move windows (here, as under
// X without a window manager) the window follows the mouse itself.
#include "TestDatabase.h"
#include "UnitHDMX.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// Pixels named by their top-left corner; a pixel belongs to the window when its centre lies inside the
// eight-cornered outline (3, 0), (w - 3, 0), (w, 3), (w, h - 3), (w - 3, h), (3, h), (0, h - 3), (0, 3).
void ExpectOutline(QWidget* widget, int w, int h) {
    const QRegion mask = widget->mask();
    for (const QPoint p :
         {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(w - 1, 0), QPoint(w - 2, 0), QPoint(w - 1, h - 1),
          QPoint(w - 1, h - 2), QPoint(0, h - 1), QPoint(1, h - 1), QPoint(w, h / 2), QPoint(w / 2, h)})
        EXPECT_FALSE(mask.contains(p)) << p.x() << "," << p.y() << " of " << w << "x" << h;
    for (const QPoint p :
         {QPoint(3, 0), QPoint(2, 2), QPoint(w - 4, 0), QPoint(w - 3, 1), QPoint(w - 1, 3),
          QPoint(w - 2, h - 3), QPoint(1, h - 3), QPoint(0, 3), QPoint(w / 2, h - 1), QPoint(w - 1, h / 2)})
        EXPECT_TRUE(mask.contains(p)) << p.x() << "," << p.y() << " of " << w << "x" << h;
}

// A left-button event at a point of the screen, sent to the widget the mouse took.
void Send(QWidget* widget, QEvent::Type type, QPoint global, Qt::MouseButtons held) {
    QMouseEvent e(type, widget->mapFromGlobal(global), global, Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &e);
}

}  // namespace

TEST(BorderlessWindows, SetFormRegionCutsThreePixelsOffEachCorner) {
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 300, 200);
    TDM::SetFormRegion(&form, 300, 200);
    ExpectOutline(form.Widget(), 300, 200);
    // The outline follows the size it is given, not the window's.
    TDM::SetFormRegion(&form, 120, 80);
    ExpectOutline(form.Widget(), 120, 80);
}

TEST(BorderlessWindows, ASmallWindowGetsItsOutlineAndFollowsTheMouseByItsTitle) {
    TTestDatabase db;
    THDMXFrm detail(nullptr);
    ExpectOutline(detail.Widget(), detail.Width(), detail.Height());
    detail.SetBounds(100, 80, detail.Width(), detail.Height());
    detail.ShowForm();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(detail.Widget()));
    const QPoint start = detail.Widget()->pos();

    QWidget* title = detail.imgCenter->Widget();
    const QPoint grab = title->mapToGlobal(QPoint(10, 10));
    QCursor::setPos(grab);
    Send(title, QEvent::MouseButtonPress, grab, Qt::LeftButton);
    Send(title, QEvent::MouseMove, grab + QPoint(50, 30), Qt::LeftButton);
    EXPECT_EQ(detail.Widget()->pos(), start + QPoint(50, 30));
    EXPECT_EQ(detail.Left(), start.x() + 50);
    Send(title, QEvent::MouseMove, grab + QPoint(-20, 5), Qt::LeftButton);
    EXPECT_EQ(detail.Widget()->pos(), start + QPoint(-20, 5));
    Send(title, QEvent::MouseButtonRelease, grab + QPoint(-20, 5), Qt::NoButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // Let go, the window stays where it was put.
    Send(title, QEvent::MouseMove, grab + QPoint(70, 70), Qt::NoButton);
    EXPECT_EQ(detail.Widget()->pos(), start + QPoint(-20, 5));

    // The title label moves the window as well; the right button does not.
    QWidget* label = detail.lblTit->Widget();
    const QPoint onLabel = label->mapToGlobal(QPoint(2, 2));
    QCursor::setPos(onLabel);
    QMouseEvent right(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(onLabel), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(label, &right);
    Send(label, QEvent::MouseMove, onLabel + QPoint(10, 0), Qt::LeftButton);
    EXPECT_EQ(detail.Widget()->pos(), start + QPoint(-20, 5));
    Send(label, QEvent::MouseButtonPress, onLabel, Qt::LeftButton);
    Send(label, QEvent::MouseMove, onLabel + QPoint(10, 0), Qt::LeftButton);
    EXPECT_EQ(detail.Widget()->pos(), start + QPoint(-10, 5));
    Send(label, QEvent::MouseButtonRelease, onLabel + QPoint(10, 0), Qt::NoButton);
}
