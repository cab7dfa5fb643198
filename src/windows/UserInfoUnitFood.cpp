// The personal centre's food page: the intake calendar, the six meals of a day, the meal's food grid
// with its totals, adding from the frequently-used and search windows, and the save.
#include "UserInfoUnit.h"

#include "ConstTables.h"
#include "Dialogs.h"
#include "FieldRules.h"
#include "IntakeGrid.h"
#include "MealEditing.h"
#include "RecordKeys.h"
#include "UnitMain.h"
#include "UnitOftenFood.h"
#include "UnitTCFoodSrc.h"
#include "WindowBuilder.h"
#include "WindowGrids.h"

#include <utility>
#include <vector>

namespace {

// Stored figures keep one decimal.
double OneDecimal(double value) {
    return StrToFloat(FormatFloat("0.0", value));
}

}  // namespace

void TFrm_UInfo::BuildFoodPage() {
    TWinControl* page = TabSheet5;
    TabSheet5->OnDblClick = [this](TObject* s) { TabSheet5DblClick(s); };
    SGYS = BuildCalendarPanel(page, "pnlYSCla", pnlYSCla, "SGYS", 3, [this](TObject* s) { SGYSDblClick(s); });

    pnlYSJL = PlacePanel(this, page, "pnlYSJL", 0, 0, 667, 460, clWhite);
    pnlYSJL->SetAlign(alClient);
    pnlYSJL->SetVisible(false);

    // The meal buttons and the day's summary by meal.
    pnlAddSP = PlacePanel(this, pnlYSJL, "pnlAddSP", 0, 0, 667, 460, clWhite);
    pnlAddSP->SetAlign(alClient);
    TSkButton** mealButtons[] = {&btnBreakfast,    &btnBreakFastAddtion, &btnLunch,
                                 &btnLunchAddtion, &btnSupper,           &btnSupperAddtion};
    const char* buttonNames[] = {"btnBreakfast",    "btnBreakFastAddtion", "btnLunch",
                                 "btnLunchAddtion", "btnSupper",           "btnSupperAddtion"};
    for (int i = 0; i < 6; ++i) {
        auto* b = Place<TSkButton>(this, pnlAddSP, buttonNames[i], 20 + i * 104, 20, 94, 36);
        b->SetCaption(MealClasses[i]);
        b->SetHint(MealClasses[i]);
        b->OnClick = [this](TObject* s) { btnBreakfastClick(s); };
        *mealButtons[i] = b;
    }
    PlaceLabel(this, pnlAddSP, QString(), "  提示：点击按钮，添加饮食记录。", 14, 66)
        ->Font()
        ->SetColor(clGray);
    SGSC = PlaceStringGrid(this, pnlAddSP, "SGSC", 20, 96, 450, 7 * 29 + 4);
    SGSC->SetColCount(3);
    SGSC->SetRowCount(7);
    SGSC->SetFixedCols(1);
    SGSC->SetDefaultRowHeight(28);
    SGSC->SetColWidths(0, 110);
    SGSC->SetColWidths(1, 166);
    SGSC->SetColWidths(2, 166);
    SGSC->SetScrollBars(ssNone);
    ShowNoSelection(SGSC);

    // One meal's foods.
    pnlYSJLTxt = PlacePanel(this, pnlYSJL, "pnlYSJLTxt", 0, 0, 667, 460, clWhite);
    pnlYSJLTxt->SetAlign(alClient);
    pnlYSJLTxt->SetVisible(false);
    pnlTC = Place<TPanel>(this, pnlYSJLTxt, "pnlTC", 6, 6, 90, 28);
    pnlTC->SetColor(0xFCF6EE);
    pnlTC->Font()->SetStyle(FontStyle(fsBold));
    PlaceLabel(this, pnlYSJLTxt, QString(), "日期", 110, 12);
    edtDT2 = Place<TSkEdit>(this, pnlYSJLTxt, "edtDT2", 140, 8, 100, 24);
    edtDT2->SetReadOnly(true);
    Btn_SaveSW = PlaceButton<TSkButton>(this, pnlYSJLTxt, "Btn_SaveSW", "保存", 260, 6, 70, 28,
                                        [this](TObject* s) { Btn_SaveSWClick(s); });
    btnClearSP = PlaceButton<TSkButton>(this, pnlYSJLTxt, "btnClearSP", "清空", 340, 6, 70, 28,
                                        [this](TObject* s) { btnClearSPClick(s); });
    Label83 = PlaceLabel(this, pnlYSJLTxt, "Label83", "操作方法", 430, 12);
    PlaceLabel(this, pnlYSJLTxt, QString(), "添加食物方法：", 8, 46);
    lbl11 = PlaceLabel(this, pnlYSJLTxt, "lbl11", "[常用食物]", 104, 46);
    lbl12 = PlaceLabel(this, pnlYSJLTxt, "lbl12", "[饮食套餐]", 184, 46);
    lbl13 = PlaceLabel(this, pnlYSJLTxt, "lbl13", "[食物查询]", 264, 46);
    for (TLabel* l : {Label83, lbl11, lbl12, lbl13})
        MakeHoverLink(l);
    Label83->OnClick = [this](TObject* s) { Label83Click(s); };
    lbl11->OnClick = [this](TObject* s) { lbl11Click(s); };
    lbl12->OnClick = [this](TObject* s) { lbl12Click(s); };
    lbl13->OnClick = [this](TObject* s) { lbl13Click(s); };

    const int widths[] = {36, 190, 70, 82, 82, 82, 100};
    SG2 = PlaceStringGrid(this, pnlYSJLTxt, "SG2", 6, 70, 655, 300);
    SG2->SetColCount(7);
    SG2->SetRowCount(2);
    SG2->SetFixedCols(1);
    SG2->SetFixedRows(1);
    SG2->SetDefaultRowHeight(24);
    for (int c = 0; c < 7; ++c)
        SG2->SetColWidths(c, widths[c]);
    SG2->OnSelectCell = [this](TObject* s, int c, int r, bool& can) { SG2SelectCell(s, c, r, can); };
    SG2->OnKeyPress = [](TObject*, QChar& key) { KeepNumberKeys(key); };
    SG2->OnSetEditText = [this](TObject* s, int c, int r, const QString& v) { SG2SetEditText(s, c, r, v); };
    SG2->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        SG2MouseDown(s, b, sh, x, y);
    };
    SG2->OnDragOver = [this](TObject* s, TObject* src, int x, int y, TDragState st, bool& accept) {
        SG2DragOver(s, src, x, y, st, accept);
    };
    PPMDelSP = new TPopupMenu(this);
    PPMDelSP->SetName("PPMDelSP");
    N1 = AddMenuItem(this, PPMDelSP, "N1", "删除", [this](TObject* s) { N1Click(s); });
    SG2->SetPopupMenu(PPMDelSP);

    SG21 = PlaceStringGrid(this, pnlYSJLTxt, "SG21", 6, 372, 655, 28);
    SG21->SetColCount(7);
    SG21->SetRowCount(1);
    SG21->SetFixedCols(0);
    SG21->SetFixedRows(0);
    SG21->SetDefaultRowHeight(24);
    SG21->SetScrollBars(ssNone);
    ShowNoSelection(SG21);
    for (int c = 0; c < 7; ++c)
        SG21->SetColWidths(c, widths[c]);
    PlaceLabel(this, pnlYSJLTxt, QString(), "说明：需输入食物重量，其他数值由软件自动生成。", 8, 408)
        ->Font()
        ->SetColor(clGray);

    // The history of daily totals.
    const THistoryParts h = BuildHistoryPanel(
        page, {"pnlYSCX", "DT7", "DT8", "btn_SearchSW", "SkDBGrid3", "QrySW", "DSSW"}, false,
        {{"CKDate", "日期"},
         {"fnet1", "重量(克)"},
         {"kcal1", "热量(Kcal)"},
         {"pro1", "蛋白质(克)"},
         {"fat1", "脂肪(克)"},
         {"cho1", "碳水化合物(克)"}},
        "说明：查看某一天的明细记录，根据日期选择记录双击即可。");
    pnlYSCX = h.Panel;
    DT7 = h.Start;
    DT8 = h.End;
    btn_SearchSW = h.Search;
    SkDBGrid3 = h.Grid;
    QrySW = h.Query;
    DSSW = h.Source;
    btn_SearchSW->OnClick = [this](TObject* s) { btn_SearchSWClick(s); };
    ActOnDoubleClickOrEnter(SkDBGrid3, [this](TObject* s) { SkDBGrid3DblClick(s); });
}

// Opening a day ----------------------------------------------------------------------------------

void TFrm_UInfo::SGYSDblClick(TObject*) {
    if (!CalendarDay(SGYS, SGYS->Col(), SGYS->Row())) return;
    ShowInFront(pnlYSJL);
    pnlYSJLTxt->Hide();
    ShowInFront(pnlAddSP);
    pnlClaDate->Hide();
    pnlYSCla->Hide();
    edtDT2->SetText(IsoDate(lblDate->Caption()));
    pnlBack->Show();
    LoadMealTotals(edtDT2->Text());
    pnlAddSP->SelectFirst();  // the day's first meal button
}

void TFrm_UInfo::TabSheet5DblClick(TObject*) {
    if (!CalendarDay(SGYS, SGYS->Col(), SGYS->Row())) return;
    ShowInFront(pnlYSJL);
    pnlYSCla->Hide();
    edtDT2->SetText(IsoDate(lblDate->Caption()));
}

void TFrm_UInfo::LoadMealTotals(const QString& date) {
    // Another day's figures never stay.
    for (int r = 1; r <= 6; ++r) {
        SGSC->SetCells(1, r, QString());
        SGSC->SetCells(2, r, QString());
    }
    try {
        Qry->Close();
        Qry->SQL()->SetText(
            "Select sum(KCal) as k, CKCLS From CKRcd Where CKDate=:D And UID=:UID Group By CKCLS");
        Qry->Parameters().Assign({{"D", IsoDate(date)}, {"UID", CurrentUserId()}});
        Qry->Open();
        for (; !Qry->Eof(); Qry->Next())
            for (int i = 0; i < 6; ++i)
                if (Qry->FieldByName("CKCLS")->AsString() == MealClasses[i])
                    SGSC->SetCells(1, i + 1, FormatFloat("0", Qry->FieldByName("k")->AsFloat()) + "KCal");
        Qry->Close();
        const double target = StrToFloat(DM->DayKcal);
        SGSC->SetCells(2, 1, FormatFloat("0", target * 0.3) + "KCal");
        SGSC->SetCells(2, 3, FormatFloat("0", target * 0.4) + "KCal");
        SGSC->SetCells(2, 5, FormatFloat("0", target * 0.3) + "KCal");
    } catch (const std::exception&) {
        // The summary keeps what was written.
    }
}

void TFrm_UInfo::btnBreakfastClick(TObject* Sender) {
    auto* button = dynamic_cast<TControl*>(Sender);
    if (!button) return;
    ShowInFront(pnlYSJLTxt);
    pnlTC->SetCaption(button->Hint());
    LoadMeal(edtDT2->Text(), button->Hint());
    FocusIfCan(SG2);
}

void TFrm_UInfo::LoadMeal(const QString& date, const QString& meal) {
    DM->ClearGrid(SG2, 1);
    FDeletedIntake.clear();
    const bool read = DM->RunSql(
        Qry,
        "Select A.FID, A.Flg, A.CKCLS, B.Food_Name, A.FNet, A.KCal, A.Pro, A.Fat, A.CHO From CKRcd A, Food B "
        "Where A.Flg = 1 And A.CKCLS = :M And A.FID = B.ID And A.CKDate = :D And A.UID = :UID "
        "Union All "
        "Select A.FID, A.Flg, A.CKCLS, B.SPName, A.FNet, A.KCal, A.Pro, A.Fat, A.CHO From CKRcd A, SPInfo B "
        "Where A.CKCLS = :M And A.Flg = 2 And A.FID = B.ID And A.CKDate = :D And A.UID = :UID",
        false, {{"M", meal}, {"D", IsoDate(date)}, {"UID", CurrentUserId()}});
    if (read) {
        for (; !Qry->Eof(); Qry->Next())
            FillIntakeGrid(SG2, Qry);
        Qry->Close();
    }
    KeepEmptyLastRow(SG2);
    SumMealRows(SG2, SG21);
}

void TFrm_UInfo::FillIntakeGrid(TStringGrid* grid, TADOQuery* query) {
    KeepEmptyLastRow(grid);
    const int r = grid->RowCount() - 1;
    grid->SetCells(icNo, r, QString::number(r));
    grid->SetCells(icName, r, query->FieldByName("Food_Name")->AsString());
    TStoredIntake stored;
    const char* fields[] = {"FNet", "KCal", "Pro", "Fat", "CHO"};
    for (int i = 0; i < 5; ++i)
        stored[i] = query->FieldByName(fields[i])->AsFloat();
    ShowStoredIntake(grid, r, stored);
    grid->SetCells(icId, r, QString::number(query->FieldByName("FID")->AsLargeInt()));
    grid->SetCells(icKind, r, QString::number(query->FieldByName("Flg")->AsInteger()));
    grid->SetCells(icSaved, r, "1");
}

// Adding items -----------------------------------------------------------------------------------

void TFrm_UInfo::AddNodeToIntake(TSkTreeView* tree) {
    TTreeNode* node = tree ? tree->Selected() : nullptr;
    // The parent tells the kind of the item; a node whose parent tells none adds nothing.
    TTreeNode* parent = node ? node->Parent() : nullptr;
    if (!parent) return;
    const int kind = parent->StateIndex();
    const QString id = QString::number(node->StateIndex());
    if (kind == 1 || kind == 2)
        PickIntakeItem(SG2, node->Text(), id, QString::number(kind));
    else if (kind == 3)
        AddSetMealToIntake(id);
    else
        return;
    SumIntakeGrid();
}

void TFrm_UInfo::AddSetMealToIntake(const QString& setMealId) {
    if (!DM->RunSql(QrySP,
                    "Select A.Food_Name, B.FdNet, B.CFlg, B.FdID as ID From Food A, SPTCTxt B "
                    "Where A.ID = B.FdID And B.SPID = :SPID And B.CFlg = 1 "
                    "Union All "
                    "Select A.SPName, B.FdNet, B.CFlg, B.FdID From SPInfo A, SPTCTxt B "
                    "Where A.ID = B.FdID And B.SPID = :SPID And B.CFlg = 2",
                    false, {{"SPID", setMealId.toLongLong()}}))
        return;
    for (; !QrySP->Eof(); QrySP->Next()) {
        const QString id = QString::number(QrySP->FieldByName("ID")->AsLargeInt());
        const QString kind = QString::number(QrySP->FieldByName("CFlg")->AsInteger());
        // Items already in the grid are left out without a word.
        if (IntakeGridHasItem(SG2, id, kind)) continue;
        const int row = AddIntakeItem(SG2, QrySP->FieldByName("Food_Name")->AsString(), id, kind);
        SG2->SetCells(icGrams, row, QrySP->FieldByName("FdNet")->AsString());
        ComputeIntakeRow(SG2, row);
    }
    QrySP->Close();
}

void TFrm_UInfo::SG2SetEditText(TObject*, int ACol, int ARow, const QString&) {
    if (ACol != icGrams || ARow < 1 || SG2->Cells(icName, ARow).isEmpty()) return;
    ComputeIntakeRow(SG2, ARow);
    SG2->SetCells(icSaved, ARow, QString());
    SumIntakeGrid();
}

void TFrm_UInfo::SumIntakeGrid() {
    SumMealRows(SG2, SG21);
}

void TFrm_UInfo::SumMealRows(TStringGrid* grid, TStringGrid* totals) {
    SumIntakeRows(grid, totals);
}

void TFrm_UInfo::SG2SelectCell(TObject*, int ACol, int ARow, bool&) {
    EditOnlyColumn(SG2, ACol, ARow, icGrams);
}

void TFrm_UInfo::SG2MouseDown(TObject*, TMouseButton, TShiftState, int X, int Y) {
    SelectCellAt(SG2, X, Y);
}

void TFrm_UInfo::SG2DragOver(TObject*, TObject* Source, int, int, TDragState, bool& Accept) {
    Accept = dynamic_cast<TCustomTreeView*>(Source) != nullptr;
}

void TFrm_UInfo::N1Click(TObject*) {
    // The row goes now; its stored record, if any, when the meal is saved.
    const int r = SG2->Row();
    if (r > 0 && !SG2->Cells(icName, r).isEmpty())
        FDeletedIntake.push_back(
            {pnlTC->Caption(), IsoDate(edtDT2->Text()), SG2->Cells(icId, r), SG2->Cells(icKind, r)});
    DeleteNamedRow(SG2);
    SumIntakeGrid();
}

void TFrm_UInfo::btnClearSPClick(TObject*) {
    DM->ClearGrid(SG2, 1);
}

void TFrm_UInfo::lbl11Click(TObject*) {
    if (!OftenFoodFrm) OftenFoodFrm = new TOftenFoodFrm(this);
    OftenFoodFrm->Open("常用食物", 2);
}

void TFrm_UInfo::lbl12Click(TObject*) {
    if (!OftenFoodFrm) OftenFoodFrm = new TOftenFoodFrm(this);
    OftenFoodFrm->Open("饮食套餐", 1);
}

void TFrm_UInfo::lbl13Click(TObject*) {
    if (!TCFoodSrcFrm) TCFoodSrcFrm = new TTCFoodSrcFrm(this);
    TCFoodSrcFrm->ShowForm();
    TCFoodSrcFrm->SetTargetGrid(SG2);
}

void TFrm_UInfo::Label83Click(TObject*) {
    if (MainFrm) MainFrm->ShowMsgByTitle("饮食录入操作说明");
}

// Saving -----------------------------------------------------------------------------------------

bool TFrm_UInfo::FindIntakeRecord(const QString& id, const QString& kind, const QString& meal,
                                  const QString& date, double stored[5]) {
    Qry->Close();
    Qry->SQL()->SetText(
        "Select FNet, KCal, Pro, Fat, CHO From CKRcd Where UID=:UID And FID=:FID And CKCLS=:M "
        "And CKDate=:D And Flg=:Flg");
    Qry->Parameters().Assign({{"UID", CurrentUserId()},
                              {"FID", id.toLongLong()},
                              {"M", meal},
                              {"D", date},
                              {"Flg", kind.toInt()}});
    Qry->Open();
    const bool found = !Qry->IsEmpty();
    if (found) {
        const char* fields[] = {"FNet", "KCal", "Pro", "Fat", "CHO"};
        for (int i = 0; i < 5; ++i)
            stored[i] = Qry->FieldByName(fields[i])->AsFloat();
    }
    Qry->Close();
    return found;
}

int TFrm_UInfo::RemoveDeletedIntake() {
    int removed = 0;
    for (const TDeletedIntake& d : FDeletedIntake)
        removed +=
            DM->Exec("Delete From CKRcd Where UID=:UID And CKCLS=:M And FID=:FID And Flg=:Flg And CKDate=:D",
                     {{"UID", CurrentUserId()},
                      {"M", d.Meal},
                      {"FID", d.Id.toLongLong()},
                      {"Flg", d.Kind.toInt()},
                      {"D", d.Date}});
    return removed;
}

void TFrm_UInfo::Btn_SaveSWClick(TObject*) {
    bool anyRow = false;
    for (int r = 1; r < SG2->RowCount(); ++r) {
        const QString name = SG2->Cells(icName, r);
        if (name.isEmpty()) continue;
        double grams = 0;
        if (SG2->Cells(icGrams, r).trimmed().isEmpty())
            return void(MessageBox("【" + name + "】重量没有填写", InfoCaption, MB_OK));
        // Rows to be written take a real amount: above 0 and at most 100 000 g.
        const bool toWrite = SG2->Cells(icSaved, r).isEmpty();
        if (!TryStrToFloat(SG2->Cells(icGrams, r).trimmed(), grams) ||
            (toWrite && !ParseFieldNumber(SG2->Cells(icGrams, r), AmountRange, grams)))
            return void(MessageBox("【" + name + "】重量不正确", InfoCaption, MB_OK));
        anyRow = true;
    }
    // A meal whose every food was deleted is saved empty.
    if (!anyRow && FDeletedIntake.empty())
        return void(MessageBox("没有录入记录，不能保存。", InfoCaption, MB_OK));

    const QString meal = pnlTC->Caption();
    const QString date = IsoDate(edtDT2->Text());
    std::vector<std::pair<int, TStoredIntake>> written;  // the rows and what was stored for them
    int removed = 0;
    const bool saved = !date.isEmpty() && DM->Transaction([&] {
        written.clear();
        // Deleted first, so that a food deleted and picked again is stored anew.
        removed = RemoveDeletedIntake();
        for (int r = 1; r < SG2->RowCount(); ++r) {
            const QString name = SG2->Cells(icName, r);
            if (name.isEmpty() || !SG2->Cells(icSaved, r).isEmpty()) continue;
            const QString id = SG2->Cells(icId, r), kind = SG2->Cells(icKind, r);
            double values[5];
            for (int c = icGrams; c <= icCho; ++c)
                values[c - icGrams] = CellNumber(SG2, c, r);
            double stored[5];
            const bool found = FindIntakeRecord(id, kind, meal, date, stored);
            if (found &&
                MessageBox("【" + meal + "】-->" + name + " 的重量：" + FormatFloat("0.0", stored[0]) +
                               "克 已录入，是否合拼？点击“确定”合拼，点击“取消”替换",
                           InfoCaption, MB_OKCANCEL) == IDOK)
                for (int i = 0; i < 5; ++i)
                    values[i] += stored[i];
            QVariantMap params{{"UID", CurrentUserId()},
                               {"M", meal},
                               {"FID", id.toLongLong()},
                               {"Flg", kind.toInt()},
                               {"D", date}};
            const char* names[] = {"G", "K", "P", "F", "C"};
            TStoredIntake kept;
            for (int i = 0; i < 5; ++i) {
                kept[i] = OneDecimal(values[i]);
                params.insert(names[i], kept[i]);
            }
            DM->Exec(
                found ? "Update CKRcd Set FNet=:G,KCal=:K,Pro=:P,Fat=:F,CHO=:C Where UID=:UID And CKCLS=:M "
                        "And FID=:FID And Flg=:Flg And CKDate=:D"
                      : "Insert Into CKRcd(UID,CKCLS,FID,FNet,KCal,Pro,Fat,CHO,CKDate,Flg) "
                        "Values(:UID,:M,:FID,:G,:K,:P,:F,:C,:D,:Flg)",
                params);
            written.emplace_back(r, kept);
        }
    });
    if (!saved) return void(MessageBox("保存失败，请重新保存。", InfoCaption, MB_OK));
    FDeletedIntake.clear();
    if (written.empty() && removed == 0) return;
    // The grid shows what is stored now, a merged row its new sum.
    for (const auto& [row, stored] : written)
        ShowStoredIntake(SG2, row, stored);
    SumIntakeGrid();
    for (int r = 1; r < SG2->RowCount(); ++r)
        if (!SG2->Cells(icName, r).isEmpty() && !SG2->Cells(icGrams, r).isEmpty())
            SG2->SetCells(icSaved, r, "1");
    MessageBox("保存成功", InfoCaption, MB_OK);
    if (MainFrm) MainFrm->RefreshTodayIntake();
    LoadMealTotals(date);
}
