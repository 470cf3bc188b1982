#pragma once

#include "data/dataset.h"

#include <QStringList>
#include <QVariantList>
#include <QVector>

namespace report {

/// A read-only data set over records held in memory: for reports whose rows do not come from a
/// table (a test page, fixed sample values) and for tests and benchmarks of the engine.
class ListDataSet : public data::DataSet {
    Q_OBJECT
public:
    explicit ListDataSet(const QStringList& fields, QObject* parent = nullptr);

    void addRecord(const QVariantList& values);
    void clear();

    void open() override;
    void close() override;
    int recordCount() override { return rows_.size(); }
    int recNo() override { return pos_ + 1; }
    void setRecNo(int n) override;
    int fieldCount() const override { return fields_.size(); }
    QString fieldName(int i) const override { return fields_.value(i); }
    int fieldIndex(const QString& name) const override;
    QVariant value(int field) const override;
    QVector<QVariant> recordAt(int recNo) override;
    using DataSet::value;
    bool locate(const QStringList& fields, const QVariantList& values,
                data::LocateOptions options = {}) override;
    void refresh() override {}

private:
    QStringList fields_;
    QVector<QVariantList> rows_;
    int pos_ = -1;
};

}  // namespace report
