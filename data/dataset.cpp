#include "data/dataset.h"

namespace data {

void DataSet::next() {
    moveBy(1);
}
void DataSet::prior() {
    moveBy(-1);
}

void DataSet::moveBy(int n) {
    const int count = recordCount();
    if (count == 0) {
        setEnds(true, true);
        return;
    }
    const int target = recNo() + n;
    if (target > count) {
        setRecNo(count);
        setEnds(false, true);
    } else if (target < 1) {
        setRecNo(1);
        setEnds(true, false);
    } else {
        setRecNo(target);
    }
}

QStringList DataSet::fieldNames() const {
    QStringList out;
    for (int i = 0; i < fieldCount(); ++i) out << fieldName(i);
    return out;
}

QVariant DataSet::value(const QString& name) const {
    const int i = fieldIndex(name);
    if (i < 0)
        throw Error(Error::Code::NoField, QString::fromUtf8("%1 adlı alan yok.").arg(name));
    return value(i);
}

void DataSet::setValue(int, const QVariant&) {
    readOnly();
}

void DataSet::setValue(const QString& name, const QVariant& v) {
    const int i = fieldIndex(name);
    if (i < 0)
        throw Error(Error::Code::NoField, QString::fromUtf8("%1 adlı alan yok.").arg(name));
    setValue(i, v);
}

void DataSet::append() {
    readOnly();
}
void DataSet::edit() {
    readOnly();
}
void DataSet::post() {
    readOnly();
}
void DataSet::cancel() {}
void DataSet::remove() {
    readOnly();
}

void DataSet::readOnly() const {
    throw Error(Error::Code::State, QString::fromUtf8("Bu kayıtlar yalnızca okunabilir."));
}

void DataSet::fire(Event e) {
    // handlers may add handlers; iterate by index
    auto& list = handlers_[static_cast<int>(e)];
    for (size_t i = 0; i < list.size(); ++i) list[i](*this);
}

void DataSet::setState(State s) {
    if (state_ == s)
        return;
    state_ = s;
    emit stateChanged();
}

}  // namespace data
