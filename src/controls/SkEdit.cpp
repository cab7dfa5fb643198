#include "SkEdit.h"

#include "FrameControls.h"
#include "MessageBeep.h"
#include "Platform.h"
#include "Streaming.h"
#include "Themes.h"

#include <QEvent>
#include <QPointer>
#include <algorithm>
#include <utility>

namespace {
struct TEditTypes {
    TEditTypes() {
        RegisterSkCommonTypes();
        RegisterClass<TSkEdit>();
    }
};
const TEditTypes EditTypes;

// The classic width of a vertical scroll bar, which the drop-down button takes.
constexpr int ScrollBarWidth = 16;
}  // namespace

TSkCustomEdit::TSkCustomEdit(TComponent* AOwner) : TSkFramedEdit<TEdit>(AOwner) {
    UpdateTextHint();
}

void TSkCustomEdit::SetAlignment(TAlignment Value) {
    if (!StoreChanged(FAlignment, Value)) return;
    SetTextAlignment(Value);
}

void TSkCustomEdit::SetTextHint(const QString& Value) {
    if (!StoreChanged(FTextHint, Value)) return;
    if (!(ComponentState() & csLoading)) UpdateTextHint();
}

void TSkCustomEdit::SetTextHintVisibleOnFocus(bool Value) {
    if (!StoreChanged(FTextHintVisibleOnFocus, Value)) return;
    if (!(ComponentState() & csLoading)) UpdateTextHint();
}

// The cue banner belongs to the visual styles of XP and later; without them the field shows none.
// Unless visible on focus, the hint leaves while the field has the focus.
void TSkCustomEdit::UpdateTextHint() {
    const bool shown = RunningAtLeast(wvWinXP) && IsThemeActive() && IsAppThemed() &&
                       (FTextHintVisibleOnFocus || !IsFocusedFlag());
    SetCueBanner(shown ? FTextHint : QString());
}

void TSkCustomEdit::Loaded() {
    TSkFramedEdit<TEdit>::Loaded();
    UpdateTextHint();
}

void TSkCustomEdit::CMEnter(TMessage& Message) {
    TSkFramedEdit<TEdit>::CMEnter(Message);
    UpdateTextHint();
    // NT 4.0 does not select the text of an edit entered by keyboard itself.
    const TOSVersionInfo& os = GetOSVersion();
    if (os.MajorVersion == 4 && os.MinorVersion == 0 && FAutoSelect) SelectAll();
}

void TSkCustomEdit::CMExit(TMessage& Message) {
    TSkFramedEdit<TEdit>::CMExit(Message);
    UpdateTextHint();
}

bool TSkCustomEdit::EnterKey() {
    if (TSkFramedEdit<TEdit>::EnterKey()) return true;
    // NT 4.0 beeps at Enter in a right-aligned edit.
    const TOSVersionInfo& os = GetOSVersion();
    return os.MajorVersion == 4 && os.MinorVersion == 0 && FAlignment == taRightJustify;
}

void TSkCustomEdit::InvalidKeyBeep() {
    if (FBeepOnInvalidKey) MessageBeep(0);
}

// The drop-down button ----------------------------------------------------------------------------------
void TSkCustomEdit::SetDropButtonVisible(bool Value) {
    if (!StoreChanged(FDropButtonVisible, Value)) return;
    SetButtonPresent(Value && !ReadOnly());
}

void TSkCustomEdit::SetButtonPresent(bool Value) {
    if (!StoreChanged(FButtonPresent, Value)) return;
    SetMouseTracking(true);  // the cursor follows the button
    RecalcNonClientArea();
    RepaintFrame();
}

void TSkCustomEdit::SetFlatButtons(bool Value) {
    if (StoreChanged(FBlock.FlatButtons, Value)) RepaintFrame();
}

void TSkCustomEdit::SetFlatButtonColor(TColor Value) {
    if (StoreChanged(FBlock.FlatButtonColor, Value)) RepaintFrame();
}

void TSkCustomEdit::SetButtonState(int Value) {
    if (StoreChanged(FButtonState, Value)) RepaintFrame();
}

// A read-only field hides its button; a writable one shows it again when wanted.
void TSkCustomEdit::ReadOnlyChanged() {
    SetButtonPresent(FDropButtonVisible && !ReadOnly());
    TSkFramedEdit<TEdit>::ReadOnlyChanged();
}

void TSkCustomEdit::HotStateChanged() {
    const bool buttonFollows = FBlock.FlatButtons || FBlock.FrameHotTrack || UseThemes();
    if (FButtonPresent && buttonFollows && FButtonState != 2)
        RepaintFrame();
    else if (!FButtonPresent)
        TSkFramedEdit<TEdit>::HotStateChanged();
}

TRect TSkCustomEdit::DropButtonRect() const {
    if (!FButtonPresent) return Rect(0, 0, 0, 0);
    TRect r = Rect(0, 0, Width(), Height());
    const int border = UseThemes() ? 1 : 2;
    InflateRect(r, -border, -border);
    if (r.IsEmpty()) return Rect(0, 0, 0, 0);
    return Rect(std::max(r.Left, r.Right - ScrollBarWidth), r.Top, r.Right, r.Bottom);
}

void TSkCustomEdit::WMNCCalcSize(TWMNCCalcSize& Message) {
    TSkFramedEdit<TEdit>::WMNCCalcSize(Message);
    if (FButtonPresent) Message.CalcRect->Right -= UseThemes() ? ScrollBarWidth - 1 : ScrollBarWidth;
}

void TSkCustomEdit::PaintNonClientExtras(TCanvas* Canvas) {
    if (!FButtonPresent) return;
    const TRect button = DropButtonRect();
    const TRect nc = NonClientMargins();
    TDeviceContext* dc = Canvas->Handle();
    const int saved = dc->SaveDC();
    DrawDropDownButton(Canvas, button);
    // What the button left of its strip takes the field's colour.
    dc->ExcludeClipRect(button.Left, button.Top, button.Right, button.Bottom);
    Canvas->Brush()->SetColor(Color());
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->FillRect(Rect(Width() - nc.Right, nc.Top, Width() - (UseThemes() ? 1 : 2), Height() - nc.Bottom));
    dc->RestoreDC(saved);
}

void TSkCustomEdit::DrawDropDownButton(TCanvas* Canvas, const TRect& Rect) {
    const bool hot = IsFocusedFlag() || IsMouseOverFlag();
    const bool pressed = FButtonState == 2;
    const bool flatIdle = FBlock.FlatButtons && !hot;
    TRect r = Rect;
    if (UseThemes() && !flatIdle) {
        if (HTHEME theme = OpenThemeData(QStringLiteral("COMBOBOX"))) {
            const int state = !Enabled() ? 4 : pressed ? 3 : hot ? 2 : 1;
            if (RunningAtLeast(wvWinVista)) r = TRect{r.Left - 1, r.Top - 1, r.Right, r.Bottom + 1};
            DrawThemeBackground(theme, Canvas->Handle(), CP_DROPDOWNBUTTON, state, r);
            CloseThemeData(theme);
        }
        return;
    }
    if (!FBlock.FlatButtons) {
        Canvas->Brush()->SetColor(clBtnFace);
        unsigned flags = DFCS_SCROLLCOMBOBOX;
        if (pressed) flags |= DFCS_PUSHED | DFCS_FLAT;
        if (!Enabled()) flags |= DFCS_INACTIVE;
        DrawFrameControl(Canvas->Handle(), r, DFC_SCROLL, flags);
        return;
    }
    Canvas->Brush()->SetStyle(bsSolid);
    if (flatIdle) {
        Canvas->Brush()->SetColor(
            EditStateColor(FBlock, NormalColor(), Enabled(), IsFocusedFlag(), ReadOnly()));
        Canvas->FillRect(r);
        DrawDropDownArrowButton(Canvas, r, 0, Enabled());
        return;
    }
    r = DrawFlatDropButtonFace(Canvas, r, FBlock.FlatButtonColor, pressed);
    DrawDropDownArrowButton(Canvas, r, pressed ? 1 : 0, Enabled());
}

void TSkCustomEdit::DropDownSequence() {
    FDropping = true;
    SetButtonState(2);
    QPointer<QObject> alive(this);
    DropDown();
    if (alive) CloseUp();
    if (!alive) return;
    SetButtonState(0);
    FDropping = false;
}

void TSkCustomEdit::ResetButton() {
    if (!FDropping) SetButtonState(0);
}

void TSkCustomEdit::WMNCHitTest(TWMPosition& Message) {
    TSkFramedEdit<TEdit>::WMNCHitTest(Message);
    FOverButton = false;
    if (!FButtonPresent) return;
    if (Message.Result == HTNOWHERE) {
        const TPoint p = ScreenToClient(TPoint{Message.XPos, Message.YPos});
        const TRect nc = NonClientMargins();
        FOverButton = p.X >= Width() - nc.Right && p.X < Width() && p.Y >= 0 && p.Y < Height();
        if (FOverButton) Message.Result = HTCLIENT;
    }
    // The arrow over the button, the text cursor over the text.
    const TCursor cursor = FOverButton ? crArrow : crIBeam;
    if (Cursor() != cursor) SetCursor(cursor);
}

void TSkCustomEdit::ButtonMouseDown(TWMMouse& Message) {
    if (FOverButton) {
        if (!Focused()) SetFocus();
        DropDownSequence();
        Message.Result = 0;
        return;
    }
    TSkFramedEdit<TEdit>::DefaultHandler(Message);
    if (!Focused()) ResetButton();
}

void TSkCustomEdit::WMLButtonDown(TWMMouse& Message) {
    ButtonMouseDown(Message);
}

void TSkCustomEdit::WMLButtonDblClk(TWMMouse& Message) {
    ButtonMouseDown(Message);
}

void TSkCustomEdit::WMRButtonDown(TWMMouse& Message) {
    if (FOverButton) return;
    TSkFramedEdit<TEdit>::WMRButtonDown(Message);
}

void TSkCustomEdit::WMLButtonUp(TWMMouse& Message) {
    ResetButton();
    TSkFramedEdit<TEdit>::WMLButtonUp(Message);
}

void TSkCustomEdit::WMKillFocus(TWMFocus& Message) {
    ResetButton();
    TSkFramedEdit<TEdit>::WMKillFocus(Message);
}

// Alt+Down and F4 open the drop-down, as in a combo box. Up, Down, Page Up and Page Down mean nothing
// to a single-line edit and end here, as in a native edit: passed on, they would reach the control
// the edit sits on (a page control would turn its page).
void TSkCustomEdit::WMKeyDown(TWMKey& Message) {
    const TShiftState shift = KeyDataShift(Message.KeyData);
    const bool dropKey =
        (Message.CharCode == VK_DOWN && shift == ssAlt) || (Message.CharCode == VK_F4 && shift == 0);
    if (dropKey && FButtonPresent) {
        DropDownSequence();
        return;
    }
    TSkFramedEdit<TEdit>::WMKeyDown(Message);
    const unsigned key = Message.CharCode;
    FKeyEndsHere = Message.CallDefault && (key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT);
}

// The key's OnKeyDown still fires; then a key that ends here is taken.
bool TSkCustomEdit::WidgetEvent(QEvent* Event) {
    const bool ends = Event->type() == QEvent::KeyPress && std::exchange(FKeyEndsHere, false);
    return TSkFramedEdit<TEdit>::WidgetEvent(Event) || ends;
}
