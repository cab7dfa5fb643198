#include "ProgramImages.h"

#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

TEST(ProgramImages, TreeIconsLoadThroughTheCodec) {
    TComponent owner;
    TImageList* images = CreateTreeImages(&owner);
    ASSERT_TRUE(QFile::exists(":/icons/tree0.png"));
    ASSERT_EQ(images->Count(), 4);
    const QImage folder = images->Image(0);
    EXPECT_EQ(folder.size(), QSize(16, 16));
    EXPECT_EQ(qAlpha(folder.pixel(0, 0)), 0);    // the corner is transparent
    EXPECT_EQ(qAlpha(folder.pixel(8, 8)), 255);  // the folder's body is solid
}
