// The small borderless windows share a title bar of three skin images, a title and a close button.
#pragma once

#include "Buttons.h"
#include "ExtCtrls.h"
#include "Forms.h"

struct TSkinnedTitle {
    TPanel* Panel;
    TImage *imgLeft, *imgCenter, *imgRight;
    TLabel* Title;
    TSpeedButton* CloseButton;
};

// Builds the title bar on top of `form`; the images and the title drag the window, the button closes it.
TSkinnedTitle BuildSkinnedTitle(TForm* form, const QString& panelName, const QString& titleName,
                                const QString& closeName, const QString& caption);
// The cut-corner outline and the main window's current skin, for a window created just now.
void ApplyMainSkin(TForm* form);
