// Recipe and set-meal storage of the data module.
#include "UintDM.h"

std::unique_ptr<TStringList> TDM::LoadRecipeFoods(const QString& recipeId) {
    auto lines = std::make_unique<TStringList>();
    qryFun->Close();
    qryFun->SQL()->SetText(QStringLiteral("Select FdID,FdNet From SPTxt Where SPID=:SPID"));
    qryFun->Parameters().SetValue(QStringLiteral("SPID"), recipeId.trimmed().toLongLong());
    qryFun->Open();
    for (; !qryFun->Eof(); qryFun->Next())
        lines->Add(qryFun->FieldByName(QStringLiteral("FdID"))->AsString() + QLatin1Char(',') +
                   qryFun->FieldByName(QStringLiteral("FdNet"))->AsString());
    qryFun->Close();
    return lines;
}
