// The spinner: range rules and their events, stepping at the ends of the integer range, buttons held
// on a stepped clock, keys, the wheel, images, the frame controller, painting and streaming.
#include "ControlProbes.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "GraphicsImage.h"
#include "Platform.h"
#include "SkSpnEdt.h"
#include "Streaming.h"
#include "TimerClock.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>
#include <QWidget>
#include <climits>
#include <gtest/gtest.h>

namespace {
struct SkSpinnerTest : testing::Test {
    TManualClock Clock;
    std::unique_ptr<TPaintBox> Parent = std::make_unique<TPaintBox>(nullptr);
    TSkSpinner* Spinner = nullptr;
    QStringList Events;

    void SetUp() override {
        SetTimerClock(&Clock);
        Parent->SetBounds(0, 0, 300, 100);
        Spinner = new TSkSpinner(Parent.get());
        Spinner->SetParent(Parent.get());
        Spinner->OnChanging = [this](TObject*, int v, bool&) {
            Events << QStringLiteral("changing %1").arg(v);
        };
        Spinner->OnChange = [this](TObject*) { Events << QStringLiteral("change %1").arg(Spinner->Value()); };
        Spinner->OnIncrement = [this](TObject*, int n) { Events << QStringLiteral("inc %1").arg(n); };
        Spinner->OnDecrement = [this](TObject*, int n) { Events << QStringLiteral("dec %1").arg(n); };
    }
    void TearDown() override {
        Parent.reset();
        SetTimerClock(nullptr);
    }
    // The centre of the minus (left) or plus (right) button.
    TPoint Minus() const { return {Spinner->ButtonWidth() / 2, Spinner->Height() / 2}; }
    TPoint Plus() const { return {Spinner->Width() - Spinner->ButtonWidth() / 2, Spinner->Height() / 2}; }
    void Press(TPoint p) { Spinner->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(p.X, p.Y)); }
    void Release(TPoint p) { Spinner->Perform(WM_LBUTTONUP, 0, MakeLParam(p.X, p.Y)); }
    // Shows the form and focuses the control (an off-screen window takes the focus once active).
    static void ShowFocused(TForm& form, TWinControl* control) {
        form.Show();
        QApplication::setActiveWindow(form.Widget());
        control->SetFocus();
        QApplication::processEvents();
    }
    void Key(unsigned short vk, TShiftState shift = 0) {
        Spinner->Perform(WM_KEYDOWN, vk, ShiftKeyData(shift));
    }
};
}  // namespace

TEST_F(SkSpinnerTest, StartsAsAnEightyFiveByTwentyOneTabStopFromZeroToAHundred) {
    EXPECT_EQ(Spinner->Width(), 85);
    EXPECT_EQ(Spinner->Height(), 21);
    EXPECT_EQ(Spinner->Value(), 0);
    EXPECT_EQ(Spinner->Min(), 0);
    EXPECT_EQ(Spinner->Max(), 100);
    EXPECT_EQ(Spinner->Increment(), 1);
    EXPECT_EQ(Spinner->PageSize(), 10);
    EXPECT_EQ(Spinner->ButtonWidth(), 18);
    EXPECT_FALSE(Spinner->ParentColor());
    EXPECT_TRUE(Spinner->TabStop());
    EXPECT_EQ(Spinner->InitialDelay(), 400);
    EXPECT_EQ(Spinner->RepeatDelay(), 100);
}

TEST_F(SkSpinnerTest, ValuesAreClampedToTheRangeUnlessMinEqualsMaxWithoutCheckRange) {
    Spinner->SetValue(150);
    EXPECT_EQ(Spinner->Value(), 100);
    Spinner->SetValue(-5);
    EXPECT_EQ(Spinner->Value(), 0);

    Spinner->SetMax(0);  // Min = Max = 0: no clamping at all
    Spinner->SetValue(-70);
    EXPECT_EQ(Spinner->Value(), -70);
    Spinner->SetValue(1234);
    EXPECT_EQ(Spinner->Value(), 1234);
    Spinner->SetCheckRange(true);  // now [0, 0] holds
    EXPECT_EQ(Spinner->Value(), 0);
}

TEST_F(SkSpinnerTest, LoweringMaxBelowTheValueClampsItThroughOnChanging) {
    Spinner->SetValue(80);
    Events.clear();
    Spinner->SetMax(50);
    EXPECT_EQ(Spinner->Value(), 50);
    EXPECT_EQ(Events, QStringList({"changing 50", "change 50"}));
    // Min follows a Max set below it, and Max a Min set above it; Min = Max clamps only with CheckRange.
    Spinner->SetMax(-10);
    EXPECT_EQ(Spinner->Min(), -10);
    EXPECT_EQ(Spinner->Value(), 50);
    Spinner->SetCheckRange(true);
    EXPECT_EQ(Spinner->Value(), -10);
    Spinner->SetMin(20);
    EXPECT_EQ(Spinner->Max(), 20);
    EXPECT_EQ(Spinner->Value(), 20);
}

TEST_F(SkSpinnerTest, ARefusedChangeKeepsTheValueAndFiresNothingElse) {
    Spinner->SetValue(5);
    Events.clear();
    Spinner->OnChanging = [this](TObject*, int v, bool& allow) {
        Events << QStringLiteral("changing %1").arg(v);
        allow = false;
    };
    Spinner->Increment(3);
    Spinner->Decrement(3);
    EXPECT_EQ(Spinner->Value(), 5);
    EXPECT_EQ(Events, QStringList({"changing 8", "changing 2"}));
}

TEST_F(SkSpinnerTest, StepsFireTheirEventOnlyWhenTheValueChanged) {
    Spinner->Increment(7);
    EXPECT_EQ(Events, QStringList({"changing 7", "change 7", "inc 7"}));
    Events.clear();
    Spinner->Decrement(20);  // clamped to 0: still a change
    EXPECT_EQ(Events, QStringList({"changing 0", "change 0", "dec 20"}));
    Events.clear();
    Spinner->Decrement(1);  // already at Min: nothing changes, so no OnDecrement either
    Spinner->SetValue(100);
    Events.clear();
    Spinner->Increment(1);
    EXPECT_TRUE(Events.isEmpty()) << Events.join(", ").toStdString();
}

TEST_F(SkSpinnerTest, StepsStopAtTheEndsOfTheIntegerRangeInsteadOfWrappingAround) {
    Spinner->SetMax(0);  // unclamped
    Spinner->SetValue(INT_MAX - 1);
    Spinner->Increment(10);
    EXPECT_EQ(Spinner->Value(), INT_MAX);
    Events.clear();
    Spinner->Increment(INT_MAX);
    EXPECT_EQ(Spinner->Value(), INT_MAX);
    EXPECT_TRUE(Events.isEmpty());

    Spinner->SetValue(INT_MIN + 3);
    Spinner->Decrement(INT_MAX);
    EXPECT_EQ(Spinner->Value(), INT_MIN);
    Spinner->SetValue(5);
    Spinner->Decrement(INT_MIN);  // minus the most negative amount steps up, clamped too
    EXPECT_EQ(Spinner->Value(), INT_MAX);
}

TEST_F(SkSpinnerTest, AClickStepsOnceOnReleaseAndHoldingRepeatsAfter400ThenEvery100Ms) {
    Spinner->SetValue(50);
    Press(Plus());
    EXPECT_TRUE(Spinner->PlusPressed());
    EXPECT_EQ(Spinner->Value(), 50);
    Release(Plus());
    EXPECT_FALSE(Spinner->PlusPressed());
    EXPECT_EQ(Spinner->Value(), 51);

    Press(Minus());
    Clock.Advance(399);
    EXPECT_EQ(Spinner->Value(), 51);
    Clock.Advance(1);
    EXPECT_EQ(Spinner->Value(), 50);
    Clock.Advance(300);
    EXPECT_EQ(Spinner->Value(), 47);
    Release(Minus());
    EXPECT_EQ(Spinner->Value(), 46);
    Clock.Advance(1000);
    EXPECT_EQ(Spinner->Value(), 46);
    EXPECT_EQ(Clock.Running(), 0);
}

TEST_F(SkSpinnerTest, EachClickOfADoubleClickSteps) {
    Spinner->SetValue(50);
    const TPoint p = Plus();
    Press(p);
    Release(p);
    Spinner->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, MakeLParam(p.X, p.Y));
    EXPECT_TRUE(Spinner->PlusPressed());
    Release(p);
    EXPECT_EQ(Spinner->Value(), 52);
}

TEST_F(SkSpinnerTest, TheHeldTimerStepsTheButtonUnderTheMouseNow) {
    Spinner->SetValue(50);
    Press(Minus());
    Spinner->Perform(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(Plus().X, Plus().Y));
    Clock.Advance(400);
    EXPECT_EQ(Spinner->Value(), 51);
    Spinner->Perform(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(Spinner->Width() / 2, 5));
    Clock.Advance(100);
    EXPECT_EQ(Spinner->Value(), 51);
    Release({Spinner->Width() / 2, 5});
    EXPECT_EQ(Spinner->Value(), 51);
}

TEST_F(SkSpinnerTest, PressingAndReleasingBetweenTheButtonsChangesNothing) {
    Spinner->SetValue(10);
    const TPoint middle{Spinner->Width() / 2, 10};
    EXPECT_EQ(Spinner->ButtonAt(middle.X, middle.Y), TSkSpinner::sbNone);
    Press(middle);
    EXPECT_FALSE(Spinner->MinusPressed() || Spinner->PlusPressed());
    Clock.Advance(1000);
    Release(middle);
    EXPECT_EQ(Spinner->Value(), 10);
    EXPECT_TRUE(Events.size() == 2);  // only the SetValue above
}

TEST_F(SkSpinnerTest, HitTestSplitsAtTheButtonWidths) {
    EXPECT_EQ(Spinner->ButtonAt(0, 0), TSkSpinner::sbMinus);
    EXPECT_EQ(Spinner->ButtonAt(17, 20), TSkSpinner::sbMinus);
    EXPECT_EQ(Spinner->ButtonAt(18, 10), TSkSpinner::sbNone);
    EXPECT_EQ(Spinner->ButtonAt(66, 10), TSkSpinner::sbNone);
    EXPECT_EQ(Spinner->ButtonAt(67, 10), TSkSpinner::sbPlus);
    EXPECT_EQ(Spinner->ButtonAt(84, 0), TSkSpinner::sbPlus);
    EXPECT_EQ(Spinner->ButtonAt(85, 10), TSkSpinner::sbNone);
}

TEST_F(SkSpinnerTest, KeysStepByIncrementOrPageSizeAndOnKeyDownMayTakeThem) {
    Spinner->SetValue(50);
    Key(VK_UP);
    Key(VK_RIGHT);
    Key(VK_ADD);
    EXPECT_EQ(Spinner->Value(), 53);
    Key(VK_DOWN);
    Key(VK_LEFT);
    Key(VK_SUBTRACT);
    EXPECT_EQ(Spinner->Value(), 50);
    Key(VK_PRIOR);
    EXPECT_EQ(Spinner->Value(), 60);
    Key(VK_NEXT);
    Key(VK_NEXT);
    EXPECT_EQ(Spinner->Value(), 40);
    Spinner->OnKeyDown = [](TObject*, unsigned short& key, TShiftState) {
        if (key == VK_UP) key = 0;
    };
    Key(VK_UP);
    EXPECT_EQ(Spinner->Value(), 40);
    EXPECT_EQ(Spinner->Perform(WM_GETDLGCODE), std::intptr_t(DLGC_WANTARROWS));
}

TEST_F(SkSpinnerTest, RealKeyPressesReachTheSpinnerThroughItsWidget) {
    Spinner->SetValue(5);
    QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QApplication::sendEvent(Spinner->Widget(), &up);
    QKeyEvent plus(QEvent::KeyPress, Qt::Key_Plus, Qt::KeypadModifier, QStringLiteral("+"));
    QApplication::sendEvent(Spinner->Widget(), &plus);
    QKeyEvent pageDown(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
    QApplication::sendEvent(Spinner->Widget(), &pageDown);
    EXPECT_EQ(Spinner->Value(), 0);  // 5 + 1 + 1 - 10, clamped at Min
}

TEST_F(SkSpinnerTest, TheWheelStepsByIncrementOrByPageSizeWithCtrl) {
    Spinner->SetValue(50);
    auto wheel = [this](int delta, Qt::KeyboardModifiers mods) {
        QWheelEvent e(QPointF(40, 10), QPointF(40, 10), QPoint(), QPoint(0, delta), Qt::NoButton, mods,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(Spinner->Widget(), &e);
    };
    wheel(120, Qt::NoModifier);
    EXPECT_EQ(Spinner->Value(), 51);
    wheel(-120, Qt::NoModifier);
    wheel(-120, Qt::NoModifier);
    EXPECT_EQ(Spinner->Value(), 49);
    wheel(120, Qt::ControlModifier);
    EXPECT_EQ(Spinner->Value(), 59);
    wheel(-120, Qt::ControlModifier);
    EXPECT_EQ(Spinner->Value(), 49);
}

TEST_F(SkSpinnerTest, EnterWithTabOnEnterMovesTheFocusOn) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 100);
    auto* spinner = new TSkSpinner(&form);
    spinner->SetParent(&form);
    auto* next = new TSkSpinner(&form);
    next->SetParent(&form);
    next->SetLeft(100);
    spinner->SetTabOnEnter(true);
    ShowFocused(form, spinner);
    ASSERT_TRUE(spinner->Focused());
    spinner->Perform(WM_KEYDOWN, VK_RETURN);
    EXPECT_TRUE(spinner->Focused());  // the Tab is posted, not sent
    QApplication::processEvents();
    EXPECT_TRUE(next->Focused());
}

TEST_F(SkSpinnerTest, MouseOverAButtonMakesItHotAndLeavingClearsIt) {
    Spinner->Perform(WM_MOUSEMOVE, 0, MakeLParam(Plus().X, Plus().Y));
    EXPECT_EQ(Spinner->HotButton(), TSkSpinner::sbPlus);
    Spinner->Perform(WM_MOUSEMOVE, 0, MakeLParam(Minus().X, Minus().Y));
    EXPECT_EQ(Spinner->HotButton(), TSkSpinner::sbMinus);
    Spinner->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(Spinner->HotButton(), TSkSpinner::sbNone);
}

TEST_F(SkSpinnerTest, HexValueShowsThePrefixAndLowerCaseDigits) {
    Spinner->SetMax(1000);
    Spinner->SetValue(255);
    Spinner->SetShowHexValue(true);
    EXPECT_EQ(Spinner->ValueText(), QStringLiteral("$ff"));
    Spinner->SetHexValuePrefix(QStringLiteral("0x"));
    EXPECT_EQ(Spinner->ValueText(), QStringLiteral("0xff"));
    Spinner->SetShowHexValue(false);
    EXPECT_EQ(Spinner->ValueText(), QStringLiteral("255"));
}

TEST_F(SkSpinnerTest, PaintsFrameSeparatorsAndButtonFacesByState) {
    const TColor window = ColorToRGB(clWindow), shadow = ColorToRGB(clBtnShadow),
                 face = ColorToRGB(clBtnFace);
    const QImage& normal = Spinner->PaintOffscreen();
    // Frame in FrameColor, separators at ButtonWidth - 1 and Width - ButtonWidth.
    EXPECT_EQ(Pixel(normal, 0, 10), shadow);
    EXPECT_EQ(Pixel(normal, 40, 0), shadow);
    EXPECT_EQ(Pixel(normal, 17, 10), shadow);
    EXPECT_EQ(Pixel(normal, 67, 10), shadow);
    EXPECT_EQ(Pixel(normal, 30, 3), window);
    // Buttons (1, 1, 17, 20): a clWindow outline round a ButtonColor face.
    EXPECT_EQ(Pixel(normal, 1, 1), window);
    EXPECT_EQ(Pixel(normal, 2, 2), face);
    EXPECT_EQ(Pixel(normal, 82, 17), face);

    Spinner->Perform(WM_MOUSEMOVE, 0, MakeLParam(Plus().X, Plus().Y));
    const QImage hot = Spinner->PaintOffscreen().copy();
    EXPECT_EQ(Pixel(hot, 68, 1), ColorToRGB(DarkerColor(clBtnFace, 20)));
    EXPECT_EQ(Pixel(hot, 70, 2), ColorToRGB(LighterColor(clBtnFace, 10)));
    EXPECT_EQ(Pixel(hot, 2, 2), face);

    Press(Minus());
    const QImage pressed = Spinner->PaintOffscreen().copy();
    EXPECT_EQ(Pixel(pressed, 2, 2), ColorToRGB(DarkerColor(clBtnFace, 20)));
    Release({Spinner->Width() / 2, 5});

    Spinner->SetButtonColor(0x00C0FF);
    Spinner->SetEnabled(false);
    const QImage& disabled = Spinner->PaintOffscreen();
    EXPECT_EQ(Pixel(disabled, 2, 2), face);   // clBtnFace, whatever ButtonColor is
    EXPECT_EQ(Pixel(disabled, 30, 3), face);  // the value area too
    EXPECT_EQ(Pixel(disabled, 17, 10), shadow);
}

TEST_F(SkSpinnerTest, UnderVisualStylesTheThemeDrawsButtonsAndSeparatorsUnlessNotThemeAware) {
    SetThemesActiveForTest(true);
    const QImage themed = Spinner->PaintOffscreen().copy();
    const TColor editBorder = 0xB99D7F;  // the style's edit border
    EXPECT_EQ(Pixel(themed, 17, 10), editBorder);
    EXPECT_EQ(Pixel(themed, 67, 10), editBorder);
    EXPECT_NE(Pixel(themed, 3, 3), ColorToRGB(clBtnFace));  // the style's spin button face
    Spinner->SetThemeAware(false);
    const QImage classic = Spinner->PaintOffscreen().copy();
    EXPECT_EQ(Pixel(classic, 17, 10), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Pixel(classic, 3, 3), ColorToRGB(clBtnFace));
    ResetPlatformProfile();
}

TEST_F(SkSpinnerTest, TheValueIsCentredAndTheFocusRectSitsBetweenTheButtons) {
    Spinner->SetValue(8);
    const TInk ink = InkIn(Spinner->PaintOffscreen(), Rect(18, 1, 67, 20), clWindow, clWindowText);
    ASSERT_TRUE(ink.Shown());
    EXPECT_LE(std::abs((ink.First + ink.Last + 1) / 2 - 42), 2);

    // Focused: a dotted rectangle over (19, 2, 66, 19); without ShowFocusRect none.
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 60);
    Spinner->SetParent(&form);
    ShowFocused(form, Spinner);
    ASSERT_TRUE(Spinner->Focused());
    auto dotsOnTopRow = [](const QImage& image) {
        int dots = 0;
        for (int x = 19; x < 66; ++x)
            dots += Pixel(image, x, 2) != ColorToRGB(clWindow);
        return dots;
    };
    EXPECT_GE(dotsOnTopRow(Spinner->PaintOffscreen()), 20);
    Spinner->SetShowFocusRect(false);
    EXPECT_EQ(dotsOnTopRow(Spinner->PaintOffscreen()), 0);
    Spinner->SetParent(Parent.get());
}

TEST_F(SkSpinnerTest, AnImageListWidensTheButtonsAndGrowsTheControlAlsoWhenItChanges) {
    TImageList images(nullptr);
    images.SetWidth(20);
    images.SetHeight(16);
    Spinner->SetImages(&images);
    EXPECT_EQ(Spinner->ButtonWidth(), 24);
    EXPECT_EQ(Spinner->Height(), 21);  // 16 + 4 is not taller
    images.SetHeight(30);
    EXPECT_EQ(Spinner->Height(), 34);
    Spinner->SetImages(nullptr);
    images.SetWidth(40);
    EXPECT_EQ(Spinner->ButtonWidth(), 24);  // no longer listening
}

TEST_F(SkSpinnerTest, AFreedImageListIsForgotten) {
    auto* images = new TImageList(nullptr);
    Spinner->SetImages(images);
    delete images;
    EXPECT_EQ(Spinner->Images(), nullptr);
    Spinner->PaintOffscreen();
}

TEST_F(SkSpinnerTest, TheFrameControllerSetsFrameButtonAndBackgroundColours) {
    TSkFrameController controller(nullptr);
    controller.SetFrameColor(0x0000FF);
    controller.SetFlatButtonColor(0x00FF00);
    controller.SetColor(0xFF0000);
    Spinner->SetFrameController(&controller);
    EXPECT_EQ(Spinner->FrameColor(), TColor(0x0000FF));
    EXPECT_EQ(Spinner->ButtonColor(), TColor(0x00FF00));
    EXPECT_EQ(Spinner->Color(), TColor(0xFF0000));
    // Only what the notifications let through.
    Spinner->SetFrameControllerNotifications(FrameControllerBit(fcpColor));
    controller.SetFrameColor(0x123456);
    controller.SetColor(0x654321);
    EXPECT_EQ(Spinner->FrameColor(), TColor(0x0000FF));
    EXPECT_EQ(Spinner->Color(), TColor(0x654321));
    Spinner->SetFrameController(nullptr);
}

TEST_F(SkSpinnerTest, StreamsWhatDiffersFromTheDefaultsAndReadsOldNames) {
    RegisterClass<TSkSpinner>();
    Spinner->SetName(QStringLiteral("Years"));
    Spinner->SetMax(3000);
    Spinner->SetMin(1900);
    Spinner->SetValue(2024);
    Spinner->SetShowHexValue(true);
    const QString text = ComponentToText(Spinner);
    EXPECT_TRUE(text.contains("Max = 3000"));
    EXPECT_TRUE(text.contains("Value = 2024"));
    EXPECT_FALSE(text.contains("HexValuePrefix"));
    EXPECT_FALSE(text.contains("PageSize"));

    std::unique_ptr<TComponent> read(TextToComponent(text));
    auto* copy = dynamic_cast<TSkSpinner*>(read.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Min(), 1900);
    EXPECT_EQ(copy->Max(), 3000);
    EXPECT_EQ(copy->Value(), 2024);
    EXPECT_TRUE(copy->ShowHexValue());

    std::unique_ptr<TComponent> old(TextToComponent(QStringLiteral("object S: TSkSpinner\n"
                                                                   "  NumGlyphsMinus = 2\n"
                                                                   "  NumGlyphsPlus = 2\n"
                                                                   "  Flat = True\n"
                                                                   "  HexValuePrefix = '#'\n"
                                                                   "end\n")));
    ASSERT_NE(dynamic_cast<TSkSpinner*>(old.get()), nullptr);
    EXPECT_EQ(static_cast<TSkSpinner*>(old.get())->HexValuePrefix(), QStringLiteral("#"));
}
