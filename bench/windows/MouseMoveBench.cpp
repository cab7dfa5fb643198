// The mouse moving over the main window after the login, one move at a time through the window
// system's path (the widget under the mouse found, left and entered, hot controls repainted), side by
// side with a Qt window of the same shape: a tool button for every speed button, a label for every
// label and a plain widget for every other control, at the same places, with the same hints.
#define QTEST_QPA_MOUSE_HANDLING
#include "LoggedInSession.h"
#include "PeerRatios.h"

#include <QLabel>
#include <QTest>
#include <QToolButton>
#include <memory>

namespace {

// A path over the whole window: rows 11 pixels apart, a point every 7 pixels along them.
std::vector<QPoint> PathOver(const QSize& size) {
    std::vector<QPoint> path;
    for (int y = 5; y < size.height() - 5; y += 11)
        for (int x = 5; x < size.width() - 5; x += 7)
            path.emplace_back(x, y);
    return path;
}

void MoveAlong(benchmark::State& state, QWidget* window) {
    const std::vector<QPoint> path = PathOver(window->size());
    size_t next = 0;
    for (auto _ : state) {
        QTest::mouseMove(window, path[next]);
        QApplication::processEvents();
        next = (next + 1) % path.size();
    }
    state.counters["points"] = double(path.size());
}

// Qt's widgets in the places of the window's own, the shown ones only.
void Mirror(const QWidget* from, QWidget* to) {
    to->setGeometry(from->geometry());
    to->setToolTip(from->toolTip());
    to->setAutoFillBackground(from->autoFillBackground());
    to->setPalette(from->palette());
    for (const QObject* object : from->children()) {
        const auto* child = qobject_cast<const QWidget*>(object);
        if (!child || child->isWindow() || !child->isVisible()) continue;
        QWidget* copy;
        if (const auto* button = qobject_cast<const QToolButton*>(child)) {
            auto* tool = new QToolButton(to);
            tool->setAutoRaise(button->autoRaise());
            tool->setIcon(button->icon());
            tool->setText(button->text());
            copy = tool;
        } else if (const auto* label = qobject_cast<const QLabel*>(child)) {
            auto* text = new QLabel(label->text(), to);
            text->setPixmap(label->pixmap());
            copy = text;
        } else {
            copy = new QWidget(to);
        }
        Mirror(child, copy);
    }
}

void MainWindowMoves(benchmark::State& state) {
    TLoggedInSession session;
    if (MainFrm->pnlLoad->Visible()) return state.SkipWithError("the login did not go through");
    MoveAlong(state, MainFrm->Widget());
}

void MirrorWindowMoves(benchmark::State& state) {
    std::unique_ptr<QWidget> window;
    {
        TLoggedInSession session;
        window = std::make_unique<QWidget>();
        Mirror(MainFrm->Widget(), window.get());
    }
    window->move(0, 0);
    window->show();
    QApplication::processEvents();
    MoveAlong(state, window.get());
}

const bool Registered = [] {
    for (auto* b : RegisterPeerPair("MouseMoveOverMainWindow", MainWindowMoves, MirrorWindowMoves))
        b->Unit(benchmark::kMicrosecond);
    return true;
}();

}  // namespace
