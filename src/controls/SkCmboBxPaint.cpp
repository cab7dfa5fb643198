// The styled combo box's painting over the native box: the native border covered in the box's colour,
// the flat drop button (or none while read-only) and the flat frame.
#include "SkCmboBx.h"

#include "Platform.h"
#include "SystemMetrics.h"
#include "Themes.h"

namespace {
enum : int { CBXS_NORMAL = 1, CBXS_HOT = 2, CBXS_PRESSED = 3, CBXS_DISABLED = 4 };

bool VistaThemed() {
    return RunningAtLeast(wvWinVista) && IsThemeActive();
}
}  // namespace

TRect TSkCustomComboBox::ButtonRect() const {
    const int inset = IsThemeActive() ? 1 : 2;
    const int w = GetSystemMetrics(SM_CXVSCROLL);
    return Rect(Width() - inset - w, inset, Width() - inset, Height() - inset);
}

void TSkCustomComboBox::WMPaint(TWMPaint& Message) {
    if (!Message.DC) return;
    FCanvas->BeginPaint(Message.DC);
    const TRect client = Rect(0, 0, Width(), Height());
    const TRect strip = ButtonRect();
    TRect textArea = client;
    textArea.Right = strip.Left;
    InflateRect(textArea, -1, -1);
    const bool themes = IsThemeActive();
    const TColor color = Color();
    // 1. The native 3-D border gives way to the box's colour.
    if (FBlock.FrameVisible && !UseThemes() && !VistaThemed()) {
        if (themes) {
            DrawBox(FCanvas, client, color);
            DrawBorderSides(FCanvas, textArea, color, color, AllSides, 2);
        } else {
            DrawBorderSides(FCanvas, client, color, color, AllSides, 2);
        }
    } else if (themes && ColorToRGB(color) != clWhite) {
        DrawBorderSides(FCanvas, textArea, color, color, AllSides, 2);
    }
    // 2. The band between text and themed button.
    if (themes && Style() != csSimple &&
        (RunningUnder(wvWinXP) || (RunningUnder(wvWinVista) && Style() == csDropDown))) {
        FCanvas->Brush()->SetColor(color);
        FCanvas->FillRect(Rect(strip.Left - 2, strip.Top, strip.Left, strip.Bottom));
    }
    // 3, 4. The flat button, or no button while read-only.
    if (FReadOnly) {
        FCanvas->Brush()->SetColor(color);
        FCanvas->FillRect(strip);
    } else if (FBlock.FlatButtons && !VistaThemed()) {
        PaintButton(FCanvas, strip);
    }
    // 5. The flat frame.
    if (FBlock.FrameVisible && !UseThemes()) PaintFrame(FCanvas, client);
    FCanvas->EndPaint();
}

void TSkCustomComboBox::PaintButton(TCanvas* Canvas, const TRect& Strip) {
    const bool dropped = DroppedDown();
    if (!Hot()) {
        Canvas->Brush()->SetColor(Color());
        Canvas->FillRect(Strip);
        DrawDropDownArrowButton(Canvas, Strip, 0, Enabled());
        return;
    }
    if (IsThemeActive()) {
        HTHEME theme = OpenThemeData(QStringLiteral("COMBOBOX"));
        const int state = !Enabled() ? CBXS_DISABLED : dropped ? CBXS_PRESSED : CBXS_HOT;
        DrawThemeBackground(theme, Canvas->Handle(), CP_DROPDOWNBUTTON, state, Strip);
        CloseThemeData(theme);
        return;
    }
    const TColor face = FBlock.FlatButtonColor;
    Canvas->Brush()->SetColor(face);
    Canvas->FillRect(Strip);
    // Pressed, the arrow moves a pixel right and down as a pushed button's does.
    TRect arrow = DrawFlatDropButtonFace(Canvas, Strip, face, dropped);
    if (dropped) OffsetRect(arrow, 1, 1);
    DrawDropDownArrowButton(Canvas, arrow, 0, Enabled());
}

void TSkCustomComboBox::PaintFrame(TCanvas* Canvas, const TRect& Client) {
    const bool hot = FBlock.FrameHotTrack && Hot();
    const TFrameStyle style = hot ? FBlock.FrameHotStyle : FBlock.FrameStyle;
    const TColor frame = hot ? FBlock.FrameHotColor : FBlock.FrameColor;
    const TSides sides = FBlock.FrameSides;
    switch (style) {
    case fsFlat:
        DrawSides(Canvas, Client, frame, frame, sides);
        break;
    case fsFlatBold:
        DrawBorderSides(Canvas, Client, frame, frame, sides, 2);
        break;
    default:
        if (Color() != clWindow)
            DrawBorder(Canvas, Client, Color(), sides, style);
        else
            DrawBevel(Canvas, Client, style, sides);
    }
}
