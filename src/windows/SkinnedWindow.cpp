#include "SkinnedWindow.h"

#include "UintDM.h"
#include "UnitMain.h"

TSkinnedTitle BuildSkinnedTitle(TForm* form, const QString& panelName, const QString& titleName,
                                const QString& closeName, const QString& caption) {
    TSkinnedTitle t;
    t.Panel = new TPanel(form);
    t.Panel->SetName(panelName);
    t.Panel->SetParent(form);
    t.Panel->SetHeight(28);
    t.Panel->SetAlign(alTop);
    t.Panel->SetBevelOuter(bvNone);
    t.Panel->SetColor(MainFrm ? MainFrm->SkinColor() : TColor(0xF8B600));
    auto image = [&](const char* name, TAlign align) {
        auto* img = new TImage(form);
        img->SetName(name);
        img->SetParent(t.Panel);
        img->SetWidth(40);
        img->SetAlign(align);
        img->SetStretch(true);
        img->OnMouseDown = [form](TObject*, TMouseButton b, TShiftState, int, int) {
            if (b == mbLeft) DM->DragForm(form);
        };
        return img;
    };
    t.imgLeft = image("imgLeft", alLeft);
    t.imgRight = image("imgRight", alRight);
    t.imgCenter = image("imgCenter", alClient);
    t.Title = new TLabel(form);
    t.Title->SetName(titleName);
    t.Title->SetParent(t.Panel);
    t.Title->SetBounds(12, 6, 0, 0);
    t.Title->SetCaption(caption);
    t.Title->Font()->SetColor(clWhite);
    t.Title->Font()->SetStyle(FontStyle(fsBold));
    t.Title->OnMouseDown = t.imgLeft->OnMouseDown;
    t.CloseButton = new TSpeedButton(form);
    t.CloseButton->SetName(closeName);
    t.CloseButton->SetParent(t.Panel);
    t.CloseButton->SetBounds(form->ClientWidth() - 26, 3, 22, 22);
    t.CloseButton->SetCaption("×");
    t.CloseButton->SetFlat(true);
    t.CloseButton->OnClick = [form](TObject*) { form->Close(); };
    return t;
}

void ApplyMainSkin(TForm* form) {
    DM->SetFormRegion(form, form->Width(), form->Height());
    if (MainFrm) MainFrm->ApplySkinTo(MainFrm->SkinNo, form);
}
