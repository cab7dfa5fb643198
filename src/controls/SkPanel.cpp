#include "SkPanel.h"

#include "Forms.h"
#include "GraphicControl.h"
#include "Streaming.h"
#include "TextDraw.h"
#include "TypInfo.h"

#include <algorithm>
#include <climits>

namespace {
struct TPanelTypes {
    TPanelTypes() {
        RegisterSkCommonTypes();
        RegisterEnumType<TSkPanelGridStyle>({"pgsDots", "pgsDottedLines", "pgsSolidLines"});
        RegisterEnumType<TSkGroupBoxStyle>(
            {"gsStandard", "gsCustom", "gsTopLine", "gsFlat", "gsBanner", "gsUnderline"});
        RegisterClass<TSkGroupBox>();
    }
};
const TPanelTypes PanelTypes;

// The DT_ flag of a horizontal alignment.
unsigned HorizontalFlag(TAlignment Alignment) {
    return Alignment == taRightJustify ? DT_RIGHT : Alignment == taCenter ? DT_CENTER : DT_LEFT;
}

// The width a frame style takes on each side it is drawn on.
int FrameWidth(TFrameStyleEx Style, int BevelWidth) {
    switch (Style) {
    case fsNone:
        return 0;
    case fsFlat:
        return 1;
    case fsStatus:
    case fsPopup:
        return BevelWidth;
    default:
        return 2;
    }
}
}  // namespace

TSkCustomPanel::TSkCustomPanel(TComponent* AOwner) : TCustomPanel(AOwner) {
    SetBevelOuter(bvNone);
}

TSkCustomPanel::~TSkCustomPanel() {
    SetFrameController(nullptr);
}

void TSkCustomPanel::Changed(bool Realigning) {
    if (Realigning) Realign();
    Invalidate();
}

// Properties --------------------------------------------------------------------------------------
void TSkCustomPanel::SetAlignmentVertical(TAlignmentVertical Value) {
    if (StoreChanged(FAlignmentVertical, Value)) Changed();
}

void TSkCustomPanel::SetBorderColor(TColor Value) {
    if (StoreChanged(FBorderColor, Value)) Changed();
}

void TSkCustomPanel::SetBorderInner(TFrameStyleEx Value) {
    if (StoreChanged(FBorderInner, Value)) Changed(true);
}

void TSkCustomPanel::SetBorderOuter(TFrameStyleEx Value) {
    if (StoreChanged(FBorderOuter, Value)) Changed(true);
}

void TSkCustomPanel::SetBorderSides(TSides Value) {
    if (StoreChanged(FBorderSides, Value)) Changed(true);
}

void TSkCustomPanel::SetBorderHighlight(TColor Value) {
    if (StoreChanged(FBorderHighlight, Value)) Changed();
}

void TSkCustomPanel::SetBorderShadow(TColor Value) {
    if (StoreChanged(FBorderShadow, Value)) Changed();
}

void TSkCustomPanel::SetFlatColor(TColor Value) {
    if (StoreChanged(FFlatColor, Value)) Changed();
}

void TSkCustomPanel::SetFlatColorAdjustment(int Value) {
    if (StoreChanged(FFlatColorAdjustment, Value)) Changed();
}

void TSkCustomPanel::SetFrameController(TSkFrameController* Value) {
    SetFrameControllerOf(this, FFrameController, Value);
}

void TSkCustomPanel::SetGradientColorStyle(TSkGradientColorStyle Value) {
    if (StoreChanged(FGradientColorStyle, Value)) Changed();
}

void TSkCustomPanel::SetGradientColorStart(TColor Value) {
    if (!StoreChanged(FGradientColorStart, Value)) return;
    Changed();
    InvalidateTransparentControls(this);
}

void TSkCustomPanel::SetGradientColorStop(TColor Value) {
    if (!StoreChanged(FGradientColorStop, Value)) return;
    Changed();
    InvalidateTransparentControls(this);
}

void TSkCustomPanel::SetGradientDirection(TGradientDirection Value) {
    if (!StoreChanged(FGradientDirection, Value)) return;
    Changed();
    InvalidateTransparentControls(this);
}

void TSkCustomPanel::SetGridColor(TColor Value) {
    if (StoreChanged(FGridColor, Value)) Changed();
}

void TSkCustomPanel::SetGridStyle(TSkPanelGridStyle Value) {
    if (StoreChanged(FGridStyle, Value)) Changed();
}

void TSkCustomPanel::SetGridXSize(std::uint16_t Value) {
    if (StoreChanged(FGridXSize, Value)) Changed();
}

void TSkCustomPanel::SetGridYSize(std::uint16_t Value) {
    if (StoreChanged(FGridYSize, Value)) Changed();
}

void TSkCustomPanel::SetFillClientArea(bool Value) {
    if (StoreChanged(FFillClientArea, Value)) Changed();
}

void TSkCustomPanel::SetShowGrid(bool Value) {
    if (StoreChanged(FShowGrid, Value)) Changed();
}

void TSkCustomPanel::SetTransparent(bool Value) {
    if (!StoreChanged(FTransparent, Value)) return;
    Changed();
    for (int i = 0; i < ControlCount(); ++i)
        Controls(i)->Invalidate();
}

void TSkCustomPanel::SetTextMargin(int Value) {
    if (StoreChanged(FTextMargin, Value)) Changed();
}

void TSkCustomPanel::SetTextMarginVertical(int Value) {
    if (StoreChanged(FTextMarginVertical, Value)) Changed();
}

void TSkCustomPanel::SetWordWrap(bool Value) {
    if (StoreChanged(FWordWrap, Value)) Changed();
}

void TSkCustomPanel::SetVisualStyle(TSkVisualStyle Value) {
    if (StoreChanged(FVisualStyle, Value)) Changed();
}

void TSkCustomPanel::SetShowDockClientCaptions(bool Value) {
    if (StoreChanged(FShowDockClientCaptions, Value)) Changed();
}

// Geometry ------------------------------------------------------------------------------------------
void TSkCustomPanel::AdjustRectForBorders(TRect& Rect, bool IncludeBorderWidth) const {
    if (IncludeBorderWidth) InflateRect(Rect, -BorderWidth(), -BorderWidth());
    for (const TFrameStyleEx style : {FBorderOuter, FBorderInner}) {
        const int w = FrameWidth(style, BevelWidth());
        if (FBorderSides & sdLeft) Rect.Left += w;
        if (FBorderSides & sdTop) Rect.Top += w;
        if (FBorderSides & sdRight) Rect.Right -= w;
        if (FBorderSides & sdBottom) Rect.Bottom -= w;
    }
}

TRect TSkCustomPanel::GetControlRect() const {
    return Rect(0, 0, Width(), Height());
}

TPoint TSkCustomPanel::GetResizeStripSize() const {
    return {1, 1};
}

TPoint TSkCustomPanel::GetCursorPosition() const {
    return ScreenToClient(Mouse->CursorPos());
}

TRect TSkCustomPanel::GetClientRect() const {
    TRect r = TCustomPanel::GetClientRect();
    if (!DockSite()) AdjustRectForBorders(r, false);
    return r;
}

void TSkCustomPanel::AdjustClientRect(TRect& Rect) {
    TCustomPanel::AdjustClientRect(Rect);
    if (DockSite()) AdjustRectForBorders(Rect, false);
}

void TSkCustomPanel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (Align() == alBottom && AHeight != Height()) ATop -= AHeight - Height();
    if (Align() == alRight && AWidth != Width()) ALeft -= AWidth - Width();
    TCustomPanel::SetBounds(ALeft, ATop, AWidth, AHeight);
}

// Colours ---------------------------------------------------------------------------------------------
void TSkCustomPanel::GetGradientColors(TColor& StartColor, TColor& StopColor) const {
    if (FGradientColorStyle == gcsCustom) {
        StartColor = FGradientColorStart;
        StopColor = FGradientColorStop;
    } else {
        GetXPSchemeColors2(FGradientColorStyle, StartColor, StopColor);
    }
}

void TSkCustomPanel::GetFlatColors(TColor& Color, int& Adjustment) const {
    if (FVisualStyle == vsGradient && FGradientColorStyle != gcsCustom) {
        Color = GetXPSchemeFrameColor(FGradientColorStyle);
        Adjustment = 0;
    } else {
        Color = FFlatColor;
        Adjustment = FFlatColorAdjustment;
    }
}

// Painting ----------------------------------------------------------------------------------------------
void TSkCustomPanel::Paint() {
    TCanvas* canvas = Canvas();
    const TRect r = GetControlRect();
    TColor flatColor;
    int flatAdjustment;
    GetFlatColors(flatColor, flatAdjustment);
    TRect inner;
    DrawBoxFrame(canvas, r, FBorderOuter, FBorderInner, BorderWidth(), FBorderSides, BevelWidth(),
                 FBorderColor, FBorderHighlight, FBorderShadow, flatColor, flatAdjustment, Color(),
                 Parent() ? Parent()->Color() : Color(), FTransparent, false, inner);
    if (!FTransparent && FFillClientArea) {
        const bool curved = (FBorderOuter == fsFlatRounded && FBorderInner == fsNone && BorderWidth() == 0) ||
                            FBorderInner == fsFlatRounded;
        // A rounded frame leaves its cut corners to the background, one pixel out on the framed sides.
        TRect area = inner;
        if (curved) {
            if (FBorderSides & sdLeft) --area.Left;
            if (FBorderSides & sdTop) --area.Top;
            if (FBorderSides & sdRight) ++area.Right;
            if (FBorderSides & sdBottom) ++area.Bottom;
        }
        if (FVisualStyle == vsGradient) {
            TColor start, stop;
            GetGradientColors(start, stop);
            PaintGradient(canvas, area, FGradientDirection, start, stop, 1);
        } else {
            canvas->Brush()->SetColor(Color());
            canvas->FillRect(area);
        }
        if (curved) {
            const TColor corner = AdjustColor(flatColor, flatAdjustment);
            const TSides s = FBorderSides;
            if ((s & sdLeft) && (s & sdTop)) canvas->SetPixels(area.Left, area.Top, corner);
            if ((s & sdTop) && (s & sdRight)) canvas->SetPixels(area.Right - 1, area.Top, corner);
            if ((s & sdRight) && (s & sdBottom)) canvas->SetPixels(area.Right - 1, area.Bottom - 1, corner);
            if ((s & sdLeft) && (s & sdBottom)) canvas->SetPixels(area.Left, area.Bottom - 1, corner);
        }
    }
    if (FShowGrid) DrawGrid(inner);
    canvas->Brush()->SetStyle(bsClear);
    DrawCaption(inner);
    canvas->Brush()->SetStyle(bsSolid);
    FireEvent(OnPaint, this);
}

void TSkCustomPanel::DrawGrid(const TRect& Rect) {
    TCanvas* canvas = Canvas();
    // A size of 0 draws no line or dot in that direction.
    const int nx = FGridXSize >= 1 ? (Rect.Right - Rect.Left) / FGridXSize : 0;
    const int ny = FGridYSize > 0 ? (Rect.Bottom - Rect.Top) / FGridYSize : 0;
    canvas->Pen()->SetColor(FGridColor);
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetWidth(1);
    if (FGridStyle == pgsDots) {
        for (int i = 1; i <= nx; ++i)
            for (int j = 1; j <= ny; ++j)
                canvas->SetPixels(Rect.Left - 1 + i * FGridXSize, Rect.Top - 1 + j * FGridYSize, FGridColor);
        return;
    }
    const bool solid = FGridStyle == pgsSolidLines;
    for (int i = 1; i <= nx; ++i) {
        const int x = Rect.Left - 1 + i * FGridXSize;
        if (solid) {
            canvas->MoveTo(x, Rect.Top);
            canvas->LineTo(x, Rect.Bottom);
        } else {
            for (int y = Rect.Top + 1; y < Rect.Bottom; y += 2)
                canvas->SetPixels(x, y, FGridColor);
        }
    }
    for (int j = 1; j <= ny; ++j) {
        const int y = Rect.Top - 1 + j * FGridYSize;
        if (solid) {
            canvas->MoveTo(Rect.Left, y);
            canvas->LineTo(Rect.Right, y);
        } else {
            for (int x = Rect.Left + 1; x < Rect.Right; x += 2)
                canvas->SetPixels(x, y, FGridColor);
        }
    }
}

void TSkCustomPanel::DrawCaption(TRect Rect) {
    if (Caption().isEmpty()) return;
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(*Font());
    TRect target = Rect;
    InflateRect(target, -FTextMargin, -FTextMarginVertical);
    unsigned flags = DT_CALCRECT | DT_EXPANDTABS | DT_VCENTER;
    if (FWordWrap) flags |= DT_WORDBREAK;
    flags |= HorizontalFlag(Alignment());
    TRect measured = target;
    const int h = canvas->DrawText(Caption(), measured, flags);
    switch (FAlignmentVertical) {
    case avTop:
        target.Bottom = std::min(target.Bottom, target.Top + h);
        break;
    case avCenter:
        target.Top = (target.Top + target.Bottom - h) / 2;
        target.Bottom = std::min(target.Bottom, target.Top + h);
        break;
    case avBottom:
        target.Top = std::max(target.Top, target.Bottom - h - 1);
        break;
    }
    canvas->Brush()->SetStyle(bsClear);
    if (!Enabled()) canvas->Font()->SetColor(clGrayText);
    canvas->DrawText(Caption(), target, flags & ~unsigned(DT_CALCRECT));
}

// The frame controller ------------------------------------------------------------------------------------
void TSkCustomPanel::UpdateFrameControllerProperties(TSkFrameController* Controller) {
    if (!Controller || !Controller->FrameVisible()) return;
    const TSkFrameControllerNotifications bits = FFrameControllerNotifications;
    if (bits & FrameControllerBit(fcpFrameStyle)) FBorderOuter = Controller->FrameStyle();
    if (bits & FrameControllerBit(fcpFrameSides)) FBorderSides = Controller->FrameSides();
    if (bits & FrameControllerBit(fcpFrameColor)) {
        FFlatColor = Controller->FrameColor();
        FFlatColorAdjustment = 0;
    }
    if (bits & FrameControllerBit(fcpColor)) SetColor(Controller->Color());
    if (bits & FrameControllerBit(fcpParentColor)) SetParentColor(Controller->ParentColor());
    if (bits & FrameControllerBit(fcpColor)) {
        FBorderHighlight = LighterColor(Color(), 100);
        FBorderShadow = DarkerColor(Color(), 50);
    }
    Invalidate();
}

// Streaming and notifications -------------------------------------------------------------------------------
void TSkCustomPanel::DefineProperties(TFiler* Filer) {
    TCustomPanel::DefineProperties(Filer);
    Filer->DefineProperty(
        QStringLiteral("FrameSides"), [](TReader& Reader) { Reader.ReadSet(); }, nullptr, false);
    Filer->DefineProperty(QStringLiteral("ThemeAware"), TSkOldPropReader::ReadOldBooleanProp, nullptr, false);
    Filer->DefineProperty(
        QStringLiteral("UseGradients"),
        [this](TReader& Reader) {
            if (Reader.ReadBoolean()) SetVisualStyle(vsGradient);
        },
        nullptr, false);
}

void TSkCustomPanel::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomPanel::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FFrameController) FFrameController = nullptr;
    // A freed child leaves the saved states, so nothing made later can be taken for it.
    for (int i = FChildEnabledStates.Count() - 1; i >= 0; --i)
        if (FChildEnabledStates.Objects(i) == static_cast<TObject*>(AComponent))
            FChildEnabledStates.Delete(i);
}

TDockTree* TSkCustomPanel::CreateDockManager() {
    if (!DockManager() && DockSite() && UseDockManager()) return new TSkPanelDockManager(this);
    return DockManager();
}

// Messages
// ----------------------------------------------------------------------------------------------------
void TSkCustomPanel::WMWindowPosChanged(TWMWindowPosChanged& Message) {
    const TWindowPos& to = *Message.WindowPos;
    if (to.cx == Width() && to.cy == Height()) {
        // Moved only: the picture moves with it, unless the parent shows through.
        if (FTransparent) Invalidate();
    } else if (FullRepaint() || !Caption().isEmpty()) {
        Invalidate();
    } else {
        const TRect r = Rect(0, 0, Width(), Height());
        TRect inner = r;
        AdjustRectForBorders(inner, true);
        const TPoint strip = GetResizeStripSize();
        // From inside the frame at the nearer of the old and new edge out to the farther, so a panel
        // that shrinks draws its frame at the new edge.
        const int right = std::max(r.Right, to.cx), bottom = std::max(r.Bottom, to.cy);
        if (to.cx != Width())
            InvalidateRect(
                Rect(std::min(r.Right, to.cx) - (r.Right - inner.Right) - strip.X, 0, right, bottom));
        if (to.cy != Height())
            InvalidateRect(
                Rect(0, std::min(r.Bottom, to.cy) - (r.Bottom - inner.Bottom) - strip.Y, right, bottom));
    }
    TCustomPanel::WMWindowPosChanged(Message);
}

void TSkCustomPanel::WMEraseBkgnd(TWMPaint& Message) {
    if (FTransparent && FFillClientArea) {
        DrawParentImageDC(this, Message.DC, false);
        Message.Result = 1;
        return;
    }
    TCustomPanel::WMEraseBkgnd(Message);
}

void TSkCustomPanel::WMThemeChanged(TMessage& Message) {
    TCustomPanel::WMThemeChanged(Message);
    XPColorScheme = GetXPColorScheme();
    Invalidate();
}

void TSkCustomPanel::CMMouseEnter(TMessage&) {
    if (!(ComponentState() & csDesigning)) FireEvent(OnMouseEnter, this);
}

void TSkCustomPanel::CMMouseLeave(TMessage&) {
    FireEvent(OnMouseLeave, this);
}

void TSkCustomPanel::CMEnabledChanged(TMessage& Message) {
    TCustomPanel::CMEnabledChanged(Message);
    Invalidate();
    const std::vector<TControl*> children = [this] {
        std::vector<TControl*> list;
        for (int i = 0; i < ControlCount(); ++i)
            list.push_back(Controls(i));
        return list;
    }();
    if (!Enabled()) {
        FChildEnabledStates.Clear();
        for (TControl* child : children) {
            FChildEnabledStates.AddObject(child->Enabled() ? QStringLiteral("1") : QStringLiteral("0"),
                                          child);
            child->FreeNotification(this);
        }
        for (TControl* child : children)
            child->SetEnabled(false);
        return;
    }
    for (TControl* child : children) {
        int line = -1;
        for (int i = 0; i < FChildEnabledStates.Count() && line < 0; ++i)
            if (FChildEnabledStates.Objects(i) == static_cast<TObject*>(child)) line = i;
        if (line < 0 || FChildEnabledStates[line] == QLatin1String("1")) child->SetEnabled(true);
    }
}

// The dock manager
// ----------------------------------------------------------------------------------------------
TSkPanelDockManager::TSkPanelDockManager(TSkCustomPanel* DockSite) : TDockTree(DockSite), FPanel(DockSite) {
    FGrabberSize = 14;
    FCaptionFont.SetName(QStringLiteral("Verdana"));
    FCaptionFont.SetSize(8);
    FGlyphFont.SetName(QStringLiteral("Marlett"));
    FGlyphFont.SetSize(8);
    if (DockSite->ComponentState() & csDesigning) return;
    FPreviousWndProc = DockSite->WindowProc();
    DockSite->SetWindowProc([this](TMessage& Message) { SiteWindowProc(Message); });
}

TSkPanelDockManager::~TSkPanelDockManager() {
    if (FPreviousWndProc) FPanel->SetWindowProc(FPreviousWndProc);
}

void TSkPanelDockManager::SiteWindowProc(TMessage& Message) {
    if (Message.Msg == WM_COMMAND || Message.Msg == WM_MOUSEACTIVATE) FPanel->Invalidate();
    FPreviousWndProc(Message);
}

void TSkPanelDockManager::PaintDockFrame(TCanvas* Canvas, TControl* Control, const TRect& ARect) {
    if (!FPanel->ShowDockClientCaptions()) {
        TDockTree::PaintDockFrame(Canvas, Control, ARect);
        return;
    }
    // A graphic control has no window of its own here either.
    const bool windowed = dynamic_cast<TWinControl*>(Control) && !dynamic_cast<TGraphicControl*>(Control);
    const bool active = !windowed || HasFocus(Control);
    const TColor textColor = active ? TColor(clCaptionText) : TColor(clInactiveCaptionText);
    const QString text = Control->Caption();
    Canvas->Font()->Assign(FCaptionFont);
    Canvas->Font()->SetColor(textColor);
    Canvas->Brush()->SetColor(active ? clActiveCaption : clInactiveCaption);
    Canvas->Brush()->SetStyle(bsSolid);
    const int size = FGrabberSize;
    TRect glyph;
    if (!Horizontal()) {
        const TRect bar = Rect(ARect.Left, ARect.Top, ARect.Right, ARect.Top + size);
        Canvas->TextRect(bar, ARect.Left + 2, ARect.Top, text);
        glyph = Rect(ARect.Right - size - 1, ARect.Top + 1, ARect.Right - 2, ARect.Top + 12);
    } else {
        const TRect bar = Rect(ARect.Left, ARect.Top, ARect.Left + size, ARect.Bottom);
        Canvas->FillRect(bar);
        if (HDC dc = Canvas->Handle()) {
            const int saved = dc->SaveDC();
            HFONT rotated = CreateRotatedFont(&FCaptionFont, 90);
            SelectObject(dc, rotated);
            dc->TextColor = clCaptionText;
            dc->BkMode = TRANSPARENT;
            dc->TextAlign = TA_BASELINE;
            dc->IntersectClipRect(bar.Left, bar.Top, bar.Right, bar.Bottom);
            dc->ExtTextOut(bar.Right - 2, bar.Bottom - 3, 0, nullptr, text);
            dc->RestoreDC(saved);
            DeleteObject(rotated);
            Canvas->Refresh();
        }
        glyph = Rect(ARect.Left + 1, ARect.Top + 1, ARect.Left + size - 2, ARect.Top + 12);
    }
    Canvas->Font()->Assign(FGlyphFont);
    Canvas->Font()->SetColor(textColor);
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->DrawText(QStringLiteral("r"), glyph, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    Canvas->Brush()->SetStyle(bsSolid);
}

// The group box
// -----------------------------------------------------------------------------------------------
namespace {
// Focuses the first child in tab order that can take the focus; false when none can.
bool SelectFirstChild(TWinControl* Parent) {
    std::vector<TWinControl*> candidates;
    for (int i = 0; i < Parent->ControlCount(); ++i)
        if (auto* child = dynamic_cast<TWinControl*>(Parent->Controls(i)); child && child->CanFocus())
            candidates.push_back(child);
    if (candidates.empty()) return false;
    const auto order = [](const TWinControl* c) { return c->TabOrder() < 0 ? INT_MAX : c->TabOrder(); };
    std::stable_sort(candidates.begin(), candidates.end(),
                     [&](const TWinControl* a, const TWinControl* b) { return order(a) < order(b); });
    candidates.front()->SetFocus();
    return true;
}
}  // namespace

TSkCustomGroupBox::TSkCustomGroupBox(TComponent* AOwner) : TSkCustomPanel(AOwner) {
    SetBorderOuter(fsNone);
    SetBorderInner(fsNone);
    SetAlignment(taLeftJustify);
    SetAlignmentVertical(avTop);
    SetHeight(105);
    FCaptionFont.Assign(*Font());
    FCaptionFont.OnChange = [this](TObject*) {
        if (!FCopyingFont) FCaptionFontChanged = true;
        Invalidate();
    };
}

TSkCustomGroupBox::~TSkCustomGroupBox() {
    FCaptionFont.OnChange = nullptr;
}

void TSkCustomGroupBox::SetBannerHeight(int Value) {
    if (StoreChanged(FBannerHeight, Value)) Changed(true);
}

void TSkCustomGroupBox::SetGroupStyle(TSkGroupBoxStyle Value) {
    if (StoreChanged(FGroupStyle, Value)) Changed(true);
}

void TSkCustomGroupBox::SetCaptionFont(TFont* Value) {
    if (Value) FCaptionFont.Assign(*Value);
}

int TSkCustomGroupBox::EffectiveBannerHeight() const {
    return std::clamp(FBannerHeight, 0, std::max(0, Height()));
}

void TSkCustomGroupBox::ChangeScale(int M, int D) {
    TSkCustomPanel::ChangeScale(M, D);
    if (FCaptionFontChanged && M != D && D != 0)
        FCaptionFont.SetSize(FCaptionFontScale.Scale(FCaptionFont.Size(), M, D));
}

void TSkCustomGroupBox::AdjustClientRect(TRect& Rect) {
    TSkCustomPanel::AdjustClientRect(Rect);
    Canvas()->Font()->Assign(*Font());
    const int h = Canvas()->TextHeight(QStringLiteral("Yy"));
    switch (FGroupStyle) {
    case gsStandard:
    case gsFlat:
        Rect.Top += h / 2 - 1 < BorderWidth() ? h / 2 - 1 : h - BorderWidth();
        InflateRect(Rect, FGroupStyle == gsStandard ? -2 : -1, FGroupStyle == gsStandard ? -2 : -1);
        break;
    case gsCustom:
        if (!Caption().isEmpty()) Rect.Top += h;
        InflateRect(Rect, -2, -2);
        break;
    case gsTopLine:
        Rect.Top += h;
        break;
    case gsBanner:
        Rect.Top += EffectiveBannerHeight() != 0 ? EffectiveBannerHeight() : h + 8;
        break;
    case gsUnderline:
        Rect.Top += h + 4;
        break;
    }
}

void TSkCustomGroupBox::UpdateFrameControllerProperties(TSkFrameController* Controller) {
    if (FGroupStyle == gsCustom) TSkCustomPanel::UpdateFrameControllerProperties(Controller);
}

void TSkCustomGroupBox::CMDialogChar(TWMKey& Message) {
    if (IsAccel(Message.CharCode, Caption()) && CanFocus() && SelectFirstChild(this)) {
        Message.Result = 1;
        return;
    }
    TSkCustomPanel::CMDialogChar(Message);
}

void TSkCustomGroupBox::CMFontChanged(TMessage& Message) {
    TSkCustomPanel::CMFontChanged(Message);
    if (!FCaptionFontChanged) {
        FCopyingFont = true;
        FCaptionFont.Assign(*Font());
        FCopyingFont = false;
    }
    Realign();
    Invalidate();
}

void TSkCustomGroupBox::CMTextChanged(TMessage& Message) {
    TSkCustomPanel::CMTextChanged(Message);
    if (FGroupStyle == gsCustom) Realign();
}

TRect TSkCustomGroupBox::CaptionRect(int TextWidth, int TextHeight) const {
    switch (FGroupStyle) {
    case gsStandard:
    case gsFlat:
        return Rect(8, 0, TextWidth + 8, TextHeight);
    case gsTopLine:
        return Rect(0, 0, TextWidth + 4, TextHeight);
    case gsBanner:
        return Rect(0, 0, Width(), EffectiveBannerHeight() != 0 ? EffectiveBannerHeight() : TextHeight + 6);
    case gsUnderline:
        return Rect(0, 0, Width(), TextHeight + 2);
    default:
        return Rect(0, 0, 0, 0);
    }
}

void TSkCustomGroupBox::Paint() {
    if (FGroupStyle == gsCustom) {
        TSkCustomPanel::Paint();
        return;
    }
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(FCaptionFont);
    const int h = canvas->TextHeight(QStringLiteral("Pp"));
    const bool themedStyle = VisualStyle() == vsWinXP && (FGroupStyle == gsStandard || FGroupStyle == gsFlat);
    HTHEME theme = themedStyle ? OpenThemeData(QStringLiteral("BUTTON")) : nullptr;
    TRect caption = Rect(0, 0, 0, 0);
    if (!Caption().isEmpty()) {
        TSize size{};
        TRect extent;
        if (theme &&
            GetThemeTextExtent(theme, canvas->Handle(), BP_GROUPBOX, Enabled() ? GBS_NORMAL : GBS_DISABLED,
                               Caption(), DT_SINGLELINE, extent))
            size = {extent.Width(), extent.Height()};
        else
            size = canvas->TextExtent(RemoveAccelerators(Caption()));
        caption = CaptionRect(size.cx, size.cy);
    }
    if (theme) {
        PaintThemed(theme, caption, h);
        CloseThemeData(theme);
    } else {
        // The frame may leave the caption out of the clip; the caption is drawn with the clip as it was.
        HDC dc = canvas->Handle();
        const int saved = dc ? dc->SaveDC() : 0;
        PaintClassicFrame(caption, h);
        if (dc) dc->RestoreDC(saved);
        canvas->Refresh();
        if (!Caption().isEmpty()) PaintClassicCaption(caption);
    }
    canvas->Font()->Assign(*Font());
    FireEvent(OnPaint, this);
}

void TSkCustomGroupBox::PaintThemed(HTHEME Theme, const TRect& CaptionArea, int FontHeight) {
    HDC dc = Canvas()->Handle();
    if (!dc) return;
    if (!Transparent()) DrawParentImageDC(this, dc, false);
    const int state = Enabled() ? GBS_NORMAL : GBS_DISABLED;
    const int saved = dc->SaveDC();
    dc->ExcludeClipRect(CaptionArea.Left, CaptionArea.Top, CaptionArea.Right, CaptionArea.Bottom);
    DrawThemeBackground(Theme, dc, BP_GROUPBOX, state, Rect(0, FontHeight / 2 - 1, Width(), Height()));
    dc->RestoreDC(saved);
    if (!Caption().isEmpty())
        DrawThemeText(Theme, dc, BP_GROUPBOX, state, Caption(), HorizontalFlag(Alignment()), CaptionArea);
    Canvas()->Refresh();
}

void TSkCustomGroupBox::PaintClassicFrame(TRect CaptionArea, int FontHeight) {
    TCanvas* canvas = Canvas();
    const TRect f = Rect(0, FontHeight / 2 - 1, Width(), Height());
    if (Transparent()) {
        if (FGroupStyle != gsBanner) canvas->ExcludeClipRect(CaptionArea);
    } else if (FGroupStyle == gsStandard || FGroupStyle == gsFlat) {
        FillInsideFrame(f);
    } else {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(GetControlRect());
    }
    const TColor c = AdjustColor(FlatColor(), FlatColorAdjustment());
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetColor(c);
    auto line = [canvas](int x1, int y1, int x2, int y2) {
        canvas->MoveTo(x1, y1);
        canvas->LineTo(x2, y2);
    };
    switch (FGroupStyle) {
    case gsStandard:
        if (BorderOuter() == fsNone)
            DrawBevel(canvas, f, fsGroove, AllSides);
        else if (BorderOuter() == fsFlat)
            DrawBox(canvas, f, c);
        else if (BorderOuter() == fsFlatBold)
            DrawBorderSides(canvas, f, c, c, AllSides, 2);
        else
            DrawBevel(canvas, f, BorderOuter(), AllSides);
        break;
    case gsTopLine:
        if (BorderOuter() == fsNone) {
            DrawBevel(canvas, f, fsGroove, sdTop);
        } else if (BorderOuter() == fsFlat || BorderOuter() == fsFlatBold) {
            line(f.Left + 2, f.Top, f.Right - 2, f.Top);
            if (BorderOuter() == fsFlatBold) line(f.Left + 2, f.Top + 1, f.Right - 2, f.Top + 1);
        } else {
            DrawBevel(canvas, f, BorderOuter(), sdTop);
        }
        break;
    case gsFlat:
        // Four sides that stop short of the corners, and one pixel cutting each corner.
        line(f.Left, f.Top + 2, f.Left, f.Bottom - 2);
        line(f.Left + 2, f.Top, f.Right - 2, f.Top);
        line(f.Right - 1, f.Top + 2, f.Right - 1, f.Bottom - 2);
        line(f.Left + 2, f.Bottom - 1, f.Right - 2, f.Bottom - 1);
        canvas->SetPixels(f.Left + 1, f.Top + 1, c);
        canvas->SetPixels(f.Right - 2, f.Top + 1, c);
        canvas->SetPixels(f.Right - 2, f.Bottom - 2, c);
        canvas->SetPixels(f.Left + 1, f.Bottom - 2, c);
        break;
    case gsBanner: {
        if (CaptionArea.IsEmpty()) break;
        TColor start = GradientColorStart(), stop = GradientColorStop(), frame = c;
        if (GradientColorStyle() != gcsCustom) {
            TColor face, highlight, shadow;
            GetXPSchemeButtonColors(GradientColorStyle(), face, highlight, shadow);
            start = highlight;
            stop = face;
            frame = shadow;
        }
        const TRect& b = CaptionArea;
        canvas->Pen()->SetColor(frame);
        line(b.Left, b.Top + 1, b.Left, b.Bottom - 1);
        line(b.Left + 1, b.Top, b.Right - 1, b.Top);
        line(b.Right - 1, b.Top + 1, b.Right - 1, b.Bottom - 1);
        line(b.Left + 1, b.Bottom - 1, b.Right - 1, b.Bottom - 1);
        TRect inside = b;
        InflateRect(inside, -1, -1);
        PaintGradient(canvas, inside, gdHorizontalEnd, start, stop, 1);
        break;
    }
    case gsUnderline:
        line(CaptionArea.Left, CaptionArea.Bottom, CaptionArea.Right, CaptionArea.Bottom);
        break;
    default:
        break;
    }
}

// A framed box shows its parent outside its frame (above the top line and beyond cut corners), as
// the themed box does, and its own colour inside.
void TSkCustomGroupBox::FillInsideFrame(const TRect& Frame) {
    TCanvas* canvas = Canvas();
    DrawParentImage(this, canvas, false);
    canvas->Refresh();
    canvas->Brush()->SetColor(Color());
    const TRect& f = Frame;
    if (FGroupStyle == gsStandard) {
        canvas->FillRect(f);
        return;
    }
    // Inside the cut corners: one pixel in at the second row from each end, two at the end rows.
    canvas->FillRect(Rect(f.Left + 2, f.Top, f.Right - 2, f.Bottom));
    canvas->FillRect(Rect(f.Left + 1, f.Top + 1, f.Right - 1, f.Bottom - 1));
    canvas->FillRect(Rect(f.Left, f.Top + 2, f.Right, f.Bottom - 2));
}

void TSkCustomGroupBox::PaintClassicCaption(TRect CaptionArea) {
    TCanvas* canvas = Canvas();
    if (!Transparent() && FGroupStyle != gsBanner) {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(CaptionArea);
    }
    if (FGroupStyle == gsBanner) InflateRect(CaptionArea, -4, -1);
    canvas->Brush()->SetStyle(bsClear);
    if (Enabled() && VisualStyle() == vsWinXP && IsThemeActive() && IsAppThemed())
        canvas->Font()->SetColor(GetXPThemeColor(6));
    else if (!Enabled())
        canvas->Font()->SetColor(clGrayText);
    canvas->DrawText(Caption(), CaptionArea, HorizontalFlag(Alignment()) | DT_SINGLELINE | DT_VCENTER);
    canvas->Brush()->SetStyle(bsSolid);
}
