// Drawing a check list's items: the check glyph, the item's image and the text.
#include "SkChkLst.h"

#include "SkCommon.h"
#include "Themes.h"

namespace {
// The themed check box's state: unchecked, checked, mixed, each normal or disabled.
int ThemedCheckBoxState(int State, bool Enabled) {
    return CBS_UNCHECKEDNORMAL + 4 * std::clamp(State, 0, 2) + (Enabled ? 0 : 3);
}
}  // namespace

int CustomGlyphIndex(int State, bool Enabled, int ImageCount) {
    if (Enabled) return State;
    return (ImageCount >= 7 ? 6 : 3) + State;
}

TItemImage ItemImageToDraw(const TPacket& Packet, bool ListEnabled) {
    if (Packet.DisabledIndex >= 0) {
        if (Packet.Enabled) return {Packet.ImageIndex >= 0 ? Packet.ImageIndex : -1, true};
        return {Packet.DisabledIndex, true};
    }
    return {Packet.ImageIndex >= 0 ? Packet.ImageIndex : -1, ListEnabled};
}

void CopyKeyedOut(TBitmap* Dest, const TBitmap* Source, TColor Key) {
    const TColor key = ColorToRGB(Key);
    TCanvas* to = Dest->Canvas();
    TCanvas* from = const_cast<TBitmap*>(Source)->Canvas();
    const int width = std::min(Dest->Width(), Source->Width());
    const int height = std::min(Dest->Height(), Source->Height());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (const TColor c = from->Pixels(x, y); c != key) to->SetPixels(x, y, c);
}

void TSkCheckList::DrawItemGlyph(int Index, TBitmap* Bitmap) {
    const TPacket& packet = PacketAt(Index);
    const TRect g = Rect(0, 0, FGlyphWidth, FGlyphHeight);
    const bool enabled = packet.Enabled != 0;
    if (FUseCustomGlyphs) {
        TBitmap glyph(FGlyphWidth, FGlyphHeight);
        glyph.Canvas()->Brush()->SetColor(FTransparentColor);
        glyph.Canvas()->FillRect(g);
        const int count = FCustomGlyphImages ? FCustomGlyphImages->Count() : -1;
        const int index = CustomGlyphIndex(packet.State, enabled, count);
        if (FCustomGlyphImages)
            FCustomGlyphImages->Draw(glyph.Canvas(), 0, 0, index, true);
        else
            glyph.Canvas()->CopyRect(g, FCustomGlyphs.Canvas(),
                                     Rect(index * FGlyphWidth, 0, (index + 1) * FGlyphWidth, FGlyphHeight));
        Bitmap->Assign(&glyph);
        return;
    }
    if (HTHEME theme = OpenThemeData(QStringLiteral("BUTTON"))) {
        const bool drawn = DrawThemeBackground(theme, Bitmap->Canvas()->Handle(), BP_CHECKBOX,
                                               ThemedCheckBoxState(packet.State, enabled), g);
        CloseThemeData(theme);
        if (drawn) return;
    }
    DrawCheckBoxImage(Bitmap->Canvas(), g, packet.State, enabled ? 0 : 3, Focused(), htsInterior,
                      FItemFrameColor, FHighlightColor, FItemFillColor, FItemFocusColor, DisabledColor(),
                      clLime, clRed, false, false, clWindow);
}

void TSkCheckList::DrawItemImage(int Index, const TRect& Rect) {
    const TItemImage image = ItemImageToDraw(PacketAt(Index), Enabled());
    if (image.Index < 0) return;
    const int x = Rect.Left - (FImages->Width() + 4);
    const int y = Rect.Top + (ItemHeight() - FImages->Height()) / 2;
    FImages->Draw(Canvas(), x, y, image.Index, image.Enabled);
}

void TSkCheckList::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
    if (FInserting || Index < 0 || Index >= FItems->Count()) {
        Canvas()->FillRect(Rect);
        return;
    }
    TCanvas* canvas = Canvas();

    TBitmap glyph(FGlyphWidth, FGlyphHeight);
    DrawItemGlyph(Index, &glyph);
    canvas->FillRect(Rect);
    const TRect g = ::Rect(0, 0, FGlyphWidth, FGlyphHeight);
    TBitmap onColor(FGlyphWidth, FGlyphHeight);
    onColor.Canvas()->Brush()->SetColor(Color());
    onColor.Canvas()->FillRect(g);
    CopyKeyedOut(&onColor, &glyph, FTransparentColor);
    TBitmap masked(FGlyphWidth, FGlyphHeight);
    if (FUseCustomGlyphs) {
        masked.Canvas()->Brush()->SetColor(clWindow);
        masked.Canvas()->FillRect(g);
        CopyKeyedOut(&masked, &onColor, FWinMaskColor);
    }
    const int imageWidth = FImages ? FImages->Width() + 4 : 0;
    canvas->Draw(Rect.Left - FGlyphWidth - imageWidth - 4, Rect.Top + (ItemHeight() - FGlyphHeight) / 2,
                 FUseCustomGlyphs ? &masked : &onColor);
    if (FImages) DrawItemImage(Index, Rect);

    canvas->Font()->Assign(*Font());
    if (!ItemEnabled(Index) || !Enabled())
        canvas->Font()->SetColor(ColorToRGB(Color()) == ColorToRGB(clBtnShadow) ? clBtnFace : clBtnShadow);
    canvas->IntersectClipRect(Rect);
    if (State & odSelected) {
        canvas->Brush()->SetColor(clHighlight);
        canvas->Font()->SetColor(clHighlightText);
    }
    TSkCustomTabbedListBox::DrawItem(Index, Rect, State);
    canvas->ResetClip();
}
