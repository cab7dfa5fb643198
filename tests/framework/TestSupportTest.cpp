// The suite's own safety nets: the watchdog over drop-down loops (a loop that nothing ends fails the
// test and is ended, so a fault in a key that should close a drop-down costs one failed test, not a hung
// suite), and the rule for shared data (missing data skips a test on a developer's machine, fails it in CI).
#include "Controls.h"
#include "PopupLoop.h"
#include "PopupLoopWatchdog.h"
#include "SharedData.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {
struct PopupLoopWatchdogTest : testing::Test {
    // Far above the few milliseconds a loop that ends in time takes, even on a busy machine.
    static constexpr int Limit = 1000;
    TCustomControl Host{nullptr};
    TPopupLoopWatchdog* Watchdog = PopupLoopWatchdog();
    int SavedLimit = 0;

    void SetUp() override {
        ASSERT_NE(Watchdog, nullptr) << "every test program runs the watchdog";
        SavedLimit = Watchdog->LimitMilliseconds();
        Watchdog->SetLimitMilliseconds(Limit);
        Host.SetBounds(100, 100, 60, 40);
        MakeDropDownWindow(&Host, nullptr);
        ShowDropDownWindow(&Host);
    }
    void TearDown() override {
        HideDropDownWindow(&Host);
        Watchdog->SetLimitMilliseconds(SavedLimit);
    }
};
}  // namespace

TEST_F(PopupLoopWatchdogTest, ALoopThatNothingEndsFailsTheTestAndEndsSoonAfterTheLimit) {
    EXPECT_EQ(PopupLoopWatchdog()->LimitMilliseconds(), Limit);
    TDropDownLoop loop(&Host, WM_USER + 1);
    TDropDownLoopEnd how = dleRunning;
    const int endedBefore = Watchdog->Ended();
    QElapsedTimer clock;
    clock.start();
    EXPECT_NONFATAL_FAILURE(how = loop.Run(), "drop-down loop still ran after 1000 ms");
    EXPECT_EQ(how, dleTerminated);
    EXPECT_EQ(Watchdog->Ended(), endedBefore + 1);
    EXPECT_GE(clock.elapsed(), Limit);
    EXPECT_LT(clock.elapsed(), 5 * Limit);
    EXPECT_EQ(TDropDownLoop::Innermost(), nullptr);
    // The same fault would hold the test's next loop as well: that one ends at the next look.
    TDropDownLoop next(&Host, WM_USER + 1);
    clock.restart();
    EXPECT_NONFATAL_FAILURE(how = next.Run(), "ended it at once");
    EXPECT_EQ(how, dleTerminated);
    EXPECT_LT(clock.elapsed(), Limit);  // the next look comes within a tenth of that
}

TEST_F(PopupLoopWatchdogTest, ALoopThatEndsInTimeIsLeftAloneAndTheInnermostOneIsWatched) {
    TDropDownLoop outer(&Host, WM_USER + 1);
    TDropDownLoop inner(&Host, WM_USER + 2);
    TDropDownLoop* seenInside = nullptr;
    TDropDownLoopEnd innerHow = dleRunning;
    const int endedBefore = Watchdog->Ended();
    // The outer loop runs the inner one, which ends by itself after 100 ms; then the outer one ends.
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(100, [&] {
            seenInside = TDropDownLoop::Innermost();
            EXPECT_GE(inner.RunningMilliseconds(), 50);
            inner.End();
        });
        innerHow = inner.Run();
        outer.End();
    });
    EXPECT_EQ(outer.Run(), dleEnded);
    EXPECT_EQ(innerHow, dleEnded);
    EXPECT_EQ(seenInside, &inner);
    EXPECT_EQ(Watchdog->Ended(), endedBefore);
    EXPECT_EQ(TDropDownLoop::Innermost(), nullptr);
    EXPECT_EQ(outer.RunningMilliseconds(), 0);
}

namespace {
// Sets the environment variable CI for the test's length and puts the old value back.
class TCIVariable {
public:
    explicit TCIVariable(const char* value) : FHad(qEnvironmentVariableIsSet("CI")), FOld(qgetenv("CI")) {
        if (value)
            qputenv("CI", value);
        else
            qunsetenv("CI");
    }
    ~TCIVariable() {
        if (FHad)
            qputenv("CI", FOld);
        else
            qunsetenv("CI");
    }

private:
    bool FHad;
    QByteArray FOld;
};

void RequireMissingData() {
    REQUIRE_SHARED_DATA(QStringLiteral("/nonexistent/shared/testdata/pngsuite"));
}
}  // namespace

TEST(SharedData, MissingDataFailsInCIAndIsSkippedElsewhere) {
    QTemporaryDir folder;
    const QString missing = folder.filePath(QStringLiteral("pngsuite"));
    {
        const TCIVariable ci("true");
        EXPECT_TRUE(RunningInCI());
        EXPECT_EQ(SharedDataVerdict(missing), TSharedDataVerdict::Fail);
        EXPECT_EQ(SharedDataVerdict(folder.path()), TSharedDataVerdict::Present);
        EXPECT_FATAL_FAILURE(RequireMissingData(), "CI runs with the shared data, but it is missing");
    }
    for (const char* notCI : {"", "false", static_cast<const char*>(nullptr)}) {
        const TCIVariable ci(notCI);
        EXPECT_FALSE(RunningInCI()) << (notCI ? notCI : "(unset)");
        EXPECT_EQ(SharedDataVerdict(missing), TSharedDataVerdict::Skip);
    }
}
