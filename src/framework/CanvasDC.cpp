// TCanvas on a device context: the canvas's pen, brush and font are selected into the context only
// when they changed, as the classic canvas does, so a font selected into Handle() directly stays in
// effect until the canvas's own font changes.
#include "DeviceContext.h"
#include "Graphics.h"
#include "GraphicsImage.h"

namespace {
int Rop2Of(TPenMode mode) {
    static constexpr int codes[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,
                                    R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                                    R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,    R2_NOTMERGEPEN,
                                    R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
    return codes[int(mode)];
}
}  // namespace

void TCanvas::WatchObjects() {
    FFont.OnChange = [this](TObject*) { FFontDirty = true; };
    FPen.OnChange = [this](TObject*) { FPenDirty = true; };
    FBrush.OnChange = [this](TObject*) { FBrushDirty = true; };
}

void TCanvas::BeginPaint(TDeviceContext* dc) {
    FPainter = nullptr;
    FDC = dc;
    FPenDirty = FBrushDirty = FFontDirty = true;
}

TDeviceContext* TCanvas::Handle() {
    return SyncedDC();
}

QPainter* TCanvas::RequirePainter() {
    if (FPainter) return FPainter;
    TDeviceContext* dc = RequireDC();
    return dc ? dc->Painter() : nullptr;
}

TDeviceContext* TCanvas::SyncedDC() {
    TDeviceContext* dc = RequireDC();
    if (!dc) return nullptr;
    if (FPenDirty) {
        dc->Pen = {FPen.Style(), FPen.Width(), FPen.Color()};
        dc->Rop2 = Rop2Of(FPen.Mode());
        FPenDirty = false;
    }
    if (FBrushDirty) {
        TLogBrush brush{FBrush.Style(), FBrush.Color(), {}, false};
        if (TBitmap* bitmap = FBrush.Bitmap(); bitmap && !bitmap->Empty()) {
            brush.Pattern = bitmap->ToImage().convertToFormat(QImage::Format_RGB32);
            brush.MonochromePattern = bitmap->PixelFormat() == pf1bit;
        }
        dc->Brush = brush;
        // A solid brush also gives the background of text and hatches; any other leaves it through.
        dc->BkColor = FBrush.Style() == bsSolid ? FBrush.Color() : ColorToRGB(FBrush.Color()) ^ 0xFFFFFF;
        dc->BkMode = FBrush.Style() == bsSolid ? OPAQUE : TRANSPARENT;
        FBrushDirty = false;
    }
    if (FFontDirty) {
        TLogFont font;
        font.Height = FFont.Height();
        font.Weight = FFont.HasStyle(fsBold) ? 700 : 400;
        font.Italic = FFont.HasStyle(fsItalic);
        font.Underline = FFont.HasStyle(fsUnderline);
        font.StrikeOut = FFont.HasStyle(fsStrikeOut);
        font.CharSet = FFont.Charset();
        font.FaceName = FFont.Name();
        dc->Font = font;
        dc->TextColor = FFont.Color();
        FFontDirty = false;
    }
    return dc;
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int width, int height) {
    if (TDeviceContext* dc = SyncedDC()) {
        dc->RoundRect(left, top, right, bottom, width, height);
        Changed();
        return;
    }
    if (QPainter* p = RequirePainter()) {
        p->setPen(FPen.Style() == psClear ? QPen(Qt::NoPen) : QPen(ToQColor(FPen.Color())));
        p->setBrush(FBrush.Style() == bsClear ? QBrush(Qt::NoBrush) : QBrush(ToQColor(FBrush.Color())));
        p->drawRoundedRect(QRect(left, top, right - left - 1, bottom - top - 1), width / 2.0, height / 2.0);
        Changed();
    }
}

void TCanvas::Arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) {
    if (TDeviceContext* dc = SyncedDC()) {
        dc->Arc(left, top, right, bottom, x1, y1, x2, y2);
        Changed();
    }
}

void TCanvas::DrawFocusRect(const TRect& r) {
    if (TDeviceContext* dc = SyncedDC()) {
        dc->DrawFocusRect(r);
        Changed();
        return;
    }
    if (QPainter* p = RequirePainter()) {
        p->save();
        p->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        for (int x = r.Left; x < r.Right; ++x)
            for (int y : {r.Top, r.Bottom - 1})
                if (((x + y) & 1) == 0) p->fillRect(QRect(x, y, 1, 1), Qt::white);
        for (int y = r.Top + 1; y < r.Bottom - 1; ++y)
            for (int x : {r.Left, r.Right - 1})
                if (((x + y) & 1) == 0) p->fillRect(QRect(x, y, 1, 1), Qt::white);
        p->restore();
    }
}

bool TCanvas::DrawBitmapDC(const TRect& r, TGraphic* graphic) {
    auto* bitmap = dynamic_cast<TBitmap*>(graphic);
    if (!bitmap || bitmap->Empty() || bitmap->Transparent()) return false;
    TDeviceContext* dc = SyncedDC();
    if (!dc) return false;
    // 32-bit pixels are read where they lie, others from a 32-bit copy.
    QImage pixels = bitmap->DirectImage();
    if (pixels.isNull()) pixels = bitmap->ToImage();
    TDeviceContext source(&pixels, bitmap->PixelFormat() == pf1bit);
    dc->StretchBlt(r.Left, r.Top, r.Width(), r.Height(), &source, 0, 0, pixels.width(), pixels.height(),
                   FCopyMode);
    Changed();
    return true;
}
