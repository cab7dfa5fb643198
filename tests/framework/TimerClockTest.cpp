#include "ExtCtrls.h"
#include "TimerClock.h"

#include <gtest/gtest.h>

namespace {
// Timers made inside run on a manual clock.
struct ManualClock : testing::Test {
    TManualClock Clock;
    void SetUp() override { SetTimerClock(&Clock); }
    void TearDown() override { SetTimerClock(nullptr); }
};
}  // namespace

TEST_F(ManualClock, TimersFireWhenTheirTimeComesEarliestFirst) {
    QStringList fired;
    TTimer slow(nullptr), fast(nullptr);
    slow.SetInterval(300);
    fast.SetInterval(200);
    slow.OnTimer = [&](TObject*) { fired << QString("slow@%1").arg(Clock.Now()); };
    fast.OnTimer = [&](TObject*) { fired << QString("fast@%1").arg(Clock.Now()); };
    Clock.Advance(199);
    EXPECT_TRUE(fired.isEmpty());
    Clock.Advance(501);
    // At 600 both are due: the one made first goes first.
    EXPECT_EQ(fired, QStringList({"fast@200", "slow@300", "fast@400", "slow@600", "fast@600"}));
    EXPECT_EQ(Clock.Now(), 700);
}

TEST_F(ManualClock, IntervalZeroAndDisablingStopATimerAndANewIntervalStartsAFreshPeriod) {
    int ticks = 0;
    TTimer timer(nullptr);
    timer.OnTimer = [&](TObject*) { ++ticks; };
    timer.SetInterval(100);
    EXPECT_EQ(Clock.Running(), 1);
    Clock.Advance(150);
    timer.SetInterval(100);  // restarts from now: next tick at 250
    Clock.Advance(90);
    EXPECT_EQ(ticks, 1);
    Clock.Advance(10);
    EXPECT_EQ(ticks, 2);
    timer.SetInterval(0);
    EXPECT_EQ(Clock.Running(), 0);
    Clock.Advance(1000);
    timer.SetInterval(50);
    timer.SetEnabled(false);
    Clock.Advance(1000);
    EXPECT_EQ(ticks, 2);
}

TEST_F(ManualClock, ATimerFreedByItsOwnHandlerEndsThere) {
    int ticks = 0;
    auto* timer = new TTimer(nullptr);
    timer->SetInterval(10);
    timer->OnTimer = [&](TObject*) {
        ++ticks;
        delete timer;
    };
    Clock.Advance(100);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(Clock.Running(), 0);
}
