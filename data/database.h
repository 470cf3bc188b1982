#pragma once

#include "data/schema.h"
#include "data/sqlite.h"

#include <QSet>
#include <QString>
#include <memory>

namespace data {

/// The database ANA: one SQLite file "ANA.db" in a data folder, holding the four tables and,
/// per table, its storage-format version and auto-increment counter.
class Database {
public:
    /// Opens (creating when missing) ANA.db in the folder; throws Error(Store).
    explicit Database(const QString& folder);
    ~Database();

    static QString fileName() { return QStringLiteral("ANA.db"); }
    const QString& folder() const { return folder_; }
    Connection& connection() { return *conn_; }

    bool tableExists(const QString& table);
    /// The table's storage-format version, or an empty text when it has none.
    QString formatVersion(const QString& table);

    /// Creates, in the fixed order, every table that does not exist and seeds each one it
    /// creates. An existing table is never changed. Returns the names of the tables made.
    QStringList createMissingTables();

    /// The check before a cursor opens: creates the missing tables, or converts a table of an
    /// older storage format in place, keeping every row and value.
    void checkTable(const QString& table);

    /// Converts one table to the current format (its columns, collation, indexes).
    void convertTable(const TableDef& def);

    /// Next value of the table's auto-increment counter (the counter is moved on).
    qint64 nextCounter(const QString& table);
    /// Moves the counter up to at least value (an explicit key given on insert).
    void raiseCounter(const QString& table, qint64 value);
    qint64 counter(const QString& table);

private:
    void createTable(const TableDef& def);
    void seedTable(const TableDef& def);
    void ensureInfoTable();

    QString folder_;
    std::unique_ptr<Connection> conn_;
    QSet<QString> checked_;  ///< tables found current since the connection opened
};

/// The SQL that creates a table of the current format, and its indexes.
QString createTableSql(const TableDef& def, const QString& asName = QString());
QStringList createIndexSql(const TableDef& def);

}  // namespace data
