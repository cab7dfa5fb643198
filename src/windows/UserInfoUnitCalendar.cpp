// The personal centre's month calendars of weight, activity and intake, the month buttons, and the
// activity and food history lists with their day-detail windows.
#include "UserInfoUnit.h"

#include "Dialogs.h"
#include "RecordKeys.h"
#include "UnitHDMX.h"
#include "UnitYSMX.h"
#include "WindowBuilder.h"
#include "WindowGrids.h"

#include <map>

namespace {

const char* const WeekdayTitles[] = {"星期日", "星期一", "星期二", "星期三", "星期四", "星期五", "星期六"};

// The day's value of each kind, as the calendar query of that kind gives it (D the day, K the value).
QString MonthQuery(int kind) {
    switch (kind) {
    case 1:
        return "Select CAST(substr(CDT,9,2) AS INTEGER) as D, TZ1 as K From TZ "
               "Where UID=:UID And CDT Between :First And :Last";
    case 2:
        return "Select CAST(substr(DT,9,2) AS INTEGER) as D, sum(KCal) as K From SPRcd "
               "Where UID=:UID And DT Between :First And :Last Group By DT";
    default:
        return "Select CAST(substr(CKDate,9,2) AS INTEGER) as D, sum(KCal) as K From CKRcd "
               "Where UID=:UID And CKDate Between :First And :Last Group By CKDate";
    }
}

// The chosen day sits on a pale blue instead of the grid's dark selection, where the blue day
// numbers and red values could not be read.
constexpr TColor ChosenDayColour = 0xFFF0E0;

QString ValueText(int kind, const QString& value) {
    if (kind == 1) return "体重：" + value + "Kg";
    if (kind == 2) return "消耗:" + value + "Kcal";
    return "热量：" + value + "Kcal";
}

// The date of the date label, split; false when it holds no date.
bool LabelDate(TLabel* label, int& y, int& m, int& d) {
    TDateTime date = 0;
    if (!TryISOToDate(label->Caption(), date)) return false;
    DecodeDate(date, y, m, d);
    return true;
}

QString UnpaddedDate(int y, int m, int d) {
    return QStringLiteral("%1-%2-%3").arg(y).arg(m).arg(d);
}

}  // namespace

TSkStringGrid* TFrm_UInfo::BuildCalendarPanel(TWinControl* page, const QString& panelName, TPanel*& panel,
                                              const QString& gridName, int kind, TNotifyEvent onDblClick) {
    panel = PlacePanel(this, page, panelName, 0, 0, 667, 460, clWhite);
    panel->SetAlign(alClient);
    auto* grid = PlaceStringGrid(this, panel, gridName, 6, 4, 655, 372);
    grid->SetTag(kind);
    grid->SetColCount(7);
    grid->SetRowCount(7);
    grid->SetFixedCols(0);
    grid->SetFixedRows(1);
    grid->SetScrollBars(ssNone);
    grid->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine);
    for (int c = 0; c < 7; ++c)
        grid->SetCells(c, 0, WeekdayTitles[c]);
    grid->OnSelectCell = [this](TObject* s, int c, int r, bool& can) { SGTZSelectCell(s, c, r, can); };
    grid->OnDrawCell = [this](TObject* s, int c, int r, TRect rect, TGridDrawState st) {
        SGTZDrawCell(s, c, r, rect, st);
    };
    grid->OnResize = [this](TObject* s) { SGTZResize(s); };
    ActOnDoubleClickOrEnter(grid, std::move(onDblClick));
    SGTZResize(grid);
    PlaceLabel(this, panel, QString(),
               kind == 3 ? "  提示：选择日期双击，添加记录。 " : "  提示：选择日期双击，添加记录。", 6, 382)
        ->Font()
        ->SetColor(clGray);
    if (kind == 1)
        PlaceLabel(this, panel, QString(), "日期表格中红色字体的数据：表示已录入的体重。", 250, 382);
    if (kind == 2)
        PlaceLabel(this, panel, QString(), "日期表格中红色字体的数据：表示已录入的活动消耗的热量。", 250,
                   382);
    return grid;
}

TSkDateTimeEdit* TFrm_UInfo::PlaceDateField(TWinControl* parent, const char* name, int left, int top,
                                            int width) {
    auto* field = Place<TSkDateTimeEdit>(this, parent, name, left, top, width, 24);
    field->SetFlatButtons(true);
    field->SetCaptionTodayBtn("今天");
    field->SetCaptionClearBtn("清除");
    return field;
}

TFrm_UInfo::THistoryParts TFrm_UInfo::BuildHistoryPanel(TWinControl* page, const THistoryNames& names,
                                                        bool captionAbove,
                                                        std::initializer_list<TColumnSpec> columns,
                                                        const QString& note) {
    THistoryParts h;
    h.Panel = PlacePanel(this, page, names.Panel, 0, 0, 667, 460, clWhite);
    h.Panel->SetAlign(alClient);
    h.Panel->SetVisible(false);
    if (captionAbove) {
        PlaceLabel(this, h.Panel, QString(), "起始日期                   截止日期", 8, 0);
        h.Start = PlaceDateField(h.Panel, names.Start, 8, 14, 104);
        h.End = PlaceDateField(h.Panel, names.End, 116, 14, 104);
    } else {
        PlaceLabel(this, h.Panel, QString(), "起始日期", 8, 12);
        h.Start = PlaceDateField(h.Panel, names.Start, 64, 8, 104);
        PlaceLabel(this, h.Panel, QString(), "截止日期", 180, 12);
        h.End = PlaceDateField(h.Panel, names.End, 236, 8, 104);
    }
    h.Search = PlaceButton<TSkButton>(this, h.Panel, names.Search, "查询", captionAbove ? 234 : 354,
                                      captionAbove ? 12 : 6, 70, 28, nullptr);
    h.Query = MakeQuery(this, DM->Conn, names.Query);
    h.Source = MakeDataSource(this, names.Source, h.Query);
    h.Grid = PlaceDBGrid(this, h.Panel, names.Grid, 6, 44, 655, 326);
    h.Grid->SetDataSource(h.Source);
    h.Grid->SetOptions(dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines | dgRowSelect);
    AddColumns(h.Grid, columns);
    for (int i = 0; i < h.Grid->Columns()->Count(); ++i)
        h.Grid->Columns()->Items(i)->SetWidth((620 - 12) / int(columns.size()));
    PlaceLabel(this, h.Panel, QString(), note, 8, 378)->Font()->SetColor(clGray);
    return h;
}

TStringGrid* TFrm_UInfo::CalendarOfKind(int kind) const {
    switch (kind) {
    case 1:
        return SGTZ;
    case 2:
        return SGHD;
    case 3:
        return SGYS;
    default:
        return nullptr;
    }
}

TCLA* TFrm_UInfo::CalendarDay(TStringGrid* grid, int col, int row) const {
    return dynamic_cast<TCLA*>(grid->Objects(col, row));
}

void TFrm_UInfo::FreeCalendarDays(TStringGrid* grid) {
    if (!grid) return;
    for (int r = 1; r < grid->RowCount(); ++r)
        for (int c = 0; c < grid->ColCount(); ++c)
            grid->SetObjects(c, r, nullptr);
    FCalendarDays[grid->Tag() - 1].clear();
}

void TFrm_UInfo::LoadMonthCalendar(int year, int month, int kind) {
    TStringGrid* grid = CalendarOfKind(kind);
    if (!grid || month < 1 || month > 12) return;
    const int days = DaysInAMonth(year, month);
    const QString first = DateToISO(EncodeDate(year, month, 1));
    const QString last = DateToISO(EncodeDate(year, month, days));
    std::map<int, QString> values;
    if (DM->RunSql(DM->Qry_Open, MonthQuery(kind), false,
                   {{"UID", CurrentUserId()}, {"First", first}, {"Last", last}})) {
        for (TADOQuery* q = DM->Qry_Open; !q->Eof(); q->Next())
            values[q->FieldByName("D")->AsInteger()] = FormatFloat("0", q->FieldByName("K")->AsFloat());
        DM->Qry_Open->Close();
    }

    FreeCalendarDays(grid);
    auto& cells = FCalendarDays[kind - 1];
    const int firstWeekday = DayOfWeek(EncodeDate(year, month, 1));  // Sunday 1
    int position = 1;
    for (int day = 1; day <= days; ++day) {
        const int row = position / 7 + (position % 7 > 0 ? 1 : 0);
        const int col = DayOfWeek(EncodeDate(year, month, day)) - 1;
        auto cell = std::make_unique<TCLA>();
        cell->day = QString::number(day);
        if (const auto found = values.find(day); found != values.end()) {
            cell->flag = 1;
            cell->value = found->second;
        }
        grid->SetObjects(col, row, cell.get());
        cells.push_back(std::move(cell));
        position = day == 1 ? firstWeekday + 1 : position + 1;
    }

    // The cell of the date label's day is the selected one, so the day a double-click opens is the day
    // shown chosen; choosing it by code leaves the label alone.
    int y = 0, m = 0, chosen = 0;
    if (!LabelDate(lblDate, y, m, chosen)) DecodeDate(Date(), y, m, chosen);
    FFillingCalendar = true;
    for (int r = 1; r <= 6; ++r)
        for (int c = 0; c <= 6; ++c) {
            const TCLA* cell = CalendarDay(grid, c, r);
            if (cell && cell->day == QString::number(chosen)) {
                grid->SetRow(r);
                grid->SetCol(c);
            }
        }
    FFillingCalendar = false;
    grid->Invalidate();
}

void TFrm_UInfo::RefreshCalendar() {
    int y = 0, m = 0, d = 0;
    if (LabelDate(lblDate, y, m, d)) LoadMonthCalendar(y, m, PC3->ActivePageIndex());
}

void TFrm_UInfo::btnLDateClick(TObject*) {
    int y = 0, m = 0, d = 0;
    if (!LabelDate(lblDate, y, m, d)) return;
    if (m > 1) {
        --m;
    } else {
        m = 12;
        --y;
    }
    d = std::min(d, DaysInAMonth(y, m));
    lblDate->SetCaption(UnpaddedDate(y, m, d));
    LoadMonthCalendar(y, m, PC3->ActivePageIndex());
}

void TFrm_UInfo::btnRDateClick(TObject*) {
    int y = 0, m = 0, d = 0;
    if (!LabelDate(lblDate, y, m, d)) return;
    if (m < 12) {
        ++m;
    } else {
        m = 1;
        ++y;
    }
    d = std::min(d, DaysInAMonth(y, m));
    lblDate->SetCaption(UnpaddedDate(y, m, d));
    LoadMonthCalendar(y, m, PC3->ActivePageIndex());
}

void TFrm_UInfo::SGTZSelectCell(TObject* Sender, int ACol, int ARow, bool&) {
    auto* grid = dynamic_cast<TStringGrid*>(Sender);
    if (FFillingCalendar || !grid) return;
    const TCLA* cell = CalendarDay(grid, ACol, ARow);
    int y = 0, m = 0, d = 0;
    if (cell && LabelDate(lblDate, y, m, d)) lblDate->SetCaption(UnpaddedDate(y, m, cell->day.toInt()));
}

void TFrm_UInfo::SGTZDrawCell(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State) {
    auto* grid = dynamic_cast<TStringGrid*>(Sender);
    if (!grid || ARow == 0) return;
    TCanvas* canvas = grid->Canvas();
    if (State & gdSelected) {
        canvas->Brush()->SetColor(ChosenDayColour);
        canvas->FillRect(Rect);
    }
    const TCLA* cell = CalendarDay(grid, ACol, ARow);
    if (!cell) return;
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->SetStyle(FontStyle(fsBold));
    canvas->Font()->SetSize(12);
    canvas->Font()->SetColor(cell->flag == 1 ? TColor(0xC0C0C0) : TColor(0xFF0000));
    const int w = canvas->TextWidth(cell->day), h = canvas->TextHeight(cell->day);
    canvas->TextOut((Rect.Left + Rect.Right - w) / 2, (Rect.Top + Rect.Bottom - h) / 2, cell->day);
    if (!cell->value.isEmpty()) {
        canvas->Font()->SetSize(10);
        canvas->Font()->SetColor(0x0000FF);
        canvas->TextOut(Rect.Left + 2, Rect.Top + 2, ValueText(grid->Tag(), cell->value));
    }
    canvas->Brush()->SetStyle(bsSolid);
}

void TFrm_UInfo::SGTZResize(TObject* Sender) {
    auto* grid = dynamic_cast<TStringGrid*>(Sender);
    if (!grid) return;
    grid->SetDefaultColWidth((grid->Width() - 10) / 7);
    grid->SetDefaultRowHeight((grid->Height() - 10) / 7);
    grid->SetRowHeights(0, 21);
}

// History lists -----------------------------------------------------------------------------------

void TFrm_UInfo::btn_HTSearchClick(TObject*) {
    const QString from = IsoDate(DT5->Text()), to = IsoDate(DT6->Text());
    if (from.isEmpty()) return void(MessageBox("起始日期不正确", InfoCaption, MB_OK));
    if (to.isEmpty()) return void(MessageBox("截止日期不正确", InfoCaption, MB_OK));
    if (to < from) return void(MessageBox("截止日期不能小于起始日期", InfoCaption, MB_OK));
    DM->RunSql(AdoHD,
               "Select DT, Round(sum(KCal),0) as KCal1 From SPRcd Where UID=:UID And DT Between :D1 And :D2 "
               "Group By DT Order By DT DESC",
               false, {{"UID", CurrentUserId()}, {"D1", from}, {"D2", to}});
}

void TFrm_UInfo::btn_SearchSWClick(TObject*) {
    const QString from = IsoDate(DT7->Text()), to = IsoDate(DT8->Text());
    if (from.isEmpty()) return void(MessageBox("开始日期错误", InfoCaption, MB_OK));
    if (to.isEmpty()) return void(MessageBox("截止日期错误", InfoCaption, MB_OK));
    if (to < from) return void(MessageBox("截止日期不能小于起始日期", InfoCaption, MB_OK));
    DM->RunSql(
        QrySW,
        "Select CKDate, Round(sum(FNet),0) as fnet1, Round(sum(KCal),0) as kcal1, Round(sum(Pro),0) as pro1, "
        "Round(sum(Fat),0) as fat1, Round(sum(CHO),0) as cho1 From CKRcd Where UID=:UID "
        "And CKDate Between :D1 And :D2 Group By CKDate Order By CKDate DESC",
        false, {{"UID", CurrentUserId()}, {"D1", from}, {"D2", to}});
}

template <class TDetail>
void TFrm_UInfo::OpenDayDetail(TADOQuery* list, const QString& dateField, TDetail*& detail) {
    try {
        if (!list->Active() || list->IsEmpty()) return;
        const QString date = list->FieldByName(dateField)->AsString();
        if (!detail) detail = new TDetail(this);
        detail->ShowForm();
        detail->LoadDay(date);
    } catch (const std::exception&) {
        // A detail that cannot be shown leaves the list as it is.
    }
}

void TFrm_UInfo::SkDBGrid2DblClick(TObject*) {
    OpenDayDetail(AdoHD, "DT", HDMXFrm);
}

void TFrm_UInfo::SkDBGrid3DblClick(TObject*) {
    OpenDayDetail(QrySW, "CKDate", YSMXFrm);
}
