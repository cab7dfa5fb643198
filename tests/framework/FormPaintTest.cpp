// A window's OnPaint and work queued from it: the program's start does the rest of its work only once
// the first window is drawn.
#include "Controls.h"
#include "Forms.h"
#include "RecordingServices.h"

#include <QTest>
#include <gtest/gtest.h>

TEST(FormPaint, WorkQueuedFromTheFirstPaintRunsOnceTheControlsAreDrawn) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 120);
    auto* box = new TPaintBox(&form);
    box->SetParent(&form);
    box->SetBounds(10, 10, 50, 50);
    std::vector<QString> order;
    form.OnPaint = [&](TObject* sender) {
        EXPECT_EQ(sender, &form);
        if (order.empty()) Application->Queue([&] { order.push_back("queued"); });
        order.push_back("form");
    };
    box->OnPaint = [&](TObject*) { order.push_back("control"); };
    form.ShowForm();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.Widget()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return order.size() >= 3; }));
    EXPECT_EQ(order[0], "form");
    EXPECT_EQ(order[1], "control");
    EXPECT_EQ(order[2], "queued");
    EXPECT_EQ(std::count(order.begin(), order.end(), "queued"), 1);
}

TEST(FormPaint, AQueuedCallThatFailsIsShownLikeAnyHandler) {
    TRecordingMessageService boxes;
    bool after = false;
    Application->Queue([] { throw Exception("数据库文件不存在"); });
    Application->Queue([&] { after = true; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return after; }));
    ASSERT_EQ(boxes.Boxes.size(), 1u);
    EXPECT_EQ(boxes.LastText(), "数据库文件不存在");
}
