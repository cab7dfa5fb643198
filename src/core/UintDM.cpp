#include "UintDM.h"

#include "Dialogs.h"
#include "IniFiles.h"

TDM* DM = nullptr;

TDM::TDM(TComponent* AOwner) : TComponent(AOwner) {
    SetName(QStringLiteral("DM"));
    Conn = new TADOConnection(this);
    Conn->SetName(QStringLiteral("Conn"));
    for (TADOQuery** q : {&Qry_Open, &Qry_Exec, &qryFun}) {
        *q = new TADOQuery(this);
        (*q)->SetConnection(Conn);
    }
    Qry_Open->SetName(QStringLiteral("Qry_Open"));
    Qry_Exec->SetName(QStringLiteral("Qry_Exec"));
    qryFun->SetName(QStringLiteral("qryFun"));
    ExePath = ProgramFolder();
    HT = QStringLiteral("0");
    UID = QStringLiteral("0");

    const QString file = ProgramFolder() + DatabaseFileName;
    try {
        Conn->Open(file);
        CheckTables(Conn->TableNames());
        CheckColumns(Conn);
        CheckIntegrity(Conn);
    } catch (const EDatabaseError& e) {
        Conn->Close();  // nothing has been written: the file stays as it was found
        throw EDatabaseError(QStringLiteral("无法打开数据库文件 %1：%2").arg(file, e.Message()));
    }
}

const std::vector<TDM::TRequiredTable>& TDM::RequiredSchema() {
    static const std::vector<TRequiredTable> schema{
        {"UInfo",
         {"UID", "UName", "UName1", "UPWD", "Sex", "Bth", "SG", "HT", "TZ", "Tel", "EMail", "QQMSN", "PCode",
          "Adds", "SPID"}},
        {"BDKcal", {"KCal", "UID", "WRDate"}},
        {"TZ", {"CDT", "TZ1", "TZ2", "TZ3", "UID"}},
        {"SpSet", {"ID", "sType", "tit", "Kcal", "sysFlg"}},
        {"SPRcd", {"DT", "UID", "SPID", "SPTime", "KCal"}},
        {"CKRcd", {"UID", "CKCLS", "FID", "FNet", "KCal", "Pro", "Fat", "CHO", "CKDate", "Flg"}},
        {"CntKCal", {"UID", "CKDate", "OKCAL", "SKCAL", "HKCAL"}},
        {"Food", {"ID", "Food_Name", "PY", "Code"}},
        {"SPInfo", {"ID", "SPCls", "SPP", "SPName", "PY", "SPZF", "CFlg"}},
        {"SPTxt", {"SPID", "FdID", "FdNet"}},
        {"SPTC", {"ID", "SPCls", "SPName", "PY", "WK"}},
        {"SPTCTxt", {"SPID", "FdID", "FdNet", "CFlg"}},
        {"FDUse", {"UID", "FID", "FType"}},
        {"Msg", {"tit", "Msg"}}};
    return schema;
}

void TDM::CheckTables(const QStringList& present) {
    QStringList missing;
    for (const TRequiredTable& table : RequiredSchema())
        if (!present.contains(table.Name, Qt::CaseInsensitive)) missing << table.Name;
    if (missing.size() == int(RequiredSchema().size()))
        throw EDatabaseError(QStringLiteral("文件不是本程序的数据库（其中没有本程序的数据表）"));
    if (!missing.isEmpty())
        throw EDatabaseError(QStringLiteral("数据库缺少数据表 %1").arg(missing.join(QStringLiteral("、"))));
}

namespace {

// The first column of every row a statement gives.
QStringList FirstColumn(TADOConnection* connection, const QString& sql, const QVariantMap& params = {}) {
    TADOQuery query;
    query.SetConnection(connection);
    query.SQL()->SetText(sql);
    query.Parameters().Assign(params);
    query.Open();
    QStringList values;
    for (; !query.Eof(); query.Next())
        values << query.Fields(0)->AsString();
    return values;
}

}  // namespace

void TDM::CheckColumns(TADOConnection* connection) {
    QStringList missing;
    for (const TRequiredTable& table : RequiredSchema()) {
        const QStringList present = FirstColumn(
            connection, QStringLiteral("Select name From pragma_table_info(:T)"), {{"T", table.Name}});
        for (const QString& column : table.Columns)
            if (!present.contains(column, Qt::CaseInsensitive))
                missing << table.Name + QLatin1Char('.') + column;
    }
    if (!missing.isEmpty())
        throw EDatabaseError(QStringLiteral("数据库缺少数据列 %1").arg(missing.join(QStringLiteral("、"))));
}

void TDM::CheckIntegrity(TADOConnection* connection) {
    QStringList problems;
    try {
        // The first few problems say enough; the check stops there.
        problems = FirstColumn(connection, QStringLiteral("PRAGMA quick_check(5)"));
    } catch (const EDatabaseError& e) {
        throw EDatabaseError(QStringLiteral("数据库文件检查失败：%1").arg(e.Message()));
    }
    if (problems == QStringList{QStringLiteral("ok")}) return;
    // Each problem on its own line, without the check's heading of the database it looked at.
    QStringList lines = problems.join(QLatin1Char('\n')).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    lines.removeIf([](const QString& line) { return line.startsWith(QLatin1String("***")); });
    throw EDatabaseError(QStringLiteral("数据库文件已损坏：\n%1").arg(lines.join(QLatin1Char('\n'))));
}

bool TDM::RunSql(TADOQuery* query, const QString& sql, bool exec, const QVariantMap& params) {
    try {
        query->Close();
        query->SQL()->SetText(sql);
        query->Parameters().Assign(params);
        if (exec) query->ExecSQL();
        else query->Open();
        return true;
    } catch (const std::exception& e) {
        query->Close();
        const auto* ex = dynamic_cast<const Exception*>(&e);
        MessageBox(DbErrorPrefix + (ex ? ex->Message() : QString::fromUtf8(e.what())), InfoCaption, MB_OK);
        return false;
    }
}

bool TDM::Transaction(const std::function<void()>& body) {
    // Inside a caller's transaction a failure travels up, so the whole of it rolls back.
    if (Conn->InTransaction()) {
        body();
        return true;
    }
    try {
        Conn->BeginTrans();
        body();
        qryFun->Close();
        Conn->CommitTrans();
        return true;
    } catch (const std::exception&) {
        try {
            Conn->RollbackTrans();
        } catch (const std::exception&) {
            // Nothing more can be done; the failure is reported by the caller.
        }
        return false;
    }
}

int TDM::Exec(const QString& sql, const QVariantMap& params) {
    qryFun->Close();
    qryFun->SQL()->SetText(sql);
    qryFun->Parameters().Assign(params);
    qryFun->ExecSQL();
    return qryFun->RowsAffected();
}

QString TDM::SettingsFile() const { return (ExePath.isEmpty() ? ProgramFolder() : ExePath) + SettingsFileName; }

int TDM::GetKcalMode() const {
    const int mode = TIniFile(SettingsFile()).ReadInteger(QStringLiteral("UINFO"), QStringLiteral("BKFLG"), 0);
    if (mode < 1) return 1;
    if (mode >= 2) return 2;
    return mode;
}
