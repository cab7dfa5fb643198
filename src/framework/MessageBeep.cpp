#include "MessageBeep.h"

#include <QApplication>

namespace {
TBeepService& BeepService() {
    static TBeepService service;
    return service;
}
}  // namespace

void MessageBeep(unsigned Type) {
    if (BeepService())
        BeepService()(Type);
    else
        QApplication::beep();
}

void SetBeepService(TBeepService Service) {
    BeepService() = std::move(Service);
}
