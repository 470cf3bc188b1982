#include "data/query.h"

#include "data/collation.h"
#include "data/database.h"

namespace data {

Query::Query(Database& db, QObject* parent) : DataSet(parent), db_(db) {}

void Query::open() {
    if (isOpen())
        return;
    fire(Event::BeforeOpen);
    Statement st = db_.connection().prepare(sql_);
    for (int i = 0; i < params_.size(); ++i) st.bind(i + 1, params_[i]);
    std::vector<QVector<QVariant>> rows;
    QStringList names;
    for (int i = 0; i < st.columnCount(); ++i) names << st.columnName(i);
    while (st.step()) {
        QVector<QVariant> r(names.size());
        for (int i = 0; i < names.size(); ++i) r[i] = st.value(i);
        rows.push_back(std::move(r));
    }
    names_ = names;
    rows_ = std::move(rows);
    state_ = State::Browse;
    pos_ = rows_.empty() ? -1 : 0;
    setEnds(true, rows_.empty());
    emit stateChanged();
    emit viewChanged();
    emit recordChanged();
    fire(Event::AfterOpen);
}

void Query::close() {
    if (!isOpen())
        return;
    fire(Event::BeforeClose);
    rows_.clear();
    pos_ = -1;
    setState(State::Inactive);
    emit viewChanged();
}

void Query::setRecNo(int n) {
    if (rows_.empty()) {
        setEnds(true, true);
        return;
    }
    const int p = std::clamp(n - 1, 0, int(rows_.size()) - 1);
    setEnds(false, false);
    if (p == pos_)
        return;
    fire(Event::BeforeScroll);
    pos_ = p;
    emit recordChanged();
    fire(Event::AfterScroll);
}

int Query::fieldIndex(const QString& name) const {
    for (int i = 0; i < names_.size(); ++i)
        if (names_[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant Query::value(int field) const {
    if (pos_ < 0 || field < 0 || field >= names_.size())
        return QVariant();
    return rows_[size_t(pos_)][field];
}

QVector<QVariant> Query::recordAt(int recNo) {
    if (recNo < 1 || recNo > int(rows_.size()))
        return {};
    return rows_[size_t(recNo - 1)];
}

bool Query::locate(const QStringList& fields, const QVariantList& values, LocateOptions o) {
    QVector<int> idx;
    for (const QString& f : fields) {
        const int i = fieldIndex(f);
        if (i < 0)
            throw Error(Error::Code::NoField, QString::fromUtf8("%1 adlı alan yok.").arg(f));
        idx << i;
    }
    for (size_t r = 0; r < rows_.size(); ++r) {
        bool all = true;
        for (int k = 0; k < idx.size() && all; ++k) {
            const QVariant& have = rows_[r][idx[k]];
            const QVariant& want = values[k];
            if (have.typeId() == QMetaType::QString || want.typeId() == QMetaType::QString) {
                QString a = have.toString(), b = want.toString();
                if (o.caseInsensitive) {
                    a = turkishLower(a);
                    b = turkishLower(b);
                }
                all = o.partialKey ? a.startsWith(b) : a == b;
            } else {
                all = have == want || (have.isNull() && want.isNull());
            }
        }
        if (all) {
            setRecNo(int(r) + 1);
            return true;
        }
    }
    return false;
}

void Query::refresh() {
    const int keep = pos_;
    close();
    open();
    if (keep >= 0)
        setRecNo(keep + 1);
}

}  // namespace data
