#pragma once

#include <QString>
#include <QVariant>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace data {

/// A prepared statement; values are bound by position (1-based) and read by column (0-based).
class Statement {
public:
    Statement() = default;
    Statement(sqlite3* db, const QString& sql);
    Statement(Statement&&) noexcept;
    Statement& operator=(Statement&&) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement();

    bool valid() const { return stmt_ != nullptr; }
    Statement& bind(int pos, const QVariant& value);
    /// Steps once; true while a row is there. Throws Error on failure.
    bool step();
    /// Steps until done.
    void exec();
    void reset();

    int columnCount() const;
    QString columnName(int col) const;
    bool isNull(int col) const;
    qint64 int64(int col) const;
    double real(int col) const;
    QString text(int col) const;
    /// The column as a QVariant of the stored kind (null, integer, real, text).
    QVariant value(int col) const;

private:
    sqlite3* db_ = nullptr;
    sqlite3_stmt* stmt_ = nullptr;
};

/// An open SQLite connection with the Turkish collation and functions registered.
class Connection {
public:
    /// Opens (creating when missing) the file; throws Error(Store).
    explicit Connection(const QString& path);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    sqlite3* handle() const { return db_; }
    const QString& path() const { return path_; }
    void exec(const QString& sql);
    Statement prepare(const QString& sql) { return Statement(db_, sql); }
    qint64 lastInsertRowid() const;
    bool tableExists(const QString& name);

private:
    sqlite3* db_ = nullptr;
    QString path_;
};

/// A transaction (a savepoint, so they nest) that rolls back unless committed; its
/// destructor never throws.
class Transaction {
public:
    explicit Transaction(Connection& c);
    ~Transaction();
    void commit();

private:
    Connection& c_;
    QString name_;
    bool done_ = false;
};

/// Quotes an identifier for SQL: "Satır (mm)".
QString quoteIdent(const QString& name);

/// Throws the Error for an SQLite result code other than OK/ROW/DONE.
void check(sqlite3* db, int rc, const char* what);

}  // namespace data
