#include "SkinnedSmallForm.h"

#include "UnitMain.h"

TSkinnedSmallForm::TSkinnedSmallForm(TComponent* AOwner, const QString& name, const QString& caption,
                                     int width, int height, bool stayOnTop)
    : TForm(AOwner) {
    SetName(name);
    SetCaption(caption);
    SetBorderStyle(bsNone);
    if (stayOnTop) SetFormStyle(fsStayOnTop);
    SetClientWidth(width);
    SetClientHeight(height);
    SetColor(clWhite);
    const TSkinnedTitle title = BuildSkinnedTitle(this, "pnlTit", "lblTit", "SpeedButton1", caption);
    pnlTit = title.Panel;
    imgLeft = title.imgLeft;
    imgCenter = title.imgCenter;
    imgRight = title.imgRight;
    lblTit = title.Title;
    SpeedButton1 = title.CloseButton;
}

void PlaceOverTodayPanel(TForm* form) {
    if (!MainFrm) return;
    const TPoint origin = MainFrm->PopupOrigin();
    form->SetLeft(MainFrm->Left() + MainFrm->Width() - form->Width() - 6);
    form->SetTop(origin.Y);
}
