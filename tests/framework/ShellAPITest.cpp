// The desktop's opener: an opener that exits with an error or cannot be started is told to the user.
#include "RecordingServices.h"
#include "ShellAPI.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class DesktopShell : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Dir.isValid());
        SavedPath = qgetenv("PATH");
        qputenv("PATH", Dir.path().toUtf8());
    }
    void TearDown() override { qputenv("PATH", SavedPath); }

    // An xdg-open that ends with `code`, as the real one does when no browser is installed (3).
    void InstallOpener(int code) {
        QFile opener(Dir.filePath("xdg-open"));
        ASSERT_TRUE(opener.open(QIODevice::WriteOnly));
        opener.write(QByteArray("#!/bin/sh\nexit ") + QByteArray::number(code) + "\n");
        opener.close();
        opener.setPermissions(opener.permissions() | QFile::ExeOwner);
    }

    QTemporaryDir Dir;
    QByteArray SavedPath;
    TRecordingMessageService Boxes;
};

}  // namespace

TEST_F(DesktopShell, AnOpenerThatFindsNoProgramShowsABoxNamingThePage) {
    InstallOpener(3);
    EXPECT_TRUE(ShellOpen("https://example.org/page.htm"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Boxes.Boxes.empty(); }, 5000));
    EXPECT_TRUE(Boxes.LastText().contains("https://example.org/page.htm"));
    EXPECT_EQ(Boxes.LastCaption(), "信息提示");
}

TEST_F(DesktopShell, AnOpenerThatSucceedsShowsNothing) {
    InstallOpener(0);
    EXPECT_TRUE(ShellOpen("https://example.org/page.htm"));
    QTest::qWait(300);
    EXPECT_TRUE(Boxes.Boxes.empty());
}
