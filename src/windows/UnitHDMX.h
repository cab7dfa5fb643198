// The day's activities in a small stay-on-top window, opened from the activity history.
#pragma once

#include "DayDetailForm.h"

class THDMXFrm : public TDayDetailForm {
    Q_OBJECT
public:
    explicit THDMXFrm(TComponent* AOwner);

    TSkStringGrid* SGHD;
    TLabel* lblSPSum;

    // Lists every activity record of the logged-in user on the date.
    void LoadDay(const QString& date);
};

extern THDMXFrm* HDMXFrm;
