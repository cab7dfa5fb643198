// Actions: commands that controls carry out (TComponent::ExecuteAction) or that a control runs when
// clicked (TControl::Action), keeping the control's caption, enabled state, hint and visibility in
// step through an action link. The framework's hint action brings the long hint of the control under
// the mouse to the controls of its window, where one that shows hints (a status pane with AutoHint)
// takes it.
#pragma once

#include "Classes.h"

#include <vector>

class TControl;
class TBasicActionLink;

class TBasicAction : public TComponent {
    Q_OBJECT
public:
    using TComponent::TComponent;
    ~TBasicAction() override;
    // Whether the action works on Target, and that work; an action handles nothing by itself.
    virtual bool HandlesTarget(TObject*) { return false; }
    virtual void ExecuteTarget(TObject*) {}
    // Runs OnExecute; false when there is none.
    virtual bool Execute();
    TNotifyEvent OnExecute;

    // Framework use: the links through which controls follow the action.
    void RegisterChanges(TBasicActionLink* Link);
    void UnRegisterChanges(TBasicActionLink* Link);

protected:
    // Tells every link that the action changed.
    void Change();
    std::vector<TBasicActionLink*> FClients;
};

// An action with the values its controls show.
class TCustomAction : public TBasicAction {
    Q_OBJECT
public:
    using TBasicAction::TBasicAction;
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    QString Hint() const { return FHint; }
    void SetHint(const QString& Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);

private:
    // Hands a new value to every link before storing it, so a link still sees the old one.
    template <class TValue, class TSetter> void Spread(TValue& Field, const TValue& Value, TSetter Setter);
    QString FCaption, FHint;
    bool FChecked = false, FEnabled = true, FVisible = true;
};

class TAction : public TCustomAction {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Checked READ Checked WRITE SetChecked)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_CLASSINFO("Checked", "= False")
    Q_CLASSINFO("Enabled", "= True")
    Q_CLASSINFO("Visible", "= True")
public:
    using TCustomAction::TCustomAction;
};

// Ties a client to an action: the action's changes reach the client through OnChange and the setters.
class TBasicActionLink : public TObject {
public:
    TBasicActionLink() = default;
    ~TBasicActionLink() override;
    TBasicActionLink(const TBasicActionLink&) = delete;
    TBasicActionLink& operator=(const TBasicActionLink&) = delete;

    TBasicAction* Action() const { return FAction; }
    void SetAction(TBasicAction* Value);
    // Runs the action; false when it does nothing.
    virtual bool Execute(TComponent* Target = nullptr);
    // Called with the action whenever it changed.
    TNotifyEvent OnChange;

    // Framework use: the action changed; it is going.
    void Change();
    void ActionFreed() { FAction = nullptr; }

protected:
    TBasicAction* FAction = nullptr;
};

// A link that follows a TCustomAction's values: each is linked while the action has one to give.
class TActionLink : public TBasicActionLink {
public:
    virtual bool IsCaptionLinked() const;
    virtual bool IsCheckedLinked() const;
    virtual bool IsEnabledLinked() const;
    virtual bool IsHintLinked() const;
    virtual bool IsVisibleLinked() const;
    // The action's new value, before the action stores it.
    virtual void SetCaption(const QString&) {}
    virtual void SetChecked(bool) {}
    virtual void SetEnabled(bool) {}
    virtual void SetHint(const QString&) {}
    virtual void SetVisible(bool) {}

protected:
    TCustomAction* CustomAction() const;
};

// A control's link: a value stays linked while the control shows what the action gives.
class TControlActionLink : public TActionLink {
public:
    explicit TControlActionLink(TControl* Client) : FClient(Client) {}
    TControl* Client() const { return FClient; }
    bool IsCaptionLinked() const override;
    bool IsEnabledLinked() const override;
    bool IsHintLinked() const override;
    bool IsVisibleLinked() const override;
    void SetCaption(const QString& Value) override;
    void SetEnabled(bool Value) override;
    void SetHint(const QString& Value) override;
    void SetVisible(bool Value) override;

protected:
    TControl* FClient;
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
// A control that carries out hint actions (a status pane showing hints) is registered while it
// lives: the mouse coming over the controls of a window without one walks none of them.
void RegisterHintActionTarget(TControl* Control);
void UnregisterHintActionTarget(TControl* Control);
