// The activity catalogue: four check lists by intensity from which the user ticks his own activities,
// and an editor to add, rename or delete the items users added. Created anew and shown modally.
#pragma once

#include "Menus.h"
#include "SkButton.h"
#include "SkChkLst.h"
#include "SkCmboBx.h"
#include "SkEdit.h"
#include "SkPanel.h"
#include "SkinnedSmallForm.h"

#include <array>

class TSetHTFrm : public TSkinnedSmallForm {
    Q_OBJECT
public:
    explicit TSetHTFrm(TComponent* AOwner);
    ~TSetHTFrm() override;

    TSkCheckList *RC_A, *RC_B, *RC_C, *RC_D;
    TPopupMenu* PopupMenu1;
    TMenuItem *N1, *N2;
    TSkGroupBox* gb;
    TSkComboBox* cbbHT;
    TSkEdit *edtHT, *edtXH;
    TSkButton *SkButton1, *SkButton2, *SkButton3, *SkButton7, *btnCloseSP;

    // Fills the four lists from the catalogue and ticks the user's own activities.
    void LoadLists();

    void FormShow(TObject* Sender);
    void SkButton7Click(TObject* Sender);
    void SkButton3Click(TObject* Sender);
    void SkButton2Click(TObject* Sender);
    void SkButton1Click(TObject* Sender);
    void N1Click(TObject* Sender);
    void btnCloseSPClick(TObject* Sender);

private:
    std::array<TSkCheckList*, 4> Lists() const { return {RC_A, RC_B, RC_C, RC_D}; }
    void DeleteItem(const QString& id);
    // Shows the item editor in front, in the mode given, with the keyboard in its first field.
    void OpenEditor(int mode);
    int FMode = 0;    // 0 add, 1 rename
    QString FItemId;  // the item chosen for renaming or deletion
};
