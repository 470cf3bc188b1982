#pragma once

#include "data/dataset.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QLocale>
#include <QPointer>
#include <QVector>

namespace controls {

/// One column of a record grid: the field it shows and how.
struct Column {
    enum class ButtonStyle { Auto, Ellipsis, None };

    QString fieldName;
    QString title;  ///< the title caption; the field name when empty
    int width = 64;
    bool visible = true;
    bool readOnly = false;
    /// Values the cell editor offers in a drop-down list.
    QStringList pickList;
    /// The field is a look-up field: its editor picks one of pickList.
    bool lookup = false;
    ButtonStyle buttonStyle = ButtonStyle::Auto;

    QString caption() const { return title.isEmpty() ? fieldName : title; }
    bool hasList() const { return lookup || pickList.size() >= 2; }
};

/// The records of a data set as a table model: rows are records in the data set's order,
/// columns the grid's columns. Rows are read when they are shown, a block at a time, and kept
/// in a small cache; the current record is always read from the data set itself, so that an
/// edit shows as it is typed. While the data set is in Insert state the new record is the last
/// row.
class DataSetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DataSetModel(QObject* parent = nullptr);

    void setDataSet(data::DataSet* set);
    data::DataSet* dataSet() const { return set_; }
    /// The columns shown; an empty list shows one column per field of the data set.
    void setColumns(const QVector<Column>& columns);
    const QVector<Column>& columns() const { return columns_; }
    /// The data set's field index of a column, or -1.
    int fieldOf(int column) const;
    const data::FieldDef* fieldDefOf(int column) const;

    /// The row of the current record, -1 when there is none.
    int currentRow() const;
    /// Re-reads everything (after the view or the state changed).
    void reload();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void rebuild(bool keepCache = false);
    QVector<QVariant> row(int r) const;
    void readBlock(int first) const;
    void currentMoved();

    QPointer<data::DataSet> set_;
    QVector<Column> columns_;
    bool ownColumns_ = false;  ///< columns given by the grid, not one per field
    QVector<int> fields_;
    QList<QMetaObject::Connection> links_;
    mutable QHash<int, QVector<QVariant>> cache_;
    int rows_ = 0;
    int lastCurrent_ = -1;
    QLocale locale_;
};

}  // namespace controls
