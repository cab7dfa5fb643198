#include "ControlProbes.h"
#include "SkCanvasFixture.h"
#include "SkPopups.h"
#include "SkPopupsCalculator.h"
#include "Forms.h"
#include "WindowInput.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {
struct SkCalculatorTest : testing::Test {
    std::unique_ptr<TSkCalculator> Calc = std::make_unique<TSkCalculator>(nullptr);
    int Changes = 0, Sets = 0;
    void SetUp() override {
        Calc->OnChange = [this](TObject*) { ++Changes; };
        Calc->OnSetBtnClick = [this](TObject*) { ++Sets; };
    }
    // Presses the buttons named by the characters: digits, ".", "+", "-", "*", "/", "C", "=", "S" (Set).
    void Press(const std::string& keys) {
        for (char k : keys) {
            std::uint8_t code = cbNone;
            if (k >= '0' && k <= '9') code = std::uint8_t(k - '0');
            switch (k) {
            case '.':
                code = cbPoint;
                break;
            case '+':
                code = cbAdd;
                break;
            case '-':
                code = cbSubtract;
                break;
            case '*':
                code = cbMultiply;
                break;
            case '/':
                code = cbDivide;
                break;
            case 'C':
                code = cbClear;
                break;
            case '=':
                code = cbEquals;
                break;
            case 'S':
                code = cbSet;
                break;
            default:
                break;
            }
            Calc->PressButton(code);
        }
    }
    QString Shown() const { return Calc->DisplayText(); }
};

void Click(TControl* control, const TPoint& down, const TPoint& up) {
    QWidget* w = control->Widget();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(down.X, down.Y),
                      w->mapToGlobal(QPointF(down.X, down.Y)), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent move(QEvent::MouseMove, QPointF(up.X, up.Y), w->mapToGlobal(QPointF(up.X, up.Y)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(up.X, up.Y), w->mapToGlobal(QPointF(up.X, up.Y)),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

TPoint Centre(const TRect& r) {
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}
}  // namespace

TEST_F(SkCalculatorTest, OperatorSequencesWorkLeftToRight) {
    Press("12+3=");
    EXPECT_EQ(Shown(), "15.");
    EXPECT_DOUBLE_EQ(Calc->Result(), 15);
    EXPECT_EQ(Changes, 1);

    Press("C7=");
    EXPECT_DOUBLE_EQ(Calc->Result(), 7);

    // No precedence: (2 + 3) * 4, the running result shown after each operator.
    Press("C2+3*");
    EXPECT_EQ(Shown(), "5.");
    Press("4=");
    EXPECT_DOUBLE_EQ(Calc->Result(), 20);

    // An operator right after = goes on from the result; a number typed after = starts over
    // (it used to be dropped: 9 - 1 gave the old result less 1).
    Press("-5=");
    EXPECT_DOUBLE_EQ(Calc->Result(), 15);
    Press("9-1=");
    EXPECT_DOUBLE_EQ(Calc->Result(), 8);
    Press("C1/4=");
    EXPECT_EQ(Shown(), "0.25");
}

// A number typed after = and ended with = stands alone: 2 + 3 = 5 = shows 5, not 5 + 5.
TEST_F(SkCalculatorTest, ANumberTypedAfterEqualsAndEqualsIsItself) {
    auto type = [this](const QString& keys) {
        for (QChar key : keys)
            Calc->Perform(WM_CHAR, key.unicode());
    };
    type("2+3=");
    EXPECT_EQ(Shown(), "5.");
    type("5=");
    EXPECT_EQ(Shown(), "5.");
    EXPECT_DOUBLE_EQ(Calc->Result(), 5);
    type(".5=");
    EXPECT_EQ(Shown(), "0.5");
    type("+1==");  // an = right after = repeats the last operation
    EXPECT_EQ(Shown(), "2.5");
    EXPECT_EQ(Changes, 5);
}

TEST_F(SkCalculatorTest, TheDecimalPointShowsTypedZerosAndIsTakenOnce) {
    Press("1.50");
    EXPECT_EQ(Shown(), "1.50");
    Press(".7");
    EXPECT_EQ(Shown(), "1.507");
    Press("C.5");
    EXPECT_EQ(Shown(), "0.5");
    EXPECT_DOUBLE_EQ(Calc->Entry(), 0.5);
}

TEST_F(SkCalculatorTest, DivisionByZeroShowsEUntilCleared) {
    Press("5/0=");
    EXPECT_TRUE(Calc->Error());
    EXPECT_EQ(Shown(), "E");
    Press("7+8=.");
    EXPECT_EQ(Shown(), "E");
    EXPECT_EQ(Changes, 1);  // the = that failed; later ones are ignored
    Press("C");
    EXPECT_EQ(Shown(), "0.");
    Press("6=");
    EXPECT_DOUBLE_EQ(Calc->Result(), 6);
    // Writing Result clears the error too.
    Press("1/0=");
    Calc->SetResult(3);
    EXPECT_FALSE(Calc->Error());
    EXPECT_EQ(Shown(), "3.");
}

TEST_F(SkCalculatorTest, SetEvaluatesFirstAndReportsOnlyInPopupMode) {
    Press("2+3S");
    EXPECT_DOUBLE_EQ(Calc->Result(), 5);
    EXPECT_EQ(Sets, 0);
    Calc->SetPopupMode(true);
    Press("C2+3S");
    EXPECT_DOUBLE_EQ(Calc->Result(), 5);
    EXPECT_EQ(Sets, 1);
}

TEST_F(SkCalculatorTest, TypedDigitsStopAtFifteenAndBigResultsTakeTheExponentForm) {
    Press("00012345678901234567");
    EXPECT_EQ(Shown(), "123456789012345.");
    Press("C1.23456789012345678");
    EXPECT_EQ(Shown(), "1.23456789012345");
    // 999999999999999 * 1000 needs 18 digits: shown with 15 and an exponent.
    Press("C999999999999999*1000=");
    EXPECT_EQ(Shown(), "9.99999999999999E17");
    Press("C1/100000=");
    EXPECT_EQ(Shown(), "1E-5.");
    Press("C1/10000=");
    EXPECT_EQ(Shown(), "0.0001");
}

TEST_F(SkCalculatorTest, KeysTypeDigitsOperatorsAndEnterEquals) {
    for (char16_t ch : u"12*3")
        if (ch) Calc->Perform(WM_CHAR, ch);
    Calc->Perform(WM_KEYDOWN, VK_RETURN);
    EXPECT_DOUBLE_EQ(Calc->Result(), 36);
    Calc->Perform(WM_CHAR, 'c');
    EXPECT_EQ(Shown(), "0.");
    Calc->SetPopupMode(true);
    for (char16_t ch : u"8/2")
        if (ch) Calc->Perform(WM_CHAR, ch);
    Calc->Perform(WM_KEYDOWN, VK_RETURN);  // Set in pop-up mode
    EXPECT_DOUBLE_EQ(Calc->Result(), 4);
    EXPECT_EQ(Sets, 1);
    EXPECT_EQ(Calc->Perform(WM_GETDLGCODE), DLGC_WANTARROWS);
}

TEST_F(SkCalculatorTest, GridCellsFollowTheWidth) {
    Calc->SetAutoSize(false);
    Calc->SetBounds(0, 0, 300, 300);
    // Lowered frame: 296 inside, S = (296 - 24) div 5 + 1 = 55; positions 6, 65, 124, 183, 242.
    EXPECT_EQ(Calc->ButtonRect(7), (TRect{6, 65, 61, 120}));
    EXPECT_EQ(Calc->ButtonRect(3), (TRect{124, 183, 179, 238}));
    EXPECT_EQ(Calc->ButtonRect(0), (TRect{6, 242, 120, 297}));
    EXPECT_EQ(Calc->ButtonRect(cbClear), (TRect{242, 65, 297, 179}));
    EXPECT_EQ(Calc->ButtonRect(cbEquals), (TRect{242, 183, 297, 297}));
    EXPECT_EQ(Calc->ButtonRect(cbDivide), (TRect{183, 65, 238, 120}));
    EXPECT_EQ(Calc->ButtonRect(cbDisplay), (TRect{6, 6, 297, 61}));
    EXPECT_TRUE(Calc->ButtonRect(cbSet).IsEmpty());
    Calc->SetPopupMode(true);
    EXPECT_EQ(Calc->ButtonRect(cbDisplay), (TRect{6, 6, 238, 61}));
    EXPECT_EQ(Calc->ButtonRect(cbSet), (TRect{242, 6, 297, 61}));
    // A flat frame is 1 pixel: the grid starts at 4.
    Calc->SetBorderOuter(fsFlat);
    EXPECT_EQ(Calc->ButtonRect(7).Left, 4 + 0 * 55);
}

TEST_F(SkCalculatorTest, ItKeepsAtLeastItsPreferredSquare) {
    const TSize preferred = Calc->PreferredSize();
    EXPECT_EQ(Calc->Width(), preferred.cx);
    EXPECT_EQ(Calc->Height(), preferred.cy);
    Calc->SetAutoSize(false);
    Calc->SetBounds(0, 0, 20, 500);
    EXPECT_EQ(Calc->Width(), preferred.cx);
    EXPECT_EQ(Calc->Height(), 500);
}

TEST_F(SkCalculatorTest, AClickPressesTheButtonReleasedOnAndFiresOnClick) {
    int clicks = 0;
    Calc->OnClick = [&](TObject*) { ++clicks; };
    Click(Calc.get(), Centre(Calc->ButtonRect(7)), Centre(Calc->ButtonRect(7)));
    EXPECT_DOUBLE_EQ(Calc->Entry(), 7);
    EXPECT_EQ(clicks, 1);
    // Released over another button: nothing.
    Click(Calc.get(), Centre(Calc->ButtonRect(8)), Centre(Calc->ButtonRect(9)));
    EXPECT_DOUBLE_EQ(Calc->Entry(), 7);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(Calc->PressedButton(), cbNone);
}

// Keys pressed twice quickly count twice: the calculator takes no double clicks.
TEST_F(SkCalculatorTest, QuickPressesOnAKeyAreEachAPress) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 300);
    Calc->SetParent(&form);
    form.ShowForm();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.Widget()));
    int clicks = 0, doubles = 0;
    Calc->OnClick = [&](TObject*) { ++clicks; };
    Calc->OnDblClick = [&](TObject*) { ++doubles; };
    const TPoint seven = Centre(Calc->ButtonRect(7));
    DoubleClick(Calc->Widget(), QPoint(seven.X, seven.Y));
    EXPECT_EQ(Shown(), "77.");
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(doubles, 0);
    Calc->SetParent(nullptr);
}

TEST_F(SkCalculatorTest, PaintsTheDisplayTextRightAlignedAndTheButtonsInTheirColours) {
    Calc->CalculatorColors()->SetColor(ccOperatorBtns, clYellow);
    Calc->CalculatorColors()->SetColor(ccDisplay, clAqua);
    Press("42");
    const QImage& image = Calc->PaintOffscreen();
    const TRect display = Calc->ButtonRect(cbDisplay);
    const TRect inner{display.Left + 1, display.Top + 1, display.Right - 1, display.Bottom - 1};
    const TInk ink = InkIn(image, inner, clAqua, clWindowText);
    EXPECT_TRUE(ink.Shown());
    EXPECT_LE(ink.Last, inner.Right - 3);  // ends 2 pixels inside the box
    EXPECT_GT(ink.First, (inner.Left + inner.Right) / 2);
    const TRect plus = Calc->ButtonRect(cbAdd);
    EXPECT_EQ(Pixel(image, plus.Left + 3, plus.Top + 3), ColorToRGB(clYellow));
    EXPECT_EQ(Pixel(image, Calc->ButtonRect(7).Left + 3, Calc->ButtonRect(7).Top + 3), ColorToRGB(clBtnFace));
}

using SkPopupButtonTest = SkCanvasTest;

TEST_F(SkPopupButtonTest, DownShiftsTheCaptionAndFillsTheFaceInItsColour) {
    // The caption's box: what is not the face inside the frames.
    auto captionBox = [this] {
        TRect box{100, 100, -1, -1};
        for (int y = 3; y < 17; ++y)
            for (int x = 3; x < 17; ++x)
                if (At(x, y) != ColorToRGB(clBtnFace))
                    box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                           std::max(box.Bottom, y + 1)};
        return box;
    };
    Canvas->Font()->SetHeight(-11);
    DrawPopupButton(Canvas, Rect(0, 0, 20, 20), "8", clBtnFace, clBlue, false, false, false);
    const TRect up = captionBox();
    ASSERT_LT(up.Left, up.Right);
    EXPECT_EQ(At(10, 2), ColorToRGB(clBtnFace));
    SetUp();
    DrawPopupButton(Canvas, Rect(0, 0, 20, 20), "8", clBtnFace, clBlue, false, true, false);
    const TRect down = captionBox();
    // The caption moves 1 pixel right and down.
    EXPECT_EQ(down.Left, up.Left + 1);
    EXPECT_EQ(down.Top, up.Top + 1);
    SetUp();
    DrawPopupButton(Canvas, Rect(0, 0, 20, 20), "", clRed, clBlack, true, false, false);
    EXPECT_EQ(At(10, 10), ColorToRGB(clRed));
}
