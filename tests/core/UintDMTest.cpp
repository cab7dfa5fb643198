#include "IniFiles.h"
#include "RecordingServices.h"
#include "TestDatabase.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <sqlite3.h>
#include <functional>
#include <gtest/gtest.h>

TEST(TDM, StartsWithNobodyLoggedIn) {
    TTestDatabase db;
    EXPECT_EQ(DM->UID, "0");
    EXPECT_EQ(DM->HT, "0");
    ASSERT_TRUE(DM->RunSql(DM->Qry_Open, "select * from CKRcd where UID = :UID", false, {{"UID", DM->UID}}));
    EXPECT_TRUE(DM->Qry_Open->IsEmpty());
}

TEST(TDM, AMissingDatabaseIsReportedWithItsFileName) {
    QTemporaryDir dir;
    SetProgramFolder(dir.path());
    try {
        TDM module;
        FAIL() << "opened a database that does not exist";
    } catch (const EDatabaseError& e) {
        EXPECT_TRUE(e.Message().contains(dir.filePath("CommAPI.db"))) << e.Message().toStdString();
    }
    SetProgramFolder(QString());
    EXPECT_FALSE(QFile::exists(dir.filePath("CommAPI.db")));
}

namespace {

QByteArray FileBytes(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// The message with which opening the program folder's database fails, or "" when it opens.
QString OpenFailure(const QString& folder) {
    SetProgramFolder(folder);
    QString message;
    try {
        TDM module;
    } catch (const EDatabaseError& e) {
        message = e.Message();
    }
    SetProgramFolder(QString());
    return message;
}

}  // namespace

TEST(TDM, AnEmptyOrForeignDatabaseIsRefusedAtOpenAndLeftUntouched) {
    QTemporaryDir dir;
    const QString file = dir.filePath("CommAPI.db");
    QFile(file).open(QIODevice::WriteOnly);  // 0 bytes
    QString message = OpenFailure(dir.path());
    EXPECT_TRUE(message.contains(file)) << message.toStdString();
    EXPECT_TRUE(message.contains("不是本程序的数据库")) << message.toStdString();
    EXPECT_EQ(QFileInfo(file).size(), 0);

    // Another program's SQLite database.
    QFile::remove(file);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(file.toUtf8().constData(), &other), SQLITE_OK);
    sqlite3_exec(
        other,
        "create table Notes (ID integer primary key, Text text); insert into Notes (Text) values ('x');",
        nullptr, nullptr, nullptr);
    sqlite3_close(other);
    const QByteArray foreign = FileBytes(file);
    message = OpenFailure(dir.path());
    EXPECT_TRUE(message.contains("不是本程序的数据库")) << message.toStdString();
    EXPECT_EQ(FileBytes(file), foreign);
}

TEST(TDM, ADatabaseWithoutATableTheProgramNeedsIsRefusedNamingIt) {
    QString folder;
    {
        TTestDatabase db;
        db.Exec("drop table Msg");
        db.Exec("drop view CntKCal");
        folder = db.Folder();
        const QString message = OpenFailure(folder);
        EXPECT_TRUE(message.contains("Msg")) << message.toStdString();
        EXPECT_TRUE(message.contains("CntKCal")) << message.toStdString();
        EXPECT_FALSE(message.contains("UInfo")) << message.toStdString();
        SetProgramFolder(folder);  // the fixture's folder again, for its own clean-up
    }
}

namespace {

// Spoils a copy of the delivered database and opens it: the refusal's message, which names the file;
// the file stays as it was spoilt.
QString RefusalOfSpoiltCopy(const std::function<void(TTestDatabase& db, const QString& file)>& spoil) {
    TTestDatabase db;
    const QString file = db.Folder() + "CommAPI.db";
    spoil(db, file);
    const QByteArray spoilt = FileBytes(file);
    const QString message = OpenFailure(db.Folder());
    EXPECT_TRUE(message.contains(file)) << message.toStdString();
    EXPECT_EQ(FileBytes(file), spoilt);
    SetProgramFolder(db.Folder());  // the fixture's folder again, for its own clean-up
    return message;
}

}  // namespace

TEST(TDM, ADatabaseWithoutAColumnTheProgramUsesIsRefusedNamingItAndLeftUntouched) {
    const QString message = RefusalOfSpoiltCopy([](TTestDatabase& db, const QString&) {
        db.Exec("alter table CKRcd drop column Pro");
        db.Exec("alter table UInfo rename column TZ to Weight");
    });
    EXPECT_TRUE(message.contains("数据库缺少数据列")) << message.toStdString();
    EXPECT_TRUE(message.contains("CKRcd.Pro")) << message.toStdString();
    EXPECT_TRUE(message.contains("UInfo.TZ")) << message.toStdString();
    EXPECT_FALSE(message.contains("CKRcd.Fat")) << message.toStdString();
}

TEST(TDM, ADamagedDatabaseIsRefusedSayingWhatIsWrongAndLeftUntouched) {
    const QString message = RefusalOfSpoiltCopy([](TTestDatabase& db, const QString& fileName) {
        db.Exec("with recursive N(F) as (select 1 union all select F + 1 from N where F < 40) "
                "insert into CKRcd (UID, CKCLS, FID, FNet, KCal, CKDate, Flg) "
                "select 1, '早餐', F, 100, 300, '2026-03-07', 1 from N");
        const int page = db.Scalar("select rootpage from sqlite_master where name = 'CKRcd'").toInt();
        const int pageSize = db.Scalar("pragma page_size").toInt();
        // The table's page loses its cell pointers, as a torn write would leave it.
        QFile file(fileName);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.seek(qint64(page - 1) * pageSize + 8));
        file.write(QByteArray(32, '\xff'));
    });
    EXPECT_TRUE(message.contains("数据库文件已损坏")) << message.toStdString();
    EXPECT_TRUE(message.contains("On tree page")) << message.toStdString();  // SQLite's finding
}

TEST(TDM, RunSqlShowsOneBoxAndFailsOnABadStatement) {
    TTestDatabase db;
    TRecordingMessageService boxes;
    EXPECT_FALSE(DM->RunSql(DM->Qry_Open, "Selec * From UInfo", false));
    ASSERT_EQ(boxes.Boxes.size(), 1u);
    EXPECT_EQ(boxes.LastCaption(), "信息提示");
    EXPECT_TRUE(boxes.LastText().startsWith("操作出现异常错误，请重新操作。错误原因："));
    EXPECT_TRUE(boxes.LastText().contains("syntax error"));
    EXPECT_FALSE(DM->Qry_Open->Active());
    EXPECT_TRUE(DM->RunSql(DM->Qry_Exec, "update UInfo set UName = :N where UName1 = 'user'", true, {{"N", "张三"}}));
    EXPECT_EQ(db.Scalar("select UName from UInfo where UName1 = 'user'"), "张三");
    EXPECT_EQ(boxes.Boxes.size(), 1u);
}

TEST(TDM, AFailingStatementRollsBackTheWholeTransaction) {
    TTestDatabase db;
    TRecordingMessageService boxes;
    const bool saved = DM->Transaction([] {
        DM->Exec("insert into Msg (tit, Msg) values (:T, 'x')", {{"T", "新提示"}});
        DM->Exec("insert into Msg (tit, Msg) values (:T, 'y')", {{"T", "警告"}});  // duplicate title
    });
    EXPECT_FALSE(saved);
    EXPECT_EQ(db.Scalar("select count(*) from Msg where tit = '新提示'"), "0");
    EXPECT_FALSE(DM->Conn->InTransaction());
    EXPECT_TRUE(boxes.Boxes.empty());  // the caller reports the failure
    EXPECT_TRUE(DM->Transaction([] { DM->Exec("delete from Msg where tit = '警告'"); }));
    EXPECT_EQ(db.Scalar("select count(*) from Msg where tit = '警告'"), "0");
}

TEST(TDM, KcalModeIsClampedToOneOrTwo) {
    TTestDatabase db;
    EXPECT_EQ(DM->GetKcalMode(), 1);  // no settings file
    TIniFile ini(db.Folder() + "UInfo.ini");
    for (auto [stored, mode] : {std::pair{0, 1}, {-3, 1}, {1, 1}, {2, 2}, {7, 2}}) {
        ini.WriteInteger("UINFO", "BKFLG", stored);
        EXPECT_EQ(DM->GetKcalMode(), mode) << stored;
    }
}

TEST(Schema, RulesOfTheDeliveredDatabase) {
    TTestDatabase db;
    // Login names are unique without regard to case; so are activity titles.
    EXPECT_THROW(db.Exec("insert into UInfo (UName1) values ('USER')"), EDatabaseError);
    EXPECT_THROW(db.Exec("insert into SpSet (sType, tit, Kcal) values (1, '洗碗', 1)"), EDatabaseError);
    // One intake row per user, meal, item, kind and day.
    const QString intake = "insert into CKRcd (UID, CKCLS, FID, FNet, KCal, CKDate, Flg) values (1, '早餐', 1, 100, 338, '2026-03-07', 1)";
    db.Exec(intake);
    EXPECT_THROW(db.Exec(intake), EDatabaseError);
    // Records of a user who does not exist are refused.
    EXPECT_THROW(db.Exec("insert into TZ (CDT, TZ1, UID) values ('2026-03-07', 60, 99)"), EDatabaseError);
}

TEST(Schema, DailyCountsPerUserAndDay) {
    TTestDatabase db;
    db.Exec("insert into CKRcd (UID, CKCLS, FID, FNet, KCal, CKDate, Flg) values "
            "(1, '早餐', 1, 100, 300, '2026-03-07', 1), (1, '午餐', 2, 100, 450.5, '2026-03-07', 1)");
    db.Exec("insert into SPRcd (DT, UID, SPID, SPTime, KCal) values ('2026-03-07', 1, 1, 30, 60), "
            "('2026-03-08', 1, 2, 10, 20)");
    db.Exec("insert into BDKcal (KCal, UID, WRDate) values (2000, 1, '2026-03-07'), (2100, 1, '2026-03-09')");
    TADOQuery q;
    q.SetConnection(DM->Conn);
    q.SQL()->SetText("select * from CntKCal where UID = 1 order by CKDate");
    q.Open();
    ASSERT_EQ(q.RecordCount(), 3);
    EXPECT_EQ(q.FieldByName("CKDate")->AsString(), "2026-03-07");
    EXPECT_DOUBLE_EQ(q.FieldByName("SKCAL")->AsFloat(), 750.5);
    EXPECT_DOUBLE_EQ(q.FieldByName("HKCAL")->AsFloat(), 60);
    EXPECT_DOUBLE_EQ(q.FieldByName("OKCAL")->AsFloat(), 2000);
    q.Next();
    EXPECT_DOUBLE_EQ(q.FieldByName("SKCAL")->AsFloat(), 0);
    EXPECT_DOUBLE_EQ(q.FieldByName("OKCAL")->AsFloat(), 0);
    q.Next();
    EXPECT_DOUBLE_EQ(q.FieldByName("OKCAL")->AsFloat(), 2100);
}
