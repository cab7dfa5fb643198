#include "SystemMetrics.h"

#include <QApplication>

int GetSystemMetrics(int Index) {
    switch (Index) {
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
        return 16;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    default:
        return 0;
    }
}

int WheelScrollLines() {
    return QApplication::wheelScrollLines();
}
