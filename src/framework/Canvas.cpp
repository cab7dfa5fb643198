// TCanvas: the classic drawing calls on a QPainter, with exclusive right and bottom edges.
#include "DeviceContext.h"
#include "FontCache.h"
#include "Graphics.h"
#include "GraphicsImage.h"
#include "LinePixels.h"
#include "TextDraw.h"

#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <cstdlib>

namespace {
Qt::PenStyle ToQtPenStyle(TPenStyle style) {
    switch (style) {
    case psDash:
        return Qt::DashLine;
    case psDot:
        return Qt::DotLine;
    case psDashDot:
        return Qt::DashDotLine;
    case psDashDotDot:
        return Qt::DashDotDotLine;
    case psClear:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

int QtAlignment(unsigned flags) {
    int align = 0;
    if (flags & DT_CENTER)
        align |= Qt::AlignHCenter;
    else if (flags & DT_RIGHT)
        align |= Qt::AlignRight;
    else
        align |= Qt::AlignLeft;
    if ((flags & DT_SINGLELINE) && (flags & DT_VCENTER))
        align |= Qt::AlignVCenter;
    else if ((flags & DT_SINGLELINE) && (flags & DT_BOTTOM))
        align |= Qt::AlignBottom;
    else
        align |= Qt::AlignTop;
    if (flags & DT_SINGLELINE)
        align |= Qt::TextSingleLine;
    else if (flags & DT_WORDBREAK)
        align |= Qt::TextWordWrap;
    if (flags & DT_EXPANDTABS) align |= Qt::TextExpandTabs;
    if (!(flags & DT_NOPREFIX)) align |= Qt::TextShowMnemonic;
    return align;
}
}  // namespace

TCanvas::TCanvas() {
    WatchObjects();
}

TCanvas::TCanvas(QPainter* painter) {
    WatchObjects();
    BeginPaint(painter);
}

TCanvas::~TCanvas() = default;

void TCanvas::BeginPaint(QPainter* painter) {
    FPainter = painter;
    if (FPainter) FPainter->setRenderHint(QPainter::Antialiasing, false);
}

void TCanvas::EndPaint() {
    FPainter = nullptr;
    FDC = nullptr;
}

void TCanvas::Changed() {
    if (OnChange) OnChange(this);
}

// Lines ------------------------------------------------------------------------------------------
// A one-pixel solid line by Bresenham's rule, plotted as runs of whole pixels so the result
// does not depend on the painter's line rasteriser.
void TCanvas::PlotLine(TPoint from, TPoint to, bool drawEnd) {
    QPainter* p = RequirePainter();
    if (!p) return;
    const QColor color = ToQColor(FPen.Color());
    // Collect a run of pixels along the major axis and fill it at once.
    int runX = from.X, runY = from.Y, runLen = 0;
    const bool horizontalMajor = std::abs(to.X - from.X) >= std::abs(to.Y - from.Y);
    const int sx = from.X < to.X ? 1 : -1, sy = from.Y < to.Y ? 1 : -1;
    auto flush = [&] {
        if (runLen == 0) return;
        if (horizontalMajor) {
            const int left = sx > 0 ? runX : runX - runLen + 1;
            p->fillRect(QRect(left, runY, runLen, 1), color);
        } else {
            const int top = sy > 0 ? runY : runY - runLen + 1;
            p->fillRect(QRect(runX, top, 1, runLen), color);
        }
        runLen = 0;
    };
    WalkLine(from, to, drawEnd, [&](int px, int py) {
        if (runLen > 0 && ((horizontalMajor && py == runY) || (!horizontalMajor && px == runX))) {
            ++runLen;
            return;
        }
        flush();
        runX = px;
        runY = py;
        runLen = 1;
    });
    flush();
}

void TCanvas::LineTo(int x, int y) {
    if (TDeviceContext* dc = SyncedDC()) {
        dc->MoveTo(FPenPos.X, FPenPos.Y);
        dc->LineTo(x, y);
        FPenPos = {x, y};
        Changed();
        return;
    }
    const TPoint from = FPenPos;
    FPenPos = {x, y};
    if (FPen.Style() == psClear) return;
    QPainter* p = RequirePainter();
    if (!p) return;
    if (FPen.Width() <= 1 && (FPen.Style() == psSolid || FPen.Style() == psInsideFrame)) {
        PlotLine(from, {x, y}, false);
    } else {
        QPen pen(ToQColor(FPen.Color()), FPen.Width(), ToQtPenStyle(FPen.Style()), Qt::FlatCap);
        p->setPen(pen);
        p->drawLine(from.X, from.Y, x, y);
    }
    Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
    if (points.empty()) return;
    MoveTo(points[0].X, points[0].Y);
    for (size_t i = 1; i < points.size(); ++i)
        LineTo(points[i].X, points[i].Y);
}

// Areas -----------------------------------------------------------------------------------------
void TCanvas::FillRect(const TRect& r) {
    if (TDeviceContext* dc = SyncedDC()) {
        dc->FillRect(r);
        Changed();
        return;
    }
    QPainter* p = RequirePainter();
    if (!p || r.IsEmpty() || FBrush.Style() == bsClear) return;
    p->fillRect(ToQRect(r), ToQColor(FBrush.Color()));
    Changed();
}

void TCanvas::FrameRect(const TRect& r) {
    if (TDeviceContext* dc = SyncedDC()) {
        dc->FrameRect(r, dc->Brush);
        Changed();
        return;
    }
    QPainter* p = RequirePainter();
    if (!p || r.IsEmpty()) return;
    const QColor c = ToQColor(FBrush.Color());
    p->fillRect(QRect(r.Left, r.Top, r.Width(), 1), c);
    p->fillRect(QRect(r.Left, r.Bottom - 1, r.Width(), 1), c);
    p->fillRect(QRect(r.Left, r.Top, 1, r.Height()), c);
    p->fillRect(QRect(r.Right - 1, r.Top, 1, r.Height()), c);
    Changed();
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    if (TDeviceContext* dc = SyncedDC()) {
        dc->Rectangle(left, top, right, bottom);
        Changed();
        return;
    }
    QPainter* p = RequirePainter();
    if (!p) return;
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    TRect r{left, top, right, bottom};
    if (r.IsEmpty()) return;
    if (FPen.Style() == psClear) {
        // Without a pen the filled area is one pixel smaller on the right and bottom.
        if (FBrush.Style() != bsClear && r.Width() > 1 && r.Height() > 1)
            p->fillRect(QRect(left, top, r.Width() - 1, r.Height() - 1), ToQColor(FBrush.Color()));
        Changed();
        return;
    }
    if (FBrush.Style() != bsClear) p->fillRect(ToQRect(r), ToQColor(FBrush.Color()));
    const QColor pc = ToQColor(FPen.Color());
    if (FPen.Style() == psSolid || FPen.Style() == psInsideFrame) {
        const int w = std::min({FPen.Width(), (r.Width() + 1) / 2, (r.Height() + 1) / 2});
        p->fillRect(QRect(left, top, r.Width(), w), pc);
        p->fillRect(QRect(left, bottom - w, r.Width(), w), pc);
        p->fillRect(QRect(left, top, w, r.Height()), pc);
        p->fillRect(QRect(right - w, top, w, r.Height()), pc);
    } else {
        p->setPen(QPen(pc, 1, ToQtPenStyle(FPen.Style()), Qt::FlatCap));
        p->setBrush(Qt::NoBrush);
        p->drawRect(QRect(left, top, r.Width() - 1, r.Height() - 1));
    }
    Changed();
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
    if (TDeviceContext* dc = SyncedDC()) {
        dc->Ellipse(left, top, right, bottom);
        Changed();
        return;
    }
    QPainter* p = RequirePainter();
    if (!p) return;
    if (FPen.Style() == psClear)
        p->setPen(Qt::NoPen);
    else
        p->setPen(QPen(ToQColor(FPen.Color()), FPen.Width(), ToQtPenStyle(FPen.Style())));
    if (FBrush.Style() == bsClear)
        p->setBrush(Qt::NoBrush);
    else
        p->setBrush(ToQColor(FBrush.Color()));
    p->drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
    Changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
    if (TDeviceContext* dc = SyncedDC()) {
        dc->Polygon(points);
        Changed();
        return;
    }
    QPainter* p = RequirePainter();
    if (!p || points.empty()) return;
    if (FBrush.Style() != bsClear) {
        QPolygon poly;
        for (const TPoint& pt : points)
            poly << QPoint(pt.X, pt.Y);
        p->setPen(Qt::NoPen);
        p->setBrush(ToQColor(FBrush.Color()));
        p->drawPolygon(poly, Qt::OddEvenFill);
    }
    if (FPen.Style() != psClear) {
        const TPoint keep = FPenPos;
        MoveTo(points[0].X, points[0].Y);
        for (size_t i = 1; i < points.size(); ++i)
            LineTo(points[i].X, points[i].Y);
        LineTo(points[0].X, points[0].Y);
        if (points.size() == 1) PlotLine(points[0], points[0], true);
        FPenPos = keep;
    }
    Changed();
}

// Text ------------------------------------------------------------------------------------------
int TCanvas::TextWidth(const QString& text) {
    return TextExtent(text).cx;
}

int TCanvas::TextHeight(const QString& text) {
    return TextExtent(text).cy;
}

TSize TCanvas::TextExtent(const QString& text) {
    if (TDeviceContext* dc = SyncedDC()) return dc->GetTextExtent(text);
    const QFontMetrics fm(FFont.ToQFont());
    return {fm.horizontalAdvance(text), fm.height()};
}

void TCanvas::TextOut(int x, int y, const QString& text) {
    if (TDeviceContext* dc = SyncedDC()) {
        dc->TextOut(x, y, text);
        FPenPos = {x + dc->GetTextExtent(text).cx, y};
        Changed();
        return;
    }
    QPainter* p = RequirePainter();
    if (!p) return;
    const QFont font = FFont.ToQFont();
    const QFontMetrics fm(font);
    const int width = fm.horizontalAdvance(text);
    if (FBrush.Style() != bsClear) p->fillRect(QRect(x, y, width, fm.height()), ToQColor(FBrush.Color()));
    p->setFont(font);
    p->setPen(ToQColor(FFont.Color()));
    p->drawText(x, y + fm.ascent(), text);
    FPenPos = {x + width, y};
    Changed();
}

void TCanvas::TextRect(const TRect& r, int x, int y, const QString& text) {
    if (TDeviceContext* dc = SyncedDC()) {
        // As on a painter: a text running past the right edge ends in an ellipsis there.
        const QString shown = ElidedRight(dc->Font, text, std::max(0, r.Right - x));
        dc->ExtTextOut(x, y, ETO_CLIPPED | (FBrush.Style() == bsClear ? 0u : unsigned(ETO_OPAQUE)), &r, shown);
        Changed();
        return;
    }
    QPainter* p = RequirePainter();
    if (!p) return;
    p->save();
    p->setClipRect(ToQRect(r), Qt::IntersectClip);
    if (FBrush.Style() != bsClear) p->fillRect(ToQRect(r), ToQColor(FBrush.Color()));
    const QFont font = FFont.ToQFont();
    const QFontMetrics fm(font);
    p->setFont(font);
    p->setPen(ToQColor(FFont.Color()));
    // A text too long for the rectangle ends in an ellipsis instead of being cut off mid-character.
    p->drawText(x, y + fm.ascent(), fm.elidedText(text, Qt::ElideRight, std::max(0, r.Right - x)));
    p->restore();
    Changed();
}

int TCanvas::DrawText(const QString& text, TRect& r, unsigned flags) {
    if (TDeviceContext* dc = SyncedDC()) {
        const int height = DrawTextDC(dc, text, r, flags);
        if (!(flags & DT_CALCRECT)) Changed();
        return height;
    }
    const QFont font = FFont.ToQFont();
    const QFontMetrics fm(font);
    const int align = QtAlignment(flags);
    QString shown = text;
    if ((flags & DT_END_ELLIPSIS) && (flags & DT_SINGLELINE))
        shown = fm.elidedText(text, Qt::ElideRight, std::max(0, r.Width()), align & Qt::TextShowMnemonic);
    const QRect bounds = fm.boundingRect(ToQRect(r), align, shown);
    if (flags & DT_CALCRECT) {
        r.Right = r.Left + bounds.width();
        r.Bottom = r.Top + bounds.height();
        return bounds.height();
    }
    QPainter* p = RequirePainter();
    if (!p) return bounds.height();
    p->save();
    if (!(flags & DT_NOCLIP)) p->setClipRect(ToQRect(r), Qt::IntersectClip);
    if (FBrush.Style() != bsClear) p->fillRect(bounds, ToQColor(FBrush.Color()));
    p->setFont(font);
    p->setPen(ToQColor(FFont.Color()));
    p->drawText(ToQRect(r), align, shown);
    p->restore();
    Changed();
    return bounds.height();
}

// Graphics --------------------------------------------------------------------------------------
void TCanvas::Draw(int x, int y, TGraphic* graphic) {
    if (DrawBitmapDC(Bounds(x, y, graphic ? graphic->Width() : 0, graphic ? graphic->Height() : 0), graphic))
        return;
    if (!graphic || graphic->Empty()) return;
    graphic->Draw(this, Bounds(x, y, graphic->Width(), graphic->Height()));
    Changed();
}

void TCanvas::StretchDraw(const TRect& r, TGraphic* graphic) {
    if (DrawBitmapDC(r, graphic)) return;
    if (!graphic || graphic->Empty()) return;
    graphic->Draw(this, r);
    Changed();
}

// Pixels and clipping ---------------------------------------------------------------------------
QImage* TCanvas::ReadableImage() {
    if (TDeviceContext* dc = RequireDC()) return dc->Image();
    QPainter* p = RequirePainter();
    if (!p || !p->device() || p->device()->devType() != QInternal::Image) return nullptr;
    if (!p->deviceTransform().isIdentity()) return nullptr;
    return static_cast<QImage*>(p->device());
}

bool TCanvas::CanReadPixels() {
    return ReadableImage() != nullptr;
}

TColor TCanvas::Pixels(int x, int y) {
    if (TDeviceContext* dc = RequireDC()) return dc->GetPixel(x, y);
    QImage* image = ReadableImage();
    if (!image) return clNone;
    if (x < 0 || y < 0 || x >= image->width() || y >= image->height()) return clNone;
    const QRgb rgb = image->pixel(x, y);
    return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

void TCanvas::SetPixels(int x, int y, TColor color) {
    if (TDeviceContext* dc = RequireDC()) {
        dc->SetPixel(x, y, color);
        Changed();
        return;
    }
    QPainter* p = RequirePainter();
    if (!p) return;
    p->fillRect(QRect(x, y, 1, 1), ToQColor(color));
    Changed();
}

TRect TCanvas::ClipRect() {
    if (TDeviceContext* dc = RequireDC()) {
        TRect box;
        dc->GetClipBox(box);
        return box;
    }
    QPainter* p = RequirePainter();
    if (!p || !p->device()) return {};
    QRect area(0, 0, p->device()->width(), p->device()->height());
    area = p->deviceTransform().inverted().mapRect(area);
    if (p->hasClipping()) area &= p->clipBoundingRect().toAlignedRect();
    return {area.left(), area.top(), area.left() + area.width(), area.top() + area.height()};
}

void TCanvas::IntersectClipRect(const TRect& r) {
    if (TDeviceContext* dc = RequireDC()) {
        dc->IntersectClipRect(r.Left, r.Top, r.Right, r.Bottom);
        return;
    }
    if (QPainter* p = RequirePainter())
        p->setClipRect(ToQRect(r), p->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

void TCanvas::ExcludeClipRect(const TRect& r) {
    if (TDeviceContext* dc = RequireDC()) {
        dc->ExcludeClipRect(r.Left, r.Top, r.Right, r.Bottom);
        return;
    }
    QPainter* p = RequirePainter();
    if (!p) return;
    const TRect all = ClipRect();
    QRegion region = p->hasClipping() ? p->clipRegion() : QRegion(ToQRect(all));
    p->setClipRegion(region.subtracted(QRegion(ToQRect(r))));
}

void TCanvas::ResetClip() {
    if (TDeviceContext* dc = RequireDC()) {
        dc->SelectClipRgn(nullptr);
        return;
    }
    if (QPainter* p = RequirePainter()) p->setClipping(false);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect) {
    if (TDeviceContext* dc = SyncedDC()) {
        TDeviceContext* from = source ? source->Handle() : nullptr;
        if (!from) return;
        dc->StretchBlt(dest.Left, dest.Top, dest.Width(), dest.Height(), from, sourceRect.Left,
                       sourceRect.Top, sourceRect.Width(), sourceRect.Height(), FCopyMode);
        Changed();
        return;
    }
    QPainter* p = RequirePainter();
    QImage* image = source ? source->ReadableImage() : nullptr;
    if (!p || !image || dest.IsEmpty() || sourceRect.IsEmpty()) return;
    // A copy first: the source may be the very image this canvas draws on.
    const QImage part = image->copy(ToQRect(sourceRect));
    p->drawImage(ToQRect(dest), part);
    Changed();
}
