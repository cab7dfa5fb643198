#include "SkBckgnd.h"
#include "Streaming.h"

#include <gtest/gtest.h>
#include <memory>

namespace {
// Separators on a light grey parent (240, 240, 240) with a black highlight, so the bands of the
// gradient fall on whole values.
struct Separator : testing::Test {
    static constexpr TColor Grey = RGB(240, 240, 240);
    std::unique_ptr<TPaintBox> Parent = std::make_unique<TPaintBox>(nullptr);
    void SetUp() override {
        Parent->SetColor(Grey);
        Parent->SetBounds(0, 0, 300, 300);
    }
    TSkSeparator* MakeSeparator(int width, int height) {
        auto* separator = new TSkSeparator(Parent.get());
        separator->SetParent(Parent.get());
        separator->SetBounds(0, 0, width, height);
        separator->SetHighlightColor(clBlack);
        return separator;
    }
};

int GreyAt(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    EXPECT_TRUE(qRed(p) == qGreen(p) && qGreen(p) == qBlue(p)) << x << "," << y;
    return qRed(p);
}
}  // namespace

TEST_F(Separator, ACentredHighlightFadesFromTheColourAtBothEndsToTheHighlightInTheMiddle) {
    TSkSeparator* separator = MakeSeparator(11, 2);
    EXPECT_EQ(separator->Color(), Grey);  // the parent's
    EXPECT_EQ(separator->GradientDirection(), gdVerticalCenter);
    // Split at 5: from the highlight at x 5 to x 0 in 6 steps of 40; from the colour at x 10 to
    // x 6 in 5 steps of 48.
    const int expected[11] = {200, 160, 120, 80, 40, 0, 48, 96, 144, 192, 240};
    const QImage& image = separator->PaintOffscreen();
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 11; ++x)
            EXPECT_EQ(GreyAt(image, x, y), expected[x]) << x << "," << y;
}

TEST_F(Separator, AHighlightAtOneEndFadesAcrossTheWholeBar) {
    TSkSeparator* separator = MakeSeparator(11, 1);
    separator->SetHighlightLocation(hlLowerRight);
    // No split: from the stop colour (the highlight) at x 10 down to x 0 in 11 steps of 240/11.
    QImage image = separator->PaintOffscreen();
    EXPECT_EQ(GreyAt(image, 10, 0), 0);
    EXPECT_EQ(GreyAt(image, 9, 0), 21);
    EXPECT_EQ(GreyAt(image, 0, 0), 218);
    separator->SetHighlightLocation(hlUpperLeft);  // the colours change places
    image = separator->PaintOffscreen();
    EXPECT_EQ(GreyAt(image, 10, 0), 240);
    EXPECT_EQ(GreyAt(image, 9, 0), 218);
    EXPECT_EQ(GreyAt(image, 0, 0), 21);
}

TEST_F(Separator, TurningItExchangesWidthAndHeightAndFadesDownwards) {
    TSkSeparator* separator = MakeSeparator(11, 2);
    separator->SetOrientation(orVertical);
    EXPECT_EQ(separator->Width(), 2);
    EXPECT_EQ(separator->Height(), 11);
    EXPECT_EQ(separator->GradientDirection(), gdHorizontalCenter);
    const int expected[11] = {200, 160, 120, 80, 40, 0, 48, 96, 144, 192, 240};
    const QImage& image = separator->PaintOffscreen();
    for (int y = 0; y < 11; ++y)
        EXPECT_EQ(GreyAt(image, 1, y), expected[y]) << y;
    // Read from a form the size stays as stored.
    std::unique_ptr<TComponent> made(TextToComponent(
        "object S: TSkSeparator\n  Width = 1\n  Height = 50\n  Orientation = orVertical\nend"));
    auto* loaded = qobject_cast<TSkSeparator*>(made.get());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->Width(), 1);
    EXPECT_EQ(loaded->Height(), 50);
}

TEST_F(Separator, WithoutGradientOrOnFewColoursTheBarIsOneColour) {
    TSkSeparator* separator = MakeSeparator(11, 1);
    separator->SetShowGradient(false);
    QImage image = separator->PaintOffscreen();
    for (int x = 0; x < 11; ++x)
        EXPECT_EQ(GreyAt(image, x, 0), 240);
    separator->SetShowGradient(true);
    HighColorDisplay = false;
    image = separator->PaintOffscreen();
    HighColorDisplay = true;
    for (int x = 0; x < 11; ++x)
        EXPECT_EQ(GreyAt(image, x, 0), 0);  // the stop colour: the highlight
}

TEST_F(Separator, ANewColourIsTakenIntoTheGradient) {
    TSkSeparator* separator = MakeSeparator(11, 1);
    Parent->SetColor(clWhite);
    EXPECT_EQ(separator->StartColor(), clWhite);
    EXPECT_EQ(GreyAt(separator->PaintOffscreen(), 10, 0), 255);
    separator->SetHighlightColor(clGray);
    EXPECT_EQ(separator->StopColor(), clGray);
    EXPECT_EQ(GreyAt(separator->PaintOffscreen(), 5, 0), 128);
}
