// The graphic object: drawing by transparency mode, bitmaps, the clipboard, resizing, pixels and
// loading through TPicture by file extension.
#include "Clipbrd.h"
#include "LibpngReference.h"
#include "PngTestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QByteArray RgbaRow(std::initializer_list<std::array<int, 4>> pixels) {
    QByteArray row(1, 0);
    for (const auto& p : pixels)
        for (int v : p)
            row.append(char(v));
    return row;
}

// A 24-bit bitmap filled with one colour.
std::unique_ptr<TBitmap> Background(int w, int h, TColor color) {
    auto b = std::make_unique<TBitmap>();
    b->SetPixelFormat(pf24bit);
    b->SetSize(w, h);
    b->Canvas()->Brush()->SetColor(color);
    b->Canvas()->FillRect(Rect(0, 0, w, h));
    return b;
}
}  // namespace

TEST(PngPicture, AlphaIsBlendedOverWhatTheCanvasShows) {
    auto png = LoadPng(TPngBuilder()
                           .Header(3, 1, 8, 6)
                           .ImageData(RgbaRow({{0, 0, 255, 0}, {0, 0, 255, 255}, {0, 0, 255, 128}}))
                           .End()
                           .Bytes);
    auto canvas = Background(3, 1, clRed);
    canvas->Canvas()->Draw(0, 0, png.get());
    EXPECT_EQ(canvas->Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(canvas->Canvas()->Pixels(1, 0), clBlue);
    const int red = (0 * 128 + 255 + 127 * 255) >> 8, blue = (255 * 128 + 255 + 127 * 0) >> 8;
    EXPECT_EQ(canvas->Canvas()->Pixels(2, 0), RGB(red, 0, blue));
}

TEST(PngPicture, StretchedDrawingRepeatsEachPixel) {
    auto png = LoadPng(TPngBuilder()
                           .Header(2, 1, 8, 6)
                           .ImageData(RgbaRow({{255, 0, 0, 255}, {0, 255, 0, 255}}))
                           .End()
                           .Bytes);
    auto canvas = Background(4, 2, clWhite);
    canvas->Canvas()->StretchDraw(Rect(0, 0, 4, 2), png.get());
    for (int y = 0; y < 2; ++y) {
        EXPECT_EQ(canvas->Canvas()->Pixels(0, y), clRed);
        EXPECT_EQ(canvas->Canvas()->Pixels(1, y), clRed);
        EXPECT_EQ(canvas->Canvas()->Pixels(2, y), clLime);
        EXPECT_EQ(canvas->Canvas()->Pixels(3, y), clLime);
    }
}

TEST(PngPicture, OpaqueAndColourKeyedDrawing) {
    // Grey 8-bit with level 0x80 as the transparent key.
    TPngBuilder b;
    b.Header(2, 1, 8, 0).Chunk("tRNS", QByteArray("\0\x80", 2)).ImageData(QByteArray("\0\x80\x10", 3)).End();
    auto keyed = LoadPng(b.Bytes);
    EXPECT_EQ(keyed->TransparencyMode(), ptmBit);
    auto canvas = Background(2, 1, clRed);
    canvas->Canvas()->Draw(0, 0, keyed.get());
    EXPECT_EQ(canvas->Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(canvas->Canvas()->Pixels(1, 0), RGB(0x10, 0x10, 0x10));

    auto opaque =
        LoadPng(TPngBuilder().Header(2, 1, 8, 0).ImageData(QByteArray("\0\x80\x10", 3)).End().Bytes);
    canvas->Canvas()->Draw(0, 0, opaque.get());
    EXPECT_EQ(canvas->Canvas()->Pixels(0, 0), RGB(0x80, 0x80, 0x80));
}

TEST(PngPicture, FromAndToBitmaps) {
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf8bit);
    bitmap.SetPalette({clBlack, clRed, clLime, clBlue});
    bitmap.SetSize(3, 2);
    std::uint8_t* row = bitmap.ScanLine(0);
    row[0] = 1, row[1] = 2, row[2] = 3;
    bitmap.ScanLine(1)[0] = 0;
    TPngPicture png;
    png.Assign(&bitmap);
    ASSERT_EQ(png.Chunks().Count(), 4);
    EXPECT_EQ(png.Header()->ColorType, 3);
    EXPECT_EQ(png.Header()->BitDepth, 8);
    EXPECT_NE(png.Chunks().Find<TChunkPLTE>(), nullptr);
    EXPECT_EQ(png.GetPixels(1, 0), clLime);
    // Through a file and back into a bitmap.
    auto again = LoadPng(SavePng(png));
    TBitmap out;
    again->AssignTo(&out);
    EXPECT_EQ(out.PixelFormat(), pf8bit);
    EXPECT_EQ(out.Canvas()->Pixels(2, 0), clBlue);
    EXPECT_EQ(out.Canvas()->Pixels(0, 1), clBlack);

    // A transparent 24-bit bitmap becomes RGB with a colour key.
    auto rgb = Background(2, 2, clYellow);
    rgb->Canvas()->SetPixels(1, 1, clFuchsia);
    rgb->SetTransparentColor(clFuchsia);
    rgb->SetTransparent(true);
    TPngPicture keyed;
    keyed.Assign(rgb.get());
    EXPECT_EQ(keyed.Header()->ColorType, 2);
    EXPECT_EQ(keyed.TransparencyMode(), ptmBit);
    EXPECT_EQ(keyed.TransparentColor(), clFuchsia);
    TBitmap back;
    back.Assign(&keyed);
    EXPECT_TRUE(back.Transparent());
    EXPECT_EQ(back.TransparentColor(), clFuchsia);
    EXPECT_EQ(back.Canvas()->Pixels(0, 0), clYellow);
    // Drawn with the key left out; a pixel set to the key's colour is keyed out too.
    keyed.SetPixels(0, 0, clFuchsia);
    auto canvas = Background(2, 2, clRed);
    canvas->Canvas()->Draw(0, 0, &keyed);
    EXPECT_EQ(canvas->Canvas()->Pixels(1, 1), clRed);
    EXPECT_EQ(canvas->Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(canvas->Canvas()->Pixels(1, 0), clYellow);
    keyed.SetPixels(0, 0, clYellow);
    // The key survives a file.
    auto reloaded = LoadPng(SavePng(keyed));
    EXPECT_EQ(reloaded->TransparencyMode(), ptmBit);
    EXPECT_EQ(reloaded->TransparentColor(), clFuchsia);
}

TEST(PngPicture, ThroughTheClipboard) {
    auto png =
        LoadPng(TPngBuilder().Header(2, 1, 8, 2).ImageData(QByteArray("\0\xFF\0\0\0\0\xFF", 7)).End().Bytes);
    Clipboard()->Assign(png.get());
    ASSERT_TRUE(Clipboard()->HasFormat(CF_BITMAP));
    TPngPicture pasted;
    pasted.LoadFromClipboardFormat(CF_BITMAP);
    EXPECT_EQ(pasted.Width(), 2);
    EXPECT_EQ(pasted.GetPixels(0, 0), clRed);
    EXPECT_EQ(pasted.GetPixels(1, 0), clBlue);
    Clipboard()->SetAsText(QStringLiteral("早餐"));
    EXPECT_EQ(Clipboard()->AsText(), QStringLiteral("早餐"));
}

TEST(PngPicture, ResizeAndPixels) {
    auto png = LoadPng(
        TPngBuilder().Header(2, 1, 8, 6).ImageData(RgbaRow({{1, 2, 3, 4}, {5, 6, 7, 8}})).End().Bytes);
    EXPECT_THROW(png->Resize(0, 3), EPNGInvalidNewSize);
    png->Resize(3, 2);
    EXPECT_EQ(png->Width(), 3);
    EXPECT_EQ(png->Height(), 2);
    EXPECT_EQ(png->GetPixels(1, 0), RGB(5, 6, 7));
    EXPECT_EQ(png->Header()->ImageAlpha[1], 8);
    png->SetPixels(2, 1, clNavy);
    EXPECT_EQ(png->GetPixels(2, 1), clNavy);
    png->SetPixels(9, 9, clRed);  // outside: nothing happens
    EXPECT_EQ(png->GetPixels(9, 9), 0u);
    png->SetWidth(1);
    EXPECT_EQ(png->Width(), 1);
    EXPECT_TRUE(DecodeWithLibpng(SavePng(*png)).Ok());
    TPngPicture empty;
    EXPECT_THROW(empty.Header(), EPNGHeaderNotPresent);
    // Nothing to save: refused, and nothing is written.
    TMemoryStream nothing;
    EXPECT_THROW(empty.SaveToStream(&nothing), EPNGNoImageData);
    EXPECT_EQ(nothing.Size(), 0);
    EXPECT_EQ(empty.Width(), 0);
    EXPECT_FALSE(empty.Transparent());
}

TEST(PngPicture, PalettePixelsTakeTheNearestEntry) {
    auto png = LoadPng(TPngBuilder()
                           .Header(2, 1, 4, 3)
                           .Chunk("PLTE", QByteArray("\0\0\0\xFF\xFF\xFF\xF0\0\0", 9))
                           .ImageData(QByteArray("\0\x01", 2))
                           .End()
                           .Bytes);
    png->SetPixels(1, 0, clRed);
    EXPECT_EQ(png->GetPixels(1, 0), RGB(0xF0, 0, 0));
}

TEST(PngPicture, CopiesAreIndependent) {
    auto png = LoadPng(TPngBuilder().Header(1, 1, 8, 2).ImageData(QByteArray("\0\1\2\3", 4)).End().Bytes);
    std::unique_ptr<TGraphic> copy = png->Clone();
    png->SetPixels(0, 0, clWhite);
    EXPECT_EQ(static_cast<TPngPicture*>(copy.get())->GetPixels(0, 0), RGB(1, 2, 3));
    TPngPicture assigned;
    assigned.Assign(png.get());
    EXPECT_EQ(assigned.GetPixels(0, 0), clWhite);
    assigned.Assign(nullptr);
    EXPECT_TRUE(assigned.Empty());
}

TEST(PngPicture, PicturesLoadByExtension) {
    EXPECT_EQ(TPicture::FindGraphicClass(QStringLiteral("PNG")), &NewGraphic<TPngPicture>);
    EXPECT_TRUE(TPicture::GraphicFilter().contains(QStringLiteral("Portable Network Graphics (*.png)")));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("图标.png"));
    auto png = LoadPng(
        TPngBuilder().Header(2, 2, 8, 0).ImageData(QByteArray("\0\x40\x40\0\x40\x40", 6)).End().Bytes);
    png->SaveToFile(file);
    TPicture picture;
    picture.LoadFromFile(file);
    ASSERT_NE(dynamic_cast<TPngPicture*>(picture.Graphic()), nullptr);
    EXPECT_EQ(picture.Width(), 2);
    // A file that is not what its name says leaves the picture as it was.
    const QString fake = dir.filePath(QStringLiteral("fake.png"));
    TMemoryStream junk;
    junk.SetBytes("not a png at all");
    junk.SaveToFile(fake);
    EXPECT_THROW(picture.LoadFromFile(fake), EPNGInvalidFileHeader);
    EXPECT_EQ(picture.Width(), 2);
    EXPECT_THROW(picture.LoadFromFile(dir.filePath(QStringLiteral("x.gif"))), EInvalidGraphic);
}

TEST(PngPicture, TheProgramsIconsLoadThroughTheCodec) {
    const QString folder = QStringLiteral(VELORIA_SOURCE_DIR "/data/icons/");
    const QStringList icons = QDir(folder).entryList({QStringLiteral("*.png")}, QDir::Files);
    if (icons.isEmpty()) GTEST_SKIP() << "no icons in " << folder.toStdString();
    for (const QString& name : icons) {
        SCOPED_TRACE(name.toStdString());
        TPicture picture;
        picture.LoadFromFile(folder + name);
        auto* png = dynamic_cast<TPngPicture*>(picture.Graphic());
        ASSERT_NE(png, nullptr);
        EXPECT_EQ(png->Width(), 16);
        EXPECT_TRUE(DecodeWithLibpng(SavePng(*png)).Ok());
    }
}
