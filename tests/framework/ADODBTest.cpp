#include "ADODB.h"

#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <limits>
#include <thread>
#include <sqlite3.h>
#include <gtest/gtest.h>

namespace {

// An empty database file with one table, made directly with SQLite.
QString MakeDatabase(const QTemporaryDir& dir) {
    const QString file = dir.filePath("t.db");
    sqlite3* db = nullptr;
    sqlite3_open(file.toUtf8().constData(), &db);
    sqlite3_exec(db,
                 "CREATE TABLE T (ID INTEGER PRIMARY KEY, Name TEXT, W REAL, D TEXT);"
                 "INSERT INTO T (Name, W, D) VALUES ('苹果', 12.5, '2026-03-07'), ('梨', NULL, NULL), ('桃', 3, 'x');",
                 nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return file;
}

}  // namespace

TEST(TADOConnection, OpensOnlyAnExistingDatabase) {
    QTemporaryDir dir;
    TADOConnection conn;
    EXPECT_THROW(conn.Open(dir.filePath("missing.db")), EDatabaseError);
    EXPECT_FALSE(QFile::exists(dir.filePath("missing.db")));  // never creates an empty database
    QFile junk(dir.filePath("junk.db"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    EXPECT_THROW(conn.Open(dir.filePath("junk.db")), EDatabaseError);
    EXPECT_FALSE(conn.Connected());
    conn.Open(MakeDatabase(dir));
    EXPECT_TRUE(conn.Connected());
}

TEST(TADOQuery, ReadsRowsIntoMemoryAndNavigates) {
    QTemporaryDir dir;
    TADOConnection conn;
    conn.Open(MakeDatabase(dir));
    TADOQuery q;
    q.SetConnection(&conn);
    q.SQL()->SetText("select * from T order by ID");
    q.Open();
    EXPECT_EQ(q.RecordCount(), 3);
    EXPECT_EQ(q.RecNo(), 1);
    EXPECT_EQ(q.FieldByName("name")->AsString(), "苹果");
    EXPECT_DOUBLE_EQ(q.FieldByName("W")->AsFloat(), 12.5);
    EXPECT_EQ(q.FieldByName("W")->AsString(), "12.5");
    EXPECT_EQ(q.FieldByName("D")->AsDateTime(), EncodeDate(2026, 3, 7));
    q.Next();
    EXPECT_TRUE(q.FieldByName("W")->IsNull());
    EXPECT_EQ(q.FieldByName("W")->AsString(), "");
    EXPECT_EQ(q.FieldByName("W")->AsInteger(), 0);
    EXPECT_EQ(q.FieldByName("D")->AsDateTime(), 0);
    q.Next();
    EXPECT_FALSE(q.Eof());
    EXPECT_EQ(q.FieldByName("W")->AsString(), "3");
    q.Next();
    EXPECT_TRUE(q.Eof());
    EXPECT_EQ(q.RecNo(), 3);
    q.First();
    EXPECT_EQ(q.FieldByName("ID")->AsInteger(), 1);
    EXPECT_THROW(q.FieldByName("Nope"), EDatabaseError);
    q.SQL()->SetText("select * from T where ID = 99");  // a new text closes the query
    EXPECT_FALSE(q.Active());
    q.Open();
    EXPECT_TRUE(q.IsEmpty());
    EXPECT_TRUE(q.Eof());
}

TEST(TADOQuery, BindsNamedParametersByType) {
    QTemporaryDir dir;
    TADOConnection conn;
    conn.Open(MakeDatabase(dir));
    TADOQuery q;
    q.SetConnection(&conn);
    const QString hostile = "O'Neil' or 1=1 --";
    q.SQL()->SetText("insert into T (Name, W, D) values (:Name, :w, :D)");
    q.Parameters().Assign({{"name", hostile}, {"W", 2.25}, {"D", QDate(2026, 1, 2)}});
    q.ExecSQL();
    EXPECT_EQ(q.RowsAffected(), 1);
    EXPECT_EQ(conn.LastInsertRowId(), 4);
    q.SQL()->SetText("select count(*) as N from T where Name = :Name");
    q.Parameters().SetValue("Name", hostile);
    q.Open();
    EXPECT_EQ(q.FieldByName("N")->AsInteger(), 1);
    q.SQL()->SetText("select W, D from T where ID = :ID");
    q.Parameters().SetValue("ID", 4);
    q.Open();
    EXPECT_DOUBLE_EQ(q.FieldByName("W")->AsFloat(), 2.25);
    EXPECT_EQ(q.FieldByName("D")->AsString(), "2026-01-02");
    q.SQL()->SetText("select * from T where ID = :Missing");
    EXPECT_THROW(q.Open(), EDatabaseError);
}

TEST(TADOQuery, ErrorsCarrySQLiteMessageAndTransactionsRollBack) {
    QTemporaryDir dir;
    TADOConnection conn;
    conn.Open(MakeDatabase(dir));
    TADOQuery q;
    q.SetConnection(&conn);
    q.SQL()->SetText("selec * from T");
    try {
        q.Open();
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_TRUE(e.Message().contains("syntax error")) << e.Message().toStdString();
    }
    conn.BeginTrans();
    q.SQL()->SetText("delete from T where ID = 2; insert into T (ID) values (1);");
    EXPECT_THROW(q.ExecSQL(), EDatabaseError);  // the second statement breaks the key
    conn.RollbackTrans();
    q.SQL()->SetText("select count(*) from T");
    q.Open();
    EXPECT_EQ(q.Fields(0)->AsInteger(), 3);
}

// The rows a run changed, its own: a statement that changes none reports 0, not the count of the
// statement before it on the connection.
TEST(TADOQuery, RowsAffectedCountsOnlyTheRowsThisRunChanged) {
    QTemporaryDir dir;
    TADOConnection conn;
    conn.Open(MakeDatabase(dir));
    TADOQuery q;
    q.SetConnection(&conn);
    auto run = [](TADOQuery& query, const QString& sql) {
        query.SQL()->SetText(sql);
        query.ExecSQL();
        return query.RowsAffected();
    };
    EXPECT_EQ(run(q, "update T set W = 1"), 3);
    EXPECT_EQ(run(q, "select * from T"), 0);
    EXPECT_EQ(run(q, "update T set W = 2 where ID < 3"), 2);
    EXPECT_EQ(run(q, "create table U (ID INTEGER PRIMARY KEY)"), 0);
    EXPECT_EQ(run(q, "insert into U (ID) values (1); select * from T"), 1);
    EXPECT_EQ(run(q, "insert or ignore into U (ID) values (1)"), 0);  // already there
    EXPECT_EQ(run(q, "update T set W = 3"), 3);
    q.SQL()->SetText("select * from T where ID = 1");
    q.Open();
    EXPECT_EQ(q.RowsAffected(), 0);
}

// A text run again runs as the first time did: with its new values, every statement of it, after a
// failed run, after the table changed its columns, from a query of its own while another holds the
// same text, and after many other texts.
TEST(TADOQuery, ATextRunAgainRunsAsTheFirstTime) {
    QTemporaryDir dir;
    TADOConnection conn;
    conn.Open(MakeDatabase(dir));
    TADOQuery q, other;
    q.SetConnection(&conn);
    other.SetConnection(&conn);
    const QString byId = "select Name from T where ID = :ID";
    for (const auto& [id, name] : {std::pair{1, "苹果"}, {3, "桃"}, {2, "梨"}, {1, "苹果"}}) {
        q.SQL()->SetText(byId);
        q.Parameters().SetValue("ID", id);
        q.Open();
        EXPECT_EQ(q.FieldByName("Name")->AsString(), name) << id;
    }
    // Values are not kept from one run to the next.
    q.SQL()->SetText("insert into T (Name, W) values (:N, :W)");
    q.Parameters().Assign({{"N", "杏"}, {"W", 1.5}});
    q.ExecSQL();
    q.SQL()->SetText("insert into T (Name, W) values (:N, :W)");
    q.Parameters().SetValue("N", "李");
    EXPECT_THROW(q.ExecSQL(), EDatabaseError) << "a value missing from this run";
    // Every statement of a text of several, each run.
    const QString twoSteps = "update T set W = coalesce(W, 0) + 1 where ID = 3; update T set W = W * 2 where ID = 3;";
    for (int run = 0; run < 2; ++run) {
        q.SQL()->SetText(twoSteps);
        q.ExecSQL();
    }
    q.SQL()->SetText("select W from T where ID = 3");
    q.Open();
    EXPECT_DOUBLE_EQ(q.Fields(0)->AsFloat(), ((3 + 1) * 2 + 1) * 2);
    // A failed run leaves the text usable.
    q.SQL()->SetText("insert into T (ID, Name) values (:ID, 'x')");
    q.Parameters().SetValue("ID", 1);
    EXPECT_THROW(q.ExecSQL(), EDatabaseError);
    q.SQL()->SetText("insert into T (ID, Name) values (:ID, 'x')");
    q.Parameters().SetValue("ID", 50);
    q.ExecSQL();
    EXPECT_EQ(q.RowsAffected(), 1);
    // New columns show in a text that names none.
    q.SQL()->SetText("select * from T where ID = 50");
    q.Open();
    EXPECT_EQ(q.FieldCount(), 4);
    other.SQL()->SetText("alter table T add column Kcal REAL");
    other.ExecSQL();
    q.SQL()->SetText("select * from T where ID = 50");
    q.Open();
    EXPECT_EQ(q.FieldCount(), 5);
    EXPECT_EQ(q.Fields(4)->FieldName(), "Kcal");
    // Two queries of one text, the second run while the first is open, each with its own rows.
    q.SQL()->SetText(byId);
    q.Parameters().SetValue("ID", 1);
    q.Open();
    other.SQL()->SetText(byId);
    other.Parameters().SetValue("ID", 3);
    other.Open();
    EXPECT_EQ(q.FieldByName("Name")->AsString(), "苹果");
    EXPECT_EQ(other.FieldByName("Name")->AsString(), "桃");
    // Many texts, then the first again.
    for (int i = 0; i < 200; ++i) {
        q.SQL()->SetText(QString("select %1 as N").arg(i));
        q.Open();
        ASSERT_EQ(q.Fields(0)->AsInteger(), i);
    }
    q.SQL()->SetText(byId);
    q.Parameters().SetValue("ID", 2);
    q.Open();
    EXPECT_EQ(q.FieldByName("Name")->AsString(), "梨");
}

// Texts run on a connection hold nothing of its file: its tables can be dropped, and once closed the
// file can be replaced and opened again, showing the new file's rows.
TEST(TADOConnection, KeptStatementsHoldNothingOfTheFile) {
    QTemporaryDir dir;
    const QString file = MakeDatabase(dir);
    TADOConnection conn;
    conn.Open(file);
    TADOQuery q;
    q.SetConnection(&conn);
    q.SQL()->SetText("select count(*) from T");
    q.Open();
    EXPECT_EQ(q.Fields(0)->AsInteger(), 3);
    q.SQL()->SetText("create table U (A); drop table T;");
    q.ExecSQL();
    q.SQL()->SetText("select count(*) from T");
    EXPECT_THROW(q.Open(), EDatabaseError) << "the table is gone";
    conn.Close();
    ASSERT_TRUE(QFile::remove(file));
    MakeDatabase(dir);
    conn.Open(file);
    q.SQL()->SetText("select count(*) from T");
    q.Open();
    EXPECT_EQ(q.Fields(0)->AsInteger(), 3);
}

TEST(TADOConnection, WaitsAtOpenForADatabaseThatAnotherProcessHoldsForAMoment) {
    QTemporaryDir dir;
    const QString file = MakeDatabase(dir);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(file.toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE; UPDATE T SET W = 1", nullptr, nullptr, nullptr),
              SQLITE_OK);
    std::thread release([other] {
        std::this_thread::sleep_for(std::chrono::milliseconds(700));
        sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    });
    TADOConnection conn;
    EXPECT_NO_THROW(conn.Open(file));
    release.join();
    sqlite3_close(other);
    EXPECT_TRUE(conn.Connected());
}

TEST(TADOQuery, StoresBoundTextWholeAndRefusesNumbersThatAreNotFinite) {
    QTemporaryDir dir;
    TADOConnection conn;
    conn.Open(MakeDatabase(dir));
    TADOQuery q;
    q.SetConnection(&conn);
    q.SQL()->SetText("insert into T (Name, W) values (:N, 1)");
    const QString withNul = QString("红烧") + QChar(0) + "肉";
    q.Parameters().SetValue("N", withNul);
    q.ExecSQL();
    q.SQL()->SetText("select length(cast(Name as blob)) from T where ID = last_insert_rowid()");
    q.Open();
    EXPECT_EQ(q.Fields(0)->AsInteger(), 10);  // every UTF-8 byte, the NUL and what follows it too
    q.SQL()->SetText("select Name from T where Name = :N");
    q.Parameters().SetValue("N", withNul);
    q.Open();
    EXPECT_EQ(q.RecordCount(), 1);
    for (double bad : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                       std::numeric_limits<double>::quiet_NaN()}) {
        q.SQL()->SetText("insert into T (Name, W) values ('x', :W)");
        q.Parameters().SetValue("W", bad);
        EXPECT_THROW(q.ExecSQL(), EDatabaseError);
    }
    q.SQL()->SetText("select count(*) from T where Name = 'x'");
    q.Open();
    EXPECT_EQ(q.Fields(0)->AsInteger(), 0);
}
