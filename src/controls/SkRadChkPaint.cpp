// How the check box and the radio button look: the glyph beside the caption from custom glyphs, the
// visual style, the library's hot-track drawing or the classic frame controls, over a snapshot of the
// background; and the size that fits glyph and caption.
#include "SkRadChk.h"

#include "FrameControls.h"
#include "SkGrafx.h"
#include "Themes.h"

#include <array>

namespace {
void Fill(TBitmap* Bitmap, TColor Color) {
    TCanvas* c = Bitmap->Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color);
    c->FillRect(Rect(0, 0, Bitmap->Width(), Bitmap->Height()));
}

// Dest in Background with Source on it, Source's pixels of Key left out.
void KeyedCopy(TBitmap* Dest, TColor Background, TBitmap* Source, TColor Key) {
    Fill(Dest, Background);
    const TRect all = Rect(0, 0, Dest->Width(), Dest->Height());
    DrawStretchedTransparentBitmap(Dest->Canvas(), Source, all, Key, all);
}

// The button part's state: disabled first, then pressed, then hot, else normal.
int ThemeLook(bool Enabled, bool Pressed, bool Hot) {
    return !Enabled ? 3 : Pressed ? 2 : Hot ? 1 : 0;
}

void DrawThemedGlyph(TBitmap* Bitmap, int Part, int State) {
    if (HTHEME theme = OpenThemeData(QStringLiteral("BUTTON"))) {
        DrawThemeBackground(theme, Bitmap->Canvas()->Handle(), Part, State,
                            Rect(0, 0, Bitmap->Width(), Bitmap->Height()));
        CloseThemeData(theme);
    }
}
}  // namespace

// Geometry --------------------------------------------------------------------------------------------------
TRect TSkCustomGlyphButton::GetHotTrackRect() {
    const int left = GlyphOnRight() ? Width() - FGlyphWidth : 0;
    const int top = FAlignmentVertical == avTop      ? 2
                    : FAlignmentVertical == avCenter ? (Height() - FGlyphHeight) / 2
                                                     : Height() - FGlyphHeight - 2;
    return Bounds(left, top, FGlyphWidth, FGlyphHeight);
}

TRect TSkCustomGlyphButton::TextRect() const {
    TRect r = ClientRect();
    InflateRect(r, -1, -1);
    if (GlyphOnRight())
        r.Right -= FGlyphWidth + 4;
    else
        r.Left += FGlyphWidth + 4;
    return r;
}

void TSkCustomGlyphButton::AdjustBounds() {
    if (!FAutoSize || (ComponentState() & (csLoading | csReading))) return;
    TRect t = ClientRect();
    InflateRect(t, -1, -1);
    t.Right = std::max(t.Right - (FGlyphWidth + 4), t.Left + 2);
    TBitmap screen(1, 1);
    TCanvas* c = screen.Canvas();
    c->Font()->Assign(*Font());
    c->DrawText(Caption(), t, DT_CALCRECT | DT_EXPANDTABS | (FWordWrap ? unsigned(DT_WORDBREAK) : 0u));
    const int height = std::max(FGlyphHeight + 2, t.Height() + 2);
    const int width = t.Width() + 2 + FGlyphWidth + 4;
    const int left = GlyphOnRight() ? Left() + Width() - width : Left();
    SetBounds(left, Top(), width, height);
}

// Painting --------------------------------------------------------------------------------------------------
void TSkCustomGlyphButton::Paint() {
    if (ComponentState() & csDestroying) return;
    TCanvas* c = Canvas();
    if (FBackgroundDirty) {
        FBackgroundSnapshot.SetSize(Width(), Height());
        Fill(&FBackgroundSnapshot, Color());
        if (FTransparent) DrawParentImage(this, FBackgroundSnapshot.Canvas(), false);
        FBackgroundDirty = false;
    }
    c->Draw(0, 0, &FBackgroundSnapshot);
    c->Font()->Assign(*Font());
    c->Brush()->SetColor(Color());
    PaintGlyph(c);

    const TRect text = TextRect();
    const unsigned flags = DT_EXPANDTABS | (FWordWrap ? unsigned(DT_WORDBREAK) : 0u);
    DrawCaptionText(c, text, flags);
    if (Focused() && !Caption().isEmpty()) {
        TRect measured = text;
        c->DrawText(Caption(), measured, flags | DT_CALCRECT);
        TRect caption = PlaceCaption(c, text);
        caption.Right = std::min(caption.Left + measured.Width(), text.Right);
        InflateRect(caption, 1, 1);
        DrawDottedBorder(c, caption);
    }
}

void TSkCustomGlyphButton::PaintGlyph(TCanvas* Canvas) {
    const int w = FGlyphWidth, h = FGlyphHeight;
    if (w <= 0 || h <= 0) return;
    const TRect place = GetHotTrackRect();
    const bool themed = UseThemes();
    TBitmap a(w, h), b(w, h), result(w, h);
    if (!FTransparent) {
        DrawGlyph(&a);
        KeyedCopy(&b, Color(), &a, FTransparentColor);
    } else {
        b.Canvas()->CopyRect(Rect(0, 0, w, h), Canvas, place);
        if (themed) {
            DrawGlyph(&b);
        } else {
            DrawGlyph(&a);
            DrawStretchedTransparentBitmap(b.Canvas(), &a, Rect(0, 0, w, h), FTransparentColor,
                                           Rect(0, 0, w, h));
        }
    }
    if (FUseCustomGlyphs) {
        KeyedCopy(&result, clWindow, &b, FWinMaskColor);
    } else {
        result.Assign(&b);
        if (FTransparent && !themed) FinishGlyph(&result);
    }
    Canvas->Draw(place.Left, place.Top, &result);
}

// Custom glyphs ---------------------------------------------------------------------------------------------
void TSkCustomGlyphButton::ExtractGlyph(int Index, TBitmap* Dest, int Width, int Height, TBitmap* Source) {
    if (!Source || Index < 0 || (Index + 1) * Width > Source->Width()) return;
    Dest->Canvas()->CopyRect(Rect(0, 0, Width, Height), Source->Canvas(),
                             Rect(Index * Width, 0, (Index + 1) * Width, Height));
}

bool TSkCustomGlyphButton::UseHotGlyph(int Normal) const {
    return FCustomGlyphImages && FCustomGlyphImages->Count() > Normal && FHotTrack && FMouseOver;
}

void TSkCustomGlyphButton::DrawCustomGlyph(TBitmap* Bitmap, int Index) {
    Fill(Bitmap, FTransparentColor);
    TCustomImageList* list = FCustomGlyphImages;
    if (list && list->Width() >= 1 && list->Height() >= 1 && list->Count() >= 1)
        list->Draw(Bitmap->Canvas(), 0, 0, Index);
    else
        ExtractGlyph(Index, Bitmap, FGlyphWidth, FGlyphHeight, FCustomGlyphs.get());
}

int TSkCustomGlyphButton::DrawState() const {
    return !Enabled() ? 3 : FPressed ? 1 : FMouseOver ? 2 : 0;
}

// The radio button ------------------------------------------------------------------------------------------
void TSkRadioButton::DrawGlyph(TBitmap* Bitmap) {
    const TRect all = Rect(0, 0, Bitmap->Width(), Bitmap->Height());
    if (UseCustomGlyphs()) {
        int index = FChecked ? 5 : 4;
        if (Enabled()) {
            const int normal = FChecked ? 1 : 0;
            // A hot glyph the list does not hold gives way to the normal one.
            const int hot = normal + 6;
            index = FPressed                                               ? normal + 2
                    : UseHotGlyph(6) && hot < CustomGlyphImages()->Count() ? hot
                                                                           : normal;
        }
        DrawCustomGlyph(Bitmap, index);
    } else if (UseThemes()) {
        if (!FTransparent) Fill(Bitmap, Color());
        DrawThemedGlyph(Bitmap, BP_RADIOBUTTON,
                        (FChecked ? RBS_CHECKEDNORMAL : RBS_UNCHECKEDNORMAL) +
                            ThemeLook(Enabled(), FPressed, FMouseOver));
    } else if (FHotTrack) {
        TColor light, dark;
        HotTrackColors(light, dark);
        DrawRadioButtonImage(Bitmap->Canvas(), all, FChecked, DrawState(), Focused(), HotTrackStyle(),
                             FrameColor(), FHighlightColor, FillColor(), FocusColor(), DisabledColor(), light,
                             dark, Color(), FTransparent, clOlive, ReadOnly(), ReadOnlyColorOnFocus(),
                             ReadOnlyColor());
    } else {
        Fill(Bitmap, TransparentColor());
        TRect r = all;
        DrawFrameControl(Bitmap->Canvas()->Handle(), r, DFC_BUTTON,
                         DFCS_BUTTONRADIO | DFCS_TRANSPARENT | (FChecked ? unsigned(DFCS_CHECKED) : 0u) |
                             (FPressed ? unsigned(DFCS_PUSHED) : 0u) |
                             (Enabled() ? 0u : unsigned(DFCS_INACTIVE)));
    }
}

// The classic circle's rim, blended with the frame colour so it melts into any background.
void TSkRadioButton::FinishGlyph(TBitmap* Bitmap) {
    if (Bitmap->Width() != 13 || Bitmap->Height() != 13) return;
    static constexpr std::array<std::array<int, 2>, 16> half = {{{4, 0},
                                                                 {8, 0},
                                                                 {2, 1},
                                                                 {10, 1},
                                                                 {1, 2},
                                                                 {11, 2},
                                                                 {0, 4},
                                                                 {12, 4},
                                                                 {0, 8},
                                                                 {12, 8},
                                                                 {1, 10},
                                                                 {11, 10},
                                                                 {2, 11},
                                                                 {10, 11},
                                                                 {4, 12},
                                                                 {8, 12}}};
    static constexpr std::array<std::array<int, 2>, 8> faint = {
        {{3, 0}, {9, 0}, {0, 3}, {12, 3}, {0, 9}, {12, 9}, {3, 12}, {9, 12}}};
    TCanvas* c = Bitmap->Canvas();
    for (const auto& p : half)
        c->SetPixels(p[0], p[1], BlendColors(FrameColor(), c->Pixels(p[0], p[1]), 128));
    for (const auto& p : faint)
        c->SetPixels(p[0], p[1], BlendColors(FrameColor(), c->Pixels(p[0], p[1]), 40));
}

// The check box ---------------------------------------------------------------------------------------------
void TSkCustomCheckBox::DrawGlyph(TBitmap* Bitmap) {
    const TRect all = Rect(0, 0, Bitmap->Width(), Bitmap->Height());
    if (UseCustomGlyphs()) {
        int index = 6 + FState;
        if (Enabled()) {
            // A hot glyph the list does not hold gives way to the normal one.
            const int hot = 9 + FState;
            index = FPressed                                               ? 3 + FState
                    : UseHotGlyph(9) && hot < CustomGlyphImages()->Count() ? hot
                                                                           : FState;
        }
        DrawCustomGlyph(Bitmap, index);
    } else if (UseThemes()) {
        if (!FTransparent) Fill(Bitmap, Color());
        static constexpr int first[3] = {CBS_UNCHECKEDNORMAL, CBS_CHECKEDNORMAL, CBS_MIXEDNORMAL};
        DrawThemedGlyph(Bitmap, BP_CHECKBOX, first[FState] + ThemeLook(Enabled(), FPressed, FMouseOver));
    } else if (FHotTrack) {
        TColor light, dark;
        HotTrackColors(light, dark);
        DrawCheckBoxImage(Bitmap->Canvas(), all, FState, DrawState(), Focused(), HotTrackStyle(),
                          FrameColor(), FHighlightColor, FillColor(), FocusColor(), DisabledColor(), light,
                          dark, ReadOnly(), ReadOnlyColorOnFocus(), ReadOnlyColor());
    } else {
        static constexpr unsigned byState[3] = {0, DFCS_CHECKED, DFCS_BUTTON3STATE | DFCS_CHECKED};
        TRect r = all;
        DrawFrameControl(Bitmap->Canvas()->Handle(), r, DFC_BUTTON,
                         byState[FState] | (FPressed ? unsigned(DFCS_PUSHED) : 0u) |
                             (Enabled() ? 0u : unsigned(DFCS_INACTIVE)));
    }
}
