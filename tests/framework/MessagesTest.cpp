// Messages: Qt's events reach the named handlers, a handler that does not call its base consumes
// the event, notifications travel to children and the form, and the non-client frame and the
// off-screen image are painted through their messages.
#include "Controls.h"
#include "DeviceContext.h"
#include "Forms.h"
#include "StdCtrls.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {
class TProbe : public TCustomControl {
public:
    explicit TProbe(TComponent* owner) : TCustomControl(owner) { SetOffscreenPaint(true); }
    std::vector<unsigned> Seen;
    bool SwallowMouse = false, AnswerEnter = false;
    int FrameWidth = 0, MouseX = -1, MouseY = -1, Timers = 0;
    std::vector<QString> PaintOrder;

protected:
    void WMLButtonDown(TWMMouse& m) override {
        Seen.push_back(m.Msg);
        MouseX = m.XPos;
        MouseY = m.YPos;
        if (!SwallowMouse) TCustomControl::WMLButtonDown(m);
    }
    void CMMouseEnter(TMessage& m) override {
        Seen.push_back(m.Msg);
        TCustomControl::CMMouseEnter(m);
    }
    void CMTextChanged(TMessage& m) override {
        Seen.push_back(m.Msg);
        TCustomControl::CMTextChanged(m);
    }
    void CMDialogKey(TWMKey& m) override {
        if (AnswerEnter && m.CharCode == VK_RETURN) m.Result = 1;
        Seen.push_back(m.Msg);
    }
    void WMTimer(TWMTimer& m) override {
        if (m.TimerID == 7) ++Timers;
    }
    void WMNCCalcSize(TWMNCCalcSize& m) override { InflateRect(*m.CalcRect, -FrameWidth, -FrameWidth); }
    void WMNCPaint(TWMPaint& m) override {
        PaintOrder.push_back(QStringLiteral("frame"));
        m.DC->FillRect(Rect(0, 0, Width(), Height()), TLogBrush{bsSolid, clRed, {}, false});
    }
    void WMEraseBkgnd(TWMPaint& m) override {
        PaintOrder.push_back(QStringLiteral("erase"));
        TCustomControl::WMEraseBkgnd(m);
    }
    void Paint() override {
        PaintOrder.push_back(QStringLiteral("paint"));
        Canvas()->Brush()->SetColor(clBlue);
        Canvas()->FillRect(Rect(0, 0, 2, 2));
    }
};

struct MessagesTest : testing::Test {
    TForm* Form = new TForm(nullptr);
    TProbe* Probe = new TProbe(Form);
    void SetUp() override {
        Probe->SetParent(Form);
        Probe->SetBounds(10, 10, 40, 30);
        Form->Show();
    }
    void TearDown() override { delete Form; }
};
}  // namespace

TEST_F(MessagesTest, AMouseHandlerThatSkipsItsBaseConsumesTheEvent) {
    int downs = 0;
    Probe->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
    QTest::mousePress(Probe->Widget(), Qt::LeftButton, {}, QPoint(5, 6));
    EXPECT_EQ(Probe->Seen, std::vector<unsigned>{WM_LBUTTONDOWN});
    EXPECT_EQ(Probe->MouseX, 5);
    EXPECT_EQ(Probe->MouseY, 6);
    EXPECT_EQ(downs, 1);
    Probe->SwallowMouse = true;
    QTest::mousePress(Probe->Widget(), Qt::LeftButton, {}, QPoint(5, 6));
    EXPECT_EQ(downs, 1);
}

TEST_F(MessagesTest, PerformReachesTheHandlerAndGivesItsResult) {
    EXPECT_EQ(Probe->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(-3, 12)), 0);
    EXPECT_EQ(Probe->MouseX, -3);
    EXPECT_EQ(Probe->MouseY, 12);
    Probe->SetCaption(QStringLiteral("新"));
    EXPECT_EQ(Probe->Seen.back(), CM_TEXTCHANGED);
    const size_t seen = Probe->Seen.size();
    Probe->SetCaption(QStringLiteral("新"));  // unchanged: no notification
    EXPECT_EQ(Probe->Seen.size(), seen);
    const QPoint inside = Probe->Widget()->mapToGlobal(QPoint(1, 1));
    EXPECT_EQ(Probe->Perform(WM_NCHITTEST, 0, MakeLParam(inside.x(), inside.y())), HTCLIENT);
    Probe->FrameWidth = 3;
    Probe->RecalcNonClientArea();  // (1, 1) now lies on the frame
    EXPECT_EQ(Probe->Perform(WM_NCHITTEST, 0, MakeLParam(inside.x(), inside.y())), HTNOWHERE);
}

TEST_F(MessagesTest, AParentColourChangeReachesChildrenThatFollowIt) {
    auto* follower = new TProbe(Form);
    follower->SetParent(Form);
    follower->SetParentColor(true);
    EXPECT_EQ(follower->Color(), Form->Color());
    Form->SetColor(clGreen);
    EXPECT_EQ(follower->Color(), clGreen);
    EXPECT_TRUE(follower->ParentColor());
    Probe->SetColor(clYellow);  // an own colour ends following
    EXPECT_FALSE(Probe->ParentColor());
    Form->SetColor(clRed);
    EXPECT_EQ(Probe->Color(), clYellow);
}

TEST_F(MessagesTest, EnterInAnEditIsOfferedToTheWindowAsADialogKey) {
    auto* edit = new TEdit(Form);
    edit->SetParent(Form);
    Probe->AnswerEnter = true;
    bool reachedEdit = false;
    edit->OnKeyDown = [&](TObject*, unsigned short& key, TShiftState) { reachedEdit |= key == VK_RETURN; };
    QTest::keyClick(edit->Widget(), Qt::Key_Return);
    EXPECT_NE(std::find(Probe->Seen.begin(), Probe->Seen.end(), unsigned(CM_DIALOGKEY)), Probe->Seen.end());
    EXPECT_FALSE(reachedEdit);  // the probe took it
    Probe->AnswerEnter = false;
    QTest::keyClick(edit->Widget(), Qt::Key_Return);
    EXPECT_TRUE(reachedEdit);
}

TEST_F(MessagesTest, ControlTimersDeliverTheirIdUntilKilled) {
    SetTimer(Probe, 7, 5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Probe->Timers >= 2; }, 5000));
    KillTimer(Probe, 7);
    const int count = Probe->Timers;
    QTest::qWait(30);
    EXPECT_EQ(Probe->Timers, count);
}

TEST_F(MessagesTest, OffscreenPaintingErasesPaintsAndFramesThroughMessages) {
    Probe->FrameWidth = 3;
    Probe->RecalcNonClientArea();
    EXPECT_EQ(Probe->NonClientMargins(), Rect(3, 3, 3, 3));
    Probe->SetColor(clWhite);
    const QImage& image = Probe->PaintOffscreen();
    EXPECT_EQ(Probe->PaintOrder, (std::vector<QString>{QStringLiteral("erase"), QStringLiteral("paint"),
                                                       QStringLiteral("frame")}));
    EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, 0xFF0000u);  // the frame
    EXPECT_EQ(image.pixel(3, 3) & 0xFFFFFF, 0x0000FFu);  // client (0, 0) lies inside the frame
    EXPECT_EQ(image.pixel(5, 5) & 0xFFFFFF, 0xFFFFFFu);  // erased in Color
    EXPECT_EQ(image.pixel(39, 29) & 0xFFFFFF, 0xFF0000u);
}

TEST_F(MessagesTest, ANativeWidgetKeepsItsContentInsideTheClientArea) {
    class TFramedEdit : public TEdit {
    public:
        using TEdit::TEdit;
        bool Painted = false;

    protected:
        void WMNCCalcSize(TWMNCCalcSize& m) override { InflateRect(*m.CalcRect, -2, -2); }
        void WMNCPaint(TWMPaint&) override { Painted = true; }
    };
    auto* edit = new TFramedEdit(Form);
    edit->SetParent(Form);
    edit->SetBounds(0, 50, 80, 22);
    edit->RecalcNonClientArea();
    EXPECT_EQ(edit->Widget()->contentsMargins(), QMargins(2, 2, 2, 2));
    const QImage shown = edit->Widget()->grab().toImage();
    EXPECT_TRUE(edit->Painted);
    EXPECT_EQ(shown.size(), QSize(80, 22));
}

TEST_F(MessagesTest, TheParentsBackgroundPaintsUnderAControl) {
    Form->SetColor(clGreen);
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    TDeviceContext dc(&image);
    PaintParentBackground(Probe, &dc);
    EXPECT_EQ(dc.GetPixel(0, 0), clGreen);
    EXPECT_EQ(dc.GetPixel(39, 29), clGreen);
    EXPECT_EQ(dc.ViewportOrg, Point(0, 0));
}

TEST_F(MessagesTest, AWindowRegionMasksTheWidget) {
    SetWindowRgn(Probe, CreateRoundRectRgn(0, 0, 40, 30, 10, 10), false);
    EXPECT_FALSE(Probe->Widget()->mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(Probe->Widget()->mask().contains(QPoint(20, 15)));
    SetWindowRgn(Probe, nullptr, false);
    EXPECT_TRUE(Probe->Widget()->mask().isEmpty());
}
