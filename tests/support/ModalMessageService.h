// A message box double that is a real modal window: while it shows, the window behind is not active
// and its focus widget hears of that, as with the program's own boxes. It closes itself a moment
// later; the window behind stays inactive until the test activates it again, as a window manager would.
#pragma once

#include "Dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QStringList>
#include <QTimer>
#include <QWidget>

class TModalMessageService : public TMessageService {
public:
    TModalMessageService() { SetMessageService(this); }
    ~TModalMessageService() override { SetMessageService(nullptr); }

    int MessageBox(const QString& text, const QString&, int) override {
        Texts.push_back(text);
        QDialog box(QApplication::activeWindow());
        box.setWindowModality(Qt::ApplicationModal);
        QTimer::singleShot(20, &box, &QDialog::accept);
        box.exec();
        return IDOK;
    }
    // The window the box came from is active again.
    static bool Reactivate(QWidget* window) {
        window->activateWindow();
        return QTest::qWaitForWindowActive(window);
    }

    QStringList Texts;
};
