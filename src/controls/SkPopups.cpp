#include "SkPopups.h"

#include "Forms.h"
#include "PopupLoop.h"
#include "TypInfo.h"

#include <QPointer>
#include <algorithm>
#include <climits>

namespace {
// The theme parts the pop-ups draw.
enum : int { EP_EDITTEXT = 1, ETS_DISABLED = 4 };

int gLivePopups = 0;

// The form a control sits on: its outermost parent, when that is a form.
TForm* FormOf(TControl* Control) {
    TControl* top = Control;
    while (top->Parent())
        top = top->Parent();
    return dynamic_cast<TForm*>(top);
}

// The work area of the monitor nearest to a point.
TRect WorkAreaNearest(const TPoint& P) {
    long best = LONG_MAX;
    TRect area = Screen->WorkAreaAt(P);
    for (int i = 0; i < ScreenMonitorCount(); ++i) {
        const TMonitor m = ScreenMonitor(i);
        const TRect& b = m.BoundsRect;
        const long dx = P.X < b.Left ? b.Left - P.X : P.X >= b.Right ? P.X - b.Right + 1 : 0;
        const long dy = P.Y < b.Top ? b.Top - P.Y : P.Y >= b.Bottom ? P.Y - b.Bottom + 1 : 0;
        if (dx * dx + dy * dy < best) {
            best = dx * dx + dy * dy;
            area = m.WorkareaRect;
        }
    }
    return area;
}

// The control's rectangle on the screen.
TRect ScreenRectOf(TControl* Control) {
    if (Control->Widget()) {
        const TPoint p = Control->ClientToScreen({0, 0});
        return {p.X, p.Y, p.X + Control->Width(), p.Y + Control->Height()};
    }
    TWinControl* parent = Control->Parent();
    const TRect b = Control->BoundsRect();
    if (!parent) return b;
    const TPoint tl = parent->ClientToScreen(b.TopLeft()), br = parent->ClientToScreen(b.BottomRight());
    return {tl.X, tl.Y, br.X, br.Y};
}
}  // namespace

// TSkCustomPopup ------------------------------------------------------------------------------------

TSkCustomPopup::TSkCustomPopup(TComponent* AOwner) : TSkCustomPanel(AOwner) {
    SetBorderWidth(2);
    SetBorderOuter(fsPopup);
    SetFlatColorAdjustment(0);
    SetVisible(false);
}

void TSkCustomPopup::AdjustClientRect(TRect& Rect) {
    TSkCustomPanel::AdjustClientRect(Rect);
    AdjustRectForBorders(Rect, false);
}

void TSkCustomPopup::Paint() {
    if (HTHEME theme = OpenThemeData(QStringLiteral("EDIT"))) {
        const bool drawn =
            DrawThemeBackground(theme, Canvas()->Handle(), EP_EDITTEXT, ETS_DISABLED, ClientRect());
        CloseThemeData(theme);
        if (drawn) return;
    }
    TSkCustomPanel::Paint();
}

// TSkPopupPanel -------------------------------------------------------------------------------------

TSkPopupPanel::TSkPopupPanel(TComponent* AOwner) : TSkCustomPopup(AOwner) {
    SetAlignment(taRightJustify);
    SetBounds(Left(), Top(), 100, 100);
    SetColor(clBtnFace);
    SetParentColor(false);
}

TSkPopupPanel::~TSkPopupPanel() {
    // Freed while its pop-up is open: the pop-up ends as dismissed and frees itself once its loop
    // is over, instead of going with the panel while the loop still runs in it.
    if (FPopupHost) FPopupHost->Abandon();
}

TRect TSkCustomPopup::FrameInsets() {
    TRect client = Rect(0, 0, Width(), Height());
    AdjustClientRect(client);
    return {client.Left, client.Top, Width() - client.Right, Height() - client.Bottom};
}

TSize TSkPopupPanel::PopupSize() const {
    if (!FAutoSize) return {Width(), Height()};
    int right = 0, bottom = 0;
    bool any = false;
    for (int i = 0; i < ControlCount(); ++i) {
        const TControl* child = Controls(i);
        if (!child->Visible()) continue;
        any = true;
        right = std::max(right, child->Left() + child->Width());
        bottom = std::max(bottom, child->Top() + child->Height());
    }
    if (!any) return {Width(), Height()};
    // The pop-up's frame and band go round the content.
    const TRect frame = const_cast<TSkPopupPanel*>(this)->FrameInsets();
    return {right + frame.Left + frame.Right, bottom + frame.Top + frame.Bottom};
}

bool TSkPopupPanel::PopupAt(TControl* Control, int X, int Y) {
    if (FPopupHost || !Control) return false;
    QPointer<TSkPopupPanel> self(this);
    FPopupControl = Control;
    // Forms here keep no scroll ranges to suspend; the focus is what comes back.
    QPointer<TWinControl> focused(FocusedControl());
    auto restore = [&] {
        if (focused && ApplicationActive()) focused->SetFocus();
        if (!self) return;
        FPopupControl = nullptr;
        FPopupHost = nullptr;
    };
    bool chosen = false;
    try {
        if (OnPopup) OnPopup(this);
        if (self) {
            FPopupHost = new TSkPopup(this);
            FPopupHost->SetBorderOuter(BorderOuter());
            FPopupHost->SetFlatColor(FlatColor());
            chosen = FPopupHost->Popup(FPopupControl, Alignment(), X, Y);
            if (self && OnClose) OnClose(this);
        }
    } catch (...) {
        restore();
        throw;
    }
    restore();
    return self && chosen;
}

void TSkPopupPanel::Close() {
    if (!FPopupHost) return;
    FPopupHost->FCanceled = false;
    PostMessage(FPopupHost, SK_POPUPRELEASE);
}

// TSkPopup ------------------------------------------------------------------------------------------

TSkPopup::TSkPopup(TSkPopupPanel* Panel) : TSkCustomPopup(Panel), FPopupPanel(Panel) {
    ++gLivePopups;
    SetVisible(false);
    SetColor(Panel->Color());
    Font()->Assign(*Panel->Font());
    SetHint(Panel->Hint());
    SetShowHint(Panel->ShowHint());
    MakeDropDownWindow(this, FormOf(Panel));
}

TSkPopup::~TSkPopup() {
    --gLivePopups;
}

int TSkPopup::LiveCount() {
    return gLivePopups;
}

void TSkPopup::MoveChildren(TWinControl* From, TWinControl* To, TPoint Shift) {
    for (int i = From->ControlCount() - 1; i >= 0; --i) {
        TControl* child = From->Controls(i);
        child->SetParent(To);
        child->SetBounds(child->Left() + Shift.X, child->Top() + Shift.Y, child->Width(), child->Height());
    }
}

TPoint TSkPopup::Placement(const TRect& C, int W, int H, TAlignment Alignment, int X, int Y,
                           const TRect& Area) {
    return KeptInWorkArea(Position(C, W, Alignment, X, Y), C, W, H, Area);
}

TPoint TSkPopup::Position(const TRect& C, int W, TAlignment Alignment, int X, int Y) {
    int left, top;
    if (X != -1 || Y != -1) {
        left = C.Left + X;
        top = C.Top + Y;
    } else {
        top = C.Bottom;
        switch (Alignment) {
        case taLeftJustify:
            left = C.Left;
            break;
        case taRightJustify:
            left = C.Right - W;
            break;
        default:
            left = (C.Left + C.Right - W) / 2;  // truncates toward zero
            break;
        }
    }
    return {left, top};
}

TPoint TSkPopup::KeptInWorkArea(TPoint P, const TRect& C, int W, int H, const TRect& Area) {
    int& left = P.X;
    int& top = P.Y;
    if (Area.Right < left + W) left = Area.Right - W;
    if (Area.Bottom < top + H) top = C.Top - H;
    if (left < Area.Left) left = Area.Left;
    if (top < Area.Top) top = Area.Top;
    return P;
}

bool TSkPopup::Popup(TControl* Control, TAlignment Alignment, int X, int Y) {
    const TSize size = FPopupPanel->PopupSize();
    // Content sized to fit sits inside the frames: moved in by them here, and back afterwards.
    const TPoint shift = FPopupPanel->AutoSize() ? FPopupPanel->FrameInsets().TopLeft() : TPoint{0, 0};
    MoveChildren(FPopupPanel, this, shift);
    FActiveChild = nullptr;
    for (int i = 0; i < ControlCount() && !FActiveChild; ++i) {
        auto* child = dynamic_cast<TWinControl*>(Controls(i));
        if (child && child->Enabled() && child->Visible()) FActiveChild = child;
    }
    // The control that had the keyboard focus loses it; the keys come here through the loop.
    ClearKeyboardFocus();

    const TRect C = ScreenRectOf(Control);
    // The work area is the one at the place the pop-up would take unmoved.
    const TPoint first = Position(C, size.cx, Alignment, X, Y);
    const TPoint at = KeptInWorkArea(first, C, size.cx, size.cy, WorkAreaNearest(first));
    SetBounds(at.X, at.Y, size.cx, size.cy);
    ShowDropDownWindow(this);
    SetVisible(true);

    FCanceled = true;
    TDropDownLoop loop(this, SK_POPUPRELEASE);
    loop.OnKey = [this](unsigned short Key, bool Press) { return KeyTarget(Key, Press); };
    FLoop = &loop;
    TDropDownLoopEnd how = dleEnded;
    // Hide, hand the children back and let the pop-up go, however the loop ended.
    auto finish = [&] {
        FLoop = nullptr;
        HideDropDownWindow(this);
        SetVisible(false);
        MoveChildren(this, FPopupPanel, {-shift.X, -shift.Y});
        if ((how != dleFocusLost && how != dleRelease) || !FPopupPanel) PostMessage(this, SK_POPUPRELEASE);
    };
    try {
        how = loop.Run();
    } catch (...) {
        finish();
        throw;
    }
    finish();
    return !FCanceled;
}

void TSkPopup::Abandon() {
    FPopupPanel->RemoveComponent(this);
    FPopupPanel = nullptr;
    FCanceled = true;
    if (FLoop) FLoop->End();
}

TWinControl* TSkPopup::KeyTarget(unsigned short Key, bool Press) {
    if (Press && Key == VK_ESCAPE) PostMessage(this, SK_POPUPRELEASE);
    return FActiveChild ? FActiveChild : this;
}

void TSkPopup::WndProc(TMessage& Message) {
    if (Message.Msg == SK_POPUPRELEASE) {
        // The loop swallows the release while it runs; afterwards the pop-up goes.
        if (!FLoop) deleteLater();
        return;
    }
    TSkCustomPopup::WndProc(Message);
}

// DrawPopupButton -----------------------------------------------------------------------------------

void DrawPopupButton(TCanvas* Canvas, TRect Rect, const QString& Caption, TColor Color, TColor FontColor,
                     bool Flat, bool Down, bool ThemeAware) {
    bool themed = false;
    if (ThemeAware)
        if (HTHEME theme = OpenThemeData(QStringLiteral("BUTTON"))) {
            themed = DrawThemeBackground(theme, Canvas->Handle(), BP_PUSHBUTTON,
                                         Down ? PBS_PRESSED : PBS_NORMAL, Rect);
            CloseThemeData(theme);
            if (themed) Canvas->Brush()->SetStyle(bsClear);
        }
    if (!themed) {
        TRect inner;
        if (Color == clBtnFace)
            inner = Down   ? DrawButtonBorderAllSides(Canvas, Rect, true)
                    : Flat ? DrawBevelAllSides(Canvas, Rect, fsFlat)
                           : Draw3DBorderAllSides(Canvas, Rect, false);
        else
            inner = Down   ? DrawColorBorderAllSides(Canvas, Rect, Color, true)
                    : Flat ? DrawBorderAllSides(Canvas, Rect, Color, fsFlat)
                           : DrawColorBorderAllSides(Canvas, Rect, Color, false);
        Canvas->Brush()->SetColor(Color);
        Canvas->FillRect(inner);
        if (Down) {
            inner.Left += 2;
            inner.Top += 2;
        }
        Rect = inner;
    }
    Canvas->Font()->SetColor(FontColor);
    DrawStringCentered(Canvas, Caption, Rect);
    Canvas->Brush()->SetStyle(bsSolid);
}
