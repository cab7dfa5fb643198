// Buttons on a shown, active window of a chosen colour (so they can take the focus), and ways to read
// their pictures: single pixels and the box of the pixels of one ink.
#pragma once

#include "ControlProbes.h"
#include "Forms.h"
#include "Graphics.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

struct SkButtonWindow : testing::Test {
    static constexpr TColor SkinBlue = 0xF8B600;
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);

    void SetUp() override {
        Form->SetColor(SkinBlue);
        Form->SetBounds(0, 0, 300, 200);
        Form->Show();
        Form->Widget()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form->Widget()));
    }
    template <class T> T* Place(int left = 10, int top = 10, TWinControl* parent = nullptr) {
        auto* control = new T(Form.get());
        control->SetParent(parent ? parent : Form.get());
        control->SetLeft(left);
        control->SetTop(top);
        // Shown under the window system's mouse a button would start out hot.
        control->Perform(CM_MOUSELEAVE);
        return control;
    }
    // The box of the pixels for which `is` holds ({} when none).
    static TRect Box(const QImage& image, const std::function<bool(TColor)>& is) {
        TRect box{image.width(), image.height(), -1, -1};
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (is(Pixel(image, x, y)))
                    box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                           std::max(box.Bottom, y + 1)};
        return box.Right < 0 ? TRect{} : box;
    }
    // Smoothed text in a pure colour: the pixels where that colour's channel rules.
    static bool Reddish(TColor c) { return GetRValue(c) > 150 && GetBValue(c) < 120 && GetGValue(c) < 120; }
    static bool Bluish(TColor c) { return GetBValue(c) > 150 && GetRValue(c) < 120 && GetGValue(c) < 120; }
};
