// Builds the delivered database from the files under data/:
//   makedb <data folder> <output CommAPI.db>
// schema.sql makes the tables; foods.txt the food list (with pinyin initials); activities.tsv the
// built-in activities; tips.txt the tip texts; profile.tsv the first profile.
#include "GetPY.h"

#include <QFile>
#include <QStringList>
#include <sqlite3.h>
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

private:
    [[noreturn]] void Fail(const std::string& what) {
        throw std::runtime_error(what + ": " + sqlite3_errmsg(FDb));
    }
    sqlite3* FDb = nullptr;
};

void LoadFoods(TDatabase& db, const QString& folder) {
    for (const QString& line : DataLines(folder + "/foods.txt")) {
        const QStringList f = line.split(QLatin1Char(','));
        if (f.size() != 33) throw std::runtime_error("foods.txt: a line without 33 fields: " + line.toStdString());
        db.Insert("INSERT INTO Food (ID, Food_Name, PY, Code) VALUES (?, ?, ?, ?)",
                  {f[0], f[2], GetPYInitials(f[2]), f[1]});
    }
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
            LoadFoods(db, folder);
            LoadActivities(db, folder);
            LoadTips(db, folder);
            LoadProfile(db, folder);
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
