// TGraphic and TBitmap: a bitmap's pixels live in DIB layout; Qt views them for drawing.
#include "GraphicsImage.h"
#include "Clipbrd.h"
#include "DeviceContext.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstring>
#include <unordered_map>

// TGraphic --------------------------------------------------------------------------------------
TGraphic::~TGraphic() = default;

void TGraphic::Assign(const TGraphic* source) {
    if (!source) throw EConvertError(QStringLiteral("Cannot assign nothing to a graphic"));
    source->AssignTo(this);
}

void TGraphic::AssignTo(TGraphic*) const {
    throw EConvertError(QStringLiteral("Cannot assign between these graphic classes"));
}

void TGraphic::SetTransparent(bool value) {
    if (value == FTransparent) return;
    FTransparent = value;
    Changed();
}

void TGraphic::LoadFromFile(const QString& fileName) {
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&stream);
}

void TGraphic::SaveToFile(const QString& fileName) {
    TMemoryStream stream;  // written whole, so a failure leaves no half file
    SaveToStream(&stream);
    stream.SaveToFile(fileName);
}

void TGraphic::LoadFromClipboardFormat(unsigned) {
    throw EInvalidGraphic(QStringLiteral("Unsupported clipboard format"));
}

void TGraphic::SaveToClipboardFormat(unsigned&) {
    throw EInvalidGraphic(QStringLiteral("Unsupported clipboard format"));
}

void TGraphic::Changed() {
    FModified = true;
    if (OnChange) OnChange(this);
}

// The bitmap's canvas ---------------------------------------------------------------------------
// It draws through a device context over the bitmap's 32-bit pixels (or a 32-bit copy of pixels
// of another layout, stored back when the canvas is released).
class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap* bitmap) : FBitmap(bitmap) {}
    ~TBitmapCanvas() override { Release(); }
    void Release() {
        FOwnDC.reset();
        FDC = nullptr;
        FPainter = nullptr;
    }
    bool Active() const { return FOwnDC != nullptr; }

protected:
    TDeviceContext* RequireDC() override {
        if (FOwnDC) return FOwnDC.get();
        QImage* image = FBitmap->BeginCanvasPaint();
        if (!image) return nullptr;
        FOwnDC = std::make_unique<TDeviceContext>(image, FBitmap->PixelFormat() == pf1bit);
        BeginPaint(FOwnDC.get());  // a new context takes the pen, brush and font again
        return FDC;
    }
    void Changed() override {
        FBitmap->SetModified(true);
        TCanvas::Changed();
    }

private:
    TBitmap* FBitmap;
    std::unique_ptr<TDeviceContext> FOwnDC;
    QImage FView;  // the Qt view of 32-bit pixels while drawing
    friend class TBitmap;
};

// TBitmap ---------------------------------------------------------------------------------------
int PixelFormatBits(TPixelFormat format) {
    switch (format) {
    case pf1bit:
        return 1;
    case pf4bit:
        return 4;
    case pf8bit:
        return 8;
    case pf15bit:
    case pf16bit:
        return 16;
    case pf24bit:
        return 24;
    default:
        return 32;
    }
}

bool IsPaletteFormat(TPixelFormat format) {
    return format == pf1bit || format == pf4bit || format == pf8bit;
}

namespace {

// The palette index of pixel x in a row of a 4-bit bitmap: two pixels a byte, the left one high.
int FourBitIndex(const std::uint8_t* row, int x) {
    return (row[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F;
}

TPalette DefaultPalette(TPixelFormat format) {
    TPalette palette;
    if (format == pf1bit) return {clBlack, clWhite};
    if (format == pf4bit)
        return {clBlack, clMaroon, clGreen, clOlive,  clNavy, clPurple,  clTeal, clSilver,
                clGray,  clRed,    clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite};
    // 8 bits: a 6 x 6 x 6 colour cube, then a grey ramp.
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                palette.push_back(RGB(r * 51, g * 51, b * 51));
    while (palette.size() < 256) {
        const int level = int((palette.size() - 216) * 255 / 39);
        palette.push_back(RGB(level, level, level));
    }
    return palette;
}

// The nearest palette entry by squared distance, cached because images repeat colours.
class TNearestColor {
public:
    explicit TNearestColor(const TPalette& palette) : FPalette(palette) {}
    int Index(QRgb rgb) {
        rgb &= 0xFFFFFF;
        if (auto it = FCache.find(rgb); it != FCache.end()) return it->second;
        int best = 0, bestDistance = INT32_MAX;
        for (size_t i = 0; i < FPalette.size(); ++i) {
            const int dr = GetRValue(FPalette[i]) - qRed(rgb), dg = GetGValue(FPalette[i]) - qGreen(rgb),
                      db = GetBValue(FPalette[i]) - qBlue(rgb);
            const int d = dr * dr + dg * dg + db * db;
            if (d < bestDistance) {
                bestDistance = d;
                best = int(i);
            }
        }
        FCache.emplace(rgb, best);
        return best;
    }

private:
    const TPalette& FPalette;
    std::unordered_map<QRgb, int> FCache;
};
}  // namespace

TBitmap::TBitmap() : FCanvas(std::make_unique<TBitmapCanvas>(this)) {}

TBitmap::TBitmap(int width, int height) : TBitmap() {
    SetSize(width, height);
}

TBitmap::~TBitmap() {
    FCanvas->Release();
}

std::unique_ptr<TGraphic> TBitmap::Clone() const {
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(this);
    return copy;
}

int TBitmap::BitsPerPixel() const {
    return PixelFormatBits(FPixelFormat);
}

void TBitmap::Allocate(int width, int height, TPixelFormat format, bool white) {
    if (width < 0 || height < 0 || std::int64_t(width) * height > MaxBitmapPixels)
        throw EInvalidGraphicOperation(QStringLiteral("Invalid bitmap size %1 x %2").arg(width).arg(height));
    const std::int64_t stride = ((std::int64_t(PixelFormatBits(format)) * width + 31) / 32) * 4;
    FPixelFormat = format;
    if (IsPaletteFormat(format)) {
        if (FPalette.empty() || FPalette.size() > (size_t(1) << PixelFormatBits(format)))
            FPalette = DefaultPalette(format);
    } else {
        FPalette.clear();
    }
    std::uint8_t fill = 0;
    if (white && IsPaletteFormat(format)) {
        TNearestColor nearest(FPalette);
        const int index = nearest.Index(qRgb(255, 255, 255)), bits = PixelFormatBits(format);
        for (int i = 0; i < 8 / bits; ++i)
            fill = std::uint8_t((fill << bits) | index);
    } else if (white) {
        fill = 0xFF;
    }
    FBits.assign(size_t(stride * height), fill);
    PixelsChanged();
    FWidth = width;
    FHeight = height;
    FStride = int(stride);
}

void TBitmap::ReleaseCanvas() const {
    if (FCanvas->Active()) FCanvas->Release();
    if (FPaintImage) {
        // Drawing on a palette bitmap went to a 32-bit copy: map it back to the palette.
        std::unique_ptr<QImage> painted = std::move(FPaintImage);
        const_cast<TBitmap*>(this)->StoreImage(*painted);
    }
}

QImage* TBitmap::BeginCanvasPaint() {
    if (Empty()) return nullptr;
    PixelsChanged();
    // The device context draws on 32-bit pixels: other layouts draw on a copy.
    FCanvas->FView = DirectImage();
    if (FCanvas->FView.isNull()) {
        FPaintImage = std::make_unique<QImage>(ToImage().convertToFormat(QImage::Format_RGB32));
        return FPaintImage.get();
    }
    return &FCanvas->FView;
}

QImage TBitmap::DirectImage() const {
    const bool direct =
        (FPixelFormat == pf32bit || FPixelFormat == pfDevice) && FAlphaFormat != afPremultiplied;
    return direct && !Empty() ? WrapPixels() : QImage();
}

QImage TBitmap::WrapPixels() const {
    auto* bits = const_cast<uchar*>(FBits.data());
    QImage::Format format;
    switch (FPixelFormat) {
    case pf1bit:
        format = QImage::Format_Mono;
        break;
    case pf8bit:
        format = QImage::Format_Indexed8;
        break;
    case pf15bit:
        format = QImage::Format_RGB555;
        break;
    case pf16bit:
        format = QImage::Format_RGB16;
        break;
    case pf24bit:
        format = QImage::Format_BGR888;
        break;
    case pf4bit:
        return QImage();
    default:
        format = FAlphaFormat == afIgnored   ? QImage::Format_RGB32
                 : FAlphaFormat == afDefined ? QImage::Format_ARGB32
                                             : QImage::Format_ARGB32_Premultiplied;
    }
    QImage view(bits, FWidth, FHeight, FStride, format);
    if (IsPaletteFormat(FPixelFormat)) {
        QList<QRgb> table;
        for (TColor c : FPalette)
            table.push_back(ToQColor(c).rgb());
        table.resize(1 << PixelFormatBits(FPixelFormat), qRgb(0, 0, 0));
        view.setColorTable(table);
    }
    return view;
}

QImage TBitmap::ToImage() const {
    ReleaseCanvas();
    if (Empty()) return QImage();
    const QImage::Format target =
        (FPixelFormat == pf32bit || FPixelFormat == pfDevice) && FAlphaFormat != afIgnored
            ? QImage::Format_ARGB32
            : QImage::Format_RGB32;
    if (FPixelFormat != pf4bit) {
        // A deep copy: the view shares the pixels, which may change or go after this returns.
        QImage image = WrapPixels().convertToFormat(target);
        return image.constBits() == FBits.data() ? image.copy() : image;
    }
    QRgb table[16];
    for (int i = 0; i < 16; ++i)
        table[i] = i < int(FPalette.size()) ? ToQColor(FPalette[i]).rgb() : qRgb(0, 0, 0);
    QImage image(FWidth, FHeight, QImage::Format_RGB32);
    for (int y = 0; y < FHeight; ++y) {
        const std::uint8_t* row = ScanLine(y);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < FWidth; ++x)
            out[x] = table[FourBitIndex(row, x)];
    }
    return image;
}

void TBitmap::StoreImage(const QImage& source) {
    PixelsChanged();
    if (!IsPaletteFormat(FPixelFormat)) {
        QImage view = WrapPixels();
        QPainter painter(&view);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, source);
        return;
    }
    const QImage rgb = source.convertToFormat(QImage::Format_RGB32);
    TNearestColor nearest(FPalette);
    const int bits = PixelFormatBits(FPixelFormat);
    for (int y = 0; y < std::min(FHeight, rgb.height()); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        std::uint8_t* row = ScanLine(y);
        for (int x = 0; x < std::min(FWidth, rgb.width()); ++x) {
            const int index = nearest.Index(in[x]);
            const int perByte = 8 / bits, shift = 8 - bits * (x % perByte + 1);
            std::uint8_t& byte = row[x / perByte];
            const int mask = ((1 << bits) - 1) << shift;
            byte = std::uint8_t((byte & ~mask) | ((index << shift) & mask));
        }
    }
}

void TBitmap::FromImage(const QImage& image) {
    ReleaseCanvas();
    TPixelFormat format = FPixelFormat;
    if (image.isNull()) {
        Allocate(0, 0, format);
        return;
    }
    Allocate(image.width(), image.height(), format);
    if (image.hasAlphaChannel() && (format == pf32bit || format == pfDevice)) FAlphaFormat = afDefined;
    StoreImage(
        image.convertToFormat(FAlphaFormat == afIgnored ? QImage::Format_RGB32 : QImage::Format_ARGB32));
    Changed();
}

void TBitmap::SetSize(int width, int height) {
    if (width == FWidth && height == FHeight) return;
    ReleaseCanvas();
    const std::vector<std::uint8_t> oldBits = std::move(FBits);
    const int oldWidth = FWidth, oldHeight = FHeight, oldStride = FStride;
    // New pixels start white, as a fresh device bitmap does, unless they carry alpha.
    Allocate(width, height, FPixelFormat, FAlphaFormat == afIgnored);
    const int copyBytes = std::min(oldStride, (BitsPerPixel() * std::min(oldWidth, width) + 7) / 8);
    for (int y = 0; y < std::min(oldHeight, height); ++y)
        std::memcpy(ScanLine(y), oldBits.data() + size_t(y) * oldStride, size_t(copyBytes));
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
    if (format == pfCustom) throw EInvalidGraphicOperation(QStringLiteral("Invalid pixel format"));
    if (format == FPixelFormat) return;
    const QImage image = ToImage();
    const TPalette keep = FPalette;
    FPalette.clear();
    Allocate(FWidth, FHeight, format);
    if (IsPaletteFormat(format) && keep.size() <= (size_t(1) << PixelFormatBits(format)) && !keep.empty())
        FPalette = keep;
    if (!image.isNull()) StoreImage(image);
    Changed();
}

TPalette TBitmap::Palette() const {
    return IsPaletteFormat(FPixelFormat) ? FPalette : TPalette{};
}

void TBitmap::SetPalette(const TPalette& palette) {
    if (!IsPaletteFormat(FPixelFormat)) return;
    ReleaseCanvas();
    FPalette = palette;
    FPalette.resize(std::min<size_t>(palette.size(), size_t(1) << BitsPerPixel()));
    PixelsChanged();
    Changed();
}

std::uint8_t* TBitmap::ScanLine(int row) {
    ReleaseCanvas();
    if (row < 0 || row >= FHeight)
        throw EInvalidGraphicOperation(QStringLiteral("Scan line index out of range"));
    SetModified(true);
    PixelsChanged();
    return FBits.data() + size_t(row) * FStride;
}

const std::uint8_t* TBitmap::ScanLine(int row) const {
    ReleaseCanvas();
    if (row < 0 || row >= FHeight)
        throw EInvalidGraphicOperation(QStringLiteral("Scan line index out of range"));
    return FBits.data() + size_t(row) * FStride;
}

TCanvas* TBitmap::Canvas() {
    return FCanvas.get();
}

TColor TBitmap::PixelColor(int x, int y) const {
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return clBlack;
    ReleaseCanvas();
    if (FPixelFormat == pf4bit) {
        const int index = FourBitIndex(ScanLine(y), x);
        return index < int(FPalette.size()) ? ColorToRGB(FPalette[index]) : clBlack;
    }
    const QRgb rgb = WrapPixels().pixel(x, y);
    return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

TColor TBitmap::TransparentColor() const {
    if (FTransparentMode == tmFixed && FTransparentColor != clDefault) return FTransparentColor;
    return Empty() ? clDefault : PixelColor(0, FHeight - 1);
}

void TBitmap::SetTransparentColor(TColor color) {
    FTransparentColor = color;
    FTransparentMode = color == clDefault ? tmAuto : tmFixed;
    Changed();
}

struct TBitmap::TDrawnImage {
    QImage Image;
    std::uint64_t Version = 0;
    TPixelFormat Format = pfDevice;
    TAlphaFormat Alpha = afIgnored;
    TColor Key = clNone;  // clNone: not keyed
};

void TBitmap::Assign(const TGraphic* source) {
    if (source == this) return;
    if (!source) {
        ReleaseCanvas();
        Allocate(0, 0, FPixelFormat);
        Changed();
        return;
    }
    if (auto* bitmap = dynamic_cast<const TBitmap*>(source)) {
        bitmap->ReleaseCanvas();
        ReleaseCanvas();
        FWidth = bitmap->FWidth;
        FHeight = bitmap->FHeight;
        FStride = bitmap->FStride;
        FPixelFormat = bitmap->FPixelFormat;
        FAlphaFormat = bitmap->FAlphaFormat;
        FBits = bitmap->FBits;
        FPalette = bitmap->FPalette;
        PixelsChanged();
        FTransparent = bitmap->FTransparent;
        FTransparentMode = bitmap->FTransparentMode;
        FTransparentColor = bitmap->FTransparentColor;
        // A picture is assigned to be drawn, often one picture to many controls: the copies share the
        // source's converted image (Qt's images share their pixels) rather than each converting anew.
        bitmap->DrawnImage();
        FDrawn = std::make_unique<TDrawnImage>(*bitmap->FDrawn);
        FDrawn->Version = FPixelsVersion;
        Changed();
        return;
    }
    source->AssignTo(this);
}

const QImage& TBitmap::DrawnImage() const {
    ReleaseCanvas();
    // Pixels of the transparent colour are left out.
    const TColor key = Transparent() ? TransparentColor() : clNone;
    if (!FDrawn || FDrawn->Version != FPixelsVersion || FDrawn->Format != FPixelFormat ||
        FDrawn->Alpha != FAlphaFormat || FDrawn->Key != key) {
        QImage image = key == clNone ? ToImage() : WithColorTransparent(ToImage(), key);
        FDrawn = std::make_unique<TDrawnImage>(TDrawnImage{std::move(image), FPixelsVersion, FPixelFormat, FAlphaFormat, key});
    }
    return FDrawn->Image;
}

void TBitmap::Draw(TCanvas* canvas, const TRect& r) {
    if (!canvas || Empty() || r.IsEmpty()) return;
    // 32-bit pixels with nothing to key out are drawn where they lie (unless onto themselves);
    // others as converted once.
    ReleaseCanvas();
    const QImage direct = Transparent() || canvas == FCanvas.get() ? QImage() : DirectImage();
    const QImage image = direct.isNull() ? DrawnImage() : direct;
    QPainter* painter = canvas->Painter();
    if (!painter) return;
    painter->save();
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter->drawImage(QRect(r.Left, r.Top, r.Width(), r.Height()), image);
    painter->restore();
}

QImage WithColorTransparent(const QImage& image, TColor color) {
    const QRgb key = ToQColor(color).rgb() & 0xFFFFFF;
    QImage keyed = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < keyed.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x)
            if ((line[x] & 0xFFFFFF) == key) line[x] = 0;
    }
    return keyed;
}

void TBitmap::LoadFromClipboardFormat(unsigned format) {
    if (format != CF_BITMAP || !Clipboard()->HasFormat(CF_BITMAP))
        throw EInvalidGraphic(QStringLiteral("Unsupported clipboard format"));
    FromImage(Clipboard()->BitmapImage());
}

void TBitmap::SaveToClipboardFormat(unsigned& format) {
    format = CF_BITMAP;
    Clipboard()->SetBitmapImage(ToImage());
}
