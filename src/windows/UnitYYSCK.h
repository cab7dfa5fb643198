// The daily-needs window: the user's reference intake of energy, macronutrients, vitamins and minerals.
#pragma once

#include "Buttons.h"
#include "ExtCtrls.h"
#include "SkButton.h"
#include "StdCtrls.h"
#include "SkinnedSmallForm.h"

class TYYSCKFrm : public TSkinnedSmallForm {
    Q_OBJECT
public:
    explicit TYYSCKFrm(TComponent* AOwner);

    // The title and the close button under their own names.
    TLabel*& Label1 = lblTit;
    TSpeedButton*& SpeedButton2 = SpeedButton1;
    TLabel *LC_E, *LC_Pro, *LC_Fat, *LC_Cho;
    TLabel *LC_Va, *LC_S, *LC_H, *LC_VC, *LC_Ve;
    TLabel *LC_P, *LC_K, *LC_Na, *LC_Mg, *LC_Ca, *LC_Fe, *LC_Cu, *LC_Zn, *LC_Se;
    TSkButton* Btn_SaveSW;
    TTimer* Timer1;

    // Fills the labels for an activity level ("0".."3") and an age; the sex is the user's.
    void ShowDailyNeeds(const QString& level, double age);

    void FormClose(TObject* Sender, TCloseAction& Action);
    void Timer1Timer(TObject* Sender);
};
