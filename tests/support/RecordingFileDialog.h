// Test double for file dialogs: records every request and answers from a script.
#pragma once

#include "Dialogs.h"

#include <deque>
#include <optional>
#include <vector>

// Installed for its lifetime; an empty script cancels.
class TRecordingFileDialogService : public TFileDialogService {
  public:
    TRecordingFileDialogService() { SetFileDialogService(this); }
    ~TRecordingFileDialogService() override { SetFileDialogService(nullptr); }

    void Answer(const QString& fileName) { Answers.push_back(fileName); }
    void Cancel() { Answers.push_back(std::nullopt); }

    bool SaveFileName(const TFileDialogRequest& request, QString& fileName) override {
        Requests.push_back(request);
        if (Answers.empty()) return false;
        const std::optional<QString> answer = Answers.front();
        Answers.pop_front();
        if (!answer) return false;
        fileName = *answer;
        return true;
    }

    std::vector<TFileDialogRequest> Requests;
    std::deque<std::optional<QString>> Answers;
};
