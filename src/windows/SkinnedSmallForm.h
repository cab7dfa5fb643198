// The small borderless windows of the personal centre share one frame: a skinned title bar with the
// three title images, the title label and a close button, over a white client area.
#pragma once

#include "SkinnedWindow.h"

class TSkinnedSmallForm : public TForm {
    Q_OBJECT
public:
    TPanel* pnlTit;
    TImage *imgLeft, *imgCenter, *imgRight;
    TLabel* lblTit;
    TSpeedButton* SpeedButton1;

protected:
    // A borderless window of the client size given, staying on top when `stayOnTop`, with the cut-corner
    // outline and the main window's skin. The title label and the close button get the names given.
    TSkinnedSmallForm(TComponent* AOwner, const QString& name, const QString& caption, int width, int height,
                      bool stayOnTop, const QString& titleName = QStringLiteral("lblTit"),
                      const QString& closeName = QStringLiteral("SpeedButton1"));
};
