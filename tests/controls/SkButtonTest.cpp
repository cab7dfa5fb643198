// The push button: its faces in every state (pixels worked out from the frame rules by hand), its
// caption styles, the mouse and the space bar, default and cancel buttons, modal results, groups,
// accelerators and its stored form.
#include "SkButton.h"
#include "ExtCtrls.h"
#include "SkButtonFixture.h"
#include "Streaming.h"
#include "WindowInput.h"

#include <QPointer>
#include <QTimer>

namespace {
struct PushButton : SkButtonWindow {
    TSkButton* Button = nullptr;
    int Clicks = 0;
    void SetUp() override {
        SkButtonWindow::SetUp();
        Button = Place<TSkButton>();
        Button->OnClick = [this](TObject*) { ++Clicks; };
    }
    QImage Picture() { return Button->PaintOffscreen(); }
    static TColor Sys(TColor c) { return ColorToRGB(c); }
    // Each channel within `by` of the colour's.
    static bool Near(TColor a, TColor b, int by) {
        return std::abs(GetRValue(a) - GetRValue(b)) <= by && std::abs(GetGValue(a) - GetGValue(b)) <= by &&
               std::abs(GetBValue(a) - GetBValue(b)) <= by;
    }
    // The box of what the caption put on the face (inside the border).
    TRect CaptionInk() {
        const QImage face = Picture().copy(3, 3, 69, 19);
        // Smoothing face-coloured text over the face may leave a channel one off.
        TRect box = Box(face, [](TColor c) { return !Near(c, ColorToRGB(clBtnFace), 8); });
        OffsetRect(box, 3, 3);
        return box;
    }
};
}  // namespace

// Classic look ------------------------------------------------------------------------------------------
TEST_F(PushButton, TheClassicFaceIsAButtonBorderFilledWithTheFaceColour) {
    ASSERT_EQ(Button->Width(), 75);
    ASSERT_EQ(Button->Height(), 25);
    QImage p = Picture();
    EXPECT_EQ(Pixel(p, 0, 0), Sys(clBtnHighlight));  // outer pass, upper left
    EXPECT_EQ(Pixel(p, 74, 0), Sys(cl3DDkShadow));   // the lower-right colour owns the corners
    EXPECT_EQ(Pixel(p, 0, 24), Sys(cl3DDkShadow));
    EXPECT_EQ(Pixel(p, 74, 24), Sys(cl3DDkShadow));
    EXPECT_EQ(Pixel(p, 1, 1), Sys(cl3DLight));  // inner pass
    EXPECT_EQ(Pixel(p, 73, 23), Sys(clBtnShadow));
    EXPECT_EQ(Pixel(p, 2, 2), Sys(clBtnFace));

    Button->SetDefault(true);  // Enter presses it: a window-frame line round the border
    p = Picture();
    EXPECT_EQ(Pixel(p, 0, 0), Sys(clWindowFrame));
    EXPECT_EQ(Pixel(p, 74, 24), Sys(clWindowFrame));
    EXPECT_EQ(Pixel(p, 1, 1), Sys(clBtnHighlight));
    EXPECT_EQ(Pixel(p, 72, 22), Sys(clBtnShadow));
    EXPECT_EQ(Pixel(p, 5, 4), Sys(clBtnFace));  // no focus: no dotted frame

    Button->SetFocus();
    p = Picture();
    EXPECT_EQ(Pixel(p, 5, 4), Sys(clBlack));  // the dotted frame inset by 4
    EXPECT_EQ(Pixel(p, 4, 5), Sys(clBlack));
    EXPECT_EQ(Pixel(p, 4, 4), Sys(clBtnFace));
    Button->SetShowFocusRect(false);
    EXPECT_EQ(Pixel(Picture(), 5, 4), Sys(clBtnFace));
}

TEST_F(PushButton, APressedButtonShowsTheDownBorderWithoutTheDefaultFrame) {
    Button->SetDefault(true);
    Button->Perform(WM_KEYDOWN, VK_SPACE);
    ASSERT_TRUE(Button->Pressed());
    const QImage p = Picture();
    EXPECT_EQ(Pixel(p, 0, 0), Sys(clBtnText));
    EXPECT_EQ(Pixel(p, 74, 24), Sys(clBtnText));
    EXPECT_EQ(Pixel(p, 1, 1), Sys(clBtnShadow));
    EXPECT_EQ(Pixel(p, 73, 23), Sys(clBtnShadow));
    EXPECT_EQ(Pixel(p, 2, 2), Sys(clBtnFace));
}

TEST_F(PushButton, AButtonOfItsOwnColourGetsShadesOfIt) {
    Button->SetColor(clSkyBlue);
    QImage p = Picture();
    EXPECT_EQ(Pixel(p, 0, 0), LighterColor(clSkyBlue, 100));
    EXPECT_EQ(Pixel(p, 74, 24), DarkerColor(clSkyBlue, 100));
    EXPECT_EQ(Pixel(p, 1, 1), LighterColor(clSkyBlue, 40));
    EXPECT_EQ(Pixel(p, 73, 23), DarkerColor(clSkyBlue, 50));
    EXPECT_EQ(Pixel(p, 2, 2), clSkyBlue);
    Button->Perform(WM_KEYDOWN, VK_SPACE);
    p = Picture();
    EXPECT_EQ(Pixel(p, 0, 0), DarkerColor(clSkyBlue, 100));
    EXPECT_EQ(Pixel(p, 74, 24), DarkerColor(clSkyBlue, 100));
    EXPECT_EQ(Pixel(p, 1, 1), DarkerColor(clSkyBlue, 50));
}

TEST_F(PushButton, AGroupedButtonThatIsDownIsSunkenAndCheckered) {
    Button->SetGroupIndex(1);
    Button->SetDown(true);
    QImage p = Picture();
    EXPECT_EQ(Pixel(p, 0, 0), Sys(clBtnShadow));  // lowered: sunken 3-D border
    EXPECT_EQ(Pixel(p, 74, 24), Sys(clBtnHighlight));
    EXPECT_EQ(Pixel(p, 1, 1), Sys(cl3DDkShadow));
    EXPECT_EQ(Pixel(p, 73, 23), Sys(cl3DLight));
    // Inside: every pixel whose column and row are both even or both odd is silver.
    EXPECT_EQ(Pixel(p, 2, 2), clSilver);
    EXPECT_EQ(Pixel(p, 3, 3), clSilver);
    EXPECT_EQ(Pixel(p, 3, 2), Sys(clBtnFace));
    Button->SetColor(clSilver);  // on silver the dots are grey
    p = Picture();
    EXPECT_EQ(Pixel(p, 2, 2), clGray);
    EXPECT_EQ(Pixel(p, 2, 3), clSilver);
    Button->SetShowDownPattern(false);
    EXPECT_EQ(Pixel(Picture(), 2, 2), clSilver);
    Button->SetColor(clBtnFace);
    Button->SetDown(false);  // refused: the group keeps one button down
    EXPECT_TRUE(Button->Down());
    Button->SetAllowAllUp(true);
    Button->SetDown(false);
    p = Picture();
    EXPECT_EQ(Pixel(p, 0, 0), Sys(clBtnHighlight));  // up: the raised button bevel
    EXPECT_EQ(Pixel(p, 74, 24), Sys(cl3DDkShadow));
}

// Hot-track look ------------------------------------------------------------------------------------------
TEST_F(PushButton, TheHotTrackLookHasARingInTheParentsShadesAFrameAndAShadedFace) {
    Button->SetHotTrack(true);
    EXPECT_TRUE(Button->Transparent());
    const TColor dark = DarkerColor(SkinBlue, 20), light = LighterColor(SkinBlue, 20);
    QImage p = Picture();
    // The parent shows at the cut corners.
    for (const auto& [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}, {74, 0}, {0, 24}, {74, 24}, {73, 24}})
        EXPECT_EQ(Pixel(p, x, y), SkinBlue) << x << "," << y;
    EXPECT_EQ(Pixel(p, 0, 2), dark);  // the ring: dark left and top, light right and bottom
    EXPECT_EQ(Pixel(p, 2, 0), dark);
    EXPECT_EQ(Pixel(p, 74, 2), light);
    EXPECT_EQ(Pixel(p, 72, 24), light);
    EXPECT_EQ(Pixel(p, 1, 1), dark);
    EXPECT_EQ(Pixel(p, 73, 1), dark);
    EXPECT_EQ(Pixel(p, 1, 23), dark);
    EXPECT_EQ(Pixel(p, 73, 23), light);
    EXPECT_EQ(Pixel(p, 1, 2), Sys(cl3DDkShadow));  // the frame, corners left out
    EXPECT_EQ(Pixel(p, 2, 1), Sys(cl3DDkShadow));
    EXPECT_EQ(Pixel(p, 73, 22), Sys(cl3DDkShadow));
    EXPECT_EQ(Pixel(p, 2, 21), DarkerColor(clBtnFace, 20));  // the face's two bottom lines
    EXPECT_EQ(Pixel(p, 72, 22), DarkerColor(clBtnFace, 30));
    // Its gradient: the stop colour on the last row, the start colour's band on the first.
    EXPECT_EQ(Pixel(p, 2, 20), DarkerColor(clBtnFace, 10));
    EXPECT_TRUE(Near(Pixel(p, 2, 2), LighterColor(clBtnFace, 30), 4));

    Button->Perform(CM_MOUSEENTER);  // hot: a glow from the light to the hot-track colour
    p = Picture();
    EXPECT_EQ(Pixel(p, 10, 22), TColor(0x149BF0));
    EXPECT_TRUE(Near(Pixel(p, 10, 2), BlendColors(clWhite, 0x149BF0, 190), 10));
    EXPECT_EQ(Pixel(p, 10, 20), DarkerColor(clBtnFace, 10));  // inside the glow: the face
    Button->SetHotTrackColorType(htctComplement);
    const TColor a = ComplementaryColor(0x149BF0, 180);
    p = Picture();
    EXPECT_TRUE(Near(Pixel(p, 10, 2), a, 10));
    EXPECT_EQ(Pixel(p, 10, 22), DarkerColor(a, 30));
}

TEST_F(PushButton, HotTrackDefaultDownAndDisabledFaces) {
    Button->SetHotTrack(true);
    Button->SetDefault(true);  // a glow in shades of the highlight colour
    const TColor s = LighterColor(clBtnFace, 30);
    QImage p = Picture();
    EXPECT_TRUE(Near(Pixel(p, 10, 2), BlendColors(clHighlight, s, 60), 10));
    EXPECT_EQ(Pixel(p, 10, 22), BlendColors(clHighlight, s, 160));

    Button->Perform(WM_KEYDOWN, VK_SPACE);  // down: a flat darker face
    p = Picture();
    EXPECT_EQ(Pixel(p, 2, 2), DarkerColor(clBtnFace, 10));
    EXPECT_EQ(Pixel(p, 72, 22), DarkerColor(clBtnFace, 10));
    Button->Perform(WM_KILLFOCUS);

    Button->SetEnabled(false);
    p = Picture();
    EXPECT_EQ(Pixel(p, 0, 2), SkinBlue);  // the ring in the parent colour alone
    EXPECT_EQ(Pixel(p, 1, 1), SkinBlue);
    EXPECT_EQ(Pixel(p, 1, 2), LighterColor(clBtnShadow, 30));  // clBtnFace: a pale frame
    EXPECT_EQ(Pixel(p, 2, 2), Sys(clBtnFace));
    Button->SetColor(clWhite);
    EXPECT_EQ(Pixel(Picture(), 1, 2), DarkerColor(clWhite, 80));
}

// The caption ---------------------------------------------------------------------------------------------
// Each copy of a caption is found by giving the other copies the face colour: the box of the pixels
// that differ from the face is then that copy's (its far edges at least, where nothing covers it).
TEST_F(PushButton, AShadowCaptionHasItsShadowBelowRightOrStraightBelowWhenRightAligned) {
    Button->SetCaption(QStringLiteral("确定"));
    auto ink = [&] { return CaptionInk(); };
    auto copies = [&](TColor main, TColor shadow) {
        Button->Font()->SetColor(main);
        Button->SetTextShadowColor(shadow);
    };
    for (const TAlignment alignment : {taCenter, taRightJustify}) {
        Button->SetAlignment(alignment);
        Button->SetTextStyle(tsNormal);
        copies(clRed, clRed);
        const TRect normal = ink();
        ASSERT_FALSE(normal.IsEmpty());
        Button->SetTextStyle(tsShadow);
        copies(clRed, clBtnFace);
        const TRect main = ink();
        copies(clBtnFace, clRed);
        const TRect shadow = ink();
        // Right-aligned the caption moves left by the depth and its shadow lies straight below it.
        const int mainShift = alignment == taRightJustify ? -2 : 0;
        EXPECT_EQ(main.Left, normal.Left + mainShift) << alignment;
        EXPECT_EQ(main.Right, normal.Right + mainShift) << alignment;
        EXPECT_EQ(main.Bottom, normal.Bottom) << alignment;
        EXPECT_EQ(shadow.Right, normal.Right + (alignment == taRightJustify ? 0 : 2)) << alignment;
        EXPECT_EQ(shadow.Bottom, normal.Bottom + 2) << alignment;
    }
}

TEST_F(PushButton, RaisedAndRecessedTextHaveALightCopyAboveLeftOrBelowRight) {
    Button->SetCaption(QStringLiteral("确定"));
    auto ink = [&] { return CaptionInk(); };
    Button->Font()->SetColor(clRed);
    const TRect normal = ink();
    Button->Font()->SetColor(clBtnFace);  // only the copies show
    Button->SetTextHighlightColor(clBlue);
    Button->SetTextShadowColor(clBtnFace);
    Button->SetTextStyle(tsRaised);
    TRect light = ink();
    EXPECT_EQ(light.Left, normal.Left - 1);
    EXPECT_EQ(light.Top, normal.Top - 1);
    Button->SetTextStyle(tsRecessed);
    light = ink();
    EXPECT_EQ(light.Right, normal.Right + 1);
    EXPECT_EQ(light.Bottom, normal.Bottom + 1);
    Button->SetTextHighlightColor(clBtnFace);
    Button->SetTextShadowColor(clRed);
    const TRect dark = ink();  // recessed: the dark copy above left
    EXPECT_EQ(dark.Left, normal.Left - 1);
    EXPECT_EQ(dark.Top, normal.Top - 1);
    Button->SetLightTextStyle(true);  // only the light copy
    EXPECT_TRUE(ink().IsEmpty());
}

TEST_F(PushButton, ADisabledCaptionIsGreyOrDarkOnAGreyButton) {
    Button->SetCaption(QStringLiteral("确定"));
    Button->SetEnabled(false);
    const TRect text = Rect(5, 5, 70, 20);
    auto has = [&](const QImage& p, TColor c) {
        for (int y = text.Top; y < text.Bottom; ++y)
            for (int x = text.Left; x < text.Right; ++x)
                if (Pixel(p, x, y) == ColorToRGB(c)) return true;
        return false;
    };
    EXPECT_TRUE(has(Picture(), clGrayText));
    Button->SetColor(clGray);  // too close to clGrayText
    const QImage p = Picture();
    EXPECT_TRUE(has(p, cl3DDkShadow));
}

// The mouse and the keyboard --------------------------------------------------------------------------------
TEST_F(PushButton, DraggingOutShowsTheButtonUpAndReleasingOutsideClicksNothing) {
    QWidget* w = Button->Widget();
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(Button->Focused());
    EXPECT_TRUE(Button->Pressed());
    QTest::mouseMove(w, QPoint(100, 10));
    EXPECT_FALSE(Button->Pressed());
    QTest::mouseMove(w, QPoint(20, 12));
    EXPECT_TRUE(Button->Pressed());
    QTest::mouseMove(w, QPoint(20, 40));
    QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(20, 40));
    EXPECT_EQ(Clicks, 0);
    EXPECT_FALSE(Button->Tracking());
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(30, 12));
    EXPECT_EQ(Clicks, 1);
    EXPECT_FALSE(Button->Pressed());
}

// Taking the focus runs the handlers of the control that loses it; when they hide or disable the
// pressed button, it is not pressed and nothing touches it.
TEST_F(PushButton, APressIsForgottenWhenTheFocusLeavingElsewhereHidesOrDisablesTheButton) {
    auto* other = Place<TSkButton>(10, 50);
    other->SetFocus();
    other->OnExit = [this](TObject*) { Button->SetVisible(false); };
    QTest::mousePress(Button->Widget(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(Button->Pressed());
    EXPECT_FALSE(Button->Tracking());
    Button->SetVisible(true);
    QTest::mouseRelease(Button->Widget(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(Clicks, 0);

    Button->SetFocus();  // the same when it disables the button
    other->SetFocus();
    other->OnExit = [this](TObject*) { Button->SetEnabled(false); };
    QTest::mousePress(Button->Widget(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(Button->Pressed());
    EXPECT_FALSE(Button->Tracking());
}

// Two quick clicks on 添加 add twice: the double click's second press presses the button again, and
// the double click is still told.
TEST_F(PushButton, EachClickOfADoubleClickClicks) {
    int doubles = 0;
    Button->OnDblClick = [&](TObject*) { ++doubles; };
    DoubleClick(Button->Widget(), QPoint(30, 12));
    EXPECT_EQ(Clicks, 2);
    EXPECT_EQ(doubles, 1);
    EXPECT_FALSE(Button->Pressed());
}

// OnMouseDown may free the button (a right press that closes its window): the press ends quietly.
TEST_F(PushButton, AMouseDownHandlerMayFreeTheButton) {
    QPointer<QObject> alive(Button);
    QPointer<QWidget> widget = Button->Widget();
    Button->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { delete Button; };
    PressThroughWindow(widget, QPoint(30, 12), Qt::RightButton);
    EXPECT_TRUE(alive.isNull());
    QTest::mouseRelease(Form->Widget()->windowHandle(), Qt::RightButton, {}, QPoint(40, 22));
    QTest::qWait(1);
    EXPECT_TRUE(widget.isNull());
}

TEST_F(PushButton, TheSpaceBarPressesAndClicksOnRelease) {
    Button->SetFocus();
    QTest::keyPress(Button->Widget(), Qt::Key_Space);
    EXPECT_TRUE(Button->Pressed());
    EXPECT_EQ(Clicks, 0);
    QTest::keyRelease(Button->Widget(), Qt::Key_Space);
    EXPECT_EQ(Clicks, 1);
    EXPECT_FALSE(Button->Pressed());
    QTest::keyPress(Button->Widget(), Qt::Key_Space);
    auto* other = Place<TSkButton>(10, 50);
    other->SetFocus();  // leaving forgets the press
    EXPECT_FALSE(Button->Pressed());
    QTest::keyRelease(Button->Widget(), Qt::Key_Space);
    EXPECT_EQ(Clicks, 1);
}

TEST_F(PushButton, EnterPressesTheDefaultButtonAndEscapeTheCancelButtonWhereverTheFocusIs) {
    Button->SetDefault(true);
    auto* cancel = Place<TSkButton>(100, 10);
    cancel->SetCancel(true);
    int cancels = 0;
    cancel->OnClick = [&](TObject*) { ++cancels; };
    auto* edit = Place<TEdit>(10, 50);
    edit->SetFocus();
    EXPECT_TRUE(Button->Active());
    QTest::keyClick(edit->Widget(), Qt::Key_Return);
    EXPECT_EQ(Clicks, 1);
    QTest::keyClick(edit->Widget(), Qt::Key_Escape);
    EXPECT_EQ(cancels, 1);
    QTest::keyClick(edit->Widget(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(Clicks, 1);

    cancel->SetFocus();  // the focused push button takes Enter
    EXPECT_FALSE(Button->Active());
    EXPECT_TRUE(cancel->Active());
    QTest::keyClick(cancel->Widget(), Qt::Key_Return);
    EXPECT_EQ(cancels, 2);
    EXPECT_EQ(Clicks, 1);

    auto* plain = Place<TButton>(10, 90);  // a framework button is a push button too
    plain->SetFocus();
    EXPECT_FALSE(Button->Active());
    edit->SetFocus();
    EXPECT_TRUE(Button->Active());
    Button->SetEnabled(false);  // a button that cannot take the focus is not pressed
    QTest::keyClick(edit->Widget(), Qt::Key_Return);
    EXPECT_EQ(Clicks, 1);
}

TEST_F(PushButton, AltWithTheUnderlinedLetterClicksTheButton) {
    Button->SetCaption(QStringLiteral("保存(&S)"));
    auto* edit = Place<TEdit>(10, 50);
    edit->SetFocus();
    QTest::keyClick(edit->Widget(), Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(Clicks, 1);
    Button->Hide();
    QTest::keyClick(edit->Widget(), Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(Clicks, 1);
}

TEST_F(PushButton, ADisabledButtonGivesUpTheFocus) {
    Button->SetFocus();
    ASSERT_TRUE(Button->Focused());
    Button->SetEnabled(false);
    EXPECT_FALSE(Button->Focused());
    EXPECT_NE(Form->ActiveControl(), Button);
}

TEST(PushButtonModal, TheButtonsModalResultEndsTheModalWait) {
    TForm dialog(nullptr);
    auto* edit = new TEdit(&dialog);
    edit->SetParent(&dialog);
    auto* ok = new TSkButton(&dialog);
    ok->SetParent(&dialog);
    ok->SetTop(40);
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    auto* cancel = new TSkButton(&dialog);
    cancel->SetParent(&dialog);
    cancel->SetTop(80);
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    // A wait that goes wrong ends as a cancel instead of hanging the test.
    QTimer guard;
    guard.setInterval(3000);
    QObject::connect(&guard, &QTimer::timeout, [&] { dialog.Close(); });
    guard.start();
    QTimer::singleShot(0, [&] { QTest::mouseClick(ok->Widget(), Qt::LeftButton, {}, QPoint(5, 5)); });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    QTimer::singleShot(0, [&] {
        edit->SetFocus();
        QTest::keyClick(edit->Widget(), Qt::Key_Escape);
    });
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
    QTimer::singleShot(0, [&] {
        edit->SetFocus();
        QTest::keyClick(edit->Widget(), Qt::Key_Return);
    });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
}

// Groups ---------------------------------------------------------------------------------------------------
TEST_F(PushButton, ButtonsOfAGroupStayDownOneAtATime) {
    Button->SetDown(true);  // no group: stays up
    EXPECT_FALSE(Button->Down());
    Button->SetGroupIndex(1);
    auto* second = Place<TSkButton>(100, 10);
    second->SetGroupIndex(1);
    auto* elsewhere = Place<TSkButton>(10, 50);
    elsewhere->SetGroupIndex(2);
    auto* panel = Place<TPanel>(10, 100);
    auto* otherParent = Place<TSkButton>(0, 0, panel);
    otherParent->SetGroupIndex(1);
    otherParent->SetDown(true);
    elsewhere->SetDown(true);

    Button->SetDown(true);
    EXPECT_EQ(Button->State(), 3);
    second->SetDown(true);
    EXPECT_FALSE(Button->Down());
    EXPECT_EQ(Button->State(), 0);
    EXPECT_TRUE(elsewhere->Down());
    EXPECT_TRUE(otherParent->Down());  // groups are among siblings

    QTest::mouseClick(second->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(second->Down());  // the down button of a group that allows no all-up stays down
    Button->SetAllowAllUp(true);  // told to the group
    EXPECT_TRUE(second->AllowAllUp());
    EXPECT_FALSE(elsewhere->AllowAllUp());
    QTest::mouseClick(second->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(second->Down());
    QTest::mouseClick(Button->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(Button->Down());
    EXPECT_EQ(Clicks, 1);
}

// Streaming ------------------------------------------------------------------------------------------------
TEST(PushButtonStream, OnlyChangedValuesAreStoredAndFrameFlatIsReadAsHotTrack) {
    TForm form(nullptr);
    form.SetName(QStringLiteral("Form"));
    auto* b = new TSkButton(&form);
    b->SetName(QStringLiteral("B"));
    b->SetParent(&form);
    QString text = ComponentToText(b);
    for (const char* name : {"HotTrack", "Color", "HotTrackColor", "FrameColor", "Default", "ShowFocusRect",
                             "TabStop", "TextShadowDepth", "AlignmentVertical", "Transparent", "Width ="})
        EXPECT_FALSE(text.contains(QLatin1String(name))) << name;
    b->SetHotTrack(true);
    b->SetModalResult(mrOk);
    b->SetFrameColor(clNavy);
    text = ComponentToText(b);
    EXPECT_TRUE(text.contains(QStringLiteral("HotTrack = True")));
    EXPECT_TRUE(text.contains(QStringLiteral("ModalResult = 1")));
    EXPECT_TRUE(text.contains(QStringLiteral("FrameColor = clNavy")));
    EXPECT_FALSE(text.contains(QStringLiteral("Transparent")));  // it follows HotTrack

    std::unique_ptr<TComponent> read(TextToComponent(QStringLiteral("object Old: TSkButton\n"
                                                                    "  FrameFlat = True\n"
                                                                    "  Default = True\n"
                                                                    "end\n")));
    auto* old = dynamic_cast<TSkButton*>(read.get());
    ASSERT_NE(old, nullptr);
    EXPECT_TRUE(old->HotTrack());
    EXPECT_TRUE(old->Transparent());
    EXPECT_TRUE(old->Default());
    EXPECT_FALSE(ComponentToText(old).contains(QStringLiteral("FrameFlat")));
}
