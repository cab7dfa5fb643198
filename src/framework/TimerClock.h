// The clock framework timers (TTimer) run on: Qt's event loop in the program; in tests a clock that
// moves only when told, so timed behaviour can be stepped through exactly.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// One timer's schedule on a clock.
class TTimerTick {
public:
    virtual ~TTimerTick() = default;
    // Fires every `ms` milliseconds until Stop; starting again begins a new period.
    virtual void Start(int ms) = 0;
    virtual void Stop() = 0;
};

class TTimerClock {
public:
    virtual ~TTimerClock() = default;
    virtual std::unique_ptr<TTimerTick> CreateTick(std::function<void()> OnTick) = 0;
};

// The clock that timers made from now on run on; nullptr returns to Qt's event loop.
void SetTimerClock(TTimerClock* Clock);
TTimerClock* TimerClock();

// A clock stepped by hand.
class TManualClock : public TTimerClock {
public:
    ~TManualClock() override;
    std::unique_ptr<TTimerTick> CreateTick(std::function<void()> OnTick) override;
    // Moves time on by `ms`, firing every timer that falls due on the way, earliest first (at the same
    // time in the order the timers were made).
    void Advance(int ms);
    std::int64_t Now() const { return FNow; }
    // How many timers are running.
    int Running() const;

private:
    class TManualTick;
    std::int64_t FNow = 0;
    std::vector<TManualTick*> FTicks;
};
