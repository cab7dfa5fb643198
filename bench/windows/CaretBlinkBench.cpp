// A blink of the caret in a focused date field against a blink in a focused QDateEdit alone in its
// window, taking turns in rounds of 25 blinks each: the personal centre's history date field (whatever
// control it is), and a styled date edit on a tab sheet of a page control with a covered calendar grid
// behind it, as the history page has it. Each prints its blink, the QDateEdit's and their ratio
// (medians over all blinks).
#include "CaretBlink.h"
#include "LoggedInSession.h"
#include "SkEditDateTime.h"
#include "SkGrids.h"
#include "SkTabsPages.h"
#include "UserInfoUnit.h"

#include <QDateEdit>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

constexpr int BlinksPerRound = 25;

double MedianMicroseconds(std::vector<qint64> ns) {
    if (ns.empty()) return 0;
    std::nth_element(ns.begin(), ns.begin() + ns.size() / 2, ns.end());
    return ns[ns.size() / 2] / 1000.0;
}

// The peer: a QDateEdit of the same size in a window of its own.
class TPeerDateEdit {
public:
    TPeerDateEdit() {
        FWindow.setGeometry(720, 40, 240, 80);
        FEdit = new QDateEdit(QDate::currentDate(), &FWindow);
        FEdit->setCalendarPopup(true);
        FEdit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        FEdit->setGeometry(8, 8, 104, 24);
        FWindow.show();
        FBlink = std::make_unique<TCaretBlink>(FEdit);
    }
    TCaretBlink& Blink() { return *FBlink; }

private:
    QWidget FWindow;
    QDateEdit* FEdit;
    std::unique_ptr<TCaretBlink> FBlink;
};

// Rounds of blinks, the field's and the peer's in turn; the iteration's time is the field's blink.
void BlinkAgainstPeer(benchmark::State& state, QWidget* field) {
    TPeerDateEdit peer;
    TCaretBlink subject(field);
    std::vector<qint64> own, theirs;
    for (auto _ : state) {
        if (!subject.Focus()) return state.SkipWithError("the field does not take the focus");
        qint64 round = 0;
        for (int i = 0; i < BlinksPerRound; ++i) {
            const qint64 ns = subject.Blink();
            if (ns < 0) return state.SkipWithError("the field's caret did not repaint");
            own.push_back(ns);
            round += ns;
        }
        state.SetIterationTime(round / 1e9 / BlinksPerRound);
        if (!peer.Blink().Focus()) return state.SkipWithError("the QDateEdit does not take the focus");
        for (int i = 0; i < BlinksPerRound; ++i)
            if (const qint64 ns = peer.Blink().Blink(); ns >= 0) theirs.push_back(ns);
    }
    const double ownUs = MedianMicroseconds(own), peerUs = MedianMicroseconds(theirs);
    state.counters["blink_us"] = ownUs;
    state.counters["qdateedit_us"] = peerUs;
    state.counters["ratio"] = peerUs > 0 ? ownUs / peerUs : 0;
}

// The weight page's history list, whose start date field is DT2.
void HistoryDateField(benchmark::State& state) {
    TLoggedInSession session;
    if (!Frm_UInfo) return state.SkipWithError("the login did not open the personal centre");
    Frm_UInfo->btnNet->Click();
    Frm_UInfo->lblLSJL->Click();
    auto* field = dynamic_cast<TControl*>(Frm_UInfo->FindComponent("DT2"));
    if (!field || !field->Showing()) return state.SkipWithError("no history date field DT2 shows");
    QApplication::processEvents();
    state.SetLabel(field->metaObject()->className());
    BlinkAgainstPeer(state, field->Widget());
}
BENCHMARK(HistoryDateField)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(40);

// The history page's build: a page control with hidden tabs whose sheet holds a calendar panel with
// its grid and, in front of it, the history panel with the date field and the list.
class TStyledDateOnPage {
public:
    TStyledDateOnPage() : FForm(nullptr) {
        FForm.SetBounds(20, 20, 700, 520);
        auto* pages = new TSkPageControl(&FForm);
        pages->SetParent(&FForm);
        pages->SetAlign(alClient);
        auto* sheet = new TSkTabSheet(&FForm);
        sheet->SetPageControl(pages);
        sheet->SetTabVisible(false);
        pages->SetActivePageIndex(0);
        auto* calendarPanel = Panel(sheet);
        auto* calendar = new TSkStringGrid(&FForm);
        calendar->SetParent(calendarPanel);
        calendar->SetBounds(6, 4, 655, 372);
        calendar->SetColCount(7);
        calendar->SetRowCount(7);
        for (int c = 0; c < 7; ++c)
            for (int r = 0; r < 7; ++r)
                calendar->SetCells(c, r, QString::number(r * 7 + c + 1));
        auto* historyPanel = Panel(sheet);
        Field = new TSkDateTimeEdit(&FForm);
        Field->SetParent(historyPanel);
        Field->SetBounds(64, 8, 104, 24);
        Field->SetDate(Date());
        auto* list = new TSkStringGrid(&FForm);
        list->SetParent(historyPanel);
        list->SetBounds(6, 44, 655, 326);
        historyPanel->BringToFront();
        FForm.ShowForm();
        QApplication::processEvents();
    }
    TSkDateTimeEdit* Field;

private:
    TPanel* Panel(TWinControl* parent) {
        auto* panel = new TPanel(&FForm);
        panel->SetParent(parent);
        panel->SetBevelOuter(bvNone);
        panel->SetColor(clWhite);
        panel->SetAlign(alClient);
        return panel;
    }
    TForm FForm;
};

void StyledDateEditOnTabSheet(benchmark::State& state) {
    TStyledDateOnPage page;
    BlinkAgainstPeer(state, page.Field->Widget());
}
BENCHMARK(StyledDateEditOnTabSheet)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(40);

}  // namespace
