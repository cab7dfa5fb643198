#include "InstanceLock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>

TEST(TInstanceLock, OneHolderPerProgramFolderUntilItLetsGo) {
    QTemporaryDir dir, otherDir;
    auto first = std::make_unique<TInstanceLock>(dir.path());
    EXPECT_TRUE(first->Acquired());
    EXPECT_FALSE(TInstanceLock(dir.path()).Acquired());
    EXPECT_TRUE(TInstanceLock(otherDir.path()).Acquired());
    first.reset();
    EXPECT_TRUE(TInstanceLock(dir.path()).Acquired());
}

TEST(TInstanceLock, TheSystemLetsGoOfTheLockOfAKilledProcess) {
    QTemporaryDir dir;
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        TInstanceLock lock(dir.path());
        const char held = lock.Acquired() ? 1 : 0;
        [[maybe_unused]] const ssize_t n = write(ready[1], &held, 1);
        pause();
        _exit(0);
    }
    char held = 0;
    ASSERT_EQ(read(ready[0], &held, 1), 1);
    EXPECT_EQ(held, 1);
    EXPECT_FALSE(TInstanceLock(dir.path()).Acquired());
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    EXPECT_TRUE(TInstanceLock(dir.path()).Acquired());
    close(ready[0]);
    close(ready[1]);
}

TEST(TInstanceLock, ALaterStartWakesTheHolder) {
    QTemporaryDir dir;
    int woken = 0;
    ListenForActivation([&] { ++woken; });
    TInstanceLock holder(dir.path());
    ASSERT_TRUE(holder.Acquired());
    TInstanceLock later(dir.path());
    ASSERT_FALSE(later.Acquired());
    EXPECT_TRUE(later.ActivateHolder());
    QElapsedTimer timer;
    timer.start();
    while (woken == 0 && timer.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(woken, 1);
    ListenForActivation(nullptr);
}
