#include "SHDocVw.h"

#include "ShellAPI.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>

TWebBrowser::TWebBrowser(TComponent* AOwner) : TWinControl(AOwner) {
    auto* browser = new QTextBrowser;
    // Links are followed here, so that those leaving the delivered pages go to the desktop's browser.
    browser->setOpenLinks(false);
    QObject::connect(browser, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) {
        const QUrl base = QUrl(FLocation);
        Navigate(base.resolved(link).toString());
    });
    SetWidget(browser);
    SetMouseWidget(browser->viewport());
    SetBounds(0, 0, 300, 150);
    FColor = clWindow;
}

QTextBrowser* TWebBrowser::Browser() const {
    return static_cast<QTextBrowser*>(FWidget.data());
}

void TWebBrowser::Navigate(const QString& url) {
    const QUrl address(url);
    if (!address.isLocalFile()) {
        ShellOpen(url);
        return;
    }
    FireEvent(OnDownloadBegin, this);
    FLocation = url;
    Show(address);
    FireEvent(OnDownloadComplete, this);
}

void TWebBrowser::Show(const QUrl& url) {
    QTextBrowser* browser = Browser();
    if (!browser) return;
    const QFileInfo file(url.toLocalFile());
    if (file.isFile() && file.isReadable()) {
        browser->setSource(url, QTextDocument::HtmlResource);
        return;
    }
    browser->setHtml(QStringLiteral("<html><head><title>无法打开页面</title></head><body>"
                                    "<h3>无法打开页面</h3><p>找不到文件：%1</p></body></html>")
                         .arg(url.toLocalFile().toHtmlEscaped()));
}

QString TWebBrowser::LocationName() const {
    return Browser() ? Browser()->documentTitle() : QString();
}

QString TWebBrowser::DocumentText() const {
    return Browser() ? Browser()->toPlainText() : QString();
}
