// The energy-method window: the daily target from the reference table or from basal metabolism.
#pragma once

#include "Buttons.h"
#include "SkButton.h"
#include "SkRadChk.h"
#include "StdCtrls.h"
#include "SkinnedSmallForm.h"

class TBKSetFrm : public TSkinnedSmallForm {
    Q_OBJECT
public:
    explicit TBKSetFrm(TComponent* AOwner);

    // The title and the close button under their own names.
    TLabel*& lbl1 = lblTit;
    TSpeedButton*& btn1 = SpeedButton1;
    TSkRadioButton *rb1, *rb2;
    TLabel *lbl2, *lbl3, *lbl4;
    TSkButton *btnOK, *btnClose;

    void FormShow(TObject* Sender);
    void rb1Click(TObject* Sender);
    void rb2Click(TObject* Sender);
    void btnOKClick(TObject* Sender);
};
