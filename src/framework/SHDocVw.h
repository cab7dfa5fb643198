// The web-browser pane: a light HTML viewer for the pages that travel with the program. Local pages
// (file addresses) are shown in the pane, and so are the links followed inside them; any other
// address is handed to the desktop's browser.
#pragma once

#include "Controls.h"

class QTextBrowser;
class QUrl;

class TWebBrowser : public TWinControl {
    Q_OBJECT
public:
    explicit TWebBrowser(TComponent* AOwner);

    // Opens an address. A local page raises OnDownloadBegin, is shown, then raises OnDownloadComplete;
    // a page that is missing shows a notice instead. Other addresses open outside.
    void Navigate(const QString& url);
    // The address of the page shown ("" before the first one).
    QString LocationURL() const { return FLocation; }
    // The title of the page shown.
    QString LocationName() const;
    // The text of the page shown, without its markup.
    QString DocumentText() const;

    TNotifyEvent OnDownloadBegin, OnDownloadComplete;

private:
    QTextBrowser* Browser() const;
    void Show(const QUrl& url);
    QString FLocation;
};
