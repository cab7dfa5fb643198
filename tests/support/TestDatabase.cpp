#include "TestDatabase.h"

#include <QFile>
#include <stdexcept>

TTestDatabase::TTestDatabase() {
    const QString source = QStringLiteral(VELORIA_BUILD_DIR "/delivered/") + DatabaseFileName;
    if (!QFile::copy(source, FDir.filePath(DatabaseFileName)))
        throw std::runtime_error("cannot copy the delivered database " + source.toStdString());
    QFile::setPermissions(FDir.filePath(DatabaseFileName), QFile::ReadOwner | QFile::WriteOwner);
    SetProgramFolder(FDir.path());
    FModule = std::make_unique<TDM>();
    FModule->ExePath = ProgramFolder();
    DM = FModule.get();
}

TTestDatabase::~TTestDatabase() {
    DM = nullptr;
    FModule.reset();
    SetProgramFolder(QString());
}

QString TTestDatabase::Folder() const { return ProgramFolder(); }

QString TTestDatabase::Scalar(const QString& sql, const QVariantMap& params) {
    TADOQuery q;
    q.SetConnection(FModule->Conn);
    q.SQL()->SetText(sql);
    q.Parameters().Assign(params);
    q.Open();
    return q.IsEmpty() ? QString() : q.Fields(0)->AsString();
}

void TTestDatabase::Exec(const QString& sql, const QVariantMap& params) {
    TADOQuery q;
    q.SetConnection(FModule->Conn);
    q.SQL()->SetText(sql);
    q.Parameters().Assign(params);
    q.ExecSQL();
}
