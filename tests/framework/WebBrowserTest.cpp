#include "Forms.h"
#include "RecordingServices.h"
#include "SHDocVw.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

class WebBrowser : public testing::Test {
protected:
    void SetUp() override {
        Write("a.htm",
              "<html><head><meta charset=\"utf-8\"><title>第一页</title></head><body>"
              "<p>你好</p><a href=\"sub/b.htm\">下一页</a> <a href=\"https://example.org/x\">外部</a>"
              "</body></html>");
        Write("sub/b.htm", "<html><head><title>第二页</title></head><body><p>再见</p></body></html>");
        Browser = new TWebBrowser(&Form);
        Browser->SetParent(&Form);
        Browser->OnDownloadBegin = [this](TObject*) { Events << "begin"; };
        Browser->OnDownloadComplete = [this](TObject*) { Events << "complete"; };
        Form.ShowForm();
    }

    void Write(const QString& path, const QByteArray& text) {
        QDir(Dir.path()).mkpath(QFileInfo(path).path());
        QFile f(Dir.filePath(path));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    QString Address(const QString& path) const { return QUrl::fromLocalFile(Dir.filePath(path)).toString(); }
    // Follows a link of the page shown as a click would.
    void Follow(const QString& href) {
        emit static_cast<QTextBrowser*>(Browser->Widget())->anchorClicked(QUrl(href));
    }

    QTemporaryDir Dir;
    TRecordingShellService Shell;
    TForm Form{nullptr};
    TWebBrowser* Browser = nullptr;
    QStringList Events;
};

TEST_F(WebBrowser, ShowsALocalPageBetweenTheDownloadEvents) {
    Browser->Navigate(Address("a.htm"));
    EXPECT_EQ(Events, (QStringList{"begin", "complete"}));
    EXPECT_EQ(Browser->LocationURL(), Address("a.htm"));
    EXPECT_EQ(Browser->LocationName(), "第一页");
    EXPECT_TRUE(Browser->DocumentText().contains("你好"));
    EXPECT_TRUE(Shell.Opened.empty());
}

TEST_F(WebBrowser, FollowsLocalLinksHereAndHandsOthersToTheDesktop) {
    Browser->Navigate(Address("a.htm"));
    Follow("sub/b.htm");
    EXPECT_EQ(Browser->LocationURL(), Address("sub/b.htm"));
    EXPECT_TRUE(Browser->DocumentText().contains("再见"));
    Browser->Navigate(Address("a.htm"));
    Events.clear();
    Follow("https://example.org/x");
    ASSERT_EQ(Shell.Opened.size(), 1u);
    EXPECT_EQ(Shell.Opened[0], "https://example.org/x");
    EXPECT_TRUE(Events.isEmpty());
    EXPECT_EQ(Browser->LocationURL(), Address("a.htm"));  // the pane keeps its page
}

TEST_F(WebBrowser, AMissingPageShowsANotice) {
    Browser->Navigate(Address("none.htm"));
    EXPECT_EQ(Events, (QStringList{"begin", "complete"}));
    EXPECT_TRUE(Browser->DocumentText().contains("无法打开页面"));
    EXPECT_TRUE(Browser->DocumentText().contains("none.htm"));
}

}  // namespace
