#include "InstanceLock.h"

#include "SysUtils.h"

#include <QCoreApplication>
#include <QFile>
#include <QPointer>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// The signal handler may only write to a pipe; the notifier reads it on the user-interface thread.
int gWakePipe[2] = {-1, -1};

void OnActivationSignal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(gWakePipe[1], &byte, 1);
    errno = saved;
}

}  // namespace

TInstanceLock::TInstanceLock(const QString& folder) : FPath(IncludeTrailingPathDelimiter(folder) + FileName) {
    FHandle = ::open(QFile::encodeName(FPath).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (FHandle < 0) {
        // A folder where not even the lock can be written keeps nothing either: the program may start
        // and say so itself when it tries to save.
        FAcquired = true;
        return;
    }
    // flock belongs to this open file: a second open, in this process or another, is refused.
    FAcquired = ::flock(FHandle, LOCK_EX | LOCK_NB) == 0;
    if (!FAcquired) return;
    const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
    // The holder's process id, for a later start that wants to wake it.
    if (::ftruncate(FHandle, 0) == 0) {
        [[maybe_unused]] const ssize_t n = ::pwrite(FHandle, pid.constData(), size_t(pid.size()), 0);
    }
}

TInstanceLock::~TInstanceLock() {
    if (FHandle >= 0) ::close(FHandle);  // closing lets go of the lock
}

bool TInstanceLock::ActivateHolder() const {
    QFile f(FPath);
    if (!f.open(QIODevice::ReadOnly)) return false;
    bool ok = false;
    const qint64 pid = f.readLine().trimmed().toLongLong(&ok);
    return ok && pid > 0 && ::kill(pid_t(pid), SIGUSR1) == 0;
}

void ListenForActivation(std::function<void()> handler) {
    static std::function<void()> gHandler;
    static QPointer<QSocketNotifier> gNotifier;
    gHandler = std::move(handler);
    if (gNotifier) return;
    if (gWakePipe[0] < 0 && ::pipe2(gWakePipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    // The application owns the listener, so it goes with the application.
    gNotifier = new QSocketNotifier(gWakePipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(gNotifier, &QSocketNotifier::activated, [] {
        char buffer[64];
        while (::read(gWakePipe[0], buffer, sizeof buffer) > 0) {
        }
        if (gHandler) gHandler();
    });
    struct sigaction action {};
    action.sa_handler = OnActivationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGUSR1, &action, nullptr);
}
