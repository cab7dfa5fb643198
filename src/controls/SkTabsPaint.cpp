// Painting the tab strip into the control's off-screen image: the background, the card of each row,
// every tab (its fill clipped to its shape, image, caption, highlight bar, focus rectangle), the flat
// outlines with a soft shadow, and the placing of the buttons.
#include "GraphicsImage.h"
#include "SkGrafx.h"
#include "SkTabs.h"
#include "SkTabsButtons.h"

#include <QStringList>

namespace {
// Outlines are recorded as a list of drawing commands, then replayed: pen colour, frame colour, move,
// line and the two shadow segments (horizontal or vertical runs of background pixels blended towards
// black).
enum TLineCode {
    lcPen = 0,
    lcNothing = 1,
    lcFrameColor = 2,
    lcMoveTo = 3,
    lcLineTo = 4,
    lcInnerShadow = 5,
    lcOuterShadow = 6
};

class TLineCommands {
public:
    void Pen() { FList.push_back(lcPen); }
    void FrameColor(TColor Flat, int Adjustment) { Add(lcFrameColor, int(Flat), Adjustment); }
    void MoveTo(const TPoint& P) { Add(lcMoveTo, P.X, P.Y); }
    void LineTo(const TPoint& P) { Add(lcLineTo, P.X, P.Y); }
    void InnerShadow(const TPoint& P) { Add(lcInnerShadow, P.X, P.Y); }
    void OuterShadow(const TPoint& P) { Add(lcOuterShadow, P.X, P.Y); }
    // A move to the first point and lines through the others.
    void Path(std::initializer_list<TPoint> Points) {
        MoveTo(*Points.begin());
        for (auto p = Points.begin() + 1; p != Points.end(); ++p)
            LineTo(*p);
    }
    // Sets one pixel (a line from P to the next pixel along).
    void Dot(const TPoint& P) {
        MoveTo(P);
        LineTo({P.X + 1, P.Y});
    }
    bool HasShadows() const { return FShadows; }
    // Draws the commands; Background gives the pixel beneath a shadow.
    void Replay(TCanvas* Canvas, TColor Frame, const std::function<TColor(int, int)>& Background) const;

private:
    void Add(int Code, int X, int Y) {
        FList.insert(FList.end(), {Code, X, Y});
        FShadows |= Code == lcInnerShadow || Code == lcOuterShadow;
    }
    std::vector<int> FList;
    bool FShadows = false;
};

void TLineCommands::Replay(TCanvas* Canvas, TColor Frame,
                           const std::function<TColor(int, int)>& Background) const {
    TPoint at;
    for (size_t i = 0; i < FList.size();) {
        const int code = FList[i++];
        switch (code) {
        case lcPen:
            Canvas->Pen()->SetColor(Frame);
            Canvas->Pen()->SetStyle(psSolid);
            Canvas->Pen()->SetWidth(1);
            break;
        case lcNothing:
            break;
        case lcFrameColor:
            Frame = AdjustColor(TColor(FList[i]), FList[i + 1]);
            i += 2;
            break;
        case lcMoveTo:
            at = {FList[i], FList[i + 1]};
            Canvas->MoveTo(at.X, at.Y);
            i += 2;
            break;
        case lcLineTo:
            at = {FList[i], FList[i + 1]};
            Canvas->LineTo(at.X, at.Y);
            i += 2;
            break;
        case lcInnerShadow:
        case lcOuterShadow: {
            const TPoint to{FList[i], FList[i + 1]};
            i += 2;
            const std::uint8_t weight = code == lcInnerShadow ? 30 : 15;
            const int dx = to.X > at.X   ? 1
                           : to.X < at.X ? -1
                                         : 0,
                      dy = to.Y > at.Y   ? 1
                           : to.Y < at.Y ? -1
                                         : 0;
            for (TPoint p = at; p.X != to.X || p.Y != to.Y; p.X += dx, p.Y += dy)
                Canvas->SetPixels(p.X, p.Y, BlendColors(clBlack, Background(p.X, p.Y), weight));
            at = to;
            Canvas->MoveTo(at.X, at.Y);
            break;
        }
        }
    }
}

// Where something Size long goes between From and To: at the start, centred (rounding toward zero)
// or at the end.
int Place(int From, int To, int Size, int Where) {
    return Where == 1 ? From + (To - From - Size) / 2 : Where == 2 ? To - Size : From;
}

// The caption lines of a tab.
QStringList CaptionLines(const QString& Caption) {
    return Caption.split(QStringLiteral("\r\n"));
}
}  // namespace

// One paint of a tab control: its state for the paint and the steps.
class TSkTabPainter {
public:
    explicit TSkTabPainter(TSkCustomTabControl& Control)
        : C(Control), L(Control.FLayout), O(Control.FOptions), Canvas(Control.Canvas()) {}
    void Paint();

private:
    void DrawTabsAndCards();
    void DrawCard(int Row);
    void RecordCardFrame(TLineCommands& Lines, const TRect& Card, int Row);
    void RecordBoxStyleCardFrame(TLineCommands& Lines, const TRect& Card, bool TopShadow);
    void RecordCardShadow(TLineCommands& Lines, const TPoint& P1, const TPoint& P2, const TPoint& P3);
    void DrawTab(int Index);
    void FillTab(int Index, const TRect& Rect);
    void DrawContent(int Index);
    void DrawCaptionLine(TDeviceContext* DC, int X, int Y, int Escapement, const QString& Line);
    void DrawHighlightBar(int Index, const TRect& Rect);
    void RecordTabOutline(TLineCommands& Lines, int Index);
    void Replay(const TLineCommands& Lines);
    TColor BackgroundPixel(int X, int Y);
    bool Selected(int Index) const { return Index == C.TabIndex(); }
    bool Hot(int Index) const { return C.FHotTrack && Index == C.FHotTab; }
    // A tab that is drawn: visible, shown whole and not scrolled off the start.
    bool Drawable(int Index) const {
        return Index >= 0 && Index < L.Count() && L.TabVisible(Index) && L.TabFullyShown(Index) &&
               Index >= L.FirstVisibleTab;
    }
    // The canvas state kept around clipped drawing; the canvas's own pen, brush and font are chosen
    // again afterwards.
    int Save(TDeviceContext* DC);
    void Restore(TDeviceContext* DC, int Saved);

    TSkCustomTabControl& C;
    TSkTabLayout& L;
    const TSkTabLayoutOptions& O;
    TCanvas* Canvas;
    bool FHotOnly = false;
    TColor FFillColor = clBtnFace;
    TRect FTextRect, FContentRect;
    std::unique_ptr<TBitmap> FBackground;
};

void TSkCustomTabControl::Paint() {
    TSkTabPainter(*this).Paint();
}

void TSkCustomTabControl::DoPaintBackground(TCanvas* ACanvas, const TRect& ARect, bool& Handled) {
    if (OnPaintBackground) FireEvent(OnPaintBackground, this, ACanvas, ARect, Handled);
}

void TSkCustomTabControl::DoPaintCardBackground(TCanvas* ACanvas, int ARow, const TRect& ARect,
                                                bool& Handled) {
    if (OnPaintCardBackground) FireEvent(OnPaintCardBackground, this, ACanvas, ARow, ARect, Handled);
}

void TSkCustomTabControl::DoPaintTabBackground(TCanvas* ACanvas, int ATabIndex, const TRect& ARect,
                                               bool& Handled) {
    if (OnPaintTabBackground) FireEvent(OnPaintTabBackground, this, ACanvas, ATabIndex, ARect, Handled);
}

int TSkTabPainter::Save(TDeviceContext* DC) {
    const int saved = DC ? DC->SaveDC() : 0;
    if (saved == 0) throw ESkTabControlError(QStringLiteral("Error saving device context"));
    return saved;
}

void TSkTabPainter::Restore(TDeviceContext* DC, int Saved) {
    DC->RestoreDC(Saved);
    Canvas->BeginPaint(DC);
}

void TSkTabPainter::Paint() {
    // Only an image painted before can keep what lies outside the strip.
    FHotOnly = C.FHotOnly && C.FPainted;
    C.FHotOnly = false;
    C.FPainted = true;
    C.UpdateGeometry();
    TDeviceContext* dc = Canvas->Handle();
    if (!dc) return;
    if (FHotOnly) {
        const TRect strip = L.StripRect();
        dc->IntersectClipRect(strip.Left, strip.Top, strip.Right + 1, strip.Bottom + 1);
    }

    const TRect all = Rect(0, 0, C.Width() + 1, C.Height() + 1);
    bool handled = false;
    C.DoPaintBackground(Canvas, all, handled);
    if (!handled) {
        if (C.FTransparent) {
            DrawParentImage(&C, Canvas, false);
            Canvas->BeginPaint(dc);
        } else {
            Canvas->Brush()->SetStyle(bsSolid);
            Canvas->Brush()->SetColor(C.FBackgroundColor);
            Canvas->FillRect(all);
        }
    }
    C.PlaceButtons();
    for (TControl* button : std::initializer_list<TControl*>{C.Scroller(), C.CloseButton(), C.MenuButton()})
        if (button && button->Visible()) button->Invalidate();
    DrawTabsAndCards();
}

// Farther rows lie under nearer ones, and the selected tab over its neighbours: the tabs are drawn from
// the last one of row 0 backwards round the list, each row's card before the nearer row's first tab,
// then the selected tab, then the card of row 0.
void TSkTabPainter::DrawTabsAndCards() {
    const int count = L.Count();
    if (count > 0) {
        int start = -1;
        for (int i = 0; i < count && start < 0; ++i)
            if (L.TabVisible(i) && L.Tabs().Items(i)->Row == 0) start = i;
        if (start < 0) start = count - 1;
        int row = L.RowCount - 1;
        int i = start;
        for (int step = 0; step < count; ++step) {
            i = i == 0 ? count - 1 : i - 1;
            if (!Drawable(i) || Selected(i)) continue;
            const int tabRow = L.Tabs().Items(i)->Row;
            if (tabRow < row) {
                DrawCard(row);
                row = tabRow;
            }
            DrawTab(i);
        }
        if (row == 1) DrawCard(1);
        if (Drawable(C.TabIndex())) DrawTab(C.TabIndex());
    }
    DrawCard(0);
}

// Cards -----------------------------------------------------------------------------------------------------
void TSkTabPainter::DrawCard(int Row) {
    const TRect card = L.CardRect(Row);
    TRect fill = card;
    if (O.ShowCard) {
        ++fill.Right;
        ++fill.Bottom;
    }
    // With the shadow the outline stands 2 pixels in: the shadow falls on the background beyond it.
    if (O.ShowCardFrame && O.TabOrientation == toTop && !L.Reverse() && O.ShowShadow) {
        fill.Right -= 2;
        fill.Bottom -= 2;
    }
    bool handled = false;
    C.DoPaintCardBackground(Canvas, Row, fill, handled);
    if (!handled) {
        const int selected = C.TabIndex();
        const bool colored = C.FUseColoredTabs && selected >= 0 && selected < L.Count();
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(colored ? L.Tabs().Items(selected)->Color : C.Color());
        Canvas->FillRect(fill);
    }
    if (!O.ShowCardFrame) return;
    TLineCommands lines;
    RecordCardFrame(lines, card, Row);
    Replay(lines);
}

void TSkTabPainter::RecordCardShadow(TLineCommands& Lines, const TPoint& P1, const TPoint& P2,
                                     const TPoint& P3) {
    if (FHotOnly) return;
    // Down the right edge and along the bottom, one pixel outside the outline, then one further out.
    Lines.MoveTo({P1.X - 1, P1.Y + 1});
    Lines.InnerShadow({P1.X - 1, P2.Y});
    Lines.MoveTo({P3.X + 1, P2.Y - 1});
    Lines.InnerShadow({P2.X - 1, P2.Y - 1});
    Lines.MoveTo({P1.X, P1.Y + 2});
    Lines.OuterShadow({P1.X, P2.Y + 1});
    Lines.MoveTo({P3.X + 2, P2.Y});
    Lines.OuterShadow({P2.X, P2.Y});
}

void TSkTabPainter::RecordCardFrame(TLineCommands& Lines, const TRect& Card, int Row) {
    const TPoint p0{Card.Left, Card.Top}, p1{Card.Right, Card.Top}, p2{Card.Right, Card.Bottom},
        p3{Card.Left, Card.Bottom};
    const bool topShadow = O.TabOrientation == toTop && !L.Reverse() && O.ShowShadow;
    const int selected = C.TabIndex();
    const bool open = Row == 0 && selected >= 0 && L.TabFullyShown(selected);
    Lines.Pen();
    if (open && L.BoxStyle()) return RecordBoxStyleCardFrame(Lines, Card, topShadow);

    // The corners in order round the card, and which edge faces the strip (its two corners).
    const TPoint corners[4] = {p0, p1, p2, p3};
    int first = 0;  // the strip-side edge runs from corners[first] to corners[first + 1]
    switch (O.TabOrientation) {
    case toTop:
        first = 0;
        break;
    case toRight:
        first = 1;
        break;
    case toBottom:
        first = 2;
        break;
    case toLeft:
        first = 3;
        break;
    }
    TPoint e1 = corners[first], e2 = corners[(first + 1) % 4];
    // With the shadow the right and bottom edges stand 2 pixels in.
    TPoint shadowCorners[4] = {p0, {p1.X - 2, p1.Y}, {p2.X - 2, p2.Y - 2}, {p3.X, p3.Y - 2}};
    const TPoint* outline = topShadow ? shadowCorners : corners;
    if (topShadow) e2 = outline[1];

    if (!open) {
        Lines.MoveTo(e1);
        Lines.LineTo(e2);
    } else {
        // Open across the selected tab's base, so the tab opens into the card.
        const std::vector<TPoint> polygon = L.GetTabPolygon(selected);
        TPoint a = polygon.front(), b = polygon.back();
        const auto along = [&](const TPoint& p) {
            return e1.X == e2.X ? (p.Y - e1.Y) * (e2.Y > e1.Y ? 1 : -1)
                                : (p.X - e1.X) * (e2.X > e1.X ? 1 : -1);
        };
        if (along(a) > along(b)) std::swap(a, b);
        Lines.MoveTo(e1);
        Lines.LineTo(a);
        Lines.MoveTo(b);
        Lines.LineTo(e2);
        Lines.Dot(a);
        Lines.Dot(b);
        Lines.MoveTo(e2);
    }
    if (O.ShowFullFrame) {
        // From the edge's far corner the long way round to its near corner.
        Lines.MoveTo(e2);
        for (int k = 2; k <= 4; ++k)
            Lines.LineTo(outline[(first + k) % 4]);
    }
    if (topShadow && (O.ShowFullFrame || open)) RecordCardShadow(Lines, p1, p2, p3);
}

// Round and square tabs stand out 2 pixels: the strip-side edge is open over exactly the pixels between
// the selected tab's two base corners, on every side.
void TSkTabPainter::RecordBoxStyleCardFrame(TLineCommands& Lines, const TRect& Card, bool TopShadow) {
    const TPoint p0{Card.Left, Card.Top}, p1{Card.Right, Card.Top}, p2{Card.Right, Card.Bottom},
        p3{Card.Left, Card.Bottom};
    const TRect tab = L.StripTabRect(C.TabIndex());
    TPoint a = L.MapPoint({tab.Left + 1, tab.Bottom}), b = L.MapPoint({tab.Right, tab.Bottom});
    const bool full = O.ShowFullFrame;
    // Each time the edge is open strictly between A (one pixel inside the first base corner) and B.
    switch (O.TabOrientation) {
    case toTop:
        if (TopShadow) {
            Lines.Path({{p3.X, p3.Y - 2}, p0, a});
            Lines.Path({b, {p1.X - 2, p1.Y}, {p2.X - 2, p2.Y - 2}, {p3.X - 1, p3.Y - 2}});
            RecordCardShadow(Lines, p1, p2, p3);
        } else if (full) {
            Lines.Path({p3, p0, a});
            Lines.Path({b, p1, p2, {p3.X - 1, p3.Y}});
        } else {
            Lines.Path({p0, a});
            Lines.Path({b, {p1.X + 1, p1.Y}});
        }
        Lines.Path({b, b, {b.X + 1, b.Y}});  // B once more
        break;
    case toLeft:
        if (full) {
            Lines.Path({p3, a});
            Lines.Path({b, p0, p1, p2, {p3.X - 1, p3.Y}});
        } else {
            Lines.Path({{p3.X - 1, p3.Y}, {a.X - 1, a.Y}});
            Lines.Path({{b.X - 1, b.Y}, {p0.X - 1, p0.Y}});
        }
        break;
    case toBottom:
        a.X -= 1;
        b.X -= 1;
        if (full) {
            Lines.Path({p3, p0, p1, p2, b});
            Lines.Path({a, p3});
        } else {
            Lines.Path({{p2.X, p2.Y + 1}, {b.X, b.Y + 1}});
            Lines.Path({{a.X, a.Y + 1}, {p3.X - 1, p3.Y + 1}});
        }
        break;
    case toRight:
        if (full) {
            Lines.Path({p3, p0, {p1.X + 1, p1.Y}});
            Lines.Path({p1, a});
            Lines.Path({b, p2, {p3.X - 1, p3.Y}});
        } else {
            Lines.Path({{p1.X + 1, p1.Y}, {a.X + 1, a.Y}});
            Lines.Path({{b.X + 1, b.Y}, {p2.X + 1, p2.Y + 1}});
        }
        break;
    }
}

// Tabs ---------------------------------------------------------------------------------------------------
void TSkTabPainter::DrawTab(int Index) {
    const TRect rect = L.GetTabRect(Index);
    TRect visible;
    if (!IntersectRect(visible, Rect(rect.Left, rect.Top, rect.Right + 1, rect.Bottom + 1),
                       Canvas->ClipRect()))
        return;
    TDeviceContext* dc = Canvas->Handle();
    if (HRGN region = L.GetTabRegion(Index, rect)) {
        const int saved = Save(dc);
        dc->ExtSelectClipRgn(region, RGN_AND);
        FillTab(Index, rect);
        DrawContent(Index);
        DrawHighlightBar(Index, rect);
        Restore(dc, saved);
    }
    if (Selected(Index) && O.ShowCloseButtonOnActiveTab && C.FActiveTabCloseButton) {
        const TRect bounds = ActiveTabCloseBounds(L, FContentRect);
        C.FActiveTabCloseButton->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    }
    if (C.FShowFocusRect && Selected(Index) && C.Focused()) {
        TRect focus = FTextRect;
        if (L.Vertical())
            InflateRect(focus, 0, 1);
        else
            InflateRect(focus, 1, 0);
        if (!L.Vertical()) ++focus.Bottom;
        if (L.BoxStyle()) switch (O.TabOrientation) {
            case toTop:
                ++focus.Top;
                break;
            case toLeft:
                focus.Left += 2;
                break;
            case toBottom:
                --focus.Bottom;
                break;
            case toRight:
                focus.Right -= 2;
                break;
            }
        Canvas->DrawFocusRect(focus);
    }
    TLineCommands lines;
    RecordTabOutline(lines, Index);
    Replay(lines);
}

void TSkTabPainter::FillTab(int Index, const TRect& Rect) {
    bool handled = false;
    C.DoPaintTabBackground(Canvas, Index, Rect, handled);
    const TSkTabData* tab = L.Tabs().Items(Index);
    TColor light, dark, base;
    if (!C.FUseColoredTabs) {
        light = C.FTabColors.Unselected();
        dark = C.FTabColors.Shadow();
        base = C.Color();
    } else {
        light = LighterColor(tab->Color, 20);
        dark = ColorsTooClose(light, clWhite) ? TColor(clBtnFace) : DarkerColor(tab->Color, 40);
        base = tab->Color;
    }
    if (Hot(Index) && C.FHotTrackStyle == htsTab) {
        if (C.FHotTrackColorSource == htcsTabColor) {
            dark = DarkerColor(dark, 30);
        } else if (C.FHotTrackColorType == htctActual) {
            light = LighterColor(C.FHotTrackColor, 60);
            dark = C.FHotTrackColor;
        } else {
            dark = ComplementaryColor(C.FHotTrackColor, 140);
            light = LighterColor(dark, 60);
        }
    }
    FFillColor = Selected(Index) ? base : light;
    if (handled) return;
    if (!Selected(Index) && C.FUseGradients && HighColorDisplay) {
        // Light at the outer edge, dark towards the card.
        const TSkTabOrientation side = O.TabOrientation;
        const bool outerFirst = side == toTop || side == toLeft;
        PaintGradient(Canvas, Rect, L.Vertical() ? gdVerticalEnd : gdHorizontalEnd, outerFirst ? light : dark,
                      outerFirst ? dark : light, 1);
        Canvas->BeginPaint(Canvas->Handle());
        return;
    }
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(FFillColor);
    Canvas->FillRect(Rect);
}

void TSkTabPainter::DrawContent(int Index) {
    const TSkTabData* tab = L.Tabs().Items(Index);
    const bool bold = O.BoldCurrentTab && Selected(Index);
    const bool verticalText = O.TextOrientation == orVertical;
    const int escapement = !verticalText ? 0 : O.TabOrientation == toRight ? 2700 : 900;

    const TRect content = L.ContentRect(Index);
    TImageList* images = C.FImages;
    const bool hasImage = images && tab->ImageIndex != -1;
    const int w = hasImage ? images->Width() : 0, h = hasImage ? images->Height() : 0;
    const int m = hasImage ? O.ImageMargin : 0;

    // The room for the close glyph at the trailing end of the selected tab.
    TRect room = content;
    FContentRect = content;
    if (Selected(Index) && O.ShowCloseButtonOnActiveTab && L.TextAlongStrip()) {
        const bool standard = !L.Reverse();
        switch (O.TabOrientation) {
        case toTop:
        case toBottom:
            (standard ? room.Right : room.Left) += standard ? -ActiveCloseGlyphRoom : ActiveCloseGlyphRoom;
            break;
        case toLeft:
            (standard ? room.Top : room.Bottom) += standard ? ActiveCloseGlyphRoom : -ActiveCloseGlyphRoom;
            break;
        case toRight:
            (standard ? room.Bottom : room.Top) += standard ? -ActiveCloseGlyphRoom : ActiveCloseGlyphRoom;
            break;
        }
    }
    TRect text = room;
    switch (O.ImagePosition) {
    case ipLeft:
        text.Left += w + m;
        break;
    case ipTop:
        text.Top += h + m;
        break;
    case ipRight:
        text.Right -= w + m;
        break;
    case ipBottom:
        text.Bottom -= h + m;
        break;
    default:
        break;
    }
    FTextRect = text;

    if (images) {
        int index = tab->ImageIndex;
        bool enabled = tab->Enabled;
        if (tab->DisabledIndex != -1) {
            index = tab->Enabled ? tab->ImageIndex : tab->DisabledIndex;
            enabled = true;
        }
        if (index != -1) {
            TRect r = room;
            switch (O.ImagePosition) {
            case ipLeft:
                r.Right = r.Left + w;
                break;
            case ipRight:
                r.Left = r.Right - w;
                break;
            case ipTop:
                r.Bottom = r.Top + h;
                break;
            case ipBottom:
                r.Top = r.Bottom - h;
                break;
            default:
                break;
            }
            if (O.ImagePosition == ipStretch) {
                TBitmap picture(images->Width(), images->Height());
                picture.Canvas()->Brush()->SetColor(FFillColor);
                picture.Canvas()->FillRect(Rect(0, 0, picture.Width(), picture.Height()));
                images->Draw(picture.Canvas(), 0, 0, index, enabled);
                Canvas->StretchDraw(r, &picture);
            } else {
                const int iw = images->Width(), ih = images->Height();
                images->Draw(Canvas, Place(r.Left, r.Right, iw, C.FImageAlignment),
                             Place(r.Top, r.Bottom, ih, C.FImageAlignmentVertical), index, enabled);
            }
            Canvas->BeginPaint(Canvas->Handle());
        }
    }

    if (tab->Caption.isEmpty()) return;
    // The caption colour.
    TSkTabTextStyle style = tsUnselected;
    TColor color = C.FTextColors.Unselected();
    if (!tab->Enabled) {
        style = tsDisabled;
        color = C.FTextColors.Disabled();
    } else if (Hot(Index)) {
        style = tsHotTrack;
        color = C.FHotTrackStyle != htsText          ? C.FTextColors.Selected()
                : C.FHotTrackColorType == htctActual ? C.FHotTrackColor
                                                     : ComplementaryColor(C.FHotTrackColor, 140);
    } else if (Selected(Index)) {
        style = tsSelected;
        color = C.FTextColors.Selected();
    }
    bool handled = false;
    TColor custom = color;
    C.DoGetTextColor(Index, style, custom, handled);
    if (handled) color = custom;

    TDeviceContext* dc = Canvas->Handle();
    const int saved = Save(dc);
    HFONT font = CreateRotatedFont(C.Font(), escapement / 10);
    font->Weight = bold ? 700 : 400;
    SelectObject(dc, font);
    DeleteObject(font);
    dc->TextColor = color;
    dc->BkMode = TRANSPARENT;
    dc->TextAlign = TA_LEFT | TA_TOP;

    // Each line measured as drawn, without its access-key mark.
    const QStringList lines = CaptionLines(tab->Caption);
    std::vector<TSize> sizes;
    TSize block;
    for (const QString& line : lines) {
        QString shown = line;
        const int amp = int(shown.indexOf(QLatin1Char('&')));
        if (amp >= 0 && amp < shown.size() - 1) shown.remove(amp, 1);
        const TSize e = dc->GetTextExtent(shown);
        sizes.push_back(e);
        block.cx = std::max(block.cx, e.cx);
        block.cy += e.cy;
    }
    if (!verticalText) {
        int y = Place(text.Top, text.Bottom, block.cy, C.FTextAlignmentVertical);
        for (int k = 0; k < lines.size(); ++k) {
            DrawCaptionLine(dc, Place(text.Left, text.Right, sizes[k].cx, C.FTextAlignment), y, 0, lines[k]);
            y += sizes[k].cy;
        }
    } else {
        // Lines lie side by side across the tab (block.cy is their total thickness).
        // On a right strip haRight leaves the block where it lies, as haLeft does.
        const int left =
            Place(text.Left, text.Right, block.cy,
                  C.FTextAlignment == haRight && O.TabOrientation == toRight ? haLeft : C.FTextAlignment);
        const bool down = O.TabOrientation == toRight;
        int x = down ? left + block.cy : left;
        for (int k = 0; k < lines.size(); ++k) {
            const int run = sizes[k].cx, thickness = sizes[k].cy;
            const int start = Place(text.Top, text.Bottom, run, C.FTextAlignmentVertical);  // along y
            if (down) {
                DrawCaptionLine(dc, x, start, escapement, lines[k]);
                x -= thickness;
            } else {
                DrawCaptionLine(dc, x, start + run, escapement, lines[k]);
                x += thickness;
            }
        }
    }
    Restore(dc, saved);
}

// One caption line: the text before the access-key mark, the key underlined, the rest.
void TSkTabPainter::DrawCaptionLine(TDeviceContext* DC, int X, int Y, int Escapement, const QString& Line) {
    auto advance = [&](const QString& piece) {
        const int w = DC->GetTextExtent(piece).cx;
        if (Escapement == 900)
            Y -= w;
        else if (Escapement == 2700)
            Y += w;
        else
            X += w;
    };
    const int amp = int(Line.indexOf(QLatin1Char('&')));
    if (amp < 0 || amp == Line.size() - 1) {
        DC->TextOut(X, Y, Line);
        return;
    }
    if (Line[amp + 1] == QLatin1Char('&')) {
        QString shown = Line;
        shown.remove(amp, 1);
        DC->TextOut(X, Y, shown);
        return;
    }
    const QString before = Line.left(amp), key = Line.mid(amp + 1, 1), rest = Line.mid(amp + 2);
    DC->TextOut(X, Y, before);
    advance(before);
    DC->Font.Underline = true;
    DC->TextOut(X, Y, key);
    DC->Font.Underline = false;
    advance(key);
    DC->TextOut(X, Y, rest);
}

void TSkTabPainter::DrawHighlightBar(int Index, const TRect& Rect) {
    if (!C.FHotTrack || C.FHotTrackStyle != htsTabBar) return;
    const bool hot = Index == C.FHotTab, selected = Selected(Index);
    if (!hot && !selected) return;
    TColor color = C.FTabColors.HighlightBar();
    if (hot) {
        const TColor tabColor = L.Tabs().Items(Index)->Color;
        color = C.FHotTrackColorSource == htcsTabColor ? DarkerColor(tabColor, 40)
                : C.FHotTrackColorType == htctActual   ? C.FHotTrackColor
                                                       : ComplementaryColor(C.FHotTrackColor, 140);
    }
    TRect bar = Rect;
    InflateRect(bar, 1, 1);
    switch (O.TabOrientation) {
    case toTop:
        bar.Bottom = std::min(bar.Bottom, bar.Top + 6);
        break;
    case toLeft:
        bar.Right = std::min(bar.Right, bar.Left + 6);
        break;
    case toBottom:
        bar.Top = std::max(bar.Top, bar.Bottom - 4);
        break;
    case toRight:
        bar.Left = std::max(bar.Left, bar.Right - 4);
        break;
    }
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(color);
    Canvas->FillRect(bar);
}

// The outline from the base-left corner round to the base-right one; on a top strip in the standard
// sequence with a shadow, the selected tab (which lies over its neighbours) casts one beside its right
// edge where that edge is upright.
void TSkTabPainter::RecordTabOutline(TLineCommands& Lines, int Index) {
    const std::vector<TPoint> points = L.GetTabPolygon(Index);
    if (int(points.size()) != L.PolygonPointCount())
        throw ESkTabControlError(QStringLiteral("Incorrect number of points in tab shape"));
    Lines.Pen();
    Lines.MoveTo(points.front());
    for (size_t k = 1; k < points.size(); ++k)
        Lines.LineTo(points[k]);
    const bool topShadow = O.TabOrientation == toTop && !L.Reverse() && O.ShowShadow;
    if (!topShadow || !Selected(Index) || points.size() < 2) return;
    const TPoint top = points[points.size() - 2], base = points.back();
    if (top.X != base.X) return;
    Lines.MoveTo({top.X + 1, top.Y + 1});
    Lines.InnerShadow({top.X + 1, base.Y});
    Lines.MoveTo({top.X + 2, top.Y + 2});
    Lines.OuterShadow({top.X + 2, base.Y});
}

void TSkTabPainter::Replay(const TLineCommands& Lines) {
    Lines.Replay(Canvas, C.FrameColor(), [this](int X, int Y) { return BackgroundPixel(X, Y); });
}

// The pixel the control's background has at a point: the parent's image when transparent, else the
// background colour. Made only once a shadow needs it.
TColor TSkTabPainter::BackgroundPixel(int X, int Y) {
    if (!C.FTransparent) return ColorToRGB(C.FBackgroundColor);
    if (!FBackground) {
        FBackground = std::make_unique<TBitmap>(std::max(1, C.Width()), std::max(1, C.Height()));
        FBackground->Canvas()->Brush()->SetColor(C.FBackgroundColor);
        FBackground->Canvas()->FillRect(Rect(0, 0, C.Width(), C.Height()));
        DrawParentImage(&C, FBackground->Canvas(), false);
    }
    return FBackground->Canvas()->Pixels(X, Y);
}
