#include "ShellAPI.h"

#include "Dialogs.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {

// The desktop's opener, watched to its end: it reports a missing browser only by its exit code.
class TDesktopShellService : public TShellService {
public:
    bool Open(const QString& address) override {
        const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        if (opener.isEmpty()) return QDesktopServices::openUrl(QUrl::fromUserInput(address));
        // Without a parent: a browser the opener waits for keeps running when the program ends.
        auto* process = new QProcess;
        process->setProcessChannelMode(QProcess::ForwardedChannels);
        QObject::connect(process, &QProcess::finished,
                         [process, address](int code, QProcess::ExitStatus status) {
                             if (status != QProcess::NormalExit || code != 0) ShellOpenFailed(address);
                             process->deleteLater();
                         });
        QObject::connect(process, &QProcess::errorOccurred, [process, address](QProcess::ProcessError error) {
            if (error != QProcess::FailedToStart) return;
            ShellOpenFailed(address);
            process->deleteLater();
        });
        process->start(opener, {address});
        return true;
    }
};

TShellService* gService = nullptr;

}  // namespace

void SetShellService(TShellService* service) {
    gService = service;
}

TShellService* ShellService() {
    static TDesktopShellService desktop;
    return gService ? gService : &desktop;
}

bool ShellOpen(const QString& address) {
    if (ShellService()->Open(address)) return true;
    ShellOpenFailed(address);
    return false;
}

void ShellOpenFailed(const QString& address) {
    MessageBox(QStringLiteral("无法打开网页：\n") + address +
                   QStringLiteral("\n请确认电脑上装有可以打开网页的浏览器。"),
               QStringLiteral("信息提示"), MB_OK);
}
