#include "UnitHDMX.h"

#include "RecordKeys.h"

#include <cmath>

THDMXFrm* HDMXFrm = nullptr;

THDMXFrm::THDMXFrm(TComponent* AOwner)
    : TDayDetailForm(AOwner, "HDMXFrm", "活动明细记录", 420, 320, [this] {
          if (HDMXFrm == this) HDMXFrm = nullptr;
      }) {
    SGHD = MakeGrid("SGHD", {16, 200, 90, 90}, {"活动名称", "活动时间(分)", "消耗热量"});
    lblSPSum = MakeTotal("热量合计", "lblSPSum");
}

void THDMXFrm::LoadDay(const QString& date) {
    BeginDay(SGHD);
    // The total is the sum of the rows as they are shown, each rounded to a whole kcal.
    qint64 total = 0;
    // A record whose activity has left the catalogue is still listed and counted.
    if (DM->RunSql(DM->Qry_Open,
                   "Select R.SPTime, round(R.KCal,0) as KCAL1, S.tit "
                   "From SPRcd R Left Join SpSet S On S.ID = R.SPID "
                   "Where R.DT=:D And R.UID=:UID Order By R.rowid",
                   false, {{"D", IsoDate(date)}, {"UID", CurrentUserId()}})) {
        for (TADOQuery* q = DM->Qry_Open; !q->Eof(); q->Next()) {
            const int r = SGHD->RowCount() - 1;
            const QString title = q->FieldByName("tit")->AsString();
            SGHD->SetCells(1, r, title.isEmpty() ? QString("(已删除的活动)") : title);
            SGHD->SetCells(2, r, q->FieldByName("SPTime")->AsString());
            SGHD->SetCells(3, r, q->FieldByName("KCAL1")->AsString() + "Kcal");
            total += std::llround(q->FieldByName("KCAL1")->AsFloat());
            SGHD->SetRowCount(SGHD->RowCount() + 1);
        }
        DM->Qry_Open->Close();
    }
    lblSPSum->SetCaption(QString::number(total) + "Kcal");
}
