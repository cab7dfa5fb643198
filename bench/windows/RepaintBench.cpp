// Full repaints, headless: the main window after the login (with the personal centre docked in it)
// and the personal centre on its food page with a meal of 20 foods. Each iteration paints the whole
// window with all its children into an image, as an uncovered window is painted.
#include "DirectSql.h"
#include "LoggedInSession.h"
#include "UserInfoUnit.h"

#include <QApplication>
#include <QImage>
#include <QWidget>
#include <benchmark/benchmark.h>

namespace {

// Paints `widget` and all its children into one image per iteration.
void RepaintWhole(benchmark::State& state, QWidget* widget) {
    QImage image(widget->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        widget->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["width"] = widget->width();
    state.counters["height"] = widget->height();
}

void MainWindowAfterLogin(benchmark::State& state) {
    TLoggedInSession session;
    if (!Frm_UInfo || MainFrm->pnlLoad->Visible()) return state.SkipWithError("the login did not go through");
    RepaintWhole(state, MainFrm->Widget());
}
BENCHMARK(MainWindowAfterLogin)->Unit(benchmark::kMillisecond);

// Today's breakfast of the first 20 foods, opened from the food page's calendar as a user opens it.
void OpenTodaysBreakfastOf20(TFrm_UInfo* centre) {
    const QString today = DateToISO(Date());
    for (int food = 1; food <= 20; ++food)
        ExecOnModule("insert into CKRcd (UID, CKCLS, FID, FNet, KCal, Pro, Fat, CHO, CKDate, Flg) "
                     "values (:U, '早餐', :F, 100, 80, 3, 2, 12, :D, 1)",
                     {{"U", DM->UID}, {"F", food}, {"D", today}});
    centre->btnFdLst->Click();
    int y, m, d;
    DecodeDate(Date(), y, m, d);
    for (int row = 1; row < centre->SGYS->RowCount(); ++row)
        for (int col = 0; col < 7; ++col)
            if (TCLA* cell = centre->CalendarDay(centre->SGYS, col, row); cell && cell->day.toInt() == d) {
                centre->SGYS->SetCol(col);
                centre->SGYS->SetRow(row);
            }
    centre->SGYSDblClick(centre->SGYS);
    centre->btnBreakfast->Click();
    QApplication::processEvents();
}

void FoodPageWith20Rows(benchmark::State& state) {
    TLoggedInSession session;
    if (!Frm_UInfo) return state.SkipWithError("the login did not open the personal centre");
    OpenTodaysBreakfastOf20(Frm_UInfo);
    // The meal's rows and the empty row for the next food.
    state.counters["rows"] = Frm_UInfo->SG2->RowCount() - 2;
    if (Frm_UInfo->SG2->RowCount() - 2 != 20)
        return state.SkipWithError("the meal did not open with 20 rows");
    RepaintWhole(state, Frm_UInfo->Widget());
}
BENCHMARK(FoodPageWith20Rows)->Unit(benchmark::kMillisecond);

}  // namespace
