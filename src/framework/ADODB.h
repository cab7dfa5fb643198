// The database classes: a connection to one SQLite file and queries whose results are read into memory.
#pragma once

#include "Classes.h"
#include "SysUtils.h"

#include <QHash>
#include <QVariant>
#include <QVariantMap>
#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// A database failure; the message is SQLite's own.
class EDatabaseError : public Exception {
public:
    using Exception::Exception;
};

class TADOConnection : public TComponent {
    Q_OBJECT
public:
    explicit TADOConnection(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
    ~TADOConnection() override;

    // Opens an existing database file; a missing or unreadable file raises EDatabaseError.
    void Open(const QString& fileName);
    // How long a statement waits for a file that another process has locked.
    static constexpr int BusyTimeoutMs = 2000;
    // The names of the tables and views in the open database.
    QStringList TableNames() const;
    void Close();
    bool Connected() const { return FDb != nullptr; }
    const QString& FileName() const { return FFileName; }

    void BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    bool InTransaction() const;

    sqlite3* Handle() const;  // raises EDatabaseError when not connected
    long long LastInsertRowId() const;

    // Framework use: the first statement of `sql` (UTF-8, `length` bytes), prepared anew or kept from
    // an earlier run of the same text; `consumed` is how many bytes of `sql` it took. The caller owns
    // it until it hands it back; a null statement means only blanks or comments were left.
    sqlite3_stmt* TakeStatement(const char* sql, int length, int& consumed);
    // Hands a statement back (reset, its values cleared) to be kept for the next run of its text.
    void KeepStatement(const char* sql, int length, int consumed, sqlite3_stmt* statement);

private:
    void Exec(const char* sql);
    void FinalizeKept();
    sqlite3* FDb = nullptr;
    QString FFileName;
    // Statements of texts run lately, each with the bytes of its text it took; preparing a statement
    // costs more than running most of the program's queries.
    struct TKeptStatement {
        sqlite3_stmt* Handle;
        int Consumed;
    };
    QHash<QByteArray, TKeptStatement> FKept;
};

class TADOQuery;

// The text a stored value shows as: NULL gives "", a real number its shortest text.
QString FieldText(const QVariant& value);

// One column of the current record.
class TField {
public:
    TField(TADOQuery* query, int index, const QString& name) : FQuery(query), FIndex(index), FFieldName(name) {}
    const QString& FieldName() const { return FFieldName; }
    // The column's position in the query's records.
    int Index() const { return FIndex; }
    QVariant Value() const;
    bool IsNull() const;
    QString AsString() const { return FieldText(Value()); }
    int AsInteger() const;         // NULL gives 0; a real number is rounded
    long long AsLargeInt() const;
    double AsFloat() const;        // NULL gives 0
    TDateTime AsDateTime() const;  // ISO date text; NULL or not a date gives 0
    bool AsBoolean() const { return AsInteger() != 0; }

private:
    TADOQuery* FQuery;
    int FIndex;
    QString FFieldName;
};

// Named parameters ":Name" of the SQL text, bound by their value's type.
class TParameters {
public:
    void SetValue(const QString& name, const QVariant& value) { FValues[name.toLower()] = value; }
    bool Contains(const QString& name) const { return FValues.contains(name.toLower()); }
    QVariant Value(const QString& name) const { return FValues.value(name.toLower()); }
    void Assign(const QVariantMap& values);
    void Clear() { FValues.clear(); }

private:
    QVariantMap FValues;
};

class TADOQuery : public TComponent {
    Q_OBJECT
public:
    explicit TADOQuery(TComponent* AOwner = nullptr);
    ~TADOQuery() override;

    TADOConnection* Connection() const { return FConnection; }
    void SetConnection(TADOConnection* connection) { FConnection = connection; }

    // The statement text; changing it closes the query and forgets the parameter values.
    TStringList* SQL() { return &FSQL; }
    TParameters& Parameters() { return FParameters; }

    // Runs the statement(s) and keeps no rows.
    void ExecSQL();
    // Runs a SELECT and reads all its rows; the first becomes current.
    void Open();
    void Close();
    bool Active() const { return FActive; }

    bool IsEmpty() const { return FRows.empty(); }
    bool Eof() const { return FEof; }
    bool Bof() const { return FBof; }
    void First();
    void Last();
    void Next();
    void Prior();
    int RecNo() const { return FRows.empty() ? 0 : FCurrent + 1; }  // 1-based
    void SetRecNo(int recNo);
    int RecordCount() const { return int(FRows.size()); }
    int RowsAffected() const { return FRowsAffected; }

    int FieldCount() const { return int(FFields.size()); }
    TField* Fields(int index) const { return FFields.at(index).get(); }
    TField* FindField(const QString& name) const;
    TField* FieldByName(const QString& name) const;  // raises EDatabaseError for an unknown name

    // A record's value in a column, without moving the current record; NULL outside the records.
    // `record` counts from 0.
    QVariant Value(int record, int column) const;

signals:
    // After Open, Close and every move of the current record, so a data grid can follow.
    void DataChanged();

private:
    void RequireConnection() const;
    void RunStatements(bool keepRows);
    void Changed() { emit DataChanged(); }

    TADOConnection* FConnection = nullptr;
    TStringList FSQL;
    TParameters FParameters;
    bool FActive = false, FEof = true, FBof = true;
    int FCurrent = 0, FRowsAffected = 0;
    std::vector<std::unique_ptr<TField>> FFields;
    std::vector<std::vector<QVariant>> FRows;
};
