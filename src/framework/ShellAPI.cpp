#include "ShellAPI.h"

#include <QDesktopServices>
#include <QUrl>

namespace {

class TDesktopShellService : public TShellService {
public:
    bool Open(const QString& address) override {
        return QDesktopServices::openUrl(QUrl::fromUserInput(address));
    }
};

TShellService* gService = nullptr;

}  // namespace

void SetShellService(TShellService* service) { gService = service; }

TShellService* ShellService() {
    static TDesktopShellService desktop;
    return gService ? gService : &desktop;
}

bool ShellOpen(const QString& address) { return ShellService()->Open(address); }
