// A private, writable copy of the delivered database in a temporary folder, which is the program's
// folder for as long as the copy lives.
#pragma once

#include "SysUtils.h"
#include "UintDM.h"

#include <QFile>
#include <QTemporaryDir>

class TDeliveredCopy {
public:
    TDeliveredCopy() {
        const QString file = FDir.filePath(DatabaseFileName);
        QFile::copy(QStringLiteral(VELORIA_BUILD_DIR "/delivered/") + DatabaseFileName, file);
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        SetProgramFolder(FDir.path());
    }
    ~TDeliveredCopy() { SetProgramFolder(QString()); }
    TDeliveredCopy(const TDeliveredCopy&) = delete;
    TDeliveredCopy& operator=(const TDeliveredCopy&) = delete;

    QString FilePath(const QString& name) const { return FDir.filePath(name); }

private:
    QTemporaryDir FDir;
};
