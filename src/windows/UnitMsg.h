// The tip window: one explanatory text under its title, fading in.
#pragma once

#include "SkControls.h"
#include "SkinnedWindow.h"

class TMsgFrm : public TForm {
    Q_OBJECT
public:
    explicit TMsgFrm(TComponent* AOwner);

    TPanel* pnlTit;
    TImage *imgLeft, *imgCenter, *imgRight;
    TLabel* lblTit;
    TSpeedButton* SpeedButton1;
    TSkRichEdit* edtMsg;
    TPanel* pnl1;
    TCheckBox* chckbx1;
    TTimer* Timer1;

    void FormCreate(TObject* Sender);
    void Timer1Timer(TObject* Sender);
    void chckbx1MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
};
