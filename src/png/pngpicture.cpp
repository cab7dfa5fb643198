// TPngPicture: loading and saving chunk lists, drawing by transparency mode, conversions.
#include "pngpicture.h"

#include "Clipbrd.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TPngPicture::TPngPicture() {
    ResetGamma();
}

TPngPicture::~TPngPicture() = default;

std::unique_ptr<TGraphic> TPngPicture::Clone() const {
    auto copy = std::make_unique<TPngPicture>();
    copy->Assign(this);
    return copy;
}

namespace {
const std::array<std::uint8_t, 256> IdentityTable = [] {
    std::array<std::uint8_t, 256> table{};
    for (int i = 0; i < 256; ++i)
        table[size_t(i)] = std::uint8_t(i);
    return table;
}();
}  // namespace

void TPngPicture::ResetGamma() {
    GammaTable = InverseGammaTable = IdentityTable;
}

bool TPngPicture::GammaIsIdentity() const {
    return GammaTable == IdentityTable;
}

void TPngPicture::ClearChunks() {
    ResetGamma();
    FChunks.Clear();
}

TChunkIHDR* TPngPicture::Header() const {
    TChunkIHDR* header = FChunks.Count() ? dynamic_cast<TChunkIHDR*>(FChunks.Item(0)) : nullptr;
    if (!header) RaisePngError<EPNGHeaderNotPresent>();
    return header;
}

int TPngPicture::Width() const {
    return Empty() ? 0 : int(Header()->Width);
}

int TPngPicture::Height() const {
    return Empty() ? 0 : int(Header()->Height);
}

TPalette TPngPicture::Palette() const {
    return Empty() ? TPalette{} : Header()->ImageData.Palette();
}

void TPngPicture::SetPalette(const TPalette& palette) {
    if (!Empty()) Header()->ImageData.SetPalette(palette);
}

TCanvas* TPngPicture::Canvas() {
    return Header()->ImageData.Canvas();
}

void TPngPicture::GetRowInfo(std::int64_t& rowBytes, int& filterOffset) const {
    rowBytes = 0;
    filterOffset = 0;
    if (Empty()) return;
    const TChunkIHDR* h = Header();
    rowBytes = BytesForPixels(h->Width, h->ColorType, h->BitDepth);
    filterOffset = FilterOffset(h->ColorType, h->BitDepth);
}

// Loading and saving ----------------------------------------------------------------------------
namespace {
// The rest of a stream, read in pieces until it ends: a small file takes one read, and its size
// is asked only when it is larger.
void ReadRest(TStream* stream, TMemoryStream& into) {
    constexpr std::int64_t Piece = 1 << 16;
    std::int64_t got = 0, room = Piece;
    while (true) {
        into.SetSize(room);
        got += std::max<std::int64_t>(stream->Read(into.Memory() + got, room - got), 0);
        if (got < room) break;
        room = got + std::max(Piece, stream->Size() - stream->Position());
    }
    into.SetSize(got);
}
// The whole of a file on disk; false for a program resource or a file that cannot be read this
// way (the stream's own opening then reports why).
bool ReadWholeFile(const QString& fileName, TMemoryStream& into) {
    if (fileName.startsWith(QLatin1Char(':'))) return false;
    const int file = ::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_CLOEXEC);
    if (file < 0) return false;
    struct stat status;
    bool ok = ::fstat(file, &status) == 0 && S_ISREG(status.st_mode);
    std::int64_t got = 0;
    if (ok) {
        into.SetSize(status.st_size);
        while (got < into.Size()) {
            const ssize_t n = ::read(file, into.Memory() + got, size_t(into.Size() - got));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            got += n;
        }
        into.SetSize(got);
    }
    ::close(file);
    return ok;
}
}  // namespace

void TPngPicture::LoadFromFile(const QString& fileName) {
    TMemoryStream whole;
    if (!ReadWholeFile(fileName, whole)) return TGraphic::LoadFromFile(fileName);
    LoadFromStream(&whole);
}

void TPngPicture::LoadFromStream(TStream* stream) {
    if (!dynamic_cast<TMemoryStream*>(stream)) {
        // Read at once: a file is then not asked for its size and position for every chunk, and
        // its image data can be inflated on another thread. What follows the picture is left to
        // read next, as it would have been.
        TMemoryStream whole;
        ReadRest(stream, whole);
        struct TLeaveAfterPicture {
            TStream* Stream;
            TMemoryStream& Whole;
            ~TLeaveAfterPicture() {
                if (Whole.Position() < Whole.Size()) Stream->Seek(Whole.Position() - Whole.Size(), soCurrent);
            }
        } leave{stream, whole};
        LoadFromStream(&whole);
        return;
    }
    ClearChunks();
    try {
        std::uint8_t signature[8];
        if (stream->Read(signature, 8) != 8 || std::memcmp(signature, PngSignature, 8) != 0)
            RaisePngError<EPNGInvalidFileHeader>();
        bool seenImageData = false;
        while (true) {
            std::uint8_t head[8];
            if (stream->Read(head, 8) != 8) RaisePngError<EPngUnexpectedEnd>();
            const std::uint32_t length = ReadBigEndian32(head);
            const QByteArray name(reinterpret_cast<const char*>(head + 4), 4);
            // Checked before anything is allocated: no chunk may claim more than the file holds.
            if (length > 0x7FFFFFFFu || std::int64_t(length) + 4 > stream->Size() - stream->Position())
                RaisePngError<EPngUnexpectedEnd>();
            if (FChunks.Count() == 0 && name != "IHDR") RaisePngError<EPNGIHDRNotFirst>();
            if (FChunks.Count() > 0 && name == "IHDR") RaisePngError<EPngInvalidIHDR>();
            if ((name == "IDAT" && seenImageData) || name == "cHRM") {
                stream->Seek(std::int64_t(length) + 4, soCurrent);
                continue;
            }
            if (name == "IDAT") seenImageData = true;
            std::unique_ptr<TChunk> created = CreateChunkForName(this, name);
            const TChunk& made = *created;
            if (typeid(made) == typeid(TChunk) && IsCriticalChunk(name))
                RaisePngError<EPNGUnknownCriticalChunk>();
            TChunk* chunk = FChunks.Add(std::move(created));
            const bool goOn = chunk->LoadFromStream(stream, name, length);
            if (chunk->Discarded()) FChunks.Remove(chunk);
            if (!goOn || name == "IEND") break;
        }
        if (!seenImageData) RaisePngError<EPNGNoImageData>();
    } catch (...) {
        // A picture that failed to load is empty, not half read.
        ClearChunks();
        throw;
    }
    Changed();
}

void TPngPicture::SaveToStream(TStream* stream) {
    // Only what reads back as this picture is written: nothing at all is refused, and so is a
    // palette image without the palette its pixels index.
    if (Empty() || !FChunks.Find<TChunkIDAT>()) RaisePngError<EPNGNoImageData>();
    if (Header()->ColorType == 3) {
        const TChunkPLTE* plte = FChunks.Find<TChunkPLTE>();
        if (!plte || plte->SavedCount() == 0) RaisePngError<EPNGInvalidPalette>();
    }
    stream->WriteBuffer(PngSignature, 8);
    for (int i = 0; i < FChunks.Count(); ++i)
        FChunks.Item(i)->SaveToStream(stream);
}

// Transparency ----------------------------------------------------------------------------------
TPNGTransparencyMode TPngPicture::TransparencyMode() const {
    if (Empty()) return ptmNone;
    const TChunkIHDR* h = Header();
    const TChunktRNS* trns = FChunks.Find<TChunktRNS>();
    switch (h->ColorType) {
    case 0:
    case 2:
        return trns ? ptmBit : ptmNone;
    case 3:
        if (!trns) return ptmNone;
        return trns->ColorKeyTransparency ? ptmBit : ptmPartial;
    case 4:
    case 6:
        return ptmPartial;
    default:
        return ptmNone;
    }
}

TColor TPngPicture::TransparentColor() const {
    const TChunktRNS* trns = Empty() ? nullptr : FChunks.Find<TChunktRNS>();
    return trns ? trns->TransparentColor() : 0;
}

// Drawing ---------------------------------------------------------------------------------------
void TPngPicture::Draw(TCanvas* canvas, const TRect& r) {
    if (Empty() || !canvas) return;
    // A colour key is drawn as alpha 0 or 255 per pixel: it is found on the palette index or on
    // the stored samples, never on the colour shown, which other pixels may share.
    if (TransparencyMode() == ptmNone)
        Header()->ImageData.Draw(canvas, r);
    else
        DrawAlphaBlended(canvas, r);
}

void TPngPicture::DrawAlphaBlended(TCanvas* canvas, const TRect& rect) {
    TRect r = rect;
    if (r.Left > r.Right) std::swap(r.Left, r.Right);
    if (r.Top > r.Bottom) std::swap(r.Top, r.Bottom);
    const int w = r.Width(), h = r.Height();
    if (w == 0 || h == 0) return;
    const TChunkIHDR* header = Header();
    const std::int64_t width = header->Width, height = header->Height;
    const bool direct = header->ColorType == 2 || header->ColorType == 6;
    const TPalette palette = header->ImageData.Palette();
    const TChunktRNS* trns = FChunks.Find<TChunktRNS>();
    const TBitmap& source = header->ImageData;
    const int bits = PixelFormatBits(source.PixelFormat());

    auto sourcePixel = [&](std::int64_t sx, std::int64_t sy, int& red, int& green, int& blue) -> int {
        const std::uint8_t* row = source.ScanLine(int(sy));
        int index = 0, alpha = 255;
        if (direct) {
            blue = row[3 * sx], green = row[3 * sx + 1], red = row[3 * sx + 2];
        } else {
            index = bits == 8 ? row[sx]
                              : (row[sx * bits / 8] >> (8 - bits - (sx * bits) % 8)) & ((1 << bits) - 1);
            const TColor c = size_t(index) < palette.size() ? palette[size_t(index)] : clBlack;
            red = GetRValue(c), green = GetGValue(c), blue = GetBValue(c);
        }
        if (!header->ImageAlpha.empty())
            alpha = header->ImageAlpha[size_t(sy * width + sx)];
        else if (header->ColorType == 3 && trns)
            alpha = trns->PaletteAlpha[size_t(index)];
        return alpha;
    };

    if (!canvas->CanReadPixels()) {
        // A screen or printer cannot be read back: let it blend an image that carries alpha.
        TBitmap blended{int(width), int(height)};
        blended.SetPixelFormat(pf32bit);
        blended.SetAlphaFormat(afDefined);
        for (std::int64_t y = 0; y < height; ++y) {
            std::uint8_t* out = blended.ScanLine(int(y));
            for (std::int64_t x = 0; x < width; ++x) {
                int red, green, blue;
                const int alpha = sourcePixel(x, y, red, green, blue);
                out[4 * x] = std::uint8_t(blue), out[4 * x + 1] = std::uint8_t(green);
                out[4 * x + 2] = std::uint8_t(red), out[4 * x + 3] = std::uint8_t(alpha);
            }
        }
        blended.Draw(canvas, r);
        return;
    }

    TBitmap work(w, h);
    work.SetPixelFormat(pf32bit);
    work.Canvas()->CopyRect(Rect(0, 0, w, h), canvas, r);
    const double sx = double(w) / double(width), sy = double(h) / double(height);
    const bool sameSize = w == width && h == height;
    for (int y = 0; y < h; ++y) {
        const std::int64_t srcY = sameSize ? y : std::min<std::int64_t>(height - 1, std::int64_t(y / sy));
        std::uint8_t* out = work.ScanLine(y);
        for (int x = 0; x < w; ++x) {
            const std::int64_t srcX = sameSize ? x : std::min<std::int64_t>(width - 1, std::int64_t(x / sx));
            int red, green, blue;
            const int a = sourcePixel(srcX, srcY, red, green, blue);
            if (a == 0) continue;
            std::uint8_t* p = out + 4 * x;
            if (a > 254) {
                p[0] = std::uint8_t(blue), p[1] = std::uint8_t(green), p[2] = std::uint8_t(red);
                continue;
            }
            p[0] = std::uint8_t((blue * a + 255 + (255 - a) * p[0]) >> 8);
            p[1] = std::uint8_t((green * a + 255 + (255 - a) * p[1]) >> 8);
            p[2] = std::uint8_t((red * a + 255 + (255 - a) * p[2]) >> 8);
        }
    }
    canvas->Draw(r.Left, r.Top, &work);
}

// Conversions -----------------------------------------------------------------------------------
void TPngPicture::CopyChunksFrom(const TPngPicture* source) {
    ClearChunks();
    GammaTable = source->GammaTable;
    InverseGammaTable = source->InverseGammaTable;
    Filters = source->Filters;
    CompressionLevel = source->CompressionLevel;
    InterlaceMethod = source->InterlaceMethod;
    FIdatSizeLimit = source->FIdatSizeLimit;
    for (int i = 0; i < source->FChunks.Count(); ++i) {
        const TChunk* from = source->FChunks.Item(i);
        std::unique_ptr<TChunk> copy = CreateChunkForName(this, from->Name);
        copy->Assign(from);
        FChunks.Add(std::move(copy));
    }
}

void TPngPicture::Assign(const TGraphic* source) {
    if (source == this) return;
    if (!source) {
        ClearChunks();
    } else if (auto* png = dynamic_cast<const TPngPicture*>(source)) {
        CopyChunksFrom(png);
    } else if (auto* bitmap = dynamic_cast<const TBitmap*>(source)) {
        AssignFromBitmap(bitmap, bitmap->Transparent(), bitmap->TransparentColor());
    } else {
        TGraphic::Assign(source);
        return;
    }
    Changed();
}

void TPngPicture::AssignFromBitmap(const TBitmap* bitmap, bool transparent, TColor transparentColor) {
    ClearChunks();
    if (bitmap->Empty()) return;
    const int bitsPerPixel = bitmap->BitsPerPixel();
    auto header = std::make_unique<TChunkIHDR>(this);
    header->Name = "IHDR";
    header->Width = std::uint32_t(bitmap->Width());
    header->Height = std::uint32_t(std::abs(bitmap->Height()));
    header->BitDepth = std::uint8_t(bitsPerPixel < 16 ? bitsPerPixel : 8);
    header->ColorType = bitsPerPixel < 16 ? 3 : 2;
    InterlaceMethod = 0;
    header->CreateImageBuffers();
    TChunkIHDR* h = static_cast<TChunkIHDR*>(FChunks.Add(std::move(header)));
    if (bitsPerPixel < 16) {
        h->ImageData.Assign(bitmap);
    } else {
        TBitmap copy;
        copy.Assign(bitmap);
        copy.SetAlphaFormat(afIgnored);
        copy.SetPixelFormat(pf24bit);
        h->ImageData.Assign(&copy);
    }
    h->ImageData.SetTransparent(false);
    if (bitsPerPixel < 16) {
        auto plte = CreateChunkForName(this, "PLTE");
        static_cast<TChunkPLTE*>(plte.get())->SetCount(int(bitmap->Palette().size()));
        FChunks.Add(std::move(plte));
    }
    if (transparent) {
        auto trns = CreateChunkForName(this, "tRNS");
        static_cast<TChunktRNS*>(trns.get())->SetTransparentColor(transparentColor);
        if (trns->DataSize()) FChunks.Add(std::move(trns));
        h->MarkKeyedPixels(0, 0, h->Width, h->Height);
    }
    FChunks.Add(CreateChunkForName(this, "IDAT"));
    FChunks.Add(CreateChunkForName(this, "IEND"));
}

void TPngPicture::AssignTo(TGraphic* dest) const {
    auto* bitmap = dynamic_cast<TBitmap*>(dest);
    if (!bitmap) return TGraphic::AssignTo(dest);
    if (Empty()) {
        bitmap->Assign(nullptr);
        return;
    }
    const TChunkIHDR* h = Header();
    if (TransparencyMode() == ptmPartial) {
        // Alpha is drawn over the bitmap's white background.
        TBitmap drawn;
        drawn.SetPixelFormat(pf24bit);
        drawn.SetSize(int(h->Width), int(h->Height));
        const_cast<TPngPicture*>(this)->Draw(drawn.Canvas(), Rect(0, 0, int(h->Width), int(h->Height)));
        bitmap->Assign(&drawn);
    } else {
        bitmap->Assign(&h->ImageData);
    }
    if (TransparencyMode() != ptmNone && FChunks.Find<TChunktRNS>()) {
        bitmap->SetTransparentColor(TransparentColor());
        bitmap->SetTransparent(true);
    }
}

void TPngPicture::LoadFromClipboardFormat(unsigned format) {
    TBitmap bitmap;
    bitmap.LoadFromClipboardFormat(format);
    AssignFromBitmap(&bitmap, false, 0);
    Changed();
}

void TPngPicture::SaveToClipboardFormat(unsigned& format) {
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(Width(), Height());
    Draw(bitmap.Canvas(), Rect(0, 0, Width(), Height()));
    bitmap.SaveToClipboardFormat(format);
}

// Size and pixels -------------------------------------------------------------------------------
void TPngPicture::Resize(int width, int height) {
    if (width <= 0 || height <= 0) RaisePngError<EPNGInvalidNewSize>();
    TChunkIHDR* h = Header();
    if (std::int64_t(width) * height > MaxPngPixels) RaisePngError<EPNGOutMemory>();
    const std::uint32_t oldWidth = h->Width, oldHeight = h->Height;
    const int oldStride = h->ImageData.BytesPerScanLine();
    const std::vector<std::uint8_t> oldAlpha = h->ImageAlpha, oldExtra = h->ExtraImageData;
    h->ImageData.SetSize(width, height);  // keeps the pixels that fit
    h->Width = std::uint32_t(width);
    h->Height = std::uint32_t(height);
    const std::uint32_t keepW = std::min<std::uint32_t>(oldWidth, h->Width),
                        keepH = std::min<std::uint32_t>(oldHeight, h->Height);
    if (!oldAlpha.empty()) {
        h->ImageAlpha.assign(size_t(width) * size_t(height), 0);
        for (std::uint32_t y = 0; y < keepH; ++y)
            std::memcpy(&h->ImageAlpha[size_t(y) * h->Width], &oldAlpha[size_t(y) * oldWidth], keepW);
    }
    if (!oldExtra.empty()) {
        const int stride = h->ImageData.BytesPerScanLine();
        h->ExtraImageData.assign(size_t(stride) * size_t(height), 0);
        for (std::uint32_t y = 0; y < keepH; ++y)
            std::memcpy(&h->ExtraImageData[size_t(y) * stride], &oldExtra[size_t(y) * oldStride],
                        size_t(std::min(stride, oldStride)));
    }
    Changed();
}

TColor TPngPicture::GetPixels(int x, int y) const {
    if (Empty()) return 0;
    const TChunkIHDR* h = Header();
    if (x < 0 || y < 0 || std::uint32_t(x) >= h->Width || std::uint32_t(y) >= h->Height) return 0;
    const std::uint8_t* row = h->ImageData.ScanLine(y);
    switch (h->ColorType) {
    case 2:
    case 6:
        return RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    case 4:
        return RGB(row[x], row[x], row[x]);
    default: {
        const int bits = PixelFormatBits(h->ImageData.PixelFormat());
        const int index = (row[x * bits / 8] >> (8 - bits - (x * bits) % 8)) & ((1 << bits) - 1);
        const TPalette palette = h->ImageData.Palette();
        return size_t(index) < palette.size() ? palette[size_t(index)] : 0;
    }
    }
}

void TPngPicture::SetPixels(int x, int y, TColor color) {
    if (Empty()) return;
    TChunkIHDR* h = Header();
    if (x < 0 || y < 0 || std::uint32_t(x) >= h->Width || std::uint32_t(y) >= h->Height) return;
    color = ColorToRGB(color);
    std::uint8_t* row = h->ImageData.ScanLine(y);
    switch (h->ColorType) {
    case 2:
    case 6:
        row[3 * x] = std::uint8_t(GetBValue(color));
        row[3 * x + 1] = std::uint8_t(GetGValue(color));
        row[3 * x + 2] = std::uint8_t(GetRValue(color));
        break;
    case 4:
        row[x] = std::uint8_t(GetRValue(color));
        break;
    default: {
        // The palette entry nearest to the colour.
        const TPalette palette = h->ImageData.Palette();
        const int bits = PixelFormatBits(h->ImageData.PixelFormat());
        int best = 0, bestDistance = INT32_MAX;
        for (size_t i = 0; i < palette.size() && i < (size_t(1) << bits); ++i) {
            const int dr = GetRValue(palette[i]) - GetRValue(color),
                      dg = GetGValue(palette[i]) - GetGValue(color),
                      db = GetBValue(palette[i]) - GetBValue(color);
            if (dr * dr + dg * dg + db * db < bestDistance) {
                bestDistance = dr * dr + dg * dg + db * db;
                best = int(i);
            }
        }
        const int shift = 8 - bits - (x * bits) % 8;
        std::uint8_t& byte = row[x * bits / 8];
        byte = std::uint8_t((byte & ~(((1 << bits) - 1) << shift)) | (best << shift));
    }
    }
    h->MarkKeyedPixels(x, y, 1, 1);
    Changed();
}

// Registration ----------------------------------------------------------------------------------
namespace {
struct TPngUnit {
    TPngUnit() {
        ClearChunkClasses();
        RegisterStandardChunks();
        RegisterPngFormat();
    }
    ~TPngUnit() {
        TPicture::UnregisterGraphicClass(&NewGraphic<TPngPicture>);
        ClearChunkClasses();
    }
};
const TPngUnit PngUnit;
}  // namespace

void RegisterPngFormat() {
    if (!TPicture::FindGraphicClass(QStringLiteral("png")))
        TPicture::RegisterFileFormat(QStringLiteral("png"), QStringLiteral("Portable Network Graphics"),
                                     &NewGraphic<TPngPicture>);
}

// Referenced by the link options of the png library, so the unit (and its registration) is
// always linked in, even by a program that only loads pictures by file extension.
extern "C" const int VeloriaPngUnitAnchor = 1;
