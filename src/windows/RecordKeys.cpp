#include "RecordKeys.h"

#include <QStringList>

std::vector<qlonglong> ParseIdList(const QString& list) {
    std::vector<qlonglong> ids;
    for (const QString& part : list.split(QLatin1Char(','))) {
        bool ok = false;
        const qlonglong id = part.trimmed().toLongLong(&ok);
        if (ok) ids.push_back(id);
    }
    return ids;
}

QString JoinIds(const std::vector<qlonglong>& ids) {
    QStringList parts;
    for (qlonglong id : ids)
        parts << QString::number(id);
    return parts.join(QLatin1Char(','));
}

std::vector<qlonglong> UserActivityIds() {
    if (!DM->RunSql(DM->qryFun, "Select SPID From UInfo Where UID=:UID", false, {{"UID", CurrentUserId()}}))
        return {};
    const QString list = DM->qryFun->IsEmpty() ? QString() : DM->qryFun->FieldByName("SPID")->AsString();
    DM->qryFun->Close();
    return ParseIdList(list);
}
