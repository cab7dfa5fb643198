// The framework's own measure and look of a menu item, for owner-drawn items that have no drawing
// handler: the classic desktop's menu with a glyph column for the check mark or picture, the caption
// and the shortcut right-aligned, the selection in the highlight colour and disabled text embossed.
#include "DeviceContext.h"
#include "FrameControls.h"
#include "GraphicsImage.h"
#include "ImgList.h"
#include "MenuWindow.h"
#include "Platform.h"
#include "TextDraw.h"

namespace {
constexpr int SeparatorHeight = 9;
constexpr int MinItemHeight = 19;
constexpr int ShortCutGap = 16;
constexpr int TextMargin = 4;   // between the glyph column and the caption
constexpr int RightMargin = 8;  // after the caption or shortcut
constexpr int TopLevelMargin = 6;
// Fills the rest of the destination through a monochrome source: its white pixels keep the
// destination, its black ones take the brush.
constexpr unsigned MaskThroughBrush = 0x00B8074A;

int GlyphWidth(const TImageList* images) {
    return images ? images->Width() : 16;
}
int GlyphHeight(const TImageList* images) {
    return images ? images->Height() : 16;
}
int GlyphColumn(const TImageList* images) {
    return GlyphWidth(images) + 4;
}

void Fill(TDeviceContext* dc, const TRect& r, TColor color) {
    dc->FillRect(r, TLogBrush{bsSolid, color, {}, false});
}

// Text in one colour with a clear background.
void Text(TCanvas* canvas, const QString& text, TRect r, unsigned flags, TColor color) {
    canvas->Font()->SetColor(color);
    canvas->DrawText(text, r, flags);
}
}  // namespace

void DrawMenuGlyph(TDeviceContext* dc, const TRect& rect, unsigned kind, TColor color) {
    if (!dc || rect.IsEmpty()) return;
    TBitmap mask;
    mask.SetPixelFormat(pf1bit);
    mask.SetSize(rect.Width(), rect.Height());
    TRect r = Rect(0, 0, rect.Width(), rect.Height());
    DrawFrameControl(mask.Canvas()->Handle(), r, DFC_MENU, kind);
    const int saved = dc->SaveDC();
    dc->TextColor = clBlack;
    dc->BkColor = clWhite;
    dc->Brush = TLogBrush{bsSolid, color, {}, false};
    dc->BitBlt(rect.Left, rect.Top, rect.Width(), rect.Height(), mask.Canvas()->Handle(), 0, 0,
               MaskThroughBrush);
    dc->RestoreDC(saved);
}

void TMenuItem::DefaultMeasure(TCanvas* ACanvas, int& Width, int& Height) const {
    const TImageList* images = GetImageList();
    const bool topLevel = dynamic_cast<TMainMenu*>(GetParentComponent()) != nullptr;
    const QString text = StripPrefix(FCaption, nullptr);
    if (topLevel) {
        Width = ACanvas->TextWidth(text) + 2 * TopLevelMargin +
                (images && FImageIndex >= 0 ? GlyphWidth(images) : 0);
        Height = std::max(MinItemHeight, ACanvas->TextHeight(text) + 4);
        return;
    }
    if (IsLine()) {
        Width = 0;
        Height = SeparatorHeight;
        return;
    }
    const QString shortCut = ShortCutToText(FShortCut);
    Width = GlyphColumn(images) + TextMargin + ACanvas->TextWidth(text) + RightMargin +
            (shortCut.isEmpty() ? 0 : ShortCutGap + ACanvas->TextWidth(shortCut));
    Height = std::max({MinItemHeight, ACanvas->TextHeight(text) + 4, GlyphHeight(images) + 3});
}

void TMenuItem::DefaultDraw(TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State,
                            bool TopLevel) const {
    TDeviceContext* dc = ACanvas->Handle();
    if (!dc) return;
    const bool selected = State & odSelected, disabled = State & odDisabled;
    if (IsLine() && !TopLevel) {
        Fill(dc, ARect, clMenu);
        TRect line = Rect(ARect.Left + 1, ARect.Top + ARect.Height() / 2 - 1, ARect.Right - 1, ARect.Bottom);
        DrawEdge(dc, line, EDGE_ETCHED, BF_TOP);
        return;
    }
    Fill(dc, ARect, selected ? clHighlight : clMenu);
    const TColor textColor = disabled ? clGrayText : selected ? clHighlightText : clMenuText;
    const TFontStyles style = ACanvas->Font()->Style();
    if (State & odDefault) ACanvas->Font()->SetStyle(style | FontStyle(fsBold));
    ACanvas->Brush()->SetStyle(bsClear);
    unsigned flags = DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS;
    if ((State & odNoAccel) && KeyboardCuesHidden()) flags |= DT_HIDEPREFIX;
    TImageList* images = GetImageList();
    const bool hasImage = images && FImageIndex >= 0 && FImageIndex < images->Count();
    TRect text = ARect;
    if (TopLevel) {
        flags |= DT_CENTER;
    } else {
        const TRect column = Rect(ARect.Left, ARect.Top, ARect.Left + GlyphColumn(images), ARect.Bottom);
        const int gw = GlyphWidth(images), gh = GlyphHeight(images);
        const TRect glyph =
            Bounds(column.Left + (column.Width() - gw) / 2, column.Top + (column.Height() - gh) / 2, gw, gh);
        if (hasImage)
            images->Draw(ACanvas, glyph.Left, glyph.Top, FImageIndex, !disabled);
        else if (FChecked)
            DrawMenuGlyph(dc, glyph, FRadioItem ? DFCS_MENUBULLET : DFCS_MENUCHECK, textColor);
        text = Rect(column.Right + TextMargin, ARect.Top, ARect.Right - MenuArrowWidth - RightMargin,
                    ARect.Bottom);
    }
    const QString shortCut = TopLevel ? QString() : ShortCutToText(FShortCut);
    auto draw = [&](TRect r, TColor color) {
        Text(ACanvas, FCaption, r, flags, color);
        if (!shortCut.isEmpty())
            Text(ACanvas, shortCut, r, (flags | DT_RIGHT | DT_NOPREFIX) & ~DT_CENTER, color);
    };
    if (disabled && !selected) {
        TRect raised = text;
        OffsetRect(raised, 1, 1);
        draw(raised, clBtnHighlight);
        draw(text, clBtnShadow);
    } else {
        draw(text, textColor);
    }
    ACanvas->Font()->SetStyle(style);
    ACanvas->Brush()->SetStyle(bsSolid);
}
