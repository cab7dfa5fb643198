// Combo boxes, list boxes, check lists and memos driven as a user drives them.
#include "CheckLst.h"
#include "ControlProbes.h"
#include "Forms.h"
#include "StdCtrls.h"
#include "WidgetInput.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextBlock>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QPoint Centre(const TRect& r) {
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

struct TTag : TObject {
    explicit TTag(int v) : Value(v) {}
    int Value;
};

}  // namespace

TEST(ComboBox, TheChoiceFollowsItemsAndText) {
    TForm form(nullptr);
    auto* box = Place<TComboBox>(form, 10, 10, 150, 24);
    box->SetStyle(csDropDownList);
    for (const char* meal : {"早餐", "午餐", "晚餐"})
        box->Items()->Add(QString::fromUtf8(meal));
    EXPECT_EQ(box->ItemIndex(), -1);  // adding items chooses nothing
    EXPECT_EQ(box->Text(), "");

    box->SetItemIndex(1);
    EXPECT_EQ(box->Text(), "午餐");
    box->SetItemIndex(12);  // beyond the items: nothing chosen, no error
    EXPECT_EQ(box->ItemIndex(), -1);
    box->SetText("晚餐");
    EXPECT_EQ(box->ItemIndex(), 2);

    box->Items()->Insert(0, "加餐");
    EXPECT_EQ(box->ItemIndex(), 3);
    EXPECT_EQ(box->Text(), "晚餐");
    box->Items()->SetStrings(0, "夜宵");
    EXPECT_EQ(static_cast<QComboBox*>(box->Widget())->itemText(0), "夜宵");
    box->Items()->Delete(3);  // the chosen item goes: nothing is chosen (Qt would pick a neighbour)
    EXPECT_EQ(box->ItemIndex(), -1);
    box->SetItemIndex(0);
    box->Items()->Clear();
    EXPECT_EQ(box->ItemIndex(), -1);
    EXPECT_EQ(box->Text(), "");
}

TEST(ComboBox, OnlyTheUserFiresSelectAndChange) {
    TForm form(nullptr);
    auto* list = Place<TComboBox>(form, 10, 10, 150, 24);
    list->SetStyle(csDropDownList);
    for (int n = 10; n <= 150; n += 10)
        list->Items()->Add(QString::number(n));
    int changes = 0, clicks = 0;
    list->OnChange = [&](TObject*) { ++changes; };
    list->OnClick = [&](TObject*) { ++clicks; };
    list->SetItemIndex(1);
    EXPECT_EQ(changes, 0);
    QTest::keyClick(list->Widget(), Qt::Key_Down);
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(clicks, 1);

    int selects = 0;
    list->OnSelect = [&](TObject*) { ++selects; };
    QTest::keyClick(list->Widget(), Qt::Key_Down);
    EXPECT_EQ(selects, 1);
    EXPECT_EQ(changes, 1);  // OnSelect takes the place of OnChange for a choice

    auto* editable = Place<TComboBox>(form, 10, 40, 150, 24);
    editable->Items()->Add("男");
    editable->Items()->Add("女");
    int typed = 0;
    editable->OnChange = [&](TObject*) { ++typed; };
    editable->SetText("未知");
    EXPECT_EQ(typed, 0);
    EXPECT_EQ(editable->Text(), "未知");
    auto* edit = static_cast<QComboBox*>(editable->Widget())->lineEdit();
    edit->clear();
    QTest::keyClicks(edit, "ab");
    EXPECT_EQ(typed, 2);
    EXPECT_EQ(editable->Text(), "ab");
}

TEST(ListBox, ItemsCarryObjectsAndTheChoiceFollowsThem) {
    TForm form(nullptr);
    auto* list = Place<TListBox>(form, 10, 10, 150, 120);
    TTag a(1), b(2), c(3);
    list->Items()->AddObject("能量", &a);
    list->Items()->AddObject("蛋白质", &b);
    list->Items()->AddObject("脂肪", &c);
    EXPECT_EQ(list->Count(), 3);
    EXPECT_EQ(static_cast<TTag*>(list->Items()->Objects(1))->Value, 2);
    EXPECT_EQ(list->ItemIndex(), -1);

    list->SetItemIndex(2);
    EXPECT_TRUE(list->Selected(2));
    EXPECT_FALSE(list->Selected(0));
    list->Items()->Insert(0, "水");
    EXPECT_EQ(list->ItemIndex(), 3);  // still 脂肪
    list->Items()->Delete(3);
    EXPECT_EQ(list->ItemIndex(), -1);
    list->SetSelected(1, true);
    EXPECT_EQ(list->ItemIndex(), 1);
    list->SetItemIndex(-1);
    EXPECT_EQ(list->ItemIndex(), -1);
    EXPECT_THROW(list->Selected(7), Exception);
}

TEST(ListBox, MouseAndKeyboardPicksFireOnClick) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 300);
    auto* list = Place<TListBox>(form, 10, 10, 150, 200);
    for (const char* s : {"食物列表", "中药列表", "食谱列表", "饮茶列表"})
        list->Items()->Add(QString::fromUtf8(s));
    std::vector<int> picks;
    list->OnClick = [&](TObject*) { picks.push_back(list->ItemIndex()); };
    form.ShowForm();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.Widget()));

    QTest::mouseClick(Viewport(list), Qt::LeftButton, {}, Centre(list->ItemRect(1)));
    list->SetItemIndex(0);  // by code: no click
    QTest::keyClick(list->Widget(), Qt::Key_Down);
    const TRect last = list->ItemRect(3);
    QTest::mouseClick(Viewport(list), Qt::LeftButton, {}, QPoint(20, last.Bottom + 30));  // below the items
    EXPECT_EQ(picks, (std::vector<int>{1, 1}));
    EXPECT_EQ(list->ItemIndex(), 1);  // a click on empty space keeps the choice

    EXPECT_EQ(list->ItemAtPos({20, list->ItemRect(2).Top + 1}, true), 2);
    EXPECT_EQ(list->ItemAtPos({20, last.Bottom + 30}, true), -1);
    EXPECT_EQ(list->ItemAtPos({20, last.Bottom + 30}, false), 4);

    // Mouse events arrive in client coordinates.
    TPoint down{-1, -1};
    list->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) { down = {x, y}; };
    QTest::mouseClick(Viewport(list), Qt::RightButton, {}, QPoint(15, 25));
    EXPECT_EQ(down, (TPoint{15, 25}));
}

// OnClick may free the list (a window closing on the pick), by a click or by a key: the view that
// told it, left to the event loop, never reaches the list again.
TEST(ListBox, AClickHandlerMayFreeTheList) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 300);
    form.ShowForm();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.Widget()));
    for (bool byKey : {false, true}) {
        auto* list = Place<TListBox>(form, 10, 10, 150, 200);
        list->Items()->Add(QStringLiteral("食物列表"));
        list->Items()->Add(QStringLiteral("食谱列表"));
        QPointer<QObject> alive(list);
        QPointer<QWidget> view = list->Widget();
        list->OnClick = [list](TObject*) { delete list; };
        if (byKey)
            QTest::keyClick(view, Qt::Key_Down);
        else
            QTest::mouseClick(Viewport(list), Qt::LeftButton, {}, Centre(list->ItemRect(1)));
        EXPECT_TRUE(alive.isNull()) << byKey;
        QTest::qWait(1);
        EXPECT_TRUE(view.isNull()) << byKey;
    }
}

TEST(ListBox, OwnerDrawnItemsAreDrawnByTheHandler) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 300);
    auto* list = Place<TListBox>(form, 0, 0, 200, 200);
    list->SetStyle(lbOwnerDrawFixed);
    list->SetItemHeight(22);
    for (int i = 0; i < 4; ++i)
        list->Items()->Add(QString::number(i));
    std::map<int, TRect> rects;
    std::map<int, TOwnerDrawState> states;
    list->OnDrawItem = [&](TWinControl* control, int index, TRect rect, TOwnerDrawState state) {
        EXPECT_EQ(control, list);
        rects[index] = rect;
        states[index] = state;
        list->Canvas()->Brush()->SetColor(state & odSelected ? clRed : index % 2 ? clWhite : clLime);
        list->Canvas()->FillRect(rect);
    };
    list->SetItemIndex(2);
    form.ShowForm();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.Widget()));
    const QImage shot = Viewport(list)->grab().toImage();

    ASSERT_EQ(rects.count(3), 1u);
    EXPECT_EQ(rects[1].Height(), 22);
    EXPECT_EQ(rects[1].Top, rects[0].Bottom);
    EXPECT_TRUE(states[2] & odSelected);
    EXPECT_FALSE(states[1] & odSelected);
    EXPECT_EQ(shot.pixelColor(Centre(rects[0])), QColor(0, 255, 0));
    EXPECT_EQ(shot.pixelColor(Centre(rects[1])), QColor(255, 255, 255));
    EXPECT_EQ(shot.pixelColor(Centre(rects[2])), QColor(255, 0, 0));
}

TEST(CheckListBox, TheUserTicksWithTheBoxOrTheSpaceBar) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 300);
    auto* list = Place<TCheckListBox>(form, 10, 10, 200, 200);
    for (const char* s : {"洗碗", "打字", "站立", "朗读"})
        list->Items()->Add(QString::fromUtf8(s));
    int checks = 0, clicks = 0;
    list->OnClickCheck = [&](TObject*) { ++checks; };
    list->OnClick = [&](TObject*) { ++clicks; };
    form.ShowForm();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.Widget()));

    const TRect second = list->ItemRect(1);
    QTest::mouseClick(Viewport(list), Qt::LeftButton, {}, QPoint(second.Left + 6, Centre(second).y()));
    EXPECT_TRUE(list->Checked(1));
    EXPECT_EQ(checks, 1);
    EXPECT_EQ(clicks, 1);
    const TRect third = list->ItemRect(2);
    QTest::mouseClick(Viewport(list), Qt::LeftButton, {}, QPoint(third.Left + 80, Centre(third).y()));
    EXPECT_FALSE(list->Checked(2));  // a click on the text only selects
    EXPECT_EQ(list->ItemIndex(), 2);
    QTest::keyClick(list->Widget(), Qt::Key_Space);
    EXPECT_TRUE(list->Checked(2));
    EXPECT_EQ(checks, 2);

    list->SetItemEnabled(0, false);
    const TRect first = list->ItemRect(0);
    QTest::mouseClick(Viewport(list), Qt::LeftButton, {}, QPoint(first.Left + 6, Centre(first).y()));
    EXPECT_FALSE(list->Checked(0));
    list->SetChecked(3, true);  // by code: no OnClickCheck
    EXPECT_EQ(checks, 2);

    // States travel with their items.
    list->Items()->Insert(0, "驾车");
    EXPECT_TRUE(list->Checked(2) && list->Checked(3) && list->Checked(4));
    EXPECT_FALSE(list->ItemEnabled(1));
    list->Items()->Delete(2);
    EXPECT_EQ(list->Items()->Strings(2), "站立");
    EXPECT_TRUE(list->Checked(2));
    list->Items()->Clear();
    list->Items()->Add("游泳");
    EXPECT_FALSE(list->Checked(0));
    EXPECT_THROW(list->Checked(3), Exception);
}

TEST(Memo, LinesAndTypingStayInStep) {
    TForm form(nullptr);
    auto* memo = Place<TMemo>(form, 10, 10, 200, 120);
    auto* editor = static_cast<QPlainTextEdit*>(memo->Widget());
    int changes = 0;
    memo->OnChange = [&](TObject*) { ++changes; };
    form.ShowForm();
    memo->Lines()->Add("统计结果以记录的数据为基础，");
    memo->Lines()->Add("数据记录不全，会影响统计结果");
    EXPECT_EQ(editor->toPlainText(), "统计结果以记录的数据为基础，\n数据记录不全，会影响统计结果");
    EXPECT_EQ(memo->Text(), editor->toPlainText());
    EXPECT_EQ(changes, 2);

    editor->moveCursor(QTextCursor::End);
    QTest::keyClicks(editor, "!");
    EXPECT_EQ(memo->Lines()->Strings(1), "数据记录不全，会影响统计结果!");
    EXPECT_EQ(changes, 3);

    memo->SetText("a\nb\nc");
    EXPECT_EQ(memo->Lines()->Count(), 3);
    EXPECT_EQ(editor->toPlainText(), "a\nb\nc");
    memo->SetReadOnly(true);
    QTest::keyClicks(editor, "x");
    EXPECT_EQ(memo->Text(), "a\nb\nc");
    memo->Clear();
    EXPECT_EQ(editor->toPlainText(), "");
}

TEST(Memo, AHiddenMemoCatchesUpWhenShown) {
    TForm form(nullptr);
    auto* memo = Place<TMemo>(form, 10, 10, 200, 120);
    memo->Hide();
    for (int i = 0; i < 5000; ++i)
        memo->Lines()->Add(QStringLiteral("000,%1,900").arg(i));
    auto* editor = static_cast<QPlainTextEdit*>(memo->Widget());
    EXPECT_EQ(memo->Lines()->Count(), 5000);
    form.ShowForm();
    memo->Show();
    EXPECT_EQ(editor->document()->blockCount(), 5000);
    EXPECT_EQ(editor->document()->lastBlock().text(), "000,4999,900");
}
