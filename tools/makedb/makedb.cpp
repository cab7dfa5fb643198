// Builds the delivered database from the files under data/:
//   makedb <data folder> <output CommAPI.db>
// schema.sql makes the tables; foods.txt the food list (with pinyin initials); activities.tsv the
// built-in activities; tips.txt the tip texts; profile.tsv the first profile; recipes.txt and
// setmeals.txt the recipe book and the set meals (their formats are described at their tops).
#include "ConstTables.h"
#include "GetPY.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <QStringList>
#include <sqlite3.h>
#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string>

namespace {

QString ReadText(const QString& fileName) {
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly)) throw std::runtime_error("cannot read " + fileName.toStdString());
    return QString::fromUtf8(f.readAll());
}

// Data lines of a file: blank lines and "#" comments left out.
QStringList DataLines(const QString& fileName) {
    QStringList lines;
    for (const QString& line : ReadText(fileName).split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty() && !line.startsWith(QLatin1Char('#'))) lines << line;
    return lines;
}

class TDatabase {
public:
    explicit TDatabase(const QString& fileName) {
        if (sqlite3_open(fileName.toUtf8().constData(), &FDb) != SQLITE_OK) Fail("open");
    }
    ~TDatabase() { sqlite3_close(FDb); }

    void Exec(const QString& sql) {
        char* err = nullptr;
        if (sqlite3_exec(FDb, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
            const std::string msg = err ? err : "unknown error";
            sqlite3_free(err);
            throw std::runtime_error(msg);
        }
    }

    // Inserts one row; an empty text binds NULL.
    void Insert(const char* sql, const QStringList& values) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(FDb, sql, -1, &stmt, nullptr) != SQLITE_OK) Fail(sql);
        for (int i = 0; i < values.size(); ++i) {
            if (values[i].isEmpty()) sqlite3_bind_null(stmt, i + 1);
            else sqlite3_bind_text(stmt, i + 1, values[i].toUtf8().constData(), -1, SQLITE_TRANSIENT);
        }
        const int rc = sqlite3_step(stmt);
        sqlite3_finalize(stmt);
        if (rc != SQLITE_DONE) Fail(sql);
    }

    long long LastId() const { return sqlite3_last_insert_rowid(FDb); }

private:
    [[noreturn]] void Fail(const std::string& what) {
        throw std::runtime_error(what + ": " + sqlite3_errmsg(FDb));
    }
    sqlite3* FDb = nullptr;
};

struct TFoodRef {
    QString Id, Name;
};
// Foods by code, for the recipes and set meals that name them so.
using TFoodCodes = QHash<QString, TFoodRef>;

TFoodCodes LoadFoods(TDatabase& db, const QString& folder) {
    TFoodCodes codes;
    for (const QString& line : DataLines(folder + "/foods.txt")) {
        const QStringList f = line.split(QLatin1Char(','));
        if (f.size() != 33) throw std::runtime_error("foods.txt: a line without 33 fields: " + line.toStdString());
        db.Insert("INSERT INTO Food (ID, Food_Name, PY, Code) VALUES (?, ?, ?, ?)",
                  {f[0], f[2], GetPYInitials(f[2]), f[1]});
        codes.insert(f[1], {f[0], f[2]});
    }
    return codes;
}

void LoadActivities(TDatabase& db, const QString& folder) {
    for (const QString& line : DataLines(folder + "/activities.tsv")) {
        const QStringList f = line.split(QLatin1Char('\t'));
        if (f.size() != 3) throw std::runtime_error("activities.tsv: " + line.toStdString());
        db.Insert("INSERT INTO SpSet (sType, tit, Kcal, sysFlg) VALUES (?, ?, ?, 1)", f);
    }
}

void LoadTips(TDatabase& db, const QString& folder) {
    QString title, text;
    auto flush = [&] {
        if (!title.isEmpty()) db.Insert("INSERT INTO Msg (tit, Msg) VALUES (?, ?)", {title, text.trimmed()});
    };
    for (const QString& line : ReadText(folder + "/tips.txt").split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("## "))) {
            flush();
            title = line.mid(3).trimmed();
            text.clear();
        } else if (!title.isEmpty()) {
            text += line + QLatin1Char('\n');
        }
    }
    flush();
}

void LoadProfile(TDatabase& db, const QString& folder) {
    for (const QString& line : DataLines(folder + "/profile.tsv")) {
        const QStringList f = line.split(QLatin1Char('\t'));
        if (f.size() != 7) throw std::runtime_error("profile.tsv: " + line.toStdString());
        db.Insert("INSERT INTO UInfo (UName, UName1, Sex, Bth, SG, HT, TZ, UPWD) VALUES (?, ?, ?, ?, ?, ?, ?, '')", f);
    }
}

// Recipes and set meals ---------------------------------------------------------------------

[[noreturn]] void BadLine(const char* file, const QString& line, const char* why) {
    throw std::runtime_error(std::string(file) + ": " + why + ": " + line.toStdString());
}

// One "## name" block: its "key: value" fields in order, and the free text after a bare "做法:".
struct TBlock {
    QString Name;
    QList<QPair<QString, QString>> Fields;
    QString Text;
    QString Field(const QString& key) const {
        for (const auto& f : Fields)
            if (f.first == key) return f.second;
        return QString();
    }
};

QList<TBlock> ReadBlocks(const QString& fileName, const char* shortName) {
    QList<TBlock> blocks;
    bool inText = false;
    for (QString line : ReadText(fileName).split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        if (line.startsWith(QLatin1String("## "))) {
            blocks.append({line.mid(3).trimmed(), {}, {}});
            inText = false;
            continue;
        }
        if (inText) {
            blocks.last().Text += line + QLatin1Char('\n');
            continue;
        }
        const bool comment = line == QLatin1String("#") || line.startsWith(QLatin1String("# "));
        if (line.trimmed().isEmpty() || comment) continue;
        const int colon = line.indexOf(QLatin1Char(':'));
        if (blocks.isEmpty() || colon < 0) BadLine(shortName, line, "not a field of a block");
        const QString key = line.left(colon).trimmed();
        const QString value = line.mid(colon + 1).trimmed();
        if (key == QStringLiteral("做法") && value.isEmpty()) inText = true;
        else blocks.last().Fields.append({key, value});
    }
    for (TBlock& b : blocks) b.Text = b.Text.trimmed();
    return blocks;
}

// "<grams> <rest>": the weight and the rest of the value.
QPair<QString, QString> SplitWeight(const QString& value, const char* file) {
    const int space = value.indexOf(QLatin1Char(' '));
    bool ok = space > 0;
    const double grams = ok ? value.left(space).toDouble(&ok) : 0;
    if (!ok || grams <= 0) BadLine(file, value, "no weight in grams");
    return {value.left(space), value.mid(space + 1).trimmed()};
}

// "<code> <grams> <name>": the food's id and the weight; the name must be the code's.
QPair<QString, QString> FoodItem(const QString& value, const TFoodCodes& foods, const char* file) {
    const int space = value.indexOf(QLatin1Char(' '));
    const QString code = value.left(space);
    const auto food = foods.constFind(code);
    if (space < 0 || food == foods.constEnd()) BadLine(file, value, "no food with this code");
    const auto [grams, name] = SplitWeight(value.mid(space + 1).trimmed(), file);
    if (name != food->Name) BadLine(file, value, "the name is not the name of the code's food");
    return {food->Id, grams};
}

// Whether a code list holds the value.
template <class TList>
bool Holds(const TList& list, const QString& value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

// Delivered recipes carry CFlg 0. Gives the recipe ids by name.
QHash<QString, QString> LoadRecipes(TDatabase& db, const QString& folder, const TFoodCodes& foods) {
    const char* file = "recipes.txt";
    QHash<QString, QString> ids;
    for (const TBlock& b : ReadBlocks(folder + "/recipes.txt", file)) {
        const QString cls = b.Field("类别"), method = b.Field("烹饪");
        if (b.Name.isEmpty() || ids.contains(b.Name))
            BadLine(file, b.Name, "a recipe without a name of its own");
        if (!Holds(RecipeClasses, cls)) BadLine(file, b.Name, "no recipe class");
        if (!Holds(CookingMethods, method)) BadLine(file, b.Name, "no cooking method");
        if (b.Text.isEmpty()) BadLine(file, b.Name, "no preparation");
        db.Insert("INSERT INTO SPInfo (SPCls, SPP, SPName, PY, SPZF, CFlg) VALUES (?, ?, ?, ?, ?, 0)",
                  {cls, method, b.Name, GetPYInitials(b.Name), b.Text});
        const QString id = QString::number(db.LastId());
        ids.insert(b.Name, id);
        int count = 0;
        for (const auto& [key, value] : b.Fields) {
            if (key == QStringLiteral("类别") || key == QStringLiteral("烹饪")) continue;
            if (key != QStringLiteral("食材")) BadLine(file, key, "unknown field");
            const auto [foodId, grams] = FoodItem(value, foods, file);
            db.Insert("INSERT INTO SPTxt (SPID, FdID, FdNet) VALUES (?, ?, ?)", {id, foodId, grams});
            ++count;
        }
        if (count == 0) BadLine(file, b.Name, "a recipe without ingredients");
    }
    return ids;
}

void LoadSetMeals(TDatabase& db, const QString& folder, const TFoodCodes& foods,
                  const QHash<QString, QString>& recipes) {
    const char* file = "setmeals.txt";
    for (const TBlock& b : ReadBlocks(folder + "/setmeals.txt", file)) {
        const QString meal = b.Field("餐次"), weekday = b.Field("星期");
        if (b.Name.isEmpty()) BadLine(file, b.Name, "a set meal without a name");
        if (!Holds(MealClasses, meal)) BadLine(file, b.Name, "no meal class");
        if (!weekday.isEmpty() && !Holds(Weekdays, weekday)) BadLine(file, b.Name, "not a weekday");
        // A set meal without weekday stores the empty text, as the set-meal maker does.
        db.Insert("INSERT INTO SPTC (SPCls, SPName, PY, WK) VALUES (?, ?, ?, coalesce(?, ''))",
                  {meal, b.Name, GetPYInitials(b.Name), weekday});
        const QString id = QString::number(db.LastId());
        int count = 0;
        for (const auto& [key, value] : b.Fields) {
            if (key == QStringLiteral("餐次") || key == QStringLiteral("星期")) continue;
            QString itemId, grams, kind;
            if (key == QStringLiteral("食物")) {
                std::tie(itemId, grams) = FoodItem(value, foods, file);
                kind = "1";
            } else if (key == QStringLiteral("食谱")) {
                QString name;
                std::tie(grams, name) = SplitWeight(value, file);
                itemId = recipes.value(name);
                if (itemId.isEmpty()) BadLine(file, value, "no recipe of this name");
                kind = "2";
            } else {
                BadLine(file, key, "unknown field");
            }
            db.Insert("INSERT INTO SPTCTxt (SPID, FdID, FdNet, CFlg) VALUES (?, ?, ?, ?)",
                      {id, itemId, grams, kind});
            ++count;
        }
        if (count == 0) BadLine(file, b.Name, "a set meal without items");
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: makedb <data folder> <output database>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);
    const QString temporary = output + QStringLiteral(".new");
    QFile::remove(temporary);
    try {
        {
            TDatabase db(temporary);
            db.Exec(ReadText(folder + "/schema.sql"));
            db.Exec(QStringLiteral("BEGIN"));
            const TFoodCodes foods = LoadFoods(db, folder);
            LoadActivities(db, folder);
            LoadTips(db, folder);
            LoadProfile(db, folder);
            LoadSetMeals(db, folder, foods, LoadRecipes(db, folder, foods));
            db.Exec(QStringLiteral("COMMIT"));
        }
        QFile::remove(output);
        if (!QFile::rename(temporary, output)) throw std::runtime_error("cannot write " + output.toStdString());
    } catch (const std::exception& e) {
        QFile::remove(temporary);
        std::fprintf(stderr, "makedb: %s\n", e.what());
        return 1;
    }
    return 0;
}
