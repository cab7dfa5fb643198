// The day's foods and recipes in a small stay-on-top window, opened from the food history.
#pragma once

#include "SkControls.h"
#include "SkinnedSmallForm.h"

class TYSMXFrm : public TSkinnedSmallForm {
    Q_OBJECT
public:
    explicit TYSMXFrm(TComponent* AOwner);
    ~TYSMXFrm() override;

    TSkStringGrid* SGYS;
    TLabel* lblYSSum;

    // Lists every intake record of the logged-in user on the date: foods first, then recipes.
    void LoadDay(const QString& date);
    void FormCreate(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
};

extern TYSMXFrm* YSMXFrm;
