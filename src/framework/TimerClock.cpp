#include "TimerClock.h"

#include <QTimer>
#include <algorithm>

namespace {
class TQtTick : public TTimerTick {
public:
    explicit TQtTick(std::function<void()> onTick) {
        QObject::connect(&FTimer, &QTimer::timeout, std::move(onTick));
    }
    void Start(int ms) override { FTimer.start(ms); }
    void Stop() override { FTimer.stop(); }

private:
    QTimer FTimer;
};

class TQtClock : public TTimerClock {
public:
    std::unique_ptr<TTimerTick> CreateTick(std::function<void()> OnTick) override {
        return std::make_unique<TQtTick>(std::move(OnTick));
    }
};

TQtClock QtClock;
TTimerClock* CurrentClock = &QtClock;
}  // namespace

void SetTimerClock(TTimerClock* Clock) {
    CurrentClock = Clock ? Clock : &QtClock;
}

TTimerClock* TimerClock() {
    return CurrentClock;
}

// Manual clock ------------------------------------------------------------------------------------
class TManualClock::TManualTick : public TTimerTick {
public:
    TManualTick(TManualClock* clock, std::function<void()> onTick)
        : FClock(clock), FOnTick(std::move(onTick)) {
        FClock->FTicks.push_back(this);
    }
    ~TManualTick() override {
        if (!FClock) return;
        auto& ticks = FClock->FTicks;
        ticks.erase(std::remove(ticks.begin(), ticks.end(), this), ticks.end());
    }
    void Start(int ms) override {
        FInterval = std::max(1, ms);
        FDue = (FClock ? FClock->FNow : 0) + FInterval;
        FRunning = true;
    }
    void Stop() override { FRunning = false; }

    TManualClock* FClock;
    std::function<void()> FOnTick;
    std::int64_t FDue = 0;
    int FInterval = 1;
    bool FRunning = false;
};

TManualClock::~TManualClock() {
    for (TManualTick* tick : FTicks)
        tick->FClock = nullptr;
}

std::unique_ptr<TTimerTick> TManualClock::CreateTick(std::function<void()> OnTick) {
    return std::make_unique<TManualTick>(this, std::move(OnTick));
}

void TManualClock::Advance(int ms) {
    const std::int64_t target = FNow + std::max(0, ms);
    for (;;) {
        // The earliest running timer due by the target; a tick may start, stop or free timers.
        TManualTick* next = nullptr;
        for (TManualTick* tick : FTicks)
            if (tick->FRunning && tick->FDue <= target && (!next || tick->FDue < next->FDue)) next = tick;
        if (!next) break;
        FNow = next->FDue;
        next->FDue += next->FInterval;
        next->FOnTick();
    }
    FNow = target;
}

int TManualClock::Running() const {
    return int(std::count_if(FTicks.begin(), FTicks.end(), [](const TManualTick* t) { return t->FRunning; }));
}
