// Check lists: a list box whose items each carry a check box.
#pragma once

#include "StdCtrls.h"

#include <vector>

// Clicking an item's check box or pressing the space bar on it toggles it (unchecked, checked, and
// grayed in between when AllowGrayed) and fires OnClickCheck; setting a state by code fires nothing.
// A disabled item cannot be toggled by the user.
class TCheckListBox : public TListBox {
    Q_OBJECT
  public:
    explicit TCheckListBox(TComponent* AOwner);

    bool Checked(int index) const { return State(index) == cbChecked; }
    void SetChecked(int index, bool checked) { SetState(index, checked ? cbChecked : cbUnchecked); }
    TCheckBoxState State(int index) const;
    void SetState(int index, TCheckBoxState state);
    bool ItemEnabled(int index) const;
    void SetItemEnabled(int index, bool enabled);
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool allow) { FAllowGrayed = allow; }
    // Sets every item (grayed and disabled ones only when allowed) to the state.
    void CheckAll(TCheckBoxState state, bool allowGrayed = true, bool allowDisabled = true);

    TNotifyEvent OnClickCheck;

    void ItemPressed(int index, const QPoint& pos) override;
    void KeyOnItem(int index, int qtKey) override;

  protected:
    TRect ItemTextRect(const TRect& itemRect) const override;
    void DrawItemFrame(QPainter& painter, int index, const TRect& itemRect, TOwnerDrawState state) override;
    TOwnerDrawState ItemDrawState(int index) const override;
    void ItemsSpliced(int index, int removed, int inserted) override;

  private:
    struct TItemState {
        TCheckBoxState State = cbUnchecked;
        bool Enabled = true;
    };
    const TItemState& StateOf(int index) const;
    void ToggleClickCheck(int index);
    std::vector<TItemState> FStates;
    bool FAllowGrayed = false;
};
