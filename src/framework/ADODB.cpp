#include "ADODB.h"

#include <sqlite3.h>
#include <cmath>

namespace {

QString LastError(sqlite3* db) { return QString::fromUtf8(sqlite3_errmsg(db)); }

void Check(sqlite3* db, int rc) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) throw EDatabaseError(LastError(db));
}

// Statement handles are finalized however a run ends.
struct TStatement {
    sqlite3_stmt* Handle = nullptr;
    ~TStatement() { sqlite3_finalize(Handle); }
};

// A statement of the connection's, handed back to it however a run ends.
struct TKeptStatementUse {
    TKeptStatementUse(TADOConnection* connection, const char* sql, int length)
        : Connection(connection), Sql(sql), Length(length) {
        Handle = connection->TakeStatement(sql, length, Consumed);
    }
    ~TKeptStatementUse() { Connection->KeepStatement(Sql, Length, Consumed, Handle); }
    TKeptStatementUse(const TKeptStatementUse&) = delete;
    TKeptStatementUse& operator=(const TKeptStatementUse&) = delete;

    TADOConnection* Connection;
    const char* Sql;
    int Length;
    int Consumed = 0;
    sqlite3_stmt* Handle = nullptr;
};

void BindValue(sqlite3* db, sqlite3_stmt* stmt, int index, const QVariant& v) {
    int rc;
    if (!v.isValid() || v.isNull()) {
        rc = sqlite3_bind_null(stmt, index);
    } else {
        switch (v.typeId()) {
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            rc = sqlite3_bind_int64(stmt, index, v.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            // SQLite would keep an infinity and turn NaN into NULL: neither is a value to store.
            if (!std::isfinite(v.toDouble()))
                throw EDatabaseError(QStringLiteral("数值无效：%1").arg(v.toDouble()));
            rc = sqlite3_bind_double(stmt, index, v.toDouble());
            break;
        case QMetaType::QDate:
            rc = sqlite3_bind_text(stmt, index, v.toDate().toString(Qt::ISODate).toUtf8().constData(), -1,
                                   SQLITE_TRANSIENT);
            break;
        case QMetaType::QByteArray: {
            const QByteArray b = v.toByteArray();
            rc = sqlite3_bind_blob(stmt, index, b.constData(), int(b.size()), SQLITE_TRANSIENT);
            break;
        }
        default: {
            // The text's own length, so a NUL inside it is stored rather than ending it.
            const QByteArray text = v.toString().toUtf8();
            rc = sqlite3_bind_text(stmt, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        }
        }
    }
    Check(db, rc);
}

QVariant ColumnValue(sqlite3_stmt* stmt, int column) {
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_INTEGER:
        return QVariant(static_cast<qlonglong>(sqlite3_column_int64(stmt, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt, column));
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, column)),
                                          sqlite3_column_bytes(stmt, column)));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt, column)),
                                   sqlite3_column_bytes(stmt, column)));
    default:
        return QVariant();
    }
}

}  // namespace

// Connection ------------------------------------------------------------------------------------

TADOConnection::~TADOConnection() { Close(); }

void TADOConnection::Open(const QString& fileName) {
    Close();
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(fileName.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = db ? LastError(db) : QStringLiteral("out of memory");
        sqlite3_close(db);
        throw EDatabaseError(msg);
    }
    FDb = db;
    FFileName = fileName;
    // Another process may hold the file for a moment: every statement, the first one too, waits for it.
    sqlite3_busy_timeout(FDb, BusyTimeoutMs);
    try {
        // Reading the schema proves the file is a database; a committed save must survive a crash.
        Exec("SELECT count(*) FROM sqlite_master");
        Exec("PRAGMA foreign_keys = ON");
        Exec("PRAGMA synchronous = FULL");
    } catch (...) {
        Close();
        throw;
    }
}

QStringList TADOConnection::TableNames() const {
    TStatement stmt;
    Check(Handle(),
          sqlite3_prepare_v2(Handle(), "SELECT name FROM sqlite_master WHERE type IN ('table', 'view')", -1,
                             &stmt.Handle, nullptr));
    QStringList names;
    int rc;
    while ((rc = sqlite3_step(stmt.Handle)) == SQLITE_ROW)
        names << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt.Handle, 0)));
    Check(FDb, rc);
    return names;
}

void TADOConnection::Close() {
    if (!FDb) return;
    FinalizeKept();
    sqlite3_close_v2(FDb);
    FDb = nullptr;
}

namespace {
// Texts whose statements are kept; past that the kept ones start anew.
constexpr qsizetype MaxKeptStatements = 64;
}  // namespace

sqlite3_stmt* TADOConnection::TakeStatement(const char* sql, int length, int& consumed) {
    sqlite3* db = Handle();
    // Taken out while in use, so a run of the same text meanwhile prepares its own.
    if (const auto kept = FKept.find(QByteArray::fromRawData(sql, length)); kept != FKept.end()) {
        const TKeptStatement statement = *kept;
        FKept.erase(kept);
        consumed = statement.Consumed;
        return statement.Handle;
    }
    sqlite3_stmt* statement = nullptr;
    const char* next = nullptr;
    Check(db, sqlite3_prepare_v2(db, sql, length, &statement, &next));
    consumed = int(next - sql);
    return statement;
}

void TADOConnection::KeepStatement(const char* sql, int length, int consumed, sqlite3_stmt* statement) {
    if (!statement) return;
    // Reset, a statement holds no lock and no values of its run.
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    if (!FDb || FKept.contains(QByteArray::fromRawData(sql, length))) {
        sqlite3_finalize(statement);
        return;
    }
    if (FKept.size() >= MaxKeptStatements) FinalizeKept();
    FKept.insert(QByteArray(sql, length), TKeptStatement{statement, consumed});
}

void TADOConnection::FinalizeKept() {
    for (const TKeptStatement& kept : std::as_const(FKept)) sqlite3_finalize(kept.Handle);
    FKept.clear();
}

sqlite3* TADOConnection::Handle() const {
    if (!FDb) throw EDatabaseError(QStringLiteral("数据库未连接"));
    return FDb;
}

void TADOConnection::Exec(const char* sql) {
    char* err = nullptr;
    if (sqlite3_exec(Handle(), sql, nullptr, nullptr, &err) != SQLITE_OK) {
        const QString msg = QString::fromUtf8(err ? err : sqlite3_errmsg(FDb));
        sqlite3_free(err);
        throw EDatabaseError(msg);
    }
}

void TADOConnection::BeginTrans() { Exec("BEGIN"); }
void TADOConnection::CommitTrans() { Exec("COMMIT"); }
void TADOConnection::RollbackTrans() {
    if (InTransaction()) Exec("ROLLBACK");
}
bool TADOConnection::InTransaction() const { return FDb && !sqlite3_get_autocommit(FDb); }
long long TADOConnection::LastInsertRowId() const { return sqlite3_last_insert_rowid(Handle()); }

// Fields and parameters ----------------------------------------------------------------------------

QString FieldText(const QVariant& value) {
    if (value.isNull()) return QString();
    if (value.typeId() == QMetaType::Double) return FloatToStr(value.toDouble());
    return value.toString();
}

QVariant TField::Value() const { return FQuery->Value(FQuery->RecNo() - 1, FIndex); }
bool TField::IsNull() const { return Value().isNull(); }

double TField::AsFloat() const {
    const QVariant v = Value();
    if (v.isNull()) return 0;
    if (v.typeId() == QMetaType::QString) {
        double d = 0;
        if (!TryStrToFloat(v.toString(), d))
            throw EDatabaseError(QStringLiteral("'%1' is not a valid floating point value").arg(v.toString()));
        return d;
    }
    return v.toDouble();
}

long long TField::AsLargeInt() const {
    const QVariant v = Value();
    if (v.isNull()) return 0;
    if (v.typeId() == QMetaType::LongLong) return v.toLongLong();
    return std::llround(AsFloat());
}

int TField::AsInteger() const { return static_cast<int>(AsLargeInt()); }

TDateTime TField::AsDateTime() const {
    const QVariant v = Value();
    if (v.isNull()) return 0;
    if (v.typeId() == QMetaType::QString) {
        TDateTime d = 0;
        return TryISOToDate(v.toString().left(10), d) ? d : 0;
    }
    return v.toDouble();
}

void TParameters::Assign(const QVariantMap& values) {
    for (auto it = values.begin(); it != values.end(); ++it) SetValue(it.key(), it.value());
}

// Query -----------------------------------------------------------------------------------------

TADOQuery::TADOQuery(TComponent* AOwner) : TComponent(AOwner) {
    FSQL.OnChange = [this] {
        Close();
        FParameters.Clear();
    };
}

TADOQuery::~TADOQuery() { FSQL.OnChange = nullptr; }

void TADOQuery::RequireConnection() const {
    if (!FConnection) throw EDatabaseError(QStringLiteral("查询没有连接"));
}

void TADOQuery::RunStatements(bool keepRows) {
    RequireConnection();
    sqlite3* db = FConnection->Handle();
    const QByteArray text = FSQL.Text().toUtf8();
    const char* tail = text.constData();
    const char* end = tail + text.size();
    FRowsAffected = 0;
    while (tail < end) {
        TKeptStatementUse stmt(FConnection, tail, int(end - tail));
        tail += stmt.Consumed;
        if (!stmt.Handle) continue;  // only blanks or a comment were left

        for (int i = 1; i <= sqlite3_bind_parameter_count(stmt.Handle); ++i) {
            const char* rawName = sqlite3_bind_parameter_name(stmt.Handle, i);
            const QString name = rawName ? QString::fromUtf8(rawName + 1) : QString();
            if (!FParameters.Contains(name))
                throw EDatabaseError(QStringLiteral("参数 %1 没有值").arg(name.isEmpty() ? QStringLiteral("?") : name));
            BindValue(db, stmt.Handle, i, FParameters.Value(name));
        }

        // The connection's count of changed rows is that of the last statement that changed any:
        // a statement that changes none leaves it as it was.
        const int changesBefore = sqlite3_total_changes(db);
        // The columns after the first step: a kept statement is prepared again there when the tables
        // have changed since, and "*" may then stand for other columns.
        int rc = sqlite3_step(stmt.Handle);
        const int columns = sqlite3_column_count(stmt.Handle);
        const bool readRows = keepRows && columns > 0;
        if (readRows) {
            FFields.clear();
            FRows.clear();
            for (int c = 0; c < columns; ++c)
                FFields.push_back(std::make_unique<TField>(this, c, QString::fromUtf8(sqlite3_column_name(stmt.Handle, c))));
        }
        for (; rc == SQLITE_ROW; rc = sqlite3_step(stmt.Handle)) {
            if (!readRows) continue;
            std::vector<QVariant> row(columns);
            for (int c = 0; c < columns; ++c) row[c] = ColumnValue(stmt.Handle, c);
            FRows.push_back(std::move(row));
        }
        Check(db, rc);
        if (sqlite3_total_changes(db) != changesBefore) FRowsAffected += sqlite3_changes(db);
    }
}

void TADOQuery::ExecSQL() {
    Close();
    RunStatements(false);
}

void TADOQuery::Open() {
    Close();
    try {
        RunStatements(true);
    } catch (...) {
        FFields.clear();
        FRows.clear();
        throw;
    }
    FActive = true;
    FCurrent = 0;
    FBof = true;
    FEof = FRows.empty();
    Changed();
}

void TADOQuery::Close() {
    const bool wasActive = FActive;
    FActive = false;
    FFields.clear();
    FRows.clear();
    FCurrent = 0;
    FEof = FBof = true;
    if (wasActive) Changed();
}

void TADOQuery::First() {
    FCurrent = 0;
    FBof = true;
    FEof = FRows.empty();
    Changed();
}

void TADOQuery::Last() {
    FCurrent = FRows.empty() ? 0 : int(FRows.size()) - 1;
    FEof = FRows.empty();
    FBof = FRows.empty();
    Changed();
}

void TADOQuery::Next() {
    FBof = false;
    if (FCurrent + 1 < int(FRows.size())) FCurrent++;
    else FEof = true;
    Changed();
}

void TADOQuery::Prior() {
    FEof = false;
    if (FCurrent > 0) FCurrent--;
    else FBof = true;
    Changed();
}

void TADOQuery::SetRecNo(int recNo) {
    if (recNo < 1 || recNo > int(FRows.size())) return;
    FCurrent = recNo - 1;
    FEof = FBof = false;
    Changed();
}

TField* TADOQuery::FindField(const QString& name) const {
    for (const auto& f : FFields)
        if (f->FieldName().compare(name, Qt::CaseInsensitive) == 0) return f.get();
    return nullptr;
}

TField* TADOQuery::FieldByName(const QString& name) const {
    TField* f = FindField(name);
    if (!f) throw EDatabaseError(QStringLiteral("%1: Field '%2' not found").arg(Name(), name));
    return f;
}

QVariant TADOQuery::Value(int record, int column) const {
    if (record < 0 || record >= int(FRows.size())) return QVariant();
    return FRows[record].at(column);
}
