#include "Actions.h"

#include "Controls.h"

#include <algorithm>

bool TComponent::ExecuteAction(TBasicAction* Action) {
    if (!Action || !Action->HandlesTarget(this)) return false;
    Action->ExecuteTarget(this);
    return true;
}

// Actions --------------------------------------------------------------------------------------------
TBasicAction::~TBasicAction() {
    for (TBasicActionLink* link : FClients)
        link->ActionFreed();
}

bool TBasicAction::Execute() {
    if (!OnExecute) return false;
    OnExecute(this);
    return true;
}

void TBasicAction::RegisterChanges(TBasicActionLink* Link) {
    if (std::find(FClients.begin(), FClients.end(), Link) == FClients.end()) FClients.push_back(Link);
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* Link) {
    FClients.erase(std::remove(FClients.begin(), FClients.end(), Link), FClients.end());
}

void TBasicAction::Change() {
    const std::vector<TBasicActionLink*> links = FClients;
    for (TBasicActionLink* link : links)
        link->Change();
}

template <class TValue, class TSetter>
void TCustomAction::Spread(TValue& Field, const TValue& Value, TSetter Setter) {
    if (Field == Value) return;
    const std::vector<TBasicActionLink*> links = FClients;
    for (TBasicActionLink* link : links)
        if (auto* actionLink = dynamic_cast<TActionLink*>(link)) (actionLink->*Setter)(Value);
    Field = Value;
    Change();
}

void TCustomAction::SetCaption(const QString& Value) {
    Spread(FCaption, Value, &TActionLink::SetCaption);
}
void TCustomAction::SetChecked(bool Value) {
    Spread(FChecked, Value, &TActionLink::SetChecked);
}
void TCustomAction::SetEnabled(bool Value) {
    Spread(FEnabled, Value, &TActionLink::SetEnabled);
}
void TCustomAction::SetHint(const QString& Value) {
    Spread(FHint, Value, &TActionLink::SetHint);
}
void TCustomAction::SetVisible(bool Value) {
    Spread(FVisible, Value, &TActionLink::SetVisible);
}

// Action links -----------------------------------------------------------------------------------------
TBasicActionLink::~TBasicActionLink() {
    if (FAction) FAction->UnRegisterChanges(this);
}

void TBasicActionLink::SetAction(TBasicAction* Value) {
    if (Value == FAction) return;
    if (FAction) FAction->UnRegisterChanges(this);
    FAction = Value;
    if (FAction) FAction->RegisterChanges(this);
}

bool TBasicActionLink::Execute(TComponent*) {
    return FAction && FAction->Execute();
}

void TBasicActionLink::Change() {
    if (OnChange) OnChange(FAction);
}

TCustomAction* TActionLink::CustomAction() const {
    return dynamic_cast<TCustomAction*>(FAction);
}
bool TActionLink::IsCaptionLinked() const {
    return CustomAction();
}
bool TActionLink::IsCheckedLinked() const {
    return CustomAction();
}
bool TActionLink::IsEnabledLinked() const {
    return CustomAction();
}
bool TActionLink::IsHintLinked() const {
    return CustomAction();
}
bool TActionLink::IsVisibleLinked() const {
    return CustomAction();
}

bool TControlActionLink::IsCaptionLinked() const {
    return TActionLink::IsCaptionLinked() && FClient->Caption() == CustomAction()->Caption();
}
bool TControlActionLink::IsEnabledLinked() const {
    return TActionLink::IsEnabledLinked() && FClient->Enabled() == CustomAction()->Enabled();
}
bool TControlActionLink::IsHintLinked() const {
    return TActionLink::IsHintLinked() && FClient->Hint() == CustomAction()->Hint();
}
bool TControlActionLink::IsVisibleLinked() const {
    return TActionLink::IsVisibleLinked() && FClient->Visible() == CustomAction()->Visible();
}
void TControlActionLink::SetCaption(const QString& Value) {
    if (IsCaptionLinked()) FClient->SetCaption(Value);
}
void TControlActionLink::SetEnabled(bool Value) {
    if (IsEnabledLinked()) FClient->SetEnabled(Value);
}
void TControlActionLink::SetHint(const QString& Value) {
    if (IsHintLinked()) FClient->SetHint(Value);
}
void TControlActionLink::SetVisible(bool Value) {
    if (IsVisibleLinked()) FClient->SetVisible(Value);
}

// Hints ------------------------------------------------------------------------------------------------
QString GetShortHint(const QString& Hint) {
    const int bar = Hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? Hint : Hint.left(bar);
}

QString GetLongHint(const QString& Hint) {
    const int bar = Hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? Hint : Hint.mid(bar + 1);
}

namespace {
bool OfferToShowing(TControl* control, TBasicAction* action) {
    if (!control->Visible()) return false;
    if (control->ExecuteAction(action)) return true;
    if (auto* win = dynamic_cast<TWinControl*>(control))
        for (int i = 0; i < win->ControlCount(); ++i)
            if (OfferToShowing(win->Controls(i), action)) return true;
    return false;
}

std::vector<TControl*>& HintActionTargets() {
    static std::vector<TControl*> targets;
    return targets;
}

TControl* TopOf(TControl* control) {
    while (control->Parent())
        control = control->Parent();
    return control;
}

TWinControl* FocusedIn(TControl* control) {
    auto* win = dynamic_cast<TWinControl*>(control);
    if (!win) return nullptr;
    if (win->Focused()) return win;
    for (int i = 0; i < win->ControlCount(); ++i)
        if (TWinControl* focused = FocusedIn(win->Controls(i))) return focused;
    return nullptr;
}
}  // namespace

bool ExecuteActionInWindow(TControl* Control, TBasicAction* Action) {
    if (!Control || !Action) return false;
    TControl* top = TopOf(Control);
    if (TWinControl* focused = FocusedIn(top))
        if (focused->ExecuteAction(Action)) return true;
    return OfferToShowing(top, Action);
}

void RegisterHintActionTarget(TControl* Control) {
    HintActionTargets().push_back(Control);
}

void UnregisterHintActionTarget(TControl* Control) {
    auto& targets = HintActionTargets();
    targets.erase(std::remove(targets.begin(), targets.end(), Control), targets.end());
}

void ShowApplicationHint(TControl* Control) {
    if (!Control) return;
    // Only a window that holds a taker of hint actions is offered one.
    const auto& targets = HintActionTargets();
    TControl* const top = TopOf(Control);
    if (std::none_of(targets.begin(), targets.end(), [top](TControl* t) { return TopOf(t) == top; })) return;
    QString hint;
    for (TControl* c = Control; c && hint.isEmpty(); c = c->Parent())
        hint = c->Hint();
    THintAction action;
    action.SetHint(GetLongHint(hint));
    ExecuteActionInWindow(Control, &action);
}
