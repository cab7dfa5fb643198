// Pictures: the abstract graphic, the device-independent bitmap and the picture that loads any
// registered format by file extension.
#pragma once

#include "Graphics.h"
#include "Streams.h"
#include "SysUtils.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

class QImage;

class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};
class EInvalidGraphicOperation : public Exception {
public:
    using Exception::Exception;
};

// A colour table: one 0x00BBGGRR entry per palette index.
using TPalette = std::vector<TColor>;

// Clipboard formats a graphic can be put on the clipboard as.
enum : unsigned { CF_TEXT = 1, CF_BITMAP = 2 };

class TGraphic : public TObject {
public:
    ~TGraphic() override;

    // A new graphic of the same class holding a copy of this one.
    virtual std::unique_ptr<TGraphic> Clone() const = 0;
    // Takes over the source's image; classes that cannot convert raise EConvertError.
    virtual void Assign(const TGraphic* source);
    // Gives this image to dest; called by Assign when dest does not know the source's class.
    virtual void AssignTo(TGraphic* dest) const;

    // Draws the whole image stretched into r.
    virtual void Draw(TCanvas* canvas, const TRect& r) = 0;

    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int width) = 0;
    virtual void SetHeight(int height) = 0;
    virtual bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool value);
    virtual TPalette Palette() const { return {}; }
    virtual void SetPalette(const TPalette&) {}

    virtual void LoadFromStream(TStream* stream) = 0;
    virtual void SaveToStream(TStream* stream) = 0;
    virtual void LoadFromFile(const QString& fileName);
    void SaveToFile(const QString& fileName);
    virtual void LoadFromClipboardFormat(unsigned format);
    virtual void SaveToClipboardFormat(unsigned& format);

    bool Modified() const { return FModified; }
    void SetModified(bool value) { FModified = value; }
    std::function<void(TObject*)> OnChange;

protected:
    void Changed();
    bool FTransparent = false;

private:
    bool FModified = false;
};

// The class of a graphic, as the picture registry knows it: a function that makes an empty one.
using TGraphicClass = TGraphic* (*)();
template <class T> TGraphic* NewGraphic() {
    return new T;
}

// Bitmaps ---------------------------------------------------------------------------------------
enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TAlphaFormat { afIgnored, afDefined, afPremultiplied };
enum TTransparentMode { tmAuto, tmFixed };

class TBitmapCanvas;

int PixelFormatBits(TPixelFormat format);   // 32 for pfDevice
bool IsPaletteFormat(TPixelFormat format);  // 1, 4 and 8 bits

// Pixels in the layout of a Windows device-independent bitmap: rows padded to 4 bytes; 1, 4 and
// 8 bits are palette indices (high bits first), 15/16 bits 5-5-5 / 5-6-5, 24 bits blue-green-red,
// 32 bits blue-green-red-alpha. ScanLine(0) is the top row.
class TBitmap : public TGraphic {
public:
    TBitmap();
    TBitmap(int width, int height);
    ~TBitmap() override;

    std::unique_ptr<TGraphic> Clone() const override;
    void Assign(const TGraphic* source) override;
    void Draw(TCanvas* canvas, const TRect& r) override;

    bool Empty() const override { return FWidth == 0 || FHeight == 0; }
    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    void SetWidth(int width) override { SetSize(width, FHeight); }
    void SetHeight(int height) override { SetSize(FWidth, height); }
    // Keeps the pixels that fit; new pixels are white (black for 32-bit alpha-bearing images).
    void SetSize(int width, int height);

    TPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TPixelFormat format);  // converts the pixels
    int BitsPerPixel() const;
    TAlphaFormat AlphaFormat() const { return FAlphaFormat; }
    void SetAlphaFormat(TAlphaFormat format) { FAlphaFormat = format; }

    // The colour table of a 1, 4 or 8-bit bitmap (empty for the others); setting it keeps the indices.
    TPalette Palette() const override;
    void SetPalette(const TPalette& palette) override;

    int BytesPerScanLine() const { return FStride; }
    std::uint8_t* ScanLine(int row);
    const std::uint8_t* ScanLine(int row) const;

    TCanvas* Canvas();

    // The transparent colour: tmAuto takes the bottom-left pixel's colour.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color);
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode mode) { FTransparentMode = mode; }

    // Windows BMP files (uncompressed, BI_BITFIELDS and RLE are read; uncompressed is written).
    void LoadFromStream(TStream* stream) override;
    void SaveToStream(TStream* stream) override;
    void LoadFromClipboardFormat(unsigned format) override;
    void SaveToClipboardFormat(unsigned& format) override;

    // Framework use: the pixels as an image (32-bit, alpha per AlphaFormat) and back.
    QImage ToImage() const;
    // The 32-bit pixels themselves, uncopied, where they are not premultiplied (else a null image);
    // valid while the bitmap keeps its size and format.
    QImage DirectImage() const;
    void FromImage(const QImage& image);  // keeps the pixel format (pfDevice/pf32bit for 0x0)
    // Ends drawing on the bitmap's canvas so its pixels can be read or replaced directly.
    void ReleaseCanvas() const;

private:
    friend class TBitmapCanvas;
    QImage* BeginCanvasPaint();
    void Allocate(int width, int height, TPixelFormat format, bool white = false);
    void StoreImage(const QImage& image);  // an RGB32 or ARGB32 image of this size into the pixels
    QImage WrapPixels() const;             // a Qt view on the pixels where Qt has the format
    TColor PixelColor(int x, int y) const;
    // The pixels as drawn, converted to 32 bits and the transparent colour keyed out, kept until the
    // pixels or the way they are drawn change: a picture is drawn at every repaint of its control.
    const QImage& DrawnImage() const;
    void PixelsChanged() { ++FPixelsVersion; }

    int FWidth = 0, FHeight = 0, FStride = 0;
    TPixelFormat FPixelFormat = pfDevice;
    TAlphaFormat FAlphaFormat = afIgnored;
    std::vector<std::uint8_t> FBits;
    TPalette FPalette;
    TTransparentMode FTransparentMode = tmAuto;
    TColor FTransparentColor = clDefault;
    std::unique_ptr<TBitmapCanvas> FCanvas;
    // While the canvas draws on a palette bitmap it draws on this 32-bit copy.
    mutable std::unique_ptr<QImage> FPaintImage;
    // Counts the changes to the pixels, so DrawnImage knows when its image is out of date.
    std::uint64_t FPixelsVersion = 0;
    struct TDrawnImage;
    mutable std::unique_ptr<TDrawnImage> FDrawn;
};

// Framework use: the image as 32-bit with alpha, the pixels of `color` made fully transparent.
QImage WithColorTransparent(const QImage& image, TColor color);

// Largest number of pixels a bitmap may hold, so a corrupt header cannot ask for the moon.
constexpr std::int64_t MaxBitmapPixels = std::int64_t(1) << 28;

// Pictures --------------------------------------------------------------------------------------
class TPicture : public TObject {
public:
    TPicture();
    ~TPicture() override;

    TGraphic* Graphic() const { return FGraphic.get(); }
    // Holds a copy of graphic (nullptr empties the picture).
    void SetGraphic(const TGraphic* graphic);
    // The picture as a bitmap: a graphic of another class is replaced by an empty bitmap.
    TBitmap* Bitmap();
    int Width() const { return FGraphic ? FGraphic->Width() : 0; }
    int Height() const { return FGraphic ? FGraphic->Height() : 0; }
    void Assign(const TPicture* source) { SetGraphic(source ? source->Graphic() : nullptr); }

    // By the file's extension; an unknown one raises EInvalidGraphic. A failed load leaves the
    // picture as it was.
    void LoadFromFile(const QString& fileName);
    void SaveToFile(const QString& fileName);

    std::function<void(TObject*)> OnChange;

    static void RegisterFileFormat(const QString& extension, const QString& description,
                                   TGraphicClass graphicClass);
    static void UnregisterGraphicClass(TGraphicClass graphicClass);
    // The class registered for an extension (without the dot, any case), or nullptr.
    static TGraphicClass FindGraphicClass(const QString& extension);
    // "Description (*.ext)" filters of every registered format, for file dialogs.
    static QString GraphicFilter();

private:
    void Changed();
    std::unique_ptr<TGraphic> FGraphic;
};
