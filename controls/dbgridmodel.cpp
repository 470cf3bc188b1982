#include "controls/dbgridmodel.h"

#include "controls/fieldtext.h"
#include "dialogs/service.h"

namespace controls {
namespace {
constexpr int kBlock = 64;
constexpr int kCacheRows = 2048;
}  // namespace

DataSetModel::DataSetModel(QObject* parent) : QAbstractTableModel(parent) {}

void DataSetModel::setDataSet(data::DataSet* set) {
    for (const auto& c : links_) disconnect(c);
    links_.clear();
    set_ = set;
    if (set) {
        links_ << connect(set, &data::DataSet::viewChanged, this, &DataSetModel::reload);
        links_ << connect(set, &data::DataSet::stateChanged, this, [this] {
            // Rows read before an edit stay good while it lasts (an open cell editor too);
            // a post may reorder them, an insert adds a row.
            if (set_ && set_->state() == data::State::Edit && set_->recordCount() == rows_) {
                const int r = currentRow();
                if (r >= 0 && !columns_.isEmpty()) {
                    emit dataChanged(index(r, 0), index(r, int(columns_.size()) - 1));
                    emit headerDataChanged(Qt::Vertical, r, r);
                }
                return;
            }
            rebuild(set_ && set_->isEditing());
        });
        links_ << connect(set, &data::DataSet::recordChanged, this, &DataSetModel::currentMoved);
        links_ << connect(set, &data::DataSet::fieldChanged, this, [this](int field) {
            const int r = currentRow();
            for (int c = 0; c < fields_.size(); ++c)
                if (fields_[c] == field && r >= 0)
                    emit dataChanged(index(r, c), index(r, c));
        });
        links_ << connect(set, &QObject::destroyed, this, &DataSetModel::reload);
    }
    rebuild();
}

void DataSetModel::setColumns(const QVector<Column>& columns) {
    columns_ = columns;
    ownColumns_ = !columns.isEmpty();
    rebuild();
}

void DataSetModel::rebuild(bool keepCache) {
    beginResetModel();
    if (!ownColumns_)
        columns_.clear();
    if (!ownColumns_ && set_)
        for (int i = 0; i < set_->fieldCount(); ++i) {
            Column c;
            c.fieldName = set_->fieldName(i);
            columns_ << c;
        }
    fields_.clear();
    for (const Column& c : columns_) fields_ << (set_ ? set_->fieldIndex(c.fieldName) : -1);
    if (!keepCache)
        cache_.clear();
    rows_ = set_ && set_->isOpen() ? set_->recordCount() : 0;
    lastCurrent_ = currentRow();
    endResetModel();
}

int DataSetModel::fieldOf(int column) const {
    return fields_.value(column, -1);
}

const data::FieldDef* DataSetModel::fieldDefOf(int column) const {
    const int f = fieldOf(column);
    return f >= 0 && set_ ? set_->fieldDef(f) : nullptr;
}

int DataSetModel::currentRow() const {
    if (!set_ || !set_->isOpen())
        return -1;
    if (set_->state() == data::State::Insert)
        return set_->recordCount() - 1;
    return set_->recNo() - 1;
}

void DataSetModel::reload() {
    rebuild();
}

void DataSetModel::currentMoved() {
    if (!set_)
        return;
    if ((set_->isOpen() ? set_->recordCount() : 0) != rows_) {
        reload();
        return;
    }
    const int now = currentRow();
    // the record stood on may have been written: read it again when it is shown
    cache_.remove(now);
    cache_.remove(lastCurrent_);
    const int last = columnCount() - 1;
    for (int r : {lastCurrent_, now})
        if (r >= 0 && r < rows_ && last >= 0) {
            emit dataChanged(index(r, 0), index(r, last));
            emit headerDataChanged(Qt::Vertical, r, r);
        }
    lastCurrent_ = now;
}

int DataSetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int DataSetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

void DataSetModel::readBlock(int first) const {
    if (!set_ || !set_->isOpen())
        return;
    if (cache_.size() > kCacheRows)
        cache_.clear();
    const int count = set_->recordCount();
    try {
        for (int r = first; r < qMin(first + kBlock, count); ++r) {
            QVector<QVariant> values = set_->recordAt(r + 1);
            if (!values.isEmpty())
                cache_.insert(r, values);
        }
    } catch (const std::exception& e) {
        dialogs::showException(e);
    }
}

QVector<QVariant> DataSetModel::row(int r) const {
    if (!set_ || r < 0 || r >= rows_)
        return {};
    if (r == currentRow()) {
        QVector<QVariant> values(set_->fieldCount());
        for (int f = 0; f < values.size(); ++f) values[f] = set_->value(f);
        return values;
    }
    auto it = cache_.constFind(r);
    if (it == cache_.constEnd()) {
        readBlock(r - r % kBlock);
        it = cache_.constFind(r);
        if (it == cache_.constEnd())
            return {};
    }
    return *it;
}

QVariant DataSetModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) {
        if (role == Qt::TextAlignmentRole && isNumberField(fieldDefOf(index.column())))
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }
    const int f = fieldOf(index.column());
    if (f < 0)
        return {};
    const QVector<QVariant> values = row(index.row());
    const data::FieldDef* def = fieldDefOf(index.column());
    const QVariant v = values.value(f);
    if (role == Qt::EditRole && isNumberField(def) && !v.isNull()) {
        // the editor gets the bare number: no grouping, no trailing zeros
        QLocale plain = locale_;
        plain.setNumberOptions(QLocale::OmitGroupSeparator);
        return plain.toString(v.toDouble(), 'g', QLocale::FloatingPointShortest);
    }
    return fieldText(def, v, locale_);
}

bool DataSetModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !set_ || index.row() != currentRow())
        return false;
    const int f = fieldOf(index.column());
    if (f < 0)
        return false;
    const QString text = value.toString();
    // an editor closed without a change leaves the record as it was
    if (text == data(index, Qt::EditRole).toString())
        return true;
    try {
        const QVariant v = fieldValue(fieldDefOf(index.column()), text, locale_);
        if (!set_->isEditing())
            set_->edit();
        set_->setValue(f, v);
    } catch (const std::exception& e) {
        dialogs::showException(e);
        return false;
    }
    return true;
}

QVariant DataSetModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o == Qt::Horizontal && role == Qt::DisplayRole && section < columns_.size())
        return columns_[section].caption();
    return {};
}

Qt::ItemFlags DataSetModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

}  // namespace controls
