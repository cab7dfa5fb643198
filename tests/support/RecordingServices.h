// Test doubles for the services a window talks to: message boxes and the desktop shell.
#pragma once

#include "Dialogs.h"
#include "ShellAPI.h"

#include <QString>
#include <deque>
#include <functional>
#include <vector>

struct TRecordedBox {
    QString Text, Caption;
    int Flags = 0;
};

// Records every box and answers from a queue (IDOK when the queue is empty); `WhileShown` looks at the
// window behind a box. Installed for its lifetime.
class TRecordingMessageService : public TMessageService {
public:
    TRecordingMessageService() { SetMessageService(this); }
    ~TRecordingMessageService() override { SetMessageService(nullptr); }

    int MessageBox(const QString& text, const QString& caption, int flags) override {
        Boxes.push_back({text, caption, flags});
        if (WhileShown) WhileShown();
        if (Answers.empty()) return IDOK;
        const int answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    QString LastText() const { return Boxes.empty() ? QString() : Boxes.back().Text; }
    QString LastCaption() const { return Boxes.empty() ? QString() : Boxes.back().Caption; }

    std::vector<TRecordedBox> Boxes;
    std::deque<int> Answers;
    std::function<void()> WhileShown;
};

class TRecordingShellService : public TShellService {
public:
    TRecordingShellService() { SetShellService(this); }
    ~TRecordingShellService() override { SetShellService(nullptr); }
    bool Open(const QString& address) override {
        Opened.push_back(address);
        return Succeeds;
    }
    std::vector<QString> Opened;
    bool Succeeds = true;  // false: the desktop has nothing to open an address with
};
