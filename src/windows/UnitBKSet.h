// The energy-method window: the daily target from the reference table or from basal metabolism.
#pragma once

#include "SkControls.h"
#include "SkinnedWindow.h"

class TBKSetFrm : public TForm {
    Q_OBJECT
public:
    explicit TBKSetFrm(TComponent* AOwner);

    TPanel* pnlTit;
    TImage *imgLeft, *imgCenter, *imgRight;
    TLabel* lbl1;
    TSpeedButton* btn1;
    TRadioButton *rb1, *rb2;
    TLabel *lbl2, *lbl3, *lbl4;
    TSkButton *btnOK, *btnClose;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void rb1Click(TObject* Sender);
    void rb2Click(TObject* Sender);
    void btnOKClick(TObject* Sender);
};
