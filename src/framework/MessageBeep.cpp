#include "MessageBeep.h"

#include <QApplication>

namespace {
int gBeeps = 0;
}

void MessageBeep(unsigned) {
    ++gBeeps;
    QApplication::beep();
}

int MessageBeepCount() {
    return gBeeps;
}
