// Opening a web address or file with the desktop's handler, through a replaceable service.
#pragma once

#include <QString>

class TShellService {
public:
    virtual ~TShellService() = default;
    virtual bool Open(const QString& address) = 0;
};

void SetShellService(TShellService* service);  // nullptr restores the real one
TShellService* ShellService();

bool ShellOpen(const QString& address);
