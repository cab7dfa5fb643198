// What the numeric and date/time edits' drop-downs share: a pop-up panel at the edit holding one
// content control (calculator, calendar or clock) in the edit's font and look, run while the edit's
// OnEnter and OnExit are held back, its choice handed back only when confirmed.
#pragma once

#include "SkEdit.h"
#include "SkPopups.h"
#include "SkPopupsContent.h"

#include <QPointer>
#include <functional>

// While a drop-down runs, its focus moves fire no OnEnter or OnExit of the edit.
class TEnterExitHeldBack {
public:
    explicit TEnterExitHeldBack(TWinControl* Control);
    ~TEnterExitHeldBack();

private:
    QPointer<TWinControl> FControl;
    TNotifyEvent FOnEnter, FOnExit;
};

// The content takes the edit's font, colour and theming, pop-up mode, the flat frame of a flat edit,
// and shows.
void StyleDropDownContent(TSkCustomEdit* Edit, TSkPopupContent* Content);

// Pops the panel up at the edit with Open holding it meanwhile; true when the content confirmed.
bool RunDropDownPanel(TSkCustomEdit* Edit, TSkPopupPanel* Panel, TSkPopupPanel*& Open);

// The whole drop-down: nothing without a parent; AutoSelect off while it runs; Setup prepares the
// new content (binding its completion event to the panel's Close), Accept reads it when confirmed; the panel
// is freed afterwards in every case.
template <class TContent>
void RunEditDropDown(TSkCustomEdit* Edit, TSkPopupPanel*& Open,
                     const std::function<void(TContent*, TSkPopupPanel*)>& Setup,
                     const std::function<void(TContent*)>& Accept) {
    if (!Edit->Parent()) return;
    struct TCleanUp {
        QPointer<TSkCustomEdit> Edit;
        QPointer<TSkPopupPanel> Panel;
        bool AutoSelect;
        ~TCleanUp() {
            delete Panel.data();
            if (Edit) Edit->SetAutoSelect(AutoSelect);
        }
    } cleanUp{Edit, new TSkPopupPanel(Edit), Edit->AutoSelect()};
    Edit->SetAutoSelect(false);
    cleanUp.Panel->SetParent(Edit->Parent());
    auto* content = new TContent(cleanUp.Panel);
    content->SetParent(cleanUp.Panel);
    StyleDropDownContent(Edit, content);
    Setup(content, cleanUp.Panel);
    const bool accepted = RunDropDownPanel(Edit, cleanUp.Panel, Open);
    if (accepted && cleanUp.Edit && cleanUp.Panel) Accept(content);
}
