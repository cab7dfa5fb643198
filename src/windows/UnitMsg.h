// The tip window: one explanatory text under its title, fading in.
#pragma once

#include "SkControls.h"
#include "SkinnedSmallForm.h"

class TMsgFrm : public TSkinnedSmallForm {
    Q_OBJECT
public:
    explicit TMsgFrm(TComponent* AOwner);

    TSkRichEdit* edtMsg;
    TPanel* pnl1;
    TCheckBox* chckbx1;
    TTimer* Timer1;

    void Timer1Timer(TObject* Sender);
    void chckbx1MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
};
