// The day's foods and recipes in a small stay-on-top window, opened from the food history.
#pragma once

#include "DayDetailForm.h"

class TYSMXFrm : public TDayDetailForm {
    Q_OBJECT
public:
    explicit TYSMXFrm(TComponent* AOwner);

    TSkStringGrid* SGYS;
    TLabel* lblYSSum;

    // Lists every intake record of the logged-in user on the date: foods first, then recipes.
    void LoadDay(const QString& date);
};

extern TYSMXFrm* YSMXFrm;
