// The tip window: one explanatory text under its title, fading in.
#pragma once

#include "ExtCtrls.h"
#include "SkRadChk.h"
#include "SkEditMemo.h"
#include "StdCtrls.h"
#include "SkinnedSmallForm.h"

class TMsgFrm : public TSkinnedSmallForm {
    Q_OBJECT
public:
    explicit TMsgFrm(TComponent* AOwner);

    TSkRichEdit* edtMsg;
    TPanel* pnl1;
    TSkCheckBox* chckbx1;
    TTimer* Timer1;

    void Timer1Timer(TObject* Sender);
    void chckbx1MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
};
