#include "RecordingServices.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

TEST(Placeholder, DatabaseOpens) {
    TTestDatabase db;
    EXPECT_EQ(db.Scalar("select count(*) from Food"), "1849");
}
