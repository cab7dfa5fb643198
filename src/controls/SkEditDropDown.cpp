#include "SkEditDropDown.h"

TEnterExitHeldBack::TEnterExitHeldBack(TWinControl* Control)
    : FControl(Control), FOnEnter(Control->OnEnter), FOnExit(Control->OnExit) {
    Control->OnEnter = nullptr;
    Control->OnExit = nullptr;
}

TEnterExitHeldBack::~TEnterExitHeldBack() {
    if (!FControl) return;
    FControl->OnEnter = FOnEnter;
    FControl->OnExit = FOnExit;
}

void StyleDropDownContent(TSkCustomEdit* Edit, TSkPopupContent* Content) {
    Content->Font()->SetName(Edit->Font()->Name());
    Content->Font()->SetColor(Edit->Font()->Color());
    Content->Font()->SetSize(Edit->Font()->Size());
    Content->SetPopupMode(true);
    Content->SetThemeAware(Edit->UseThemes());
    Content->SetColor(Edit->Color());
    const bool flatEdit = Edit->FrameVisible() && !Edit->UseThemes() && Edit->FrameStyle() == fsFlat;
    if (flatEdit || Edit->FrameStyle() == fsFlatBold) {
        Content->SetBorderOuter(fsFlat);
        Content->SetFlatColor(Edit->FrameColor());
    }
    Content->SetVisible(true);
}

bool RunDropDownPanel(TSkCustomEdit* Edit, TSkPopupPanel* Panel, TSkPopupPanel*& Open) {
    QPointer<QObject> alive(Edit);
    Open = Panel;
    bool accepted = false;
    try {
        accepted = Panel->Popup(Edit);
    } catch (...) {
        if (alive) Open = nullptr;
        throw;
    }
    if (alive) Open = nullptr;
    return accepted;
}
