// The mouse moved over styled controls the way the window system moves it: a hot-track button
// repaints its glow as the mouse comes and goes, and the window's hint shows after the pause.
#define QTEST_QPA_MOUSE_HANDLING
#include "SkButton.h"
#include "SkButtonFixture.h"
#include "HintWindow.h"
#include "SkCommon.h"

#include <QTest>

namespace {
struct MouseOver : SkButtonWindow {
    TSkButton* Button = nullptr;
    void SetUp() override {
        SkButtonWindow::SetUp();
        Button = Place<TSkButton>(40, 40);
        Button->SetHotTrack(true);
        QApplication::processEvents();
    }
    // The button as the window shows it now.
    QImage Shown() {
        QApplication::processEvents();
        return Form->Widget()->grab(QRect(40, 40, 75, 25)).toImage();
    }
    void MoveTo(const QPoint& p) {
        QTest::mouseMove(Form->Widget(), p);
        QApplication::processEvents();
    }
};
}  // namespace

TEST_F(MouseOver, TheHotFrameIsRepaintedAsTheMouseComesAndGoes) {
    MoveTo(QPoint(5, 5));
    const TColor glow = 0x149BF0, face = DarkerColor(clBtnFace, 30);
    EXPECT_EQ(Pixel(Shown(), 10, 22), face);
    MoveTo(QPoint(60, 50));
    EXPECT_TRUE(Button->MouseOver());
    EXPECT_EQ(Pixel(Shown(), 10, 22), glow);
    MoveTo(QPoint(62, 51));  // a move inside changes nothing
    EXPECT_EQ(Pixel(Shown(), 10, 22), glow);
    MoveTo(QPoint(5, 5));
    EXPECT_FALSE(Button->MouseOver());
    EXPECT_EQ(Pixel(Shown(), 10, 22), face);
}

TEST_F(MouseOver, TheHintShowsAfterThePauseAndGoesWithTheMouse) {
    const int savedPause = Application->HintPause();
    Application->SetHintPause(5);
    Button->SetHint(QStringLiteral("保存今天的记录"));
    Button->SetShowHint(true);
    auto shows = [] {
        THintWindow* w = Application->HintWindow();
        return w && w->Widget() && w->Widget()->isVisible();
    };
    MoveTo(QPoint(60, 50));
    EXPECT_FALSE(shows());
    EXPECT_TRUE(QTest::qWaitFor(shows, 2000));
    EXPECT_EQ(Application->HintWindow()->Caption(), QStringLiteral("保存今天的记录"));
    MoveTo(QPoint(5, 5));
    EXPECT_FALSE(shows());
    Application->CancelHint();
    Application->SetHintPause(savedPause);
}
