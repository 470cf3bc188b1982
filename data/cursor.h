#pragma once

#include "data/dataset.h"
#include "data/filter.h"
#include "data/sqlite.h"

#include <QHash>
#include <optional>

namespace data {

class Database;

/// A cursor over one table: filter text, index order, current record, editing with the
/// before/after events. The view is the ordered list of row ids that pass the filter; it is
/// read lazily, so that a run of appends does not re-read it after each post.
class Cursor : public DataSet {
    Q_OBJECT
public:
    /// throws Error(NoTable) for a table name that is not one of the four.
    Cursor(Database& db, const QString& table, QObject* parent = nullptr);
    ~Cursor() override;

    const TableDef& table() const { return *def_; }
    Database& database() { return db_; }

    /// The filter text ("MF<>'K' And MF<>'E'"); empty shows every row. On an open cursor a
    /// pending edit is ended first (posted when modified, else cancelled) and the cursor moves
    /// to the first record of the new view. Throws FilterError (the old view stays).
    void setFilter(const QString& text);
    QString filter() const { return filterText_; }
    /// Filtering switched on or off (the filter text is kept).
    void setFiltered(bool on);
    bool filtered() const { return filtered_; }
    /// The order: an index name ("IndIsim") or empty for the primary order. Throws Error.
    void setIndexName(const QString& name);
    QString indexName() const { return indexName_; }

    void open() override;
    void close() override;
    int recordCount() override;
    int recNo() override;
    void setRecNo(int n) override;

    int fieldCount() const override { return def_->fields.size(); }
    QString fieldName(int i) const override { return def_->fields[i].name; }
    int fieldIndex(const QString& name) const override { return def_->fieldIndex(name); }
    const FieldDef* fieldDef(int i) const override { return &def_->fields[i]; }
    QVariant value(int field) const override;
    QVector<QVariant> recordAt(int recNo) override;
    using DataSet::locate;
    using DataSet::setValue;
    using DataSet::value;
    void setValue(int field, const QVariant& v) override;

    bool canModify() const override { return true; }
    void append() override;
    void edit() override;
    void post() override;
    void cancel() override;
    void remove() override;
    bool isModified() const override;

    bool locate(const QStringList& fields, const QVariantList& values,
                LocateOptions options = {}) override;
    void refresh() override;

    /// Row id of the current record (0 when none or a pending insert).
    qint64 rowId() const { return rowid_; }

private:
    void requireOpen() const;
    void ensureView();
    void readView();
    void loadCurrent();
    QVector<QVariant> readRow(qint64 rowid);
    void moveTo(int index0);
    QString orderClause() const;
    void endPendingEdit();

    Database& db_;
    const TableDef* def_;
    QString filterText_;
    CompiledFilter filterSql_;
    bool filtered_ = true;
    QString indexName_;

    std::vector<qint64> view_;
    bool viewStale_ = true;
    int pos_ = -1;  ///< 0-based place in the view, -1 when empty
    qint64 rowid_ = 0;
    QVector<QVariant> buf_;
    QVector<QVariant> orig_;
    QVector<bool> changed_;
    Statement readStmt_;
};

}  // namespace data
