// The food day-detail window, opened from the food history list as a double click on a row opens it:
// the time until it is painted and how many controls outside it paint meanwhile; and the heap that
// opening and closing it a thousand times leaves in use.
//
// Today's figures come from a build of the earlier code with this file and bench/support copied in;
// bench/windows/compare_builds.py runs the two builds in turns and prints the ratio.
#include "LoggedInSession.h"
#include "UnitYSMX.h"
#include "UserInfoUnit.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPaintEvent>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <malloc.h>

namespace {

// Counts, while on, the paint events of the widgets outside the day-detail window, and sees whether the
// window itself has been painted.
class TPaintsOutside : public QObject {
public:
    TPaintsOutside() { qApp->installEventFilter(this); }
    ~TPaintsOutside() override { qApp->removeEventFilter(this); }
    bool On = true;
    int Count = 0;
    bool WindowPainted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || !watched->isWidgetType()) return false;
        const bool inside = YSMXFrm && static_cast<QWidget*>(watched)->window() == YSMXFrm->Widget();
        if (inside) WindowPainted = true;
        if (On && !inside) ++Count;
        return false;
    }
};

// Today's breakfast of 12 foods in the food history list of the personal centre.
TFrm_UInfo* FoodHistoryWithToday() {
    for (int food = 1; food <= 12; ++food)
        ExecOnModule("insert into CKRcd (UID, CKCLS, FID, FNet, KCal, Pro, Fat, CHO, CKDate, Flg) "
                     "values (:U, '早餐', :F, 100, 80, 3, 2, 12, :D, 1)",
                     {{"U", DM->UID}, {"F", food}, {"D", DateToISO(Date())}});
    TFrm_UInfo* centre = Frm_UInfo;
    centre->btnFdLst->Click();
    centre->lblLSJL->Click();
    centre->btn_SearchSW->Click();
    QApplication::processEvents();
    return centre;
}

// A double click on the list's current row, until the window it opens has been painted: on a window
// system the first paint waits for the window to be exposed, which one pass of the events may not see.
[[gnu::noinline]] void OpenDayDetailOnce(TFrm_UInfo* centre, TPaintsOutside& paints) {
    paints.WindowPainted = false;
    centre->SkDBGrid3DblClick(centre->SkDBGrid3);
    QElapsedTimer waited;
    waited.start();
    do
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    while (!paints.WindowPainted && waited.elapsed() < 2000);
}

void CloseDayDetail() {
    if (YSMXFrm) YSMXFrm->Close();
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void OpenFoodDayDetail(benchmark::State& state) {
    TLoggedInSession session;
    if (!Frm_UInfo) return state.SkipWithError("the login did not open the personal centre");
    TFrm_UInfo* centre = FoodHistoryWithToday();
    TPaintsOutside outside;
    for (auto _ : state) {
        OpenDayDetailOnce(centre, outside);
        state.PauseTiming();
        if (!YSMXFrm) return state.SkipWithError("the double click opened no day-detail window");
        if (!outside.WindowPainted) return state.SkipWithError("the day-detail window was never painted");
        // Only what the opening painted counts, not the window's going.
        outside.On = false;
        CloseDayDetail();
        outside.On = true;
        state.ResumeTiming();
    }
    state.counters["paints_outside"] = double(outside.Count) / state.iterations();
}
BENCHMARK(OpenFoodDayDetail)->Unit(benchmark::kMillisecond)->Iterations(40);

void DayDetailHeapKept(benchmark::State& state) {
    TLoggedInSession session;
    if (!Frm_UInfo) return state.SkipWithError("the login did not open the personal centre");
    TFrm_UInfo* centre = FoodHistoryWithToday();
    TPaintsOutside paints;
    auto openAndClose = [&] {
        OpenDayDetailOnce(centre, paints);
        CloseDayDetail();
    };
    for (auto _ : state) {
        for (int i = 0; i < 10; ++i)
            openAndClose();
        malloc_trim(0);
        const double after10 = double(mallinfo2().uordblks);
        for (int i = 10; i < 1000; ++i)
            openAndClose();
        malloc_trim(0);
        const double after1000 = double(mallinfo2().uordblks);
        state.counters["kept_kb"] = (after1000 - after10) / 1024;
    }
}
BENCHMARK(DayDetailHeapKept)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
