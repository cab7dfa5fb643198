// Actions: commands that controls carry out (TComponent::ExecuteAction). The framework's hint action
// brings the long hint of the control under the mouse to the controls of its window, where one that
// shows hints (a status pane with AutoHint) takes it.
#pragma once

#include "Classes.h"

class TControl;

class TBasicAction : public TComponent {
    Q_OBJECT
public:
    using TComponent::TComponent;
    // Whether the action works on Target, and that work; an action handles nothing by itself.
    virtual bool HandlesTarget(TObject*) { return false; }
    virtual void ExecuteTarget(TObject*) {}
};

// The hint of the control under the mouse.
class THintAction : public TBasicAction {
    Q_OBJECT
public:
    using TBasicAction::TBasicAction;
    QString Hint() const { return FHint; }
    void SetHint(const QString& hint) { FHint = hint; }

private:
    QString FHint;
};

// A hint's two parts: "short|long"; without a bar both are the whole hint.
QString GetShortHint(const QString& Hint);
QString GetLongHint(const QString& Hint);

// Offers the action to the controls of the window that Control is part of, the focused control
// first, then every showing control, until one carries it out; false when none does.
bool ExecuteActionInWindow(TControl* Control, TBasicAction* Action);
// The mouse came over Control: the long hint of the control, or of the nearest parent that has one,
// goes to its window as a hint action.
void ShowApplicationHint(TControl* Control);
