#include "SkTabsLayout.h"

#include <QStringList>
#include <algorithm>
#include <cstdlib>

namespace {
// The text a line is measured and drawn as: without its first "&", which marks the access key; "&&"
// stands for one "&" and a last "&" is text.
QString WithoutAccelerator(const QString& Line) {
    const int amp = int(Line.indexOf(QLatin1Char('&')));
    if (amp < 0 || amp == Line.size() - 1) return Line;
    QString result = Line;
    result.remove(amp, 1);
    return result;
}

QStringList CaptionLines(const QString& Caption) {
    return Caption.split(QStringLiteral("\r\n"));
}
}  // namespace

// Measuring -------------------------------------------------------------------------------------------
TSize TSkTabLayout::MeasureContent(int Index) const {
    if (!TabVisible(Index)) return {};
    const TSkTabData* tab = FTabs.Items(Index);
    const TSkTabLayoutOptions& o = FOptions;
    const bool bold = o.BoldCurrentTab;
    const bool verticalText = o.TextOrientation == orVertical;
    const TSize image = tab->ImageIndex != -1 && o.HasImages ? TSize{o.ImageWidth, o.ImageHeight} : TSize{};

    TSize text;
    if (!tab->Caption.isEmpty())
        for (const QString& line : CaptionLines(tab->Caption)) {
            TSize e = FMetrics.TextExtent(WithoutAccelerator(line), bold);
            if (verticalText) std::swap(e.cx, e.cy);
            if (verticalText) {
                text.cx += e.cx;
                text.cy = std::max(text.cy, e.cy);
            } else {
                text.cx = std::max(text.cx, e.cx);
                text.cy += e.cy;
            }
        }

    TSize size;
    switch (o.ImagePosition) {
    case ipLeft:
    case ipRight:
        size = {o.ImageMargin + image.cx + text.cx, std::max(image.cy, text.cy)};
        break;
    case ipTop:
    case ipBottom:
        size = {std::max(image.cx, text.cx), o.ImageMargin + image.cy + text.cy};
        break;
    case ipBack:
        size = {std::max(image.cx, text.cx), std::max(image.cy, text.cy)};
        break;
    case ipStretch:
        size = text;
        break;
    }

    const TSize a = FMetrics.TextExtent(BoxStyle() ? QStringLiteral("AAA") : QStringLiteral("A"), bold);
    const int fontHeight = FMetrics.FontHeight();
    const TSize minimum = verticalText ? TSize{fontHeight, a.cy} : TSize{a.cx, fontHeight};
    if (o.TabWidth == 0) size.cx = std::max(size.cx, minimum.cx);
    if (o.TabHeight == 0) size.cy = std::max(size.cy, minimum.cy);

    if (o.ShowCloseButtonOnActiveTab && TextAlongStrip()) {
        if (Vertical())
            size.cy += ActiveCloseGlyphRoom;
        else
            size.cx += ActiveCloseGlyphRoom;
    }
    return size;
}

int TSkTabLayout::StyleOverlap(int H) const {
    switch (FOptions.TabStyle) {
    case tsSingleSlant:
    case tsBackSlant:
        return H / 2;
    case tsDoubleSlant:
        return H;
    case tsCutCorner:
    case tsRoundCorners:
        return FOptions.TabOverlap;
    case tsSquareCorners:
        return FOptions.TabOverlap + 1;
    }
    return 0;
}

TSize TSkTabLayout::MeasureTab(int Index) const {
    if (!TabVisible(Index)) return {};
    const TSize c = MeasureContent(Index);
    const int cw = c.cx, ch = c.cy, C = FOptions.CutCornerSize, TH = FOptions.TabHeight;
    const bool verticalText = FOptions.TextOrientation == orVertical;
    TSize size;
    if (!Vertical()) {
        switch (FOptions.TabStyle) {
        case tsSingleSlant:
        case tsBackSlant:
            size = {2 * StyleOverlap(ch + 6) + cw + 6 + TH / 2, ch + 6};
            break;
        case tsDoubleSlant:
            size = {2 * StyleOverlap(ch + 2) + cw + 6 + TH, ch + 6};
            break;
        case tsCutCorner:
            size = verticalText ? TSize{cw + 10, ch + C + 7} : TSize{2 * C + cw + 8, ch + 7};
            break;
        case tsRoundCorners:
        case tsSquareCorners:
            size = {cw + 6, ch + 6};
            break;
        }
    } else {
        switch (FOptions.TabStyle) {
        case tsSingleSlant:
        case tsBackSlant:
            size = {cw + 6, 2 * StyleOverlap(cw + 6) + ch + 6 + TH / 2};
            break;
        case tsDoubleSlant:
            size = {cw + 6, 2 * StyleOverlap(cw + 2) + ch + 6 + TH};
            break;
        case tsCutCorner:
            size = verticalText ? TSize{cw + 7, 2 * C + ch + 8} : TSize{cw + C + 7, ch + 10};
            break;
        case tsRoundCorners:
        case tsSquareCorners:
            size = {cw + 6, ch + 6};
            break;
        }
    }
    if (FOptions.TabWidth > 0) size.cx = FOptions.TabWidth;
    if (FOptions.TabHeight > 0) size.cy = FOptions.TabHeight;
    return size;
}

int TSkTabLayout::TabLength(int Index) const {
    if (Index < int(FLengths.size())) return FLengths[Index];
    const TSize s = MeasureTab(Index);
    return Vertical() ? s.cy : s.cx;
}

void TSkTabLayout::Arrange() {
    FLengths.assign(Count(), 0);
    TSize largest{FOptions.TabWidth > 0 ? FOptions.TabWidth : 0,
                  FOptions.TabHeight > 0 ? FOptions.TabHeight : 0};
    for (int i = 0; i < Count(); ++i) {
        if (!TabVisible(i)) continue;
        const TSize s = MeasureTab(i);
        FLengths[i] = Vertical() ? s.cy : s.cx;
        largest.cx = std::max(largest.cx, s.cx);
        largest.cy = std::max(largest.cy, s.cy);
    }
    FixedDimension = Vertical() ? largest.cx : largest.cy;
    CalcTabRects();

    ScrollNeeded = false;
    const int first = FirstVisibleIndex();
    if (first >= 0 && !FOptions.MultiLine) {
        int available = StripLength() - 2 * FOptions.Margin;
        if (FOptions.ShowCloseButton) available -= CloseButtonLength() + 2;
        if (FOptions.ShowMenuButton) available -= MenuButtonLength() + 2;
        const int edge = Reverse() ? first : LastVisibleIndex();
        ScrollNeeded = FTabs.Items(edge)->TabRect.Right > available;
    }
}

// The walk that breaks the visible tabs into rows, shared by counting and placing: Place is called for
// each tab with its row and its start and end along the strip. Returns the rows used.
int TSkTabLayout::WalkRows(int Available, const std::function<void(int, int, int, int)>& Place) const {
    const int margin = FOptions.Margin, ov = StyleOverlap(FixedDimension);
    const int limit = Available - (BoxStyle() ? 4 : 0);
    const bool reverse = Reverse();
    const int home = reverse ? -margin : margin;
    int x = home, row = 0;
    bool rowUsed = false;
    auto closeRow = [&] {
        x = home;
        ++row;
        rowUsed = false;
    };
    for (int i = 0; i < Count(); ++i) {
        if (!TabVisible(i)) continue;
        const int e = std::min(TabLength(i), limit);
        for (;;) {
            const bool fits = !FOptions.MultiLine || (reverse ? x - e > -Available : x + e < Available);
            if (fits || x == home) {
                if (reverse)
                    Place(i, row, x - e, x);
                else
                    Place(i, row, x, x + e);
                rowUsed = true;
                if (fits) {
                    x += reverse ? -(e - ov + 1) : e - ov + 1;
                } else {
                    closeRow();  // a tab too long for any row has a row of its own
                }
                break;
            }
            closeRow();
        }
    }
    FWalkEnd = x;
    return std::max(1, row + (rowUsed ? 1 : 0));
}

int TSkTabLayout::CountRows() const {
    if (!FOptions.MultiLine) return 1;
    int visible = 0;
    for (int i = 0; i < Count(); ++i)
        visible += TabVisible(i) ? 1 : 0;
    // A row holds a tab at least, so no more rows than tabs are ever needed: the count stops there
    // even where the strip is too short for any tab.
    const int most = std::max(1, visible);
    const auto none = [](int, int, int, int) {};
    for (int rows = 1;; ++rows) {
        const int available = StripLength() - 2 * FOptions.Margin - (rows - 1) * FOptions.RowIndent;
        const int used = WalkRows(available, none);
        if (used <= rows || rows >= most) return std::min(used, most);
    }
}

int TSkTabLayout::RowTop(int Row) const {
    return StripDepth() - FixedDimension - Row * (FixedDimension - FOptions.RowOverlap);
}

void TSkTabLayout::CalcTabRects() {
    RowCount = CountRows();
    int available = StripLength() - 2 * FOptions.Margin;
    if (FOptions.MultiLine) {
        available -= (RowCount - 1) * FOptions.RowIndent;
    } else {
        if (FOptions.ShowCloseButton) available -= CloseButtonLength() + 2;
        if (FOptions.ShowMenuButton) available -= MenuButtonLength() + 2;
        available -= 2 * ButtonLength() + 2;
    }
    for (int i = 0; i < Count(); ++i) {
        FTabs.Items(i)->Row = 0;
        if (!TabVisible(i)) FTabs.Items(i)->TabRect = {};
    }
    const auto place = [this](int i, int row, int from, int to) {
        TSkTabData* tab = FTabs.Items(i);
        tab->Row = row;
        const int top = RowTop(row);
        tab->TabRect = Rect(from, top, to, top + FixedDimension);
    };
    const int used = WalkRows(available, place);
    if (used > RowCount) {
        // Placing with the final room never needs more rows than counting; should it, the strip
        // grows to hold them rather than put a row outside it.
        RowCount = used;
        WalkRows(available, place);
    }
    if (Reverse()) {
        const int shift = FOptions.MultiLine ? FOptions.ClientWidth : std::abs(FWalkEnd);
        for (int i = 0; i < Count(); ++i)
            if (TabVisible(i)) OffsetRect(FTabs.Items(i)->TabRect, shift, 0);
    }
    AlignRows();
}

void TSkTabLayout::AlignRows() {
    const TSkTabLayoutOptions& o = FOptions;
    if (!o.MultiLine || !o.AlignTabs || (Vertical() ? o.TabHeight : o.TabWidth) != 0) return;
    const int room = StripLength() - 2 * o.Margin - (RowCount - 1) * o.RowIndent;
    for (int row = 0; row < RowCount; ++row) {
        std::vector<TSkTabData*> tabs;
        int left = 0, right = 0;
        for (int i = 0; i < Count(); ++i) {
            TSkTabData* tab = FTabs.Items(i);
            if (!tab->Visible || tab->Row != row) continue;
            left = tabs.empty() ? tab->TabRect.Left : std::min(left, tab->TabRect.Left);
            right = tabs.empty() ? tab->TabRect.Right : std::max(right, tab->TabRect.Right);
            tabs.push_back(tab);
        }
        if (tabs.empty()) continue;
        const int n = int(tabs.size());
        const int spare = room - (right - left + (BoxStyle() ? 4 : 0));
        if (spare <= 0) continue;
        int shift = 0;
        for (int k = 0; k < n; ++k) {
            const int grow = spare / n + (k < spare % n ? 1 : 0);
            TRect& r = tabs[k]->TabRect;
            if (Reverse()) {
                r.Right -= shift;
                r.Left -= shift + grow;
            } else {
                r.Left += shift;
                r.Right += shift + grow;
            }
            shift += grow;
        }
    }
}

void TSkTabLayout::RotateRows(int Index) {
    if (!FOptions.MultiLine || RowCount <= 1 || !TabVisible(Index)) return;
    const int s = FTabs.Items(Index)->Row;
    if (s == 0) return;
    for (int i = 0; i < Count(); ++i) {
        TSkTabData* tab = FTabs.Items(i);
        if (!tab->Visible) continue;
        tab->Row = (tab->Row + RowCount - s) % RowCount;
        const int top = RowTop(tab->Row);
        tab->TabRect.Top = top;
        tab->TabRect.Bottom = top + FixedDimension;
    }
}

// Strip geometry ----------------------------------------------------------------------------------------
int TSkTabLayout::StripDepth() const {
    if (!FOptions.ShowCard) return Vertical() ? FOptions.ClientWidth - 1 : FOptions.ClientHeight - 1;
    return (BoxStyle() ? 3 : 0) + (FixedDimension - FOptions.RowOverlap) * (RowCount - 1) + FixedDimension;
}

TRect TSkTabLayout::StripRect() const {
    const int right = FOptions.ClientWidth - 1, bottom = FOptions.ClientHeight - 1, d = StripDepth();
    switch (FOptions.TabOrientation) {
    case toTop:
        return Rect(0, 0, FOptions.ShowShadow && !Reverse() ? right - 2 : right, d);
    case toBottom:
        return Rect(0, bottom - d, right, bottom);
    case toLeft:
        return Rect(0, 0, d, bottom);
    case toRight:
        return Rect(right - d, 0, right, bottom);
    }
    return {};
}

int TSkTabLayout::StripLength() const {
    const TRect r = StripRect();
    return Vertical() ? r.Height() : r.Width();
}

int TSkTabLayout::ButtonLength() const {
    int length = FMetrics.TextExtent(QStringLiteral("A"), false).cy + 4 +
                 (FOptions.TextOrientation == orVertical ? 2 : 0);
    const int fixed = Vertical() ? FOptions.TabWidth : FOptions.TabHeight;
    if (TextAlongStrip() && fixed >= 1) length = std::max(length, FixedDimension - 2);
    return length;
}

int TSkTabLayout::ButtonDepth() const {
    const int base = FMetrics.TextExtent(QStringLiteral("A"), false).cy + 4 +
                     (FOptions.TextOrientation == orVertical ? 2 : 0);
    const int fixed = Vertical() ? FOptions.TabWidth : FOptions.TabHeight;
    if (TextAlongStrip() && base <= fixed) return std::max(base, FixedDimension - 2);
    return std::min(base, FixedDimension - 2);
}

int TSkTabLayout::CloseButtonLength() const {
    return FOptions.ShowCloseButton && Count() > 0 ? ButtonLength() : 0;
}

int TSkTabLayout::MenuButtonLength() const {
    return FOptions.ShowMenuButton && Count() > 0 ? ButtonLength() : 0;
}

// Visible tabs and scrolling ------------------------------------------------------------------------------
int TSkTabLayout::FirstVisibleIndex() const {
    for (int i = 0; i < Count(); ++i)
        if (FTabs.Items(i)->Visible) return i;
    return -1;
}

int TSkTabLayout::LastVisibleIndex() const {
    for (int i = Count() - 1; i >= 0; --i)
        if (FTabs.Items(i)->Visible) return i;
    return -1;
}

int TSkTabLayout::ScrollOffset() const {
    if (FirstVisibleTab < 0 || FirstVisibleTab >= Count()) return 0;
    const int extra = FOptions.Margin + (BoxStyle() ? 2 : 0);
    const TRect& r = FTabs.Items(FirstVisibleTab)->TabRect;
    return Reverse() ? extra + r.Right : r.Left - extra;
}

bool TSkTabLayout::TabFullyShown(int Index) const {
    if (!TabVisible(Index)) return false;
    if (!ScrollNeeded) return true;
    int available = StripLength() - 2 * ButtonLength() - 2 * FOptions.Margin;
    if (FOptions.ShowCloseButton) available -= CloseButtonLength() + 2;
    if (FOptions.ShowMenuButton) available -= MenuButtonLength() + 2;
    const int o = ScrollOffset();
    const TRect& r = FTabs.Items(Index)->TabRect;
    return Reverse() ? o >= r.Right && o - r.Left <= available : o <= r.Left && r.Right - o <= available;
}

bool TSkTabLayout::ScrollTabs(bool Forward) {
    const int old = FirstVisibleTab;
    if (Forward) {
        const int last = LastVisibleIndex();
        if (old >= Count() - 1 || last < 0 || TabFullyShown(last)) return false;
        do
            ++FirstVisibleTab;
        while (FirstVisibleTab < Count() && !TabFullyShown(FirstVisibleTab));
        if (FirstVisibleTab >= Count()) FirstVisibleTab = old;
    } else {
        const int first = FirstVisibleIndex();
        if (old < 1 || first < 0 || TabFullyShown(first)) return false;
        do
            --FirstVisibleTab;
        while (FirstVisibleTab >= 0 && !TabFullyShown(FirstVisibleTab));
        if (FirstVisibleTab < 0) FirstVisibleTab = old;
    }
    return FirstVisibleTab != old;
}

void TSkTabLayout::ScrollIntoView(int Index) {
    if (!ScrollNeeded || !TabVisible(Index)) return;
    if (Index >= FirstVisibleTab) {
        // Stepping past the tab itself could never show it.
        while (FirstVisibleTab < Index && !TabFullyShown(Index))
            ++FirstVisibleTab;
    } else {
        FirstVisibleTab = Index;
    }
}

void TSkTabLayout::SettleFirstVisibleTab(int OldFirst) {
    const int first = FirstVisibleIndex();
    if (!ScrollNeeded) {
        FirstVisibleTab = first;
        return;
    }
    FirstVisibleTab = std::max(0, OldFirst);
    while (FirstVisibleTab < Count() && !TabFullyShown(FirstVisibleTab))
        ++FirstVisibleTab;
    if (FirstVisibleTab < Count()) return;
    FirstVisibleTab = std::min(OldFirst, Count()) - 1;
    while (FirstVisibleTab >= 0 && !TabFullyShown(FirstVisibleTab))
        --FirstVisibleTab;
    if (FirstVisibleTab < 0) FirstVisibleTab = first;
}

// Mapping ---------------------------------------------------------------------------------------------------
TPoint TSkTabLayout::MapPoint(const TPoint& P) const {
    const int o = ScrollOffset();
    const TRect s = StripRect();
    const int x = P.X, y = P.Y;
    if (!Reverse()) {
        switch (FOptions.TabOrientation) {
        case toTop:
            return {x - o + s.Left, y + s.Top};
        case toLeft:
            return {y + s.Left, s.Bottom - (x - o)};
        case toBottom:
            return {x - o + s.Left, s.Bottom - y};
        case toRight:
            return {s.Right - y, x - o + s.Top};
        }
    } else {
        switch (FOptions.TabOrientation) {
        case toTop:
            return {s.Right - (o - x), y + s.Top};
        case toLeft:
            return {y + s.Left, (o - x) + s.Top};
        case toBottom:
            return {s.Right - (o - x), s.Bottom - y};
        case toRight:
            return {s.Right - y, s.Bottom - (o - x)};
        }
    }
    return P;
}

TRect TSkTabLayout::MapRect(const TRect& R) const {
    const TPoint a = MapPoint(R.TopLeft()), b = MapPoint(R.BottomRight());
    return Rect(std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y));
}

TRect TSkTabLayout::StripTabRect(int Index) const {
    if (Index < 0 || Index >= Count()) return {};
    const TSkTabData* tab = FTabs.Items(Index);
    TRect r = tab->TabRect;
    const int shift = tab->Row * FOptions.RowIndent;
    OffsetRect(r, Reverse() ? -shift : shift, 0);
    if (BoxStyle() && Index == TabIndex) {
        r.Left -= 2;
        r.Right += 2;
        r.Top -= 2;
    }
    return r;
}

TRect TSkTabLayout::GetTabRect(int Index) const {
    return MapRect(StripTabRect(Index));
}

int TSkTabLayout::PolygonPointCount() const {
    switch (FOptions.TabStyle) {
    case tsSingleSlant:
    case tsBackSlant:
        return FOptions.SoftCorners ? 6 : 5;
    case tsDoubleSlant:
        return FOptions.SoftCorners ? 6 : 4;
    case tsCutCorner:
        return 5;
    case tsRoundCorners:
        return 6;
    case tsSquareCorners:
        return 4;
    }
    return 0;
}

std::vector<TPoint> TSkTabLayout::GetTabPolygon(int Index) const {
    if (Index < 0 || Index >= Count()) return {};
    const TRect r = StripTabRect(Index);
    const int L = r.Left, T = r.Top, R = r.Right, B = r.Bottom, H = B - T, C = FOptions.CutCornerSize;
    const bool soft = FOptions.SoftCorners;
    std::vector<TPoint> p;
    switch (FOptions.TabStyle) {
    case tsSingleSlant:
        if (soft)
            p = {{L, B}, {L, T + 2}, {L + 2, T}, {R - H - 4, T}, {R - H + 2, T + 2}, {R, B}};
        else
            p = {{L, B}, {L, T + 2}, {L + 2, T}, {R - H, T}, {R, B}};
        break;
    case tsDoubleSlant:
        if (soft)
            p = {{L, B}, {L + H - 2, T + 2}, {L + H + 4, T}, {R - H - 4, T}, {R - H + 2, T + 2}, {R, B}};
        else
            p = {{L, B}, {L + H, T}, {R - H, T}, {R, B}};
        break;
    case tsCutCorner:
        p = {{L, B}, {L, T}, {R - C, T}, {R, T + C}, {R, B}};
        break;
    case tsRoundCorners:
        p = {{L, B}, {L, T + 2}, {L + 2, T}, {R - 2, T}, {R, T + 2}, {R, B}};
        break;
    case tsBackSlant:
        if (soft)
            p = {{L, B}, {L + H - 2, T + 2}, {L + H + 4, T}, {R - 2, T}, {R, T + 2}, {R, B}};
        else
            p = {{L, B}, {L + H, T}, {R - 2, T}, {R, T + 2}, {R, B}};
        break;
    case tsSquareCorners:
        p = {{L, B}, {L, T}, {R, T}, {R, B}};
        break;
    }
    for (TPoint& point : p)
        point = MapPoint(point);
    return p;
}

TRect TSkTabLayout::ContentRect(int Index) const {
    TRect r = StripTabRect(Index);
    const int H = r.Height();
    // Insets at the start and the end along the strip, at the outer edge and at the base: the slopes
    // take a row's depth at the end (single slant) or the start (back slant), both ends for the double
    // slant less what its narrower measure left them.
    int start = 3, end = 3, outer = 3, base = 3;
    switch (FOptions.TabStyle) {
    case tsSingleSlant:
        end = H + 3;
        break;
    case tsBackSlant:
        start = H + 3;
        break;
    case tsDoubleSlant:
        start = end = H - 1;
        break;
    case tsCutCorner:
        if (TextAlongStrip()) {
            start = end = FOptions.CutCornerSize + 4;
            outer = 4;
        } else {
            start = end = 5;
            outer = FOptions.CutCornerSize + 4;
        }
        break;
    case tsRoundCorners:
    case tsSquareCorners:
        break;
    }
    r = Rect(r.Left + start, r.Top + outer, r.Right - end, r.Bottom - base);
    if (r.Right < r.Left) r.Left = r.Right = (r.Left + r.Right) / 2;
    if (r.Bottom < r.Top) r.Top = r.Bottom = (r.Top + r.Bottom) / 2;
    return MapRect(r);
}

// Regions and hits
// --------------------------------------------------------------------------------------------
HRGN TSkTabLayout::GetTabRegion(int Index, const TRect& Rect) {
    if (HRGN cached = FRegions.Find(Rect)) return cached;
    const std::vector<TPoint> points = GetTabPolygon(Index);
    if (points.size() < 3) return nullptr;
    HRGN region = CreatePolygonRgn(points, ALTERNATE);
    if (!region) throw ESkTabControlError(QStringLiteral("Error creating region"));
    FRegions.Add(Rect, region);
    return region;
}

bool TSkTabLayout::PtInTab(const TPoint& P, int Index) {
    if (!TabFullyShown(Index)) return false;
    const TRect r = GetTabRect(Index);
    if (!PtInRect(r, P)) return false;
    HRGN region = GetTabRegion(Index, r);
    return region && PtInRegion(region, P.X, P.Y);
}

int TSkTabLayout::TabAtPos(int X, int Y) {
    if (Count() == 0 || FirstVisibleTab < 0 || FirstVisibleTab >= Count()) return -1;
    const TPoint p{X, Y};
    const bool selected = TabIndex >= 0 && TabIndex < Count();
    if (selected && PtInTab(p, TabIndex)) return TabIndex;
    int i = FirstVisibleTab;
    do {
        if (i != TabIndex && PtInTab(p, i)) return i;
        i = (i + 1) % Count();
    } while (i != FirstVisibleTab);
    return -1;
}

// The card
// ------------------------------------------------------------------------------------------------------
TRect TSkTabLayout::BaseRect() const {
    return Rect(0, 0, FOptions.ClientWidth - 1, FOptions.ClientHeight - 1);
}

TRect TSkTabLayout::CardRect(int Row) const {
    const TRect base = BaseRect();
    if (Count() == 0 && FOptions.ShowCard) return base;
    const int step = FixedDimension - FOptions.RowOverlap;
    const int D = StripDepth() - step * Row, S = step * Row, A = FOptions.RowIndent * Row,
              B = FOptions.RowIndent * (RowCount - Row - 1);
    const bool rev = Reverse();
    TRect r = base;
    switch (FOptions.TabOrientation) {
    case toTop:
        r.Top += D;
        r.Bottom -= S;
        r.Left += rev ? B : A;
        r.Right -= rev ? A : B;
        break;
    case toLeft:
        r.Left += D;
        r.Right -= S;
        r.Top += rev ? A : B;
        r.Bottom -= rev ? B : A;
        break;
    case toBottom:
        r.Bottom -= D;
        r.Top += S;
        r.Left += rev ? B : A;
        r.Right -= rev ? A : B;
        break;
    case toRight:
        r.Right -= D;
        r.Left += S;
        r.Top += rev ? B : A;
        r.Bottom -= rev ? A : B;
        break;
    }
    if (!FOptions.ShowCard) {
        // The card lies just beyond the control on the three sides away from the strip.
        const TSkTabOrientation side = FOptions.TabOrientation;
        if (side != toRight) r.Right = base.Right + 3;
        if (side != toLeft) r.Left = base.Left - 3;
        if (side != toBottom) r.Bottom = base.Bottom + 3;
        if (side != toTop) r.Top = base.Top - 3;
    }
    if (r.Right < r.Left || r.Bottom < r.Top) return {};
    return r;
}

TRect TSkTabLayout::PageRect() const {
    const TSkTabLayoutOptions& o = FOptions;
    if (!o.ShowCard) return Rect(-2, -2, -1, -1);
    TRect r = CardRect(0);
    const TSkTabOrientation side = o.TabOrientation;
    if (o.ShowCardFrame && o.ShowFullFrame) {
        ++r.Left;
        ++r.Top;
        if (side == toTop && !Reverse() && o.ShowShadow) {
            r.Right -= 2;
            r.Bottom -= 2;
        }
    } else if (o.ShowCardFrame) {
        if (side == toTop) ++r.Top;
        ++r.Right;
        ++r.Bottom;
    } else {
        if (!o.ShowFullFrame) {
            if (side == toLeft) ++r.Left;
            if (side == toBottom) ++r.Bottom;
            if (side == toRight) ++r.Right;
        }
        ++r.Right;
        ++r.Bottom;
    }
    return r;
}
