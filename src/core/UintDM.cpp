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
    } catch (const EDatabaseError& e) {
        Conn->Close();  // nothing has been written: the file stays as it was found
        throw EDatabaseError(QStringLiteral("无法打开数据库文件 %1：%2").arg(file, e.Message()));
    }
}

const QStringList& TDM::RequiredTables() {
    static const QStringList tables{"UInfo", "BDKcal", "TZ",    "SpSet", "SPRcd",   "CKRcd", "CntKCal",
                                    "Food",  "SPInfo", "SPTxt", "SPTC",  "SPTCTxt", "FDUse", "Msg"};
    return tables;
}

void TDM::CheckTables(const QStringList& present) {
    QStringList missing;
    for (const QString& table : RequiredTables())
        if (!present.contains(table, Qt::CaseInsensitive)) missing << table;
    if (missing.size() == RequiredTables().size())
        throw EDatabaseError(QStringLiteral("文件不是本程序的数据库（其中没有本程序的数据表）"));
    if (!missing.isEmpty())
        throw EDatabaseError(QStringLiteral("数据库缺少数据表 %1").arg(missing.join(QStringLiteral("、"))));
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
