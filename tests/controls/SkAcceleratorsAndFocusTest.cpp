// Keys and focus as a window's user meets them: Alt with a letter clicks the one button whose caption
// underlines it (the first of two that share it), and entering a control runs its own focus handling
// before the window's OnEnter, so OnEnter already sees the control focused and in its focus colours.
#include "SkButton.h"
#include "SkButtonFixture.h"
#include "SkEdit.h"
#include "StdCtrls.h"

#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>

// Accelerators ----------------------------------------------------------------------------------------

namespace {
// An edit with the focus and buttons of one class beside it, each counting its clicks.
template <class TButtonClass> struct Accelerators : SkButtonWindow {
    TEdit* Edit = nullptr;
    std::vector<TButtonClass*> Buttons;
    std::vector<int> Clicks;

    void SetUp() override {
        SkButtonWindow::SetUp();
        Edit = Place<TEdit>(10, 10);
        Edit->SetWidth(100);
    }
    TButtonClass* AddButton(const char* caption) {
        const int index = int(Buttons.size());
        auto* button = Place<TButtonClass>(10, 40 + 30 * index);
        button->SetCaption(QString::fromUtf8(caption));
        button->OnClick = [this, index](TObject*) { ++Clicks[size_t(index)]; };
        Buttons.push_back(button);
        Clicks.push_back(0);
        return button;
    }
    void AltKey(Qt::Key letter) {
        Edit->SetFocus();
        ASSERT_TRUE(Edit->Focused());
        QTest::keyClick(Edit->Widget(), letter, Qt::AltModifier);
    }
};

using ButtonClasses = testing::Types<TButton, TSkButton>;
TYPED_TEST_SUITE(Accelerators, ButtonClasses);
}  // namespace

TYPED_TEST(Accelerators, AltWithALetterClicksOnlyTheButtonThatUnderlinesIt) {
    this->AddButton("保存(&S)");
    this->AddButton("打印(&P)");
    this->AltKey(Qt::Key_S);
    EXPECT_EQ(this->Clicks, (std::vector<int>{1, 0}));
    this->AltKey(Qt::Key_P);
    EXPECT_EQ(this->Clicks, (std::vector<int>{1, 1}));
    // A letter that no caption underlines clicks nothing, though both captions hold other letters.
    this->AltKey(Qt::Key_A);
    EXPECT_EQ(this->Clicks, (std::vector<int>{1, 1}));
    // The edit that had the focus typed none of the letters.
    EXPECT_EQ(this->Edit->Text(), QString());
}

TYPED_TEST(Accelerators, ALetterTwoButtonsShareGoesToTheFirstThatCanTakeItOnly) {
    this->AddButton("保存(&S)");
    this->AddButton("搜索(&S)");
    this->AltKey(Qt::Key_S);
    EXPECT_EQ(this->Clicks, (std::vector<int>{1, 0}));
    this->AltKey(Qt::Key_S);
    EXPECT_EQ(this->Clicks, (std::vector<int>{2, 0}));
    // A disabled button cannot take it: the next one that shares the letter does.
    this->Buttons[0]->SetEnabled(false);
    this->AltKey(Qt::Key_S);
    EXPECT_EQ(this->Clicks, (std::vector<int>{2, 1}));
}

// Focus order -----------------------------------------------------------------------------------------

namespace {
// A styled edit that writes down its focus handling as it runs.
class TRecordingEdit : public TSkEdit {
public:
    using TSkEdit::TSkEdit;
    QStringList* Log = nullptr;

protected:
    void WndProc(TMessage& Message) override {
        if (Log && Message.Msg == WM_SETFOCUS) *Log << QStringLiteral("focus");
        TSkEdit::WndProc(Message);
    }
};

struct FocusOrder : SkButtonWindow {
    QStringList Log;
    TEdit* First = nullptr;
    TRecordingEdit* Edit = nullptr;
    bool FocusedInOnEnter = false;
    TColor ColorInOnEnter = clNone;

    void SetUp() override {
        SkButtonWindow::SetUp();
        First = Place<TEdit>(10, 10);
        Edit = Place<TRecordingEdit>(10, 40);
        Edit->Log = &Log;
        Edit->SetColor(clWhite);
        Edit->SetFocusColor(clYellow);
        Edit->OnEnter = [this](TObject*) {
            Log << QStringLiteral("enter");
            FocusedInOnEnter = Edit->Focused();
            ColorInOnEnter = Edit->Color();
        };
        First->SetFocus();
        ASSERT_TRUE(First->Focused());
        Log.clear();
    }
    void ExpectFocusThenEnter() {
        EXPECT_EQ(Log, QStringList({QStringLiteral("focus"), QStringLiteral("enter")}));
        EXPECT_TRUE(FocusedInOnEnter);
        EXPECT_EQ(ColorInOnEnter, clYellow);
    }
};
}  // namespace

TEST_F(FocusOrder, TheControlsFocusHandlingRunsBeforeOnEnterWhicheverWayTheFocusComes) {
    Edit->SetFocus();
    ExpectFocusThenEnter();

    First->SetFocus();
    Log.clear();
    QTest::keyClick(First->Widget(), Qt::Key_Tab);
    ASSERT_TRUE(Edit->Focused());
    ExpectFocusThenEnter();

    First->SetFocus();
    Log.clear();
    QTest::mouseClick(Edit->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(Edit->Focused());
    ExpectFocusThenEnter();
}
