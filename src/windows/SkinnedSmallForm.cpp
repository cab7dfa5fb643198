#include "SkinnedSmallForm.h"

TSkinnedSmallForm::TSkinnedSmallForm(TComponent* AOwner, const QString& name, const QString& caption,
                                     int width, int height, bool stayOnTop, const QString& titleName,
                                     const QString& closeName)
    : TForm(AOwner) {
    SetName(name);
    SetCaption(caption);
    SetBorderStyle(bsNone);
    if (stayOnTop) SetFormStyle(fsStayOnTop);
    SetClientWidth(width);
    SetClientHeight(height);
    SetColor(clWhite);
    const TSkinnedTitle title = BuildSkinnedTitle(this, "pnlTit", titleName, closeName, caption);
    pnlTit = title.Panel;
    imgLeft = title.imgLeft;
    imgCenter = title.imgCenter;
    imgRight = title.imgRight;
    lblTit = title.Title;
    SpeedButton1 = title.CloseButton;
    ApplyMainSkin(this);
}
