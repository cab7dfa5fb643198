// The day's activities in a small stay-on-top window, opened from the activity history.
#pragma once

#include "SkControls.h"
#include "SkinnedSmallForm.h"

class THDMXFrm : public TSkinnedSmallForm {
    Q_OBJECT
public:
    explicit THDMXFrm(TComponent* AOwner);
    ~THDMXFrm() override;

    TSkStringGrid* SGHD;
    TLabel* lblSPSum;

    // Lists every activity record of the logged-in user on the date.
    void LoadDay(const QString& date);
    void FormCreate(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
};

extern THDMXFrm* HDMXFrm;
