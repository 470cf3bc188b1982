#pragma once

#include "data/dataset.h"

namespace data {

class Database;

/// A read-only SQL query ("Select distinct Hitap from mustfirmadata") run on the database's
/// connection. Its rows are read whole when it opens; the values it is given are bound, never
/// pasted into the SQL.
class Query : public DataSet {
    Q_OBJECT
public:
    explicit Query(Database& db, QObject* parent = nullptr);

    void setSql(const QString& sql) { sql_ = sql; }
    QString sql() const { return sql_; }
    /// Values for the ? places of the SQL, in order.
    void setParams(const QVariantList& params) { params_ = params; }

    /// Runs the query; throws Error (the query stays closed).
    void open() override;
    void close() override;
    int recordCount() override { return int(rows_.size()); }
    int recNo() override { return pos_ + 1; }
    void setRecNo(int n) override;
    int fieldCount() const override { return names_.size(); }
    QString fieldName(int i) const override { return names_[i]; }
    int fieldIndex(const QString& name) const override;
    QVariant value(int field) const override;
    QVector<QVariant> recordAt(int recNo) override;
    using DataSet::locate;
    using DataSet::value;
    bool locate(const QStringList& fields, const QVariantList& values,
                LocateOptions options = {}) override;
    void refresh() override;

private:
    Database& db_;
    QString sql_;
    QVariantList params_;
    QStringList names_;
    std::vector<QVector<QVariant>> rows_;
    int pos_ = -1;
};

}  // namespace data
