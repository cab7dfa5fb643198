#include "Buttons.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "DragDrop.h"
#include "Menus.h"
#include "RecordingServices.h"
#include "StdCtrls.h"

#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

TEST(Dispatch, AnExceptionInAHandlerIsShownNotThrown) {
    TRecordingMessageService boxes;
    TForm form(nullptr);
    auto* button = new TButton(&form);
    button->SetParent(&form);
    button->OnClick = [](TObject*) { throw EConvertError("'abc' is not a valid integer value"); };
    form.ShowForm();
    QTest::mouseClick(button->Widget(), Qt::LeftButton);
    ASSERT_EQ(boxes.Boxes.size(), 1u);
    EXPECT_EQ(boxes.LastCaption(), "信息提示");
    EXPECT_EQ(boxes.LastText(), "'abc' is not a valid integer value");
}

namespace {
// A control whose key handler fails.
class TFailingKeys : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void WMKeyDown(TWMKey&) override { throw EConvertError("key failed"); }
};
}  // namespace

// A message handler's exception stops in the control's filter: it never unwinds through Qt's event
// delivery (which cleans nothing up on the way), so the sender of the event sees none.
TEST(Dispatch, AnExceptionInAMessageHandlerStopsBeforeQtAndIsShown) {
    TRecordingMessageService boxes;
    TForm form(nullptr);
    auto* failing = new TFailingKeys(&form);
    failing->SetParent(&form);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    EXPECT_NO_THROW(QApplication::sendEvent(failing->Widget(), &press));
    ASSERT_EQ(boxes.Boxes.size(), 1u);
    EXPECT_EQ(boxes.LastText(), "key failed");
}

TEST(Controls, AlignmentFillsTheParentInOrder) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 300);
    auto* top = new TPanel(&form);
    top->SetParent(&form);
    top->SetHeight(50);
    top->SetAlign(alTop);
    auto* left = new TPanel(&form);
    left->SetParent(&form);
    left->SetWidth(80);
    left->SetAlign(alLeft);
    auto* client = new TPanel(&form);
    client->SetParent(&form);
    client->SetAlign(alClient);
    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 400, 50));
    EXPECT_EQ(left->BoundsRect(), Rect(0, 50, 80, 300));
    EXPECT_EQ(client->BoundsRect(), Rect(80, 50, 400, 300));
    form.SetBounds(0, 0, 500, 400);
    EXPECT_EQ(client->BoundsRect(), Rect(80, 50, 500, 400));
    top->Hide();
    EXPECT_EQ(client->BoundsRect(), Rect(80, 0, 500, 400));
}

TEST(Controls, OwnerFreesControlsAndTheirWidgets) {
    QPointer<QWidget> labelWidget;
    {
        TForm form(nullptr);
        auto* panel = new TPanel(&form);
        panel->SetParent(&form);
        auto* label = new TLabel(&form);  // created before... parented into a later-freed panel
        label->SetParent(panel);
        labelWidget = label->Widget();
        delete panel;  // the label loses its parent but stays usable
        EXPECT_EQ(label->Parent(), nullptr);
        label->SetCaption("仍然可用");
    }
    EXPECT_TRUE(labelWidget.isNull());
}

TEST(Controls, KeyPressHandlersDropAndReplaceCharacters) {
    TForm form(nullptr);
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    edit->OnKeyPress = [](TObject*, QChar& key) {
        if (key == QLatin1Char('x'))
            key = QChar();
        else if (key == QLatin1Char(','))
            key = QLatin1Char('.');
    };
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    form.ShowForm();
    QTest::keyClicks(edit->Widget(), "1x2,5");
    EXPECT_EQ(edit->Text(), "12.5");
    EXPECT_EQ(changes, 4);
}

TEST(Controls, LabelClickAndHover) {
    TForm form(nullptr);
    auto* label = new TLabel(&form);
    label->SetParent(&form);
    label->SetCaption("什么是基础代谢");
    int clicks = 0;
    label->OnClick = [&](TObject*) { ++clicks; };
    form.ShowForm();
    QTest::mouseClick(label->Widget(), Qt::LeftButton);
    QTest::mouseClick(label->Widget(), Qt::RightButton);
    EXPECT_EQ(clicks, 1);
    EXPECT_GT(label->Width(), 0);  // sized to its text
}

// The label's text keeps its font's colour in a disabled container and turns grey only when the label
// itself is disabled, however its font's colour changes meanwhile.
TEST(Controls, ALabelIsGreyOnlyWhenItselfDisabled) {
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    auto* label = new TLabel(panel);
    label->SetParent(panel);
    label->SetCaption("早餐");
    label->Font()->SetColor(clRed);
    form.ShowForm();
    auto shown = [&](QPalette::ColorGroup group) { return label->Widget()->palette().color(group, QPalette::WindowText); };
    auto hasInk = [&](const QColor& ink) {
        const QImage shot = label->Widget()->grab().toImage();
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                if (const QColor c = shot.pixelColor(x, y);  // a stroke's core, near the ink's colour
                    std::abs(c.red() - ink.red()) < 60 && std::abs(c.green() - ink.green()) < 60 &&
                    std::abs(c.blue() - ink.blue()) < 60)
                    return true;
        return false;
    };
    panel->SetEnabled(false);
    EXPECT_FALSE(label->Widget()->isEnabled());
    EXPECT_EQ(shown(QPalette::Disabled), QColor(Qt::red));
    EXPECT_TRUE(hasInk(QColor(Qt::red)));
    panel->SetEnabled(true);

    label->SetEnabled(false);
    EXPECT_EQ(shown(QPalette::Disabled), ToQColor(clGrayText));
    label->Font()->SetColor(clBlue);
    EXPECT_EQ(shown(QPalette::Disabled), ToQColor(clGrayText));
    EXPECT_EQ(shown(QPalette::Active), QColor(Qt::blue));
    EXPECT_FALSE(hasInk(QColor(Qt::blue)));
    label->SetEnabled(true);
    EXPECT_EQ(shown(QPalette::Disabled), QColor(Qt::blue));
    EXPECT_TRUE(hasInk(QColor(Qt::blue)));
}

// A control that ignores a click keeps it: the panel it lies on never sees it, as the personal centre's
// page double-click must not fire from its history list.
TEST(Controls, MouseClicksReachOnlyTheControlUnderTheMouse) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(0, 0, 300, 200);
    auto* label = new TLabel(&form);
    label->SetParent(panel);
    label->SetBounds(10, 10, 100, 20);
    label->SetCaption("label");
    int panelClicks = 0, labelClicks = 0;
    panel->OnDblClick = [&](TObject*) { ++panelClicks; };
    panel->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++panelClicks; };
    label->OnDblClick = [&](TObject*) { ++labelClicks; };
    form.ShowForm();
    QTest::mouseDClick(label->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(labelClicks, 1);
    EXPECT_EQ(panelClicks, 0);
    QTest::mouseDClick(panel->Widget(), Qt::LeftButton, {}, QPoint(200, 150));
    EXPECT_EQ(panelClicks, 2);  // its double-click and the press that comes with it
}

TEST(Forms, ModalWindowIsDrivenThroughTheHook) {
    TForm dialog(nullptr);
    auto* ok = new TButton(&dialog);
    ok->SetParent(&dialog);
    ok->SetModalResult(mrOk);
    bool shown = false;
    dialog.OnShow = [&](TObject*) { shown = true; };
    SetModalHook([&](TForm* form) {
        EXPECT_EQ(form, &dialog);
        ok->Click();
    });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    SetModalHook([](TForm* form) { form->Close(); });
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
    SetModalHook(nullptr);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(dialog.Visible());
}

// Without the hook the window waits in its own event loop, which ModalResult, closing or freeing the
// window ends.
TEST(Forms, AModalWaitEndsWithTheWindow) {
    TForm dialog(nullptr);
    auto* ok = new TButton(&dialog);
    ok->SetParent(&dialog);
    ok->SetModalResult(mrOk);
    QTimer::singleShot(0, [&] { QTest::mouseClick(ok->Widget(), Qt::LeftButton); });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    QTimer::singleShot(0, [&] { dialog.Close(); });
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
    dialog.OnShow = [&](TObject*) { dialog.SetModalResult(mrYes); };  // decided before the wait begins
    EXPECT_EQ(dialog.ShowModal(), mrYes);
    EXPECT_FALSE(dialog.Visible());

    auto* freed = new TForm(nullptr);
    QTimer::singleShot(0, [&] { delete freed; });
    EXPECT_EQ(freed->ShowModal(), mrCancel);
}

TEST(Forms, CloseActionsHideOrFree) {
    auto* form = new TForm(nullptr);
    QPointer<TForm> alive(form);
    form->ShowForm();
    form->Close();
    EXPECT_FALSE(form->Visible());
    form->OnClose = [](TObject*, TCloseAction& action) { action = caNone; };
    form->ShowForm();
    form->Close();
    EXPECT_TRUE(form->Visible());
    form->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
    form->Close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
}

TEST(Forms, DockedWindowFillsItsHostInsideItsBevel) {
    TForm main(nullptr);
    main.SetBounds(0, 0, 600, 400);
    auto* host = new TPanel(&main);  // raised, one pixel
    host->SetParent(&main);
    host->SetBounds(100, 50, 300, 200);
    TForm child(nullptr);
    child.ManualDock(host);
    child.ShowForm();
    EXPECT_EQ(child.BoundsRect(), Rect(1, 1, 299, 199));
    EXPECT_FALSE(child.Widget()->isWindow());
    host->SetBounds(100, 50, 320, 240);
    EXPECT_EQ(child.BoundsRect(), Rect(1, 1, 319, 239));
    host->SetBevelOuter(bvNone);
    EXPECT_EQ(child.BoundsRect(), Rect(0, 0, 320, 240));
}

TEST(Forms, WindowRegionAndOpacity) {
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 300, 200);
    form.SetWindowRegion({{3, 0}, {297, 0}, {300, 3}, {300, 197}, {297, 200}, {3, 200}, {0, 197}, {0, 3}});
    EXPECT_FALSE(form.Widget()->mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(form.Widget()->mask().contains(QPoint(150, 100)));
    form.SetAlphaBlend(true);
    form.SetAlphaBlendValue(100);
    EXPECT_NEAR(form.Widget()->windowOpacity(), 100 / 255.0, 0.01);
}

TEST(Controls, DragAndDropAcrossWindows) {
    TForm tool(nullptr), main(nullptr);
    tool.SetBounds(0, 0, 200, 200);
    main.SetBounds(300, 0, 300, 300);
    auto* source = new TPanel(&tool);
    source->SetParent(&tool);
    source->SetBounds(10, 10, 100, 100);
    auto* target = new TPanel(&main);
    target->SetParent(&main);
    target->SetBounds(10, 10, 200, 200);
    tool.ShowForm();
    main.ShowForm();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.Widget()));
    source->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { source->BeginDrag(false); };
    TObject* dropped = nullptr;
    TObject* endTarget = reinterpret_cast<TObject*>(1);
    int sourceClicks = 0;
    source->OnClick = [&](TObject*) { ++sourceClicks; };
    target->OnDragOver = [&](TObject*, TObject* src, int, int, TDragState, bool& accept) {
        accept = src == source;
    };
    target->OnDragDrop = [&](TObject*, TObject* src, int x, int y) {
        dropped = src;
        EXPECT_EQ(x, 50);
        EXPECT_EQ(y, 60);
    };
    source->OnEndDrag = [&](TObject*, TObject* t, int, int) { endTarget = t; };

    QTest::mousePress(source->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
    const QPoint targetPoint = target->Widget()->mapToGlobal(QPoint(50, 60));
    TDragManager::Instance().MoveTo(targetPoint);
    QTest::mouseRelease(target->Widget(), Qt::LeftButton, {}, QPoint(50, 60));
    EXPECT_EQ(dropped, source);
    EXPECT_EQ(endTarget, target);
    EXPECT_EQ(sourceClicks, 0);
}

// A mouse handler may free its own control (a list item removed on a click): nothing after the
// handler touches the control or its widget.
TEST(Controls, AMouseHandlerMayFreeItsControl) {
    TForm form(nullptr);
    form.ShowForm();
    auto press = [](QWidget* widget, QEvent::Type type) {
        QMouseEvent e(type, QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &e);
    };
    for (QEvent::Type type :
         {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick}) {
        auto* panel = new TPanel(&form);
        panel->SetParent(&form);
        panel->SetBounds(0, 0, 50, 50);
        panel->SetDragMode(dmAutomatic);
        QPointer<TPanel> alive(panel);
        QPointer<QWidget> widget = panel->Widget();
        auto free = [&](TObject*, TMouseButton, TShiftState, int, int) { delete panel; };
        panel->OnMouseDown = free;
        panel->OnMouseUp = free;
        if (type == QEvent::MouseButtonRelease) panel->OnMouseDown = nullptr;
        press(panel->Widget(), type);
        EXPECT_TRUE(alive.isNull());
        // Its widget, left to the event loop, no longer leads to it.
        ASSERT_FALSE(widget.isNull());
        EXPECT_EQ(TControl::FromWidget(widget), nullptr);
        EXPECT_EQ(TDragManager::Instance().Source(), nullptr);
    }
    // A control the handler frees that is not receiving the event takes its widget along at once.
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(0, 0, 50, 50);
    auto* other = new TPanel(&form);
    other->SetParent(&form);
    QPointer<QWidget> otherWidget = other->Widget();
    panel->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { delete other; };
    press(panel->Widget(), QEvent::MouseButtonPress);
    EXPECT_TRUE(otherWidget.isNull());
}

TEST(Controls, PopupMenuItemsRunTheirHandlers) {
    TForm form(nullptr);
    auto* label = new TLabel(&form);
    label->SetParent(&form);
    auto* menu = new TPopupMenu(&form);
    auto* item = new TMenuItem(menu);
    item->SetCaption("蓝色");
    menu->Items()->Add(item);
    int chosen = 0;
    item->OnClick = [&](TObject*) { ++chosen; };
    label->SetPopupMenu(menu);
    SetPopupHook([&](TPopupMenu* m, int, int) {
        EXPECT_EQ(m->PopupComponent(), label);
        m->Items()->Items(0)->Click();
    });
    form.ShowForm();
    QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(2, 2), label->Widget()->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(label->Widget(), &e);
    SetPopupHook(nullptr);
    EXPECT_EQ(chosen, 1);
}

TEST(Controls, TimerIntervalZeroStops) {
    TTimer timer(nullptr);
    int ticks = 0;
    timer.OnTimer = [&](TObject*) { ++ticks; };
    timer.SetInterval(5);
    // A busy machine may take a while to deliver the first tick.
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks > 0; }, 5000));
    timer.SetInterval(0);
    const int seen = ticks;
    QTest::qWait(30);
    EXPECT_EQ(ticks, seen);
}

TEST(Controls, SpeedButtonGroupsAndCheckBoxClicks) {
    TForm form(nullptr);
    auto* a = new TSpeedButton(&form);
    auto* b = new TSpeedButton(&form);
    for (auto* btn : {a, b}) {
        btn->SetParent(&form);
        btn->SetGroupIndex(1);
    }
    a->Click();
    b->Click();
    EXPECT_FALSE(a->Down());
    EXPECT_TRUE(b->Down());
    auto* check = new TCheckBox(&form);
    check->SetParent(&form);
    int clicks = 0;
    check->OnClick = [&](TObject*) { ++clicks; };
    check->SetChecked(true);  // a change by code fires OnClick too
    check->SetChecked(true);
    EXPECT_EQ(clicks, 1);
}

TEST(Forms, OnShowComesFromShowingNotFromRestoringTheWindow) {
    TForm host(nullptr);
    auto* panel = new TPanel(&host);
    panel->SetParent(&host);
    panel->SetBounds(0, 0, 200, 200);
    TForm docked(nullptr);
    docked.ManualDock(panel);
    int hostShows = 0, dockedShows = 0;
    host.OnShow = [&](TObject*) { ++hostShows; };
    docked.OnShow = [&](TObject*) { ++dockedShows; };
    docked.ShowForm();
    host.ShowForm();
    QTest::qWait(20);
    EXPECT_EQ(hostShows, 1);
    EXPECT_EQ(dockedShows, 1);
    host.Widget()->showMinimized();
    QTest::qWait(20);
    host.Widget()->showNormal();
    QTest::qWait(20);
    EXPECT_EQ(hostShows, 1);
    EXPECT_EQ(dockedShows, 1);
}

#include "CheckLst.h"
#include "ComCtrls.h"
#include "DBGrids.h"
#include "Grids.h"

// A control freed after the window system has freed its widget (a docked window outliving its host)
// must go quietly, whatever it holds.
TEST(Controls, EveryControlOutlivesItsHostWidget) {
    std::vector<std::function<TControl*(TComponent*)>> makers = {
        [](TComponent* o) { return new TLabel(o); },
        [](TComponent* o) { return new TEdit(o); },
        [](TComponent* o) { return new TButton(o); },
        [](TComponent* o) { return new TCheckBox(o); },
        [](TComponent* o) { return new TComboBox(o); },
        [](TComponent* o) { return new TListBox(o); },
        [](TComponent* o) { return new TCheckListBox(o); },
        [](TComponent* o) { return new TMemo(o); },
        [](TComponent* o) { return new TRichEdit(o); },
        [](TComponent* o) { return new TPanel(o); },
        [](TComponent* o) { return new TImage(o); },
        [](TComponent* o) { return new TSpeedButton(o); },
        [](TComponent* o) { return new TDBGrid(o); },
        [](TComponent* o) { return new TDateTimePicker(o); },
    };
    for (auto& make : makers) {
        auto* host = new TForm(nullptr);
        TControl* control = make(nullptr);
        control->SetParent(host);
        delete host;
        delete control;
    }
    // A tree with nodes, and a page control with its sheets.
    auto* host = new TForm(nullptr);
    auto* tree = new TTreeView(nullptr);
    tree->SetParent(host);
    tree->Items()->AddChild(tree->Items()->Add(nullptr, "组"), "项");
    auto* pages = new TPageControl(nullptr);
    pages->SetParent(host);
    auto* sheet = new TTabSheet(nullptr);
    sheet->SetPageControl(pages);
    delete host;
    delete tree;
    delete sheet;
    delete pages;
}

// What a control holds stays usable after its host's widget is gone: item lists, the grid's scroll
// bars, the page control's tab strip.
TEST(Controls, ControlsStayUsableAfterTheirHostWidgetIsGone) {
    auto* host = new TForm(nullptr);
    auto* combo = new TComboBox(nullptr);
    auto* list = new TListBox(nullptr);
    auto* grid = new TStringGrid(nullptr);
    auto* pages = new TPageControl(nullptr);
    auto* first = new TTabSheet(nullptr);
    auto* second = new TTabSheet(nullptr);
    for (TControl* c : std::initializer_list<TControl*>{combo, list, grid, pages})
        c->SetParent(host);
    first->SetPageControl(pages);
    second->SetPageControl(pages);
    combo->Items()->Add("早餐");
    list->Items()->Add("午餐");
    delete host;

    combo->Items()->Add("晚餐");
    combo->SetItemIndex(1);
    EXPECT_EQ(combo->Text(), "晚餐");
    list->Items()->Delete(0);
    list->Items()->Add("加餐");
    EXPECT_EQ(list->Count(), 1);
    grid->SetRowCount(40);
    grid->SetCells(1, 30, "x");
    EXPECT_EQ(grid->Cells(1, 30), "x");
    ASSERT_EQ(pages->ActivePage(), first);
    delete first;  // the page control shows the other sheet
    EXPECT_EQ(pages->ActivePage(), second);
    pages->SetTabPosition(tpBottom);
    for (TControl* c : std::initializer_list<TControl*>{combo, list, grid, second, pages})
        delete c;
}

// A widget freed behind its control's back no longer leads to the control (a drag looks controls up
// by the widget under the mouse, and a new widget may take the freed one's address).
TEST(Controls, AFreedWidgetNoLongerLeadsToItsControl) {
    auto* label = new TLabel(nullptr);
    QWidget* widget = label->Widget();
    ASSERT_EQ(TControl::FromWidget(widget), label);
    delete widget;
    EXPECT_EQ(TControl::FromWidget(widget), nullptr);
    EXPECT_EQ(label->Widget(), nullptr);
    delete label;
}

TEST(ApplicationStart, QtsOwnDialogsAndMenusSpeakChinese) {
    Application->Initialize();
    // The save dialog as the program opens it (Qt's own, not the desktop's).
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        labels << label->text();
    EXPECT_TRUE(labels.contains("查找范围：")) << labels.join('|').toStdString();
    QStringList buttons;
    for (const QPushButton* button : dialog.findChildren<QPushButton*>())
        buttons << button->text();
    EXPECT_TRUE(buttons.contains("取消")) << buttons.join('|').toStdString();
    EXPECT_FALSE(buttons.contains("Cancel"));
    // An edit's context menu.
    QLineEdit edit("text");
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList actions;
    for (const QAction* action : menu->actions())
        actions << action->text();
    EXPECT_TRUE(actions.join('|').contains("复制(&C)")) << actions.join('|').toStdString();
    EXPECT_TRUE(actions.join('|').contains("全选")) << actions.join('|').toStdString();
}
