// Recipe and set-meal storage of the data module.
#include "GetPY.h"
#include "UintDM.h"

namespace {

// One saved line of foods or set-meal items, checked before anything is written.
struct TItemLine {
    long long OwnerId = 0;  // the recipe's or set meal's id the line names
    long long ItemId = 0;
    double Amount = 0;
    int Kind = 1;
};

TItemLine ParseItemLine(const QString& line, bool withKind) {
    const QStringList f = SplitCommaText(line);
    TItemLine item;
    bool ok = f.size() >= (withKind ? 4 : 3);
    if (ok) item.OwnerId = f[0].trimmed().toLongLong(&ok);
    if (ok) item.ItemId = f[1].trimmed().toLongLong(&ok);
    if (ok) ok = TryStrToFloat(f[2], item.Amount);
    if (ok && withKind) ok = TryStrToInt(f[3], item.Kind) && (item.Kind == 1 || item.Kind == 2);
    if (!ok) throw EConvertError(QStringLiteral("无效的明细行：%1").arg(line));
    return item;
}

}  // namespace

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

// Recipes ---------------------------------------------------------------------------------------

namespace {

int WriteRecipe(TDM* dm, const QString& cls, const QString& method, const QString& flag, int id, int mode,
                const QString& preparation, const QString& name) {
    QVariantMap params{{"SPCls", cls},
                       {"SPP", method},
                       {"SPName", name},
                       {"PY", GetPYInitials(name)},
                       {"SPZF", preparation},
                       {"CFlg", StrToIntDef(flag, 0)}};
    if (mode == 0) {
        dm->Exec(QStringLiteral("Insert Into SpInfo(SPCls,SPP,SPName,PY,SPZF,CFlg)"
                                "Values(:SPCls,:SPP,:SPName,:PY,:SPZF,:CFlg)"),
                 params);
        return int(dm->Conn->LastInsertRowId());
    }
    params.insert(QStringLiteral("ID"), id);
    if (dm->Exec(QStringLiteral("Update SpInfo Set SPCls=:SPCls,SPP=:SPP,SPName=:SPName,PY=:PY,SPZF=:SPZF,CFlg=:CFlg "
                                "Where ID=:ID"),
                 params) == 0)
        throw EDatabaseError(QStringLiteral("食谱不存在"));
    return id;
}

void WriteRecipeFoods(TDM* dm, const TStringList& lines, int recipeId, bool useGivenId) {
    std::vector<TItemLine> items;
    for (int i = 0; i < lines.Count(); ++i) items.push_back(ParseItemLine(lines[i], false));
    if (recipeId > 0) dm->Exec(QStringLiteral("Delete From SPTxt Where SPID=:SPID"), {{"SPID", recipeId}});
    for (int i = 0; i < lines.Count(); ++i) {
        const long long spid = useGivenId ? recipeId : items[i].OwnerId;
        dm->Exec(QStringLiteral("Insert Into SPTxt(SPID,FdID,FdNet) Values(:SPID,:FdID,:FdNet)"),
                 {{"SPID", spid}, {"FdID", items[i].ItemId}, {"FdNet", items[i].Amount}});
    }
}

int WriteSetMeal(TDM* dm, const QString& mealClass, const QString& name, const QString& weekday, int id, int mode) {
    QVariantMap params{{"SPCls", mealClass}, {"SPName", name}, {"PY", GetPYInitials(name)}, {"WK", weekday}};
    if (mode == 0) {
        dm->Exec(QStringLiteral("Insert Into SpTC(SPCls,SPName,PY,WK)Values(:SPCls,:SPName,:PY,:WK)"), params);
        return int(dm->Conn->LastInsertRowId());
    }
    params.insert(QStringLiteral("ID"), id);
    if (dm->Exec(QStringLiteral("Update SpTC Set SPCls=:SPCls,SPName=:SPName,PY=:PY,WK=:WK Where ID=:ID"), params) == 0)
        throw EDatabaseError(QStringLiteral("套餐不存在"));
    return id;
}

void WriteSetMealItems(TDM* dm, const TStringList& lines, int setMealId, bool useGivenId) {
    std::vector<TItemLine> items;
    for (int i = 0; i < lines.Count(); ++i) items.push_back(ParseItemLine(lines[i], true));
    if (setMealId > 0) dm->Exec(QStringLiteral("Delete From SPTCTxt Where SPID=:SPID"), {{"SPID", setMealId}});
    for (int i = 0; i < lines.Count(); ++i) {
        const long long spid = useGivenId ? setMealId : items[i].OwnerId;
        dm->Exec(QStringLiteral("Insert Into SPTcTxt(SPID,FdID,FdNet,CFlg) Values(:SPID,:FdID,:FdNet,:CFlg)"),
                 {{"SPID", spid}, {"FdID", items[i].ItemId}, {"FdNet", items[i].Amount}, {"CFlg", items[i].Kind}});
    }
}

}  // namespace

int TDM::SaveRecipe(const QString& cls, const QString& method, const QString& flag, int id, int mode,
                    const QString& preparation, const QString& name) {
    int result = 0;
    if (!Transaction([&] { result = WriteRecipe(this, cls, method, flag, id, mode, preparation, name); })) return 0;
    return result;
}

bool TDM::SaveRecipeFoods(const TStringList& lines, int recipeId) {
    return Transaction([&] { WriteRecipeFoods(this, lines, recipeId, false); });
}

int TDM::SaveRecipeWithFoods(const QString& cls, const QString& method, const QString& flag, int id, int mode,
                             const QString& preparation, const QString& name, const TStringList& lines) {
    int result = 0;
    const bool saved = Transaction([&] {
        result = WriteRecipe(this, cls, method, flag, id, mode, preparation, name);
        WriteRecipeFoods(this, lines, result, true);
    });
    return saved ? result : 0;
}

int TDM::SaveSetMeal(const QString& mealClass, const QString& name, const QString& weekday, int id, int mode) {
    int result = 0;
    if (!Transaction([&] { result = WriteSetMeal(this, mealClass, name, weekday, id, mode); })) return 0;
    return result;
}

bool TDM::SaveSetMealFoods(const TStringList& lines, int setMealId) {
    return Transaction([&] { WriteSetMealItems(this, lines, setMealId, false); });
}

int TDM::SaveSetMealWithItems(const QString& mealClass, const QString& name, const QString& weekday, int id,
                              int mode, const TStringList& lines) {
    int result = 0;
    const bool saved = Transaction([&] {
        result = WriteSetMeal(this, mealClass, name, weekday, id, mode);
        WriteSetMealItems(this, lines, result, true);
    });
    return saved ? result : 0;
}

bool TDM::DeleteRecipe(int id) {
    return Transaction([&] {
        Exec(QStringLiteral("Delete From SPInfo Where ID=:ID"), {{"ID", id}});
        Exec(QStringLiteral("Delete From SPTxt Where SPID=:ID"), {{"ID", id}});
        Exec(QStringLiteral("Delete From FDUse Where FID=:ID And FType=2"), {{"ID", id}});
    });
}

bool TDM::DeleteSetMeal(int id) {
    return Transaction([&] {
        Exec(QStringLiteral("Delete From SPTC Where ID=:ID"), {{"ID", id}});
        Exec(QStringLiteral("Delete From SPTCTxt Where SPID=:ID"), {{"ID", id}});
    });
}

bool TDM::RecipeInUse(int id) {
    qryFun->Close();
    qryFun->SQL()->SetText(QStringLiteral(
        "Select (Select count(*) From CKRcd Where FID=:ID And Flg=2) + "
        "(Select count(*) From SPTCTxt Where FdID=:ID And CFlg=2) As N"));
    qryFun->Parameters().SetValue(QStringLiteral("ID"), id);
    qryFun->Open();
    const bool used = qryFun->FieldByName(QStringLiteral("N"))->AsInteger() > 0;
    qryFun->Close();
    return used;
}

TDM::TOftenUse TDM::AddOftenUsed(int id, int type) {
    // A food or recipe is there once at most: a second insert is ignored and changes no row.
    const QString sql = QStringLiteral("Insert Or Ignore Into FDUse(UID,FID,FType) Values(:UID,:FID,:FType)");
    const QVariantMap params{
        {QStringLiteral("UID"), UID}, {QStringLiteral("FID"), id}, {QStringLiteral("FType"), type}};
    if (!RunSql(Qry_Exec, sql, true, params)) return TOftenUse::Failed;
    return Qry_Exec->RowsAffected() > 0 ? TOftenUse::Added : TOftenUse::AlreadyThere;
}
