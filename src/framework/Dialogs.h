// Message boxes go through one replaceable service, so tests can answer them and read what was said.
#pragma once

#include <QString>

enum : int {
    MB_OK = 0x00,
    MB_OKCANCEL = 0x01,
    MB_ICONQUESTION = 0x20,
    MB_ICONWARNING = 0x30,
    MB_ICONINFORMATION = 0x40,
};
enum : int { IDOK = 1, IDCANCEL = 2 };

class TMessageService {
public:
    virtual ~TMessageService() = default;
    // Shows the box and returns the button pressed (IDOK or IDCANCEL).
    virtual int MessageBox(const QString& text, const QString& caption, int flags) = 0;
};

// The service in use; nullptr restores the real one.
void SetMessageService(TMessageService* service);
TMessageService* MessageService();

int MessageBox(const QString& text, const QString& caption, int flags = MB_OK);
