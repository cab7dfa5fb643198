#include "CheckLst.h"

#include <QListView>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

namespace {
constexpr int GlyphSize = 13;
constexpr int GlyphAreaWidth = GlyphSize + 6;
} // namespace

TCheckListBox::TCheckListBox(TComponent* AOwner) : TListBox(AOwner) {}

const TCheckListBox::TItemState& TCheckListBox::StateOf(int index) const {
    if (index < 0 || index >= int(FStates.size()))
        throw Exception(QStringLiteral("List index out of bounds (%1)").arg(index));
    return FStates[index];
}

TCheckBoxState TCheckListBox::State(int index) const {
    return StateOf(index).State;
}

void TCheckListBox::SetState(int index, TCheckBoxState state) {
    StateOf(index);
    FStates[index].State = state;
    Invalidate();
    if (View()) View()->viewport()->update();
}

bool TCheckListBox::ItemEnabled(int index) const {
    return StateOf(index).Enabled;
}

void TCheckListBox::SetItemEnabled(int index, bool enabled) {
    StateOf(index);
    FStates[index].Enabled = enabled;
    if (View()) View()->viewport()->update();
}

void TCheckListBox::CheckAll(TCheckBoxState state, bool allowGrayed, bool allowDisabled) {
    for (TItemState& item : FStates) {
        if (!allowGrayed && item.State == cbGrayed) continue;
        if (!allowDisabled && !item.Enabled) continue;
        item.State = state;
    }
    if (View()) View()->viewport()->update();
}

void TCheckListBox::ItemsSpliced(int index, int removed, int inserted) {
    FStates.erase(FStates.begin() + index, FStates.begin() + index + removed);
    FStates.insert(FStates.begin() + index, inserted, TItemState{});
}

void TCheckListBox::ToggleClickCheck(int index) {
    if (index < 0 || index >= int(FStates.size()) || !FStates[index].Enabled || !FEnabled) return;
    TCheckBoxState& state = FStates[index].State;
    switch (state) {
    case cbUnchecked:
        state = FAllowGrayed ? cbGrayed : cbChecked;
        break;
    case cbChecked:
        state = cbUnchecked;
        break;
    case cbGrayed:
        state = cbChecked;
        break;
    }
    if (View()) View()->viewport()->update();
    FireEvent(OnClickCheck, this);
}

void TCheckListBox::ItemPressed(int index, const QPoint& pos) {
    const TRect r = ItemRect(index);
    if (pos.x() - r.Left < GlyphAreaWidth) ToggleClickCheck(index);
}

void TCheckListBox::KeyOnItem(int index, int qtKey) {
    if (qtKey == Qt::Key_Space) ToggleClickCheck(index);
}

TRect TCheckListBox::ItemTextRect(const TRect& itemRect) const {
    TRect r = itemRect;
    r.Left += GlyphAreaWidth;
    return r;
}

TOwnerDrawState TCheckListBox::ItemDrawState(int index) const {
    if (index < 0 || index >= int(FStates.size())) return 0;
    TOwnerDrawState state = 0;
    if (FStates[index].State == cbChecked) state |= odChecked;
    if (!FStates[index].Enabled) state |= odDisabled;
    return state;
}

void TCheckListBox::DrawItemFrame(QPainter& painter, int index, const TRect& itemRect,
                                  TOwnerDrawState state) {
    const QRect area(itemRect.Left, itemRect.Top, GlyphAreaWidth, itemRect.Height());
    painter.fillRect(area, ToQColor(FColor));
    if (index < 0 || index >= int(FStates.size())) return;
    QStyleOptionButton option;
    option.rect = QRect(area.left() + 2, area.top() + (area.height() - GlyphSize) / 2, GlyphSize, GlyphSize);
    option.state = FStates[index].State == cbChecked  ? QStyle::State_On
                   : FStates[index].State == cbGrayed ? QStyle::State_NoChange
                                                      : QStyle::State_Off;
    if (!(state & odDisabled)) option.state |= QStyle::State_Enabled;
    QWidget* widget = View();
    QStyle* style = widget ? widget->style() : nullptr;
    if (style) style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, widget);
}
