#include "report/listdataset.h"

#include <QLocale>

namespace report {

ListDataSet::ListDataSet(const QStringList& fields, QObject* parent)
    : data::DataSet(parent), fields_(fields) {}

void ListDataSet::addRecord(const QVariantList& values) {
    rows_.push_back(values);
    if (isOpen() && pos_ < 0)
        setRecNo(1);
    emit viewChanged();
}

void ListDataSet::clear() {
    rows_.clear();
    pos_ = -1;
    setEnds(true, true);
    emit viewChanged();
}

void ListDataSet::open() {
    if (isOpen())
        return;
    setState(data::State::Browse);
    setRecNo(1);
}

void ListDataSet::close() {
    setState(data::State::Inactive);
    pos_ = -1;
    setEnds(true, true);
}

void ListDataSet::setRecNo(int n) {
    if (rows_.isEmpty()) {
        pos_ = -1;
        setEnds(true, true);
    } else {
        pos_ = std::clamp(n, 1, int(rows_.size())) - 1;
        setEnds(false, false);
    }
    emit recordChanged();
}

int ListDataSet::fieldIndex(const QString& name) const {
    for (int i = 0; i < fields_.size(); ++i)
        if (fields_[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant ListDataSet::value(int field) const {
    if (pos_ < 0 || pos_ >= rows_.size())
        return {};
    return rows_[pos_].value(field);
}

bool ListDataSet::locate(const QStringList& fields, const QVariantList& values,
                         data::LocateOptions options) {
    static const QLocale tr(QLocale::Turkish, QLocale::Turkey);
    for (int r = 0; r < rows_.size(); ++r) {
        bool all = true;
        for (int i = 0; i < fields.size() && all; ++i) {
            QString have = rows_[r].value(fieldIndex(fields[i])).toString();
            QString want = values.value(i).toString();
            if (options.caseInsensitive) {
                have = tr.toLower(have);
                want = tr.toLower(want);
            }
            all = options.partialKey ? have.startsWith(want) : have == want;
        }
        if (all) {
            setRecNo(r + 1);
            return true;
        }
    }
    return false;
}

QVector<QVariant> ListDataSet::recordAt(int recNo) {
    if (recNo < 1 || recNo > rows_.size())
        return {};
    return QVector<QVariant>(rows_[recNo - 1].begin(), rows_[recNo - 1].end());
}

}  // namespace report
