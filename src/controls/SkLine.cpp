#include "SkLine.h"

#include "SkCommon.h"
#include "Streaming.h"
#include "TypInfo.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
struct TLineTypes {
    TLineTypes() {
        RegisterEnumType<TSkLineSlope>({"lsDown", "lsUp"});
        RegisterEnumType<TSkShowArrows>({"saNone", "saStart", "saEnd", "saBoth"});
        RegisterClass<TSkLine>();
    }
};
const TLineTypes LineTypes;

// Rounds halves to the even neighbour, as the classic Round does.
int RoundEven(double v) {
    return int(std::lrint(v));
}
}  // namespace

TSkLine::TSkLine(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetParentColor(true);
    AdjustBounds();
}

// Properties --------------------------------------------------------------------------------------
void TSkLine::SetArrowLength(int Value) {
    Value = std::max(0, Value);
    if (!StoreChanged(FArrowLength, Value)) return;
    FMargin = Value / 2;
    AdjustBounds();
    Invalidate();
}

void TSkLine::SetLineColor(TColor Value) {
    if (StoreChanged(FLineColor, Value)) Invalidate();
}

void TSkLine::SetLineSlope(TSkLineSlope Value) {
    if (!StoreChanged(FLineSlope, Value)) return;
    PlaceEnds();
    Invalidate();
}

void TSkLine::SetLineStyle(TPenStyle Value) {
    if (StoreChanged(FLineStyle, Value)) Invalidate();
}

void TSkLine::SetLineWidth(int Value) {
    Value = std::max(1, Value);
    if (Value == FLineWidth) return;
    // Lines with arrows keep odd widths, so the heads sit centred on them.
    if (FShowArrows != saNone && Value % 2 == 0) Value += Value > FLineWidth ? 1 : -1;
    FLineWidth = Value;
    Invalidate();
}

void TSkLine::SetShowArrows(TSkShowArrows Value) {
    if (StoreChanged(FShowArrows, Value)) Invalidate();
}

// Geometry ----------------------------------------------------------------------------------------
void TSkLine::AdjustBounds() {
    const int width = std::max(Width(), 2 * FMargin), height = std::max(Height(), 2 * FMargin);
    if (width != Width() || height != Height()) SetBounds(Left(), Top(), width, height);
    PlaceEnds();
}

void TSkLine::PlaceEnds() {
    const int m = FMargin;
    if (FLineSlope == lsDown) {
        FStart = {m, m};
        FEnd = {Width() - m, Height() - m};
    } else {
        FStart = {m, Height() - m};
        FEnd = {Width() - m, m};
    }
}

void TSkLine::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TSkLine::Resized() {
    TGraphicControl::Resized();
    if (!(ComponentState() & csLoading)) AdjustBounds();
}

void TSkLine::CMHitTest(TMessage& Message) {
    const int x = LoWordSigned(Message.LParam), y = HiWordSigned(Message.LParam);
    const int t = std::max(FLineWidth / 2, 4);
    TRect r = ClientRect();
    InflateRect(r, t - FMargin, t - FMargin);
    bool hit = false;
    if (PtInRect(r, Point(x, y))) {
        if (FStart.X == FEnd.X) {
            hit = std::abs(x - FStart.X) <= t;
        } else {
            // Within t of the line, measured square to it, so the band is as wide at every slope.
            const double dx = FEnd.X - FStart.X, dy = FEnd.Y - FStart.Y;
            hit = std::abs(dx * (y - FStart.Y) - dy * (x - FStart.X)) <= t * std::hypot(dx, dy);
        }
    }
    Message.Result = hit ? HTCLIENT : HTNOWHERE;
}

void TSkLine::CMMouseEnter(TMessage&) {
    if (!(ComponentState() & csDesigning)) FireEvent(OnMouseEnter, this);
}

void TSkLine::CMMouseLeave(TMessage&) {
    FireEvent(OnMouseLeave, this);
}

// Painting ------------------------------------------------------------------------------------------
void TSkLine::Paint() {
    TCanvas* canvas = Canvas();
    const bool vertical = FStart.X == FEnd.X;
    const double angle =
        vertical ? std::numbers::pi / 2 : std::atan(double(FEnd.Y - FStart.Y) / double(FEnd.X - FStart.X));
    // Going up a vertical line the directions turn round.
    const int sign = vertical && FLineSlope == lsUp ? -1 : 1;
    const bool startArrow = FShowArrows == saStart || FShowArrows == saBoth;
    const bool endArrow = FShowArrows == saEnd || FShowArrows == saBoth;

    // Heads no longer than the line (each half of it with two), so the line never runs backwards.
    int arrow = FArrowLength;
    if (startArrow || endArrow) {
        const double length = std::hypot(double(FEnd.X - FStart.X), double(FEnd.Y - FStart.Y));
        arrow = std::min(arrow, int(startArrow && endArrow ? length / 2 : length));
    }
    const int half = arrow / 2;
    const int dx = sign * RoundEven(std::cos(angle) * half), dy = sign * RoundEven(std::sin(angle) * half);
    const TPoint from = startArrow ? Point(FStart.X + dx, FStart.Y + dy) : FStart;
    const TPoint to = endArrow ? Point(FEnd.X - dx, FEnd.Y - dy) : FEnd;

    canvas->Brush()->SetStyle(bsClear);
    canvas->Pen()->SetColor(FLineColor);
    canvas->Pen()->SetStyle(FLineStyle);
    canvas->Pen()->SetWidth(FLineWidth);
    canvas->MoveTo(from.X, from.Y);
    canvas->LineTo(to.X, to.Y);

    if (startArrow || endArrow) {
        const double a1 = angle - std::numbers::pi / 8, a2 = angle + std::numbers::pi / 8;
        const int ax1 = sign * RoundEven(std::cos(a1) * arrow), ay1 = sign * RoundEven(std::sin(a1) * arrow);
        const int ax2 = sign * RoundEven(std::cos(a2) * arrow), ay2 = sign * RoundEven(std::sin(a2) * arrow);
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(FLineColor);
        canvas->Pen()->SetWidth(1);
        if (startArrow)
            canvas->Polygon(
                {FStart, Point(FStart.X + ax2, FStart.Y + ay2), Point(FStart.X + ax1, FStart.Y + ay1)});
        if (endArrow)
            canvas->Polygon({FEnd, Point(FEnd.X - ax2, FEnd.Y - ay2), Point(FEnd.X - ax1, FEnd.Y - ay1)});
    }

    if (!Caption().isEmpty()) {
        canvas->Font()->Assign(*Font());
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        DrawStringCentered(canvas, Caption(), ClientRect());
    }
}
