// The clipboard keys as the keyboard sends them (Ctrl goes down on its own first) to whatever has the
// focus: the open cell editor of an entry grid.
#pragma once

#include <QApplication>
#include <QTest>

inline void PressWithCtrl(Qt::Key key) {
    QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier);
}

// In an open cell editor: types `digits`, cuts them (Ctrl+A, Ctrl+X), pastes them twice (Ctrl+V),
// copies all (Ctrl+A, Ctrl+C) and pastes that at the end: the editor then holds `digits` four times.
inline void TypeWithClipboardKeys(const QString& digits) {
    for (QChar c : digits)
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    PressWithCtrl(Qt::Key_A);
    PressWithCtrl(Qt::Key_X);
    PressWithCtrl(Qt::Key_V);
    PressWithCtrl(Qt::Key_V);
    PressWithCtrl(Qt::Key_A);
    PressWithCtrl(Qt::Key_C);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
    PressWithCtrl(Qt::Key_V);
}
