// Images and image lists showing pictures the test writes itself.
#include "ExtCtrls.h"
#include "Forms.h"
#include "ImgList.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ImageTest : public testing::Test {
  protected:
    ImageTest() : Form(nullptr) {
        Form.SetBounds(0, 0, 300, 300);
        Form.SetColor(clWhite);
        Image = new TImage(&Form);
        Image->SetParent(&Form);
        Image->SetBounds(10, 10, 100, 80);
    }
    // A BMP of w x h in one colour, written through the framework's own bitmap.
    QString WriteBmp(const QString& name, int w, int h, TColor colour) {
        TBitmap bitmap(w, h);
        bitmap.Canvas()->Brush()->SetColor(colour);
        bitmap.Canvas()->FillRect(Rect(0, 0, w, h));
        const QString path = Dir.filePath(name);
        bitmap.SaveToFile(path);
        return path;
    }
    QString WriteJpeg(const QString& name, int w, int h, QColor colour) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = Dir.filePath(name);
        EXPECT_TRUE(image.save(path, "JPG", 100));
        return path;
    }
    QColor PixelAt(int x, int y) {
        Form.ShowForm();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(Form.Widget()));
        return Form.Widget()->grab().toImage().pixelColor(x, y);
    }
    static bool Near(QColor a, QColor b) {
        return std::abs(a.red() - b.red()) < 12 && std::abs(a.green() - b.green()) < 12 &&
               std::abs(a.blue() - b.blue()) < 12;
    }

    QTemporaryDir Dir;
    TForm Form;
    TImage* Image;
};

} // namespace

TEST_F(ImageTest, AJpegLoadsByItsExtensionAndSizesTheControl) {
    Image->SetAutoSize(true);
    Image->Picture()->LoadFromFile(WriteJpeg("MTop.jpg", 40, 30, QColor(0, 182, 248)));
    EXPECT_EQ(Image->Picture()->Width(), 40);
    EXPECT_EQ(Image->BoundsRect(), Rect(10, 10, 50, 40));
    EXPECT_TRUE(Near(PixelAt(20, 20), QColor(0, 182, 248)));
    EXPECT_EQ(PixelAt(60, 20), QColor(255, 255, 255)); // beyond the picture the window shows
    EXPECT_THROW(Image->Picture()->LoadFromFile(Dir.filePath("skin.xyz")), EInvalidGraphic);
    EXPECT_EQ(Image->Picture()->Width(), 40); // a failed load keeps the picture
}

TEST_F(ImageTest, ABmpIsStretchedCentredOrKeptInShape) {
    Image->Picture()->LoadFromFile(WriteBmp("PLine.bmp", 20, 10, clRed));
    EXPECT_EQ(Image->DestRect(), Rect(0, 0, 20, 10));
    Image->SetCenter(true);
    EXPECT_EQ(Image->DestRect(), Rect(40, 35, 60, 45));
    Image->SetStretch(true);
    Image->SetProportional(true);
    EXPECT_EQ(Image->DestRect(), Rect(0, 15, 100, 65));
    Image->SetProportional(false);
    EXPECT_EQ(Image->DestRect(), Rect(0, 0, 100, 80));
    EXPECT_EQ(PixelAt(15, 85), QColor(255, 0, 0));
    EXPECT_EQ(PixelAt(105, 15), QColor(255, 0, 0));
}

TEST_F(ImageTest, ATransparentBitmapLetsTheWindowShowThrough) {
    TBitmap bitmap(20, 20);
    bitmap.Canvas()->Brush()->SetColor(clLime);
    bitmap.Canvas()->FillRect(Rect(0, 0, 20, 20));
    bitmap.Canvas()->Brush()->SetColor(clBlue);
    bitmap.Canvas()->FillRect(Rect(5, 5, 15, 15));
    Image->Picture()->SetGraphic(&bitmap);
    Image->SetTransparent(true); // the bottom-left colour (lime) is left out
    EXPECT_EQ(PixelAt(12, 12), QColor(255, 255, 255));
    EXPECT_EQ(PixelAt(20, 20), QColor(0, 0, 255));
}

namespace {
// What a bitmap shows drawn onto a white 4 x 2 bitmap.
QImage DrawnOnWhite(TBitmap& source) {
    TBitmap target(4, 2);
    target.Canvas()->Brush()->SetColor(clWhite);
    target.Canvas()->FillRect(Rect(0, 0, 4, 2));
    source.Draw(target.Canvas(), Rect(0, 0, 4, 2));
    return target.ToImage();
}

void Fill(TBitmap& bitmap, const TRect& r, TColor colour) {
    bitmap.Canvas()->Brush()->SetColor(colour);
    bitmap.Canvas()->FillRect(r);
}
}  // namespace

// A bitmap drawn again shows its pixels and its transparent colour as they are now, however they
// changed since it was last drawn: by its canvas, its rows, its key, its size or another bitmap's.
TEST(BitmapDrawing, ADrawnBitmapShowsItsPixelsAsTheyAreNow) {
    for (const TPixelFormat format : {pf24bit, pf32bit, pf8bit}) {
        TBitmap bitmap(4, 2);
        bitmap.SetPixelFormat(format);
        Fill(bitmap, Rect(0, 0, 4, 2), clRed);
        EXPECT_EQ(DrawnOnWhite(bitmap).pixelColor(2, 0), QColor(255, 0, 0)) << format;
        Fill(bitmap, Rect(2, 0, 4, 2), clBlue);
        EXPECT_EQ(DrawnOnWhite(bitmap).pixelColor(2, 0), QColor(0, 0, 255)) << format;

        // Keyed: the bottom-left colour (red) is left out, then a fixed colour (blue).
        bitmap.SetTransparent(true);
        QImage drawn = DrawnOnWhite(bitmap);
        EXPECT_EQ(drawn.pixelColor(0, 0), QColor(255, 255, 255)) << format;
        EXPECT_EQ(drawn.pixelColor(3, 1), QColor(0, 0, 255)) << format;
        bitmap.SetTransparentColor(clBlue);
        drawn = DrawnOnWhite(bitmap);
        EXPECT_EQ(drawn.pixelColor(0, 0), QColor(255, 0, 0)) << format;
        EXPECT_EQ(drawn.pixelColor(3, 1), QColor(255, 255, 255)) << format;
        Fill(bitmap, Rect(0, 0, 1, 1), clLime);
        EXPECT_EQ(DrawnOnWhite(bitmap).pixelColor(0, 0), QColor(0, 255, 0)) << format;
        bitmap.SetTransparent(false);
        EXPECT_EQ(DrawnOnWhite(bitmap).pixelColor(3, 1), QColor(0, 0, 255)) << format;

        // Another bitmap's pixels, then a new size.
        TBitmap green(4, 2);
        green.SetPixelFormat(format);
        Fill(green, Rect(0, 0, 4, 2), clLime);
        bitmap.Assign(&green);
        EXPECT_EQ(DrawnOnWhite(bitmap).pixelColor(1, 1), QColor(0, 255, 0)) << format;
        bitmap.SetSize(2, 1);
        Fill(bitmap, Rect(0, 0, 2, 1), clYellow);
        EXPECT_EQ(DrawnOnWhite(bitmap).pixelColor(3, 1), QColor(255, 255, 0)) << format;
    }
    // Rows written directly.
    TBitmap rows(4, 2);
    rows.SetPixelFormat(pf24bit);
    Fill(rows, Rect(0, 0, 4, 2), clBlack);
    EXPECT_EQ(DrawnOnWhite(rows).pixelColor(0, 0), QColor(0, 0, 0));
    std::uint8_t* row = rows.ScanLine(0);
    row[0] = 0xFF;  // blue, green, red
    row[1] = 0x00;
    row[2] = 0x00;
    EXPECT_EQ(DrawnOnWhite(rows).pixelColor(0, 0), QColor(0, 0, 255));
}

// Copies of one picture share its converted image until either side changes: each then shows its
// own pixels, and the other keeps showing its own; a keyed copy keys its own colour.
TEST(BitmapDrawing, CopiesOfAPictureShowTheirOwnPixelsAfterEitherChanges) {
    for (const TPixelFormat format : {pf24bit, pf8bit, pf32bit}) {
        TBitmap source(4, 2);
        source.SetPixelFormat(format);
        Fill(source, Rect(0, 0, 4, 2), clRed);
        TBitmap first, second;
        first.Assign(&source);
        second.Assign(&source);
        EXPECT_EQ(DrawnOnWhite(first).pixelColor(1, 1), QColor(255, 0, 0)) << format;
        EXPECT_EQ(DrawnOnWhite(second).pixelColor(1, 1), QColor(255, 0, 0)) << format;

        Fill(first, Rect(0, 0, 2, 2), clBlue);
        EXPECT_EQ(DrawnOnWhite(first).pixelColor(1, 1), QColor(0, 0, 255)) << format;
        EXPECT_EQ(DrawnOnWhite(second).pixelColor(1, 1), QColor(255, 0, 0)) << format;
        EXPECT_EQ(DrawnOnWhite(source).pixelColor(1, 1), QColor(255, 0, 0)) << format;

        Fill(source, Rect(0, 0, 4, 2), clLime);
        EXPECT_EQ(DrawnOnWhite(source).pixelColor(3, 0), QColor(0, 255, 0)) << format;
        EXPECT_EQ(DrawnOnWhite(second).pixelColor(3, 0), QColor(255, 0, 0)) << format;
        EXPECT_EQ(DrawnOnWhite(first).pixelColor(3, 0), QColor(255, 0, 0)) << format;

        second.SetTransparent(true);
        second.SetTransparentColor(clRed);
        const QImage keyed = DrawnOnWhite(second);
        EXPECT_EQ(keyed.pixelColor(0, 0), QColor(255, 255, 255)) << format;
        EXPECT_EQ(DrawnOnWhite(first).pixelColor(0, 0), QColor(0, 0, 255)) << format;
        EXPECT_EQ(DrawnOnWhite(first).pixelColor(3, 1), QColor(255, 0, 0)) << format;
    }
}

TEST(ImageList, StripsAreCutAndMaskedColoursLeftOut) {
    TImageList images(nullptr);
    TBitmap strip(48, 16);
    for (int i = 0; i < 3; ++i) {
        strip.Canvas()->Brush()->SetColor(i == 0 ? clRed : i == 1 ? clLime : clBlue);
        strip.Canvas()->FillRect(Rect(i * 16, 0, i * 16 + 16, 16));
    }
    EXPECT_EQ(images.Add(&strip), 0);
    EXPECT_EQ(images.Count(), 3);
    EXPECT_EQ(images.Image(1).pixelColor(8, 8), QColor(0, 255, 0));

    TBitmap icon(16, 16);
    icon.Canvas()->Brush()->SetColor(clFuchsia);
    icon.Canvas()->FillRect(Rect(0, 0, 16, 16));
    icon.Canvas()->Brush()->SetColor(clYellow);
    icon.Canvas()->FillRect(Rect(4, 4, 12, 12));
    EXPECT_EQ(images.AddMasked(&icon, clFuchsia), 3);
    EXPECT_EQ(images.Image(3).pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(images.Image(3).pixelColor(8, 8), QColor(255, 255, 0));

    QImage drawn(20, 20, QImage::Format_RGB32);
    drawn.fill(Qt::white);
    {
        QPainter painter(&drawn);
        TCanvas canvas(&painter);
        images.Draw(&canvas, 2, 2, 3);
    }
    EXPECT_EQ(drawn.pixelColor(3, 3), QColor(255, 255, 255));
    EXPECT_EQ(drawn.pixelColor(10, 10), QColor(255, 255, 0));
    images.SetWidth(24); // a new size empties the list
    EXPECT_EQ(images.Count(), 0);
}

// A picture with an alpha channel keeps it in the list: a half-transparent edge is no pink fringe.
TEST(ImageList, PicturesFromFilesKeepTheirAlpha) {
    QTemporaryDir dir;
    TBitmap picture(16, 16);
    picture.SetPixelFormat(pf32bit);
    picture.SetAlphaFormat(afDefined);
    for (int y = 0; y < 16; ++y) {
        std::uint8_t* line = picture.ScanLine(y);
        for (int x = 0; x < 16; ++x) {
            std::uint8_t* bgra = line + 4 * x;
            const bool edge = x == 8;
            bgra[0] = edge ? 0 : 255;
            bgra[1] = 0;
            bgra[2] = edge ? 255 : 0;
            bgra[3] = y < 4 ? 0 : edge ? 128 : 255;
        }
    }
    const QString file = dir.filePath("icon.bmp");
    picture.SaveToFile(file);
    TImageList images(nullptr);
    ASSERT_EQ(images.AddFromFile(file), 0);
    const QImage loaded = images.Image(0).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(loaded.pixel(2, 2)), 0);
    EXPECT_EQ(loaded.pixelColor(2, 8), QColor(0, 0, 255));
    const QColor edge = loaded.pixelColor(8, 8);
    EXPECT_NEAR(edge.alpha(), 128, 2);
    EXPECT_EQ(edge.red(), 255);
    EXPECT_EQ(edge.blue(), 0);
}
