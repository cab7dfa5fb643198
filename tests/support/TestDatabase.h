// A private copy of the delivered database in a temporary program folder, with the data module open on it.
#pragma once

#include "UintDM.h"

#include <QTemporaryDir>
#include <memory>

class TTestDatabase {
public:
    // Copies the built CommAPI.db into a fresh folder, makes it the program's folder and creates DM.
    TTestDatabase();
    ~TTestDatabase();

    QString Folder() const;
    TDM* Module() const { return FModule.get(); }
    // Runs a statement directly and gives the first column of the first row as text ("" when none).
    QString Scalar(const QString& sql, const QVariantMap& params = {});
    void Exec(const QString& sql, const QVariantMap& params = {});

private:
    QTemporaryDir FDir;
    std::unique_ptr<TDM> FModule;
};
