// The framed edit, memo and rich edit on a shown form, driven by focus, mouse and keys as a user
// would; frame pixels by hand from the frame rules (2-pixel band: a flat line outside, the field's
// colour inside; a bold frame fills both rows).
#include "Clipbrd.h"
#include "ControlProbes.h"
#include "DeviceContext.h"
#include "Forms.h"
#include "MessageBeep.h"
#include "Platform.h"
#include "SkEdit.h"
#include "SkEditMemo.h"
#include "SkTabsPages.h"
#include "Streaming.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {
struct SkEditTest : testing::Test {
    std::unique_ptr<TForm> Form;
    TSkEdit* Edit = nullptr;
    TSkEdit* Other = nullptr;
    TEdit* Parking = nullptr;  // holds the focus at the start
    void SetUp() override {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(0, 0, 300, 200);
        Edit = Add<TSkEdit>(10, 10, 80, 21);
        Other = Add<TSkEdit>(10, 40, 80, 21);
    }
    void TearDown() override {
        Form.reset();
        ResetPlatformProfile();
    }
    template <class T> T* Add(int left, int top, int width, int height) {
        auto* control = new T(Form.get());
        control->SetParent(Form.get());
        control->SetBounds(left, top, width, height);
        return control;
    }
    void ShowForm() {
        Form->Show();
        Form->Widget()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form->Widget()));
        Parking = Add<TEdit>(10, 170, 40, 21);
        Parking->SetFocus();
        QApplication::processEvents();
    }
    TColor FieldColor(TWinControl* control) const {
        const QColor c = control->Widget()->palette().color(QPalette::Active, QPalette::Base);
        return RGB(c.red(), c.green(), c.blue());
    }
};

TEST_F(SkEditTest, TheFieldShowsTheColourOfItsState) {
    ShowForm();
    Edit->SetFocusColor(clYellow);
    Edit->SetReadOnlyColor(clAqua);
    EXPECT_EQ(Edit->Color(), clWindow);

    Edit->SetEnabled(false);
    EXPECT_EQ(Edit->Color(), clBtnFace);
    EXPECT_EQ(FieldColor(Edit), ColorToRGB(clBtnFace));
    Edit->SetDisabledColor(clSilver);  // shows at once while disabled
    EXPECT_EQ(Edit->Color(), clSilver);
    Edit->SetEnabled(true);
    EXPECT_EQ(Edit->Color(), clWindow);

    Edit->SetFocus();
    EXPECT_EQ(Edit->Color(), clYellow);
    EXPECT_EQ(FieldColor(Edit), ColorToRGB(clYellow));
    Edit->SetReadOnly(true);  // focused read-only keeps the focus colour ...
    EXPECT_EQ(Edit->Color(), clYellow);
    Edit->SetReadOnlyColorOnFocus(true);  // ... unless told to show read-only
    EXPECT_EQ(Edit->Color(), clAqua);
    Other->SetFocus();
    EXPECT_EQ(Edit->Color(), clAqua);
    Edit->SetReadOnly(false);
    EXPECT_EQ(Edit->Color(), clWindow);
    EXPECT_EQ(FieldColor(Edit), ColorToRGB(clWindow));
}

TEST_F(SkEditTest, AColourSetFromOutsideBecomesTheNormalColour) {
    ShowForm();
    // The focus colour equal to the old normal colour follows the new one.
    Edit->SetColor(clLime);
    EXPECT_EQ(Edit->FocusColor(), clLime);
    Edit->SetFocus();
    EXPECT_EQ(Edit->Color(), clLime);

    // A distinct focus colour stays: the new colour shows now and the focus colour at the next entry.
    Other->SetFocusColor(clYellow);
    Other->SetFocus();
    EXPECT_EQ(Other->Color(), clYellow);
    Other->SetColor(clAqua);
    EXPECT_EQ(Other->Color(), clAqua);
    EXPECT_EQ(Other->FocusColor(), clYellow);
    Edit->SetFocus();
    EXPECT_EQ(Other->Color(), clAqua);
    Other->SetFocus();
    EXPECT_EQ(Other->Color(), clYellow);
}

TEST_F(SkEditTest, TheNonClientBandIsASunkenEdgeOrTheStyledFrame) {
    // Without the styled frame: the classic sunken edge, two shades on each side.
    QImage image = NonClient(Edit);
    EXPECT_EQ(Pixel(image, 0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Pixel(image, 1, 1), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(Pixel(image, 79, 20), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(Pixel(image, 78, 19), ColorToRGB(cl3DLight));
    EXPECT_EQ(Pixel(image, 40, 10), ColorToRGB(clFuchsia));  // the client area is the field's

    // Flat: one line of the frame colour, the field's colour inside it.
    Edit->SetFrameVisible(true);
    Edit->SetFrameColor(clNavy);
    Edit->SetColor(clCream);
    image = NonClient(Edit);
    for (const TPoint p : {TPoint{0, 0}, TPoint{40, 0}, TPoint{79, 10}, TPoint{40, 20}, TPoint{0, 10}})
        EXPECT_EQ(Pixel(image, p.X, p.Y), ColorToRGB(clNavy)) << p.X << "," << p.Y;
    for (const TPoint p : {TPoint{1, 1}, TPoint{40, 1}, TPoint{78, 10}, TPoint{40, 19}})
        EXPECT_EQ(Pixel(image, p.X, p.Y), ColorToRGB(clCream)) << p.X << "," << p.Y;

    // Only the chosen sides get the line; the others keep the field's colour.
    Edit->SetFrameSides(sdTop | sdBottom);
    image = NonClient(Edit);
    EXPECT_EQ(Pixel(image, 40, 0), ColorToRGB(clNavy));
    EXPECT_EQ(Pixel(image, 0, 10), ColorToRGB(clCream));
    EXPECT_EQ(Pixel(image, 79, 10), ColorToRGB(clCream));

    // Under a visual style the style draws the band: its one-pixel line, the field inside.
    SetThemesActiveForTest(true);
    image = NonClient(Edit);
    EXPECT_EQ(Pixel(image, 0, 10), 0xB99D7F);  // the style's edit border
    EXPECT_EQ(Pixel(image, 40, 1), ColorToRGB(clCream));
    Edit->SetFramingPreference(fpCustomFraming);  // unless the frame is asked for regardless
    EXPECT_EQ(Pixel(NonClient(Edit), 40, 0), ColorToRGB(clNavy));
    ResetPlatformProfile();

    // The band reaches the screen round the native field.
    Form->Show();
    const QImage shown = Edit->Widget()->grab().toImage();
    EXPECT_EQ(Pixel(shown, 40, 0), ColorToRGB(clNavy));
    EXPECT_EQ(Pixel(shown, 0, 10), ColorToRGB(clCream));
}

TEST_F(SkEditTest, HotTrackingShowsTheHotFrameWhileFocusedOrUnderTheMouse) {
    ShowForm();
    Edit->SetFrameSides(sdTop);
    Edit->SetFrameHotColor(clRed);
    Edit->SetFrameHotTrack(true);  // at run time: a visible frame on all four sides
    EXPECT_TRUE(Edit->FrameVisible());
    EXPECT_EQ(Edit->FrameSides(), AllSides);
    EXPECT_EQ(Pixel(NonClient(Edit), 1, 1), ColorToRGB(clWindow));

    Edit->Perform(CM_MOUSEENTER);
    QImage image = NonClient(Edit);  // bold: two rows of the hot colour
    EXPECT_EQ(Pixel(image, 0, 0), ColorToRGB(clRed));
    EXPECT_EQ(Pixel(image, 1, 1), ColorToRGB(clRed));
    EXPECT_EQ(Pixel(image, 78, 19), ColorToRGB(clRed));
    Edit->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(Pixel(NonClient(Edit), 0, 0), ColorToRGB(clBtnShadow));

    Edit->SetFocus();
    EXPECT_EQ(Pixel(NonClient(Edit), 1, 1), ColorToRGB(clRed));
    Other->SetFocus();
    EXPECT_EQ(Pixel(NonClient(Edit), 1, 1), ColorToRGB(clWindow));

    // Without hot tracking neither the mouse nor the focus changes the frame.
    Other->SetFrameVisible(true);
    Other->SetFocus();
    Other->Perform(CM_MOUSEENTER);
    EXPECT_EQ(Pixel(NonClient(Other), 1, 1), ColorToRGB(clWindow));
}

TEST_F(SkEditTest, EnterMovesOnAsTabWithTabOnEnter) {
    ShowForm();
    QString keys;
    Edit->OnKeyPress = [&](TObject*, QChar& key) { keys += key; };
    Edit->SetFocus();
    QTest::keyClick(Edit->Widget(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(Edit->Focused());
    EXPECT_EQ(keys, QStringLiteral("\r"));

    Edit->SetTabOnEnter(true);
    QTest::keyClick(Edit->Widget(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(Other->Focused());
    EXPECT_EQ(keys, QStringLiteral("\r"));  // the second Enter never reached OnKeyPress
}

// A single-line edit has no use for Up, Down, Page Up and Page Down; they stop there, as in a native
// edit, instead of reaching the page control it sits on, which would turn its page.
TEST_F(SkEditTest, TheUpDownAndPageKeysGoNoFurtherThanTheEdit) {
    auto* pages = Add<TSkPageControl>(100, 10, 190, 150);
    TSkEdit* field = nullptr;
    for (int i = 0; i < 2; ++i) {
        auto* sheet = new TSkTabSheet(Form.get());
        sheet->SetPageControl(pages);
        sheet->SetCaption(QStringLiteral("页%1").arg(i + 1));
        field = new TSkEdit(Form.get());
        field->SetParent(sheet);
        field->SetBounds(5, 5, 80, 21);
    }
    pages->SetActivePageIndex(1);
    ShowForm();
    field->SetFocus();
    QApplication::processEvents();
    ASSERT_TRUE(field->Focused());
    std::vector<unsigned short> seen;
    field->OnKeyDown = [&](TObject*, unsigned short& key, TShiftState) { seen.push_back(key); };
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Up})
        QTest::keyClick(field->Widget(), key);
    EXPECT_EQ(pages->ActivePageIndex(), 1);
    EXPECT_TRUE(field->Focused());
    EXPECT_EQ(seen, (std::vector<unsigned short>{VK_UP, VK_DOWN, VK_PRIOR, VK_NEXT, VK_UP}));
}

TEST_F(SkEditTest, ChineseTextArrivesByKeysByInputMethodAndByPasting) {
    ShowForm();
    int changes = 0;
    Edit->OnChange = [&](TObject*) { ++changes; };
    Edit->SetFocus();
    for (const QChar ch : QStringLiteral("体重")) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(Edit->Widget(), &press);
    }
    EXPECT_EQ(Edit->Text(), QStringLiteral("体重"));

    QInputMethodEvent preedit(QStringLiteral("qianka"), {});
    QApplication::sendEvent(Edit->Widget(), &preedit);
    EXPECT_EQ(Edit->Text(), QStringLiteral("体重"));  // still composing
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("千卡"));
    QApplication::sendEvent(Edit->Widget(), &commit);
    EXPECT_EQ(Edit->Text(), QStringLiteral("体重千卡"));

    Clipboard()->SetAsText(QStringLiteral("：六十"));
    QTest::keyClick(Edit->Widget(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Edit->Text(), QStringLiteral("体重千卡：六十"));
    EXPECT_EQ(changes, 4);  // two keys, the committed word, the paste
}

TEST_F(SkEditTest, TheTextHintShowsOnlyUnderAVisualStyle) {
    Edit->SetTextHint(QStringLiteral("请输入体重"));
    EXPECT_EQ(Edit->CueBanner(), QString());
    SetThemesActiveForTest(true);
    Edit->UpdateTextHint();
    EXPECT_EQ(Edit->CueBanner(), QStringLiteral("请输入体重"));
    ShowForm();
    Edit->SetFocus();  // gone while focused unless visible on focus
    EXPECT_EQ(Edit->CueBanner(), QString());
    Edit->SetTextHintVisibleOnFocus(true);
    EXPECT_EQ(Edit->CueBanner(), QStringLiteral("请输入体重"));
    SetOSVersionForTest(2, 5, 0);  // Windows 2000 has no cue banners
    Edit->UpdateTextHint();
    EXPECT_EQ(Edit->CueBanner(), QString());
}

TEST_F(SkEditTest, AlignmentPlacesTheText) {
    Edit->SetAlignment(taRightJustify);
    EXPECT_EQ(Edit->TextAlignment(), taRightJustify);
    Edit->SetAlignment(taCenter);
    EXPECT_EQ(Edit->TextAlignment(), taCenter);
}

TEST_F(SkEditTest, FormsStoreWhatDiffersAndReadTheOldFrameNames) {
    Edit->SetName(QStringLiteral("edtWeight"));
    const QString plain = ComponentToText(Edit);
    for (const char* name : {"Color", "FocusColor", "DisabledColor", "ReadOnlyColor", "Frame", "TabOnEnter",
                             "Alignment", "TextHint", "ReadOnly"})
        EXPECT_FALSE(plain.contains(QLatin1String(name))) << name;

    Edit->SetText(QStringLiteral("六十"));
    Edit->SetFrameStyle(fsFlatBold);
    Edit->SetFrameColor(clNavy);
    Edit->SetFocusColor(clYellow);
    Edit->SetTabOnEnter(true);
    Edit->SetAlignment(taRightJustify);
    Edit->SetTextHint(QStringLiteral("公斤"));
    const QString text = ComponentToText(Edit);
    for (const char* line : {"FrameStyle = fsFlatBold", "FrameColor = clNavy", "FocusColor = clYellow",
                             "TabOnEnter = True", "Alignment = taRightJustify"})
        EXPECT_TRUE(text.contains(QLatin1String(line))) << line;
    std::unique_ptr<TComponent> made(TextToComponent(text));
    auto* back = qobject_cast<TSkEdit*>(made.get());
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->Text(), QStringLiteral("六十"));
    EXPECT_EQ(back->TextHint(), QStringLiteral("公斤"));
    EXPECT_EQ(back->FocusColor(), clYellow);
    EXPECT_EQ(back->TextAlignment(), taRightJustify);
    EXPECT_EQ(ComponentToText(back), text);

    // A frame controller's properties are not written; a disabled edit does not write its colour.
    auto* controller = new TSkFrameController(Form.get());
    controller->SetFrameColor(clMaroon);
    Edit->SetFrameController(controller);
    EXPECT_EQ(Edit->FrameColor(), clMaroon);
    EXPECT_FALSE(ComponentToText(Edit).contains(QStringLiteral("FrameColor")));
    Edit->SetFrameController(nullptr);
    Edit->SetColor(clCream);
    EXPECT_TRUE(ComponentToText(Edit).contains(QStringLiteral("Color = clCream")));
    Edit->SetEnabled(false);
    EXPECT_FALSE(ComponentToText(Edit).contains(QStringLiteral(" Color =")));

    std::unique_ptr<TComponent> old(TextToComponent(QStringLiteral("object e: TSkEdit\n"
                                                                   "  FrameFlat = True\n"
                                                                   "  FrameFlatStyle = fsBump\n"
                                                                   "  FrameSides = [sdTop]\n"
                                                                   "end\n")));
    auto* earlier = qobject_cast<TSkEdit*>(old.get());
    ASSERT_NE(earlier, nullptr);
    EXPECT_TRUE(earlier->FrameHotTrack());
    EXPECT_EQ(earlier->FrameStyle(), fsStatus);
    EXPECT_EQ(earlier->FrameHotStyle(), fsLowered);
    EXPECT_EQ(earlier->FrameSides(), TSides(sdTop));  // loaded hot tracking keeps the stored sides
}

TEST_F(SkEditTest, TheFrameControllerPushesItsBlock) {
    auto* controller = new TSkFrameController(Form.get());
    controller->SetFrameColor(clMaroon);
    controller->SetFocusColor(clYellow);
    Edit->SetFrameController(controller);
    EXPECT_EQ(Edit->FrameColor(), clMaroon);
    EXPECT_EQ(Edit->FocusColor(), clYellow);
    controller->SetFrameStyle(fsLowered);
    EXPECT_EQ(Edit->FrameStyle(), fsLowered);
    delete controller;
    EXPECT_EQ(Edit->FrameController(), nullptr);
}

// A descendant that owns a drop-down, as the numeric and date edits do.
class TDropEdit : public TSkCustomEdit {
public:
    using TSkCustomEdit::TSkCustomEdit;
    void WantButton() { SetDropButtonVisible(true); }
    int Drops = 0, StateWhileDropped = -1;

protected:
    // A filter as the numeric edit's: a point types a comma, letters are refused with a beep.
    void KeyPress(QChar& Key) override {
        if (Key == QChar(u'.')) Key = QChar(u',');
        if (Key.isLetter()) {
            Key = QChar();
            InvalidKeyBeep();
        }
        TSkCustomEdit::KeyPress(Key);
    }
    void DropDown() override {
        ++Drops;
        StateWhileDropped = ButtonState();
        TSkCustomEdit::DropDown();
    }
};

TEST_F(SkEditTest, ADropButtonTakesTheRightOfTheFieldAndOpensTheDropDown) {
    auto* drop = Add<TDropEdit>(10, 70, 100, 21);
    drop->WantButton();
    EXPECT_EQ(drop->NonClientMargins().Right, 2 + 16);  // a scroll bar's width
    EXPECT_EQ(drop->DropButtonRect(), Rect(82, 2, 98, 19));
    // The classic combo button: a soft raised face (white outside at the top left) with a black arrow
    // in its middle.
    QImage image = NonClient(drop);
    EXPECT_EQ(Pixel(image, 82, 2), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(Pixel(image, 97, 18), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(Pixel(image, 90, 10), ColorToRGB(clBlack));

    ShowForm();
    int closes = 0;
    drop->OnCloseUp = [&](TObject*) { ++closes; };
    drop->SetFocus();
    QTest::keyClick(drop->Widget(), Qt::Key_Down, Qt::AltModifier);
    QTest::keyClick(drop->Widget(), Qt::Key_F4);
    EXPECT_EQ(drop->Drops, 2);
    EXPECT_EQ(closes, 2);
    EXPECT_EQ(drop->StateWhileDropped, 2);  // pressed while the pop-up runs
    EXPECT_EQ(drop->ButtonState(), 0);

    Other->SetFocus();
    QTest::mouseClick(drop->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(90, 10));
    EXPECT_EQ(drop->Drops, 3);
    EXPECT_TRUE(drop->Focused());
    QTest::mouseClick(drop->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(30, 10));
    EXPECT_EQ(drop->Drops, 3);

    // Read-only: no button, and Alt+Down does nothing.
    drop->SetReadOnly(true);
    EXPECT_FALSE(drop->ButtonPresent());
    EXPECT_EQ(drop->NonClientMargins().Right, 2);
    QTest::keyClick(drop->Widget(), Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(drop->Drops, 3);
    drop->SetReadOnly(false);
    EXPECT_TRUE(drop->ButtonPresent());
}

TEST_F(SkEditTest, ADescendantsKeyFilterDropsOrReplacesTypedCharacters) {
    auto* drop = Add<TDropEdit>(10, 70, 100, 21);
    drop->SetTabOnEnter(true);
    ShowForm();
    drop->SetFocus();
    const int beeps = MessageBeepCount();
    QTest::keyClicks(drop->Widget(), "6x5.5");
    EXPECT_EQ(drop->Text(), QStringLiteral("65,5"));
    EXPECT_EQ(MessageBeepCount(), beeps + 1);
    drop->SetBeepOnInvalidKey(false);
    QTest::keyClicks(drop->Widget(), "y");
    EXPECT_EQ(MessageBeepCount(), beeps + 1);
    QTest::keyClick(drop->Widget(), Qt::Key_Return);  // the inherited Enter-as-Tab still runs
    QApplication::processEvents();
    EXPECT_FALSE(drop->Focused());
}

TEST_F(SkEditTest, TheArrowShowsOverTheButtonAndTheTextCursorOverTheText) {
    auto* drop = Add<TDropEdit>(10, 70, 100, 21);
    drop->WantButton();
    ShowForm();
    const auto hit = [&](int x) {
        const QPoint g = drop->Widget()->mapToGlobal(QPoint(x, 10));
        return drop->Perform(WM_NCHITTEST, 0, MakeLParam(g.x(), g.y()));
    };
    EXPECT_EQ(hit(90), HTCLIENT);
    EXPECT_TRUE(drop->OverButton());
    EXPECT_EQ(drop->Cursor(), crArrow);
    EXPECT_EQ(hit(30), HTCLIENT);
    EXPECT_FALSE(drop->OverButton());
    EXPECT_EQ(drop->Cursor(), crIBeam);
}

TEST_F(SkEditTest, AFlatButtonTakesTheFieldColourUntilHot) {
    auto* drop = Add<TDropEdit>(10, 70, 100, 21);
    drop->WantButton();
    drop->SetFlatButtons(true);
    drop->SetColor(clCream);
    QImage image = NonClient(drop);
    EXPECT_EQ(Pixel(image, 82, 2), ColorToRGB(clCream));
    drop->Perform(CM_MOUSEENTER);  // hot: a one-pixel raised edge round a button-face fill
    image = NonClient(drop);
    EXPECT_EQ(Pixel(image, 82, 2), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(Pixel(image, 97, 18), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Pixel(image, 84, 4), ColorToRGB(clBtnFace));
}

// Memo and rich edit ------------------------------------------------------------------------------------
struct SkMemoTest : SkEditTest {
    TSkMemo* Memo = nullptr;
    void SetUp() override {
        SkEditTest::SetUp();
        Memo = Add<TSkMemo>(100, 10, 180, 90);
        Memo->Lines()->SetText(QStringLiteral("abc\n体重记录\nx"));
    }
};

TEST_F(SkMemoTest, LineAndColumnFollowTheCaretFromOne) {
    std::vector<std::pair<int, int>> told;
    Memo->OnLineColChange = [&](TObject*, int line, int column) { told.push_back({line, column}); };
    EXPECT_EQ(Memo->Line(), 1);
    EXPECT_EQ(Memo->Column(), 1);
    Memo->SetLine(2);
    EXPECT_EQ(Memo->Line(), 2);
    EXPECT_EQ(Memo->Column(), 1);
    Memo->SetColumn(5);  // one past the last of four characters
    EXPECT_EQ(Memo->Column(), 5);
    EXPECT_EQ(Memo->CaretPos(), 4 + 4);
    Memo->SetSel(1, 6);  // with a selection: where the caret is
    EXPECT_EQ(Memo->Line(), 2);
    EXPECT_EQ(Memo->Column(), 3);
    EXPECT_EQ(told, (std::vector<std::pair<int, int>>{{2, 1}, {2, 5}}));
}

TEST_F(SkMemoTest, LineAndColumnOutsideTheTextAreIgnored) {
    int told = 0;
    Memo->OnLineColChange = [&](TObject*, int, int) { ++told; };
    Memo->SetLine(2);
    Memo->SetColumn(3);
    told = 0;
    for (const int column : {0, -3, 6, 1000}) {
        Memo->SetColumn(column);
        EXPECT_EQ(Memo->Line(), 2) << column;
        EXPECT_EQ(Memo->Column(), 3) << column;
    }
    for (const int line : {0, -1, 4, 99}) {
        Memo->SetLine(line);
        EXPECT_EQ(Memo->Line(), 2) << line;
        EXPECT_EQ(Memo->Column(), 3) << line;
    }
    EXPECT_EQ(told, 0);
    Memo->Clear();  // an empty memo still has its first line
    EXPECT_EQ(Memo->Line(), 1);
    EXPECT_EQ(Memo->Column(), 1);
    Memo->SetLine(2);
    EXPECT_EQ(Memo->Line(), 1);
}

TEST_F(SkMemoTest, TypingChineseReportsTheCaretAndTheSelection) {
    std::pair<int, int> last;
    bool selected = true, clipboardText = false;
    int clipboardTold = 0;
    Memo->OnLineColChange = [&](TObject*, int line, int column) { last = {line, column}; };
    Memo->OnClipboardChange = [&](TObject*, bool hasSelection, bool hasText) {
        selected = hasSelection;
        clipboardText = hasText;
        ++clipboardTold;
    };
    Clipboard()->SetAsText(QStringLiteral("午餐"));
    ShowForm();  // shown the first time: where the caret is, and the clipboard twice
    EXPECT_EQ(last, std::make_pair(1, 1));
    EXPECT_EQ(clipboardTold, 2);
    EXPECT_FALSE(selected);
    EXPECT_TRUE(clipboardText);
    Memo->SetFocus();
    Memo->SetLine(3);
    Memo->SetColumn(2);
    for (const QChar ch : QStringLiteral("早餐")) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(Memo->Widget(), &press);
    }
    EXPECT_EQ(Memo->Lines()->Strings(2), QStringLiteral("x早餐"));
    QTest::keyClick(Memo->Widget(), Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(last, std::make_pair(3, 3));
    EXPECT_TRUE(selected);
}

TEST_F(SkMemoTest, TheMemoAndRichEditFrameAndColourAsTheEdit) {
    ShowForm();
    auto* rich = Add<TSkRichEdit>(100, 110, 180, 60);
    for (TSkCustomMemo* memo : {static_cast<TSkCustomMemo*>(Memo), static_cast<TSkCustomMemo*>(rich)}) {
        memo->SetFrameVisible(true);
        memo->SetFrameColor(clGreen);
        memo->SetFocusColor(clYellow);
        memo->SetReadOnlyColor(clAqua);
        EXPECT_EQ(memo->NonClientMargins(), (TRect{2, 2, 2, 2}));
        const QImage image = NonClient(memo);
        EXPECT_EQ(Pixel(image, 0, 0), ColorToRGB(clGreen));
        EXPECT_EQ(Pixel(image, 1, 1), ColorToRGB(clWindow));
        const QImage shown = memo->Widget()->grab().toImage();
        EXPECT_EQ(Pixel(shown, 0, 0), ColorToRGB(clGreen));
        EXPECT_EQ(Pixel(shown, 1, 1), ColorToRGB(clWindow));
        memo->SetFocus();
        EXPECT_EQ(memo->Color(), clYellow);
        Edit->SetFocus();
        memo->SetReadOnly(true);
        EXPECT_EQ(memo->Color(), clAqua);
        memo->SetEnabled(false);
        EXPECT_EQ(memo->Color(), clBtnFace);
    }
}

TEST_F(SkMemoTest, EnterMovesOnAsTabWithTabOnEnter) {
    ShowForm();
    Memo->SetFocus();
    QTest::keyClick(Memo->Widget(), Qt::Key_Return);
    EXPECT_EQ(Memo->Lines()->Count(), 4);  // a new line
    Memo->SetTabOnEnter(true);
    QTest::keyClick(Memo->Widget(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(Memo->Lines()->Count(), 4);
    EXPECT_FALSE(Memo->Focused());
}

// OnChange may free the edit or memo being typed in (a window closing on the first key): the key ends
// quietly and the field's widget goes with the next events.
TEST_F(SkMemoTest, AChangeHandlerMayFreeTheEditOrMemoAsACharacterIsTyped) {
    ShowForm();
    auto typeFreeing = [](TWinControl* field, TNotifyEvent& onChange) {
        field->SetFocus();
        QPointer<QObject> alive(field);
        QPointer<QWidget> widget = field->Widget();
        onChange = [field](TObject*) { delete field; };
        QTest::keyClick(widget, Qt::Key_A);
        EXPECT_TRUE(alive.isNull());
        QTest::qWait(20);  // the caret's blink and the deferred deletion
        EXPECT_TRUE(widget.isNull());
    };
    typeFreeing(Edit, Edit->OnChange);
    typeFreeing(Memo, Memo->OnChange);
}

TEST_F(SkMemoTest, FormsStoreTheMemosBlock) {
    auto* rich = Add<TSkRichEdit>(100, 110, 180, 60);
    rich->SetName(QStringLiteral("reMsg"));
    rich->SetFrameHotTrack(true);
    rich->SetTabOnEnter(true);
    const QString text = ComponentToText(rich);
    EXPECT_TRUE(text.contains(QStringLiteral("FrameHotTrack = True")));
    EXPECT_TRUE(text.contains(QStringLiteral("FrameVisible = True")));
    EXPECT_FALSE(text.contains(QStringLiteral("FrameStyle")));
    auto* controller = new TSkFrameController(Form.get());
    controller->SetFrameStyle(fsLowered);
    rich->SetFrameController(controller);
    EXPECT_EQ(rich->FrameStyle(), fsLowered);
    EXPECT_FALSE(ComponentToText(rich).contains(QStringLiteral("FrameStyle")));
    rich->SetFrameController(nullptr);
    std::unique_ptr<TComponent> made(TextToComponent(text));
    auto* back = qobject_cast<TSkRichEdit*>(made.get());
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->FrameHotTrack());
    EXPECT_TRUE(back->TabOnEnter());
    EXPECT_EQ(ComponentToText(back), text);
}
}  // namespace
