#include "UnitYSMX.h"

#include "RecordKeys.h"

#include <cmath>

TYSMXFrm* YSMXFrm = nullptr;

TYSMXFrm::TYSMXFrm(TComponent* AOwner)
    : TDayDetailForm(AOwner, "YSMXFrm", "饮食明细记录", 640, 360, [this] {
          if (YSMXFrm == this) YSMXFrm = nullptr;
      }) {
    SGYS = MakeGrid("SGYS", {16, 64, 170, 70, 76, 70, 70, 86},
                    {"餐名", "食物名称", "重量", "热量", "脂肪", "蛋白质", "碳水化合物"});
    lblYSSum = MakeTotal("热量合计", "lblYSSum");
}

void TYSMXFrm::LoadDay(const QString& date) {
    BeginDay(SGYS);
    // The total is the sum of the rows as they are shown, each rounded to a whole kcal.
    qint64 total = 0;
    // Foods first, then recipes; a recipe no longer in the book is still listed.
    const QString sql =
        "Select A.CKCLS, B.Food_Name, A.FNet, Round(A.KCal,0) as KCAL1, Round(A.Pro,0) as PRO1, "
        "Round(A.Fat,0) as FAT1, Round(A.CHO,0) as CHO1, 1 as Part, A.rowid as N From CKRcd A Join Food B On "
        "A.FID = B.ID "
        "Where A.Flg = 1 And A.CKDate = :D And A.UID = :UID "
        "Union All "
        "Select A.CKCLS, coalesce(B.SPName, '(已删除的食谱)'), A.FNet, Round(A.KCal,0), "
        "Round(A.Pro,0), "
        "Round(A.Fat,0), Round(A.CHO,0), 2, A.rowid From CKRcd A Left Join SPInfo B On A.FID = B.ID "
        "Where A.Flg = 2 And A.CKDate = :D And A.UID = :UID Order By Part, N";
    if (DM->RunSql(DM->Qry_Open, sql, false, {{"D", IsoDate(date)}, {"UID", CurrentUserId()}})) {
        for (TADOQuery* q = DM->Qry_Open; !q->Eof(); q->Next()) {
            const int r = SGYS->RowCount() - 1;
            auto text = [q](const char* field) { return q->FieldByName(field)->AsString(); };
            SGYS->SetCells(1, r, text("CKCLS"));
            SGYS->SetCells(2, r, text("Food_Name"));
            SGYS->SetCells(3, r, text("FNet") + "克");
            SGYS->SetCells(4, r, text("KCAL1") + "Kcal");
            SGYS->SetCells(5, r, text("FAT1") + "克");
            SGYS->SetCells(6, r, text("PRO1") + "克");
            SGYS->SetCells(7, r, text("CHO1") + "克");
            total += std::llround(q->FieldByName("KCAL1")->AsFloat());
            SGYS->SetRowCount(SGYS->RowCount() + 1);
        }
        DM->Qry_Open->Close();
    }
    lblYSSum->SetCaption(QString::number(total) + "KCal");
}
