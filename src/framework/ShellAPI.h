// Opening a web address or file with the desktop's handler, through a replaceable service.
#pragma once

#include <QString>

class TShellService {
public:
    virtual ~TShellService() = default;
    // False when nothing could be found to open the address. A handler that fails later tells
    // ShellOpenFailed itself.
    virtual bool Open(const QString& address) = 0;
};

void SetShellService(TShellService* service);  // nullptr restores the real one
TShellService* ShellService();

// Opens the address; when nothing opens it, a box names the page. Gives whether it was handed over.
bool ShellOpen(const QString& address);
// The box that tells the user an address could not be opened.
void ShellOpenFailed(const QString& address);
