// One copy of the program per program folder: a lock on a file in the folder, held while the process
// lives and let go of by the system when it ends, however it ends.
#pragma once

#include <QString>
#include <functional>

class TInstanceLock {
public:
    // Tries to take the lock of `folder`; Acquired tells whether this process may go on: it holds the
    // lock, or the folder cannot even hold a lock file.
    explicit TInstanceLock(const QString& folder);
    ~TInstanceLock();
    TInstanceLock(const TInstanceLock&) = delete;
    TInstanceLock& operator=(const TInstanceLock&) = delete;

    bool Acquired() const { return FAcquired; }
    // Asks the process that holds the lock to bring its windows to the front; false when no holder
    // could be told.
    bool ActivateHolder() const;

    static inline const QString FileName = QStringLiteral("Veloria.lock");

private:
    QString FPath;
    int FHandle = -1;
    bool FAcquired = false;
};

// Makes this process answer the requests of ActivateHolder: `handler` then runs on the user-interface
// thread. Called before the lock is taken, so no request can come before there is someone to hear it.
void ListenForActivation(std::function<void()> handler);
