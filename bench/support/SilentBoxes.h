// Every question the windows ask is answered OK, without a window, so nothing waits for a user.
#pragma once

#include "Dialogs.h"

class TSilentBoxes : public TMessageService {
public:
    int MessageBox(const QString&, const QString&, int) override { return IDOK; }
};
