#include "data/cursor.h"

#include "data/collation.h"
#include "data/database.h"

#include <QDate>
#include <algorithm>

namespace data {

namespace {

// A stored value as the field's type gives it to the program.
QVariant fromStore(const FieldDef& f, const QVariant& v) {
    if (v.isNull())
        return QVariant();
    switch (f.type) {
        case FieldType::Text:
            return v.toString();
        case FieldType::SmallInt:
        case FieldType::Integer:
            return QVariant(int(v.toLongLong()));
        case FieldType::AutoInc:
            return QVariant(int(v.toLongLong()));
        case FieldType::Boolean:
            return QVariant(v.toLongLong() != 0);
        case FieldType::Float:
        case FieldType::Money:
            return QVariant(v.toDouble());
        case FieldType::Date: {
            const QDate d = QDate::fromString(v.toString().left(10), Qt::ISODate);
            return d.isValid() ? QVariant(d) : QVariant();
        }
    }
    return v;
}

}  // namespace

Cursor::Cursor(Database& db, const QString& table, QObject* parent)
    : DataSet(parent), db_(db), def_(findTable(table)) {
    if (!def_)
        throw Error(Error::Code::NoTable, QString::fromUtf8("%1 adlı tablo yok.").arg(table));
    buf_.resize(def_->fields.size());
    changed_.fill(false, def_->fields.size());
}

Cursor::~Cursor() = default;

void Cursor::requireOpen() const {
    if (state_ == State::Inactive)
        throw Error(Error::Code::State,
                    QString::fromUtf8("%1 tablosu açık değil.").arg(def_->name));
}

void Cursor::setFilter(const QString& text) {
    CompiledFilter compiled = compileFilter(text, *def_);  // throws: the old view stays
    if (isOpen())
        endPendingEdit();
    filterText_ = text;
    filterSql_ = std::move(compiled);
    if (isOpen()) {
        readView();
        moveTo(0);
        emit viewChanged();
    }
}

void Cursor::setFiltered(bool on) {
    if (filtered_ == on)
        return;
    if (isOpen())
        endPendingEdit();
    filtered_ = on;
    if (isOpen()) {
        readView();
        moveTo(0);
        emit viewChanged();
    }
}

void Cursor::setIndexName(const QString& name) {
    if (!name.isEmpty() && !def_->index(name))
        throw Error(Error::Code::NoField,
                    QString::fromUtf8("%1 tablosunda %2 adlı dizin yok.").arg(def_->name, name));
    if (isOpen())
        endPendingEdit();
    indexName_ = name.isEmpty() ? QString() : def_->index(name)->name;
    if (isOpen()) {
        const qint64 keep = rowid_;
        readView();
        auto it = std::find(view_.begin(), view_.end(), keep);
        moveTo(it == view_.end() ? 0 : int(it - view_.begin()));
        emit viewChanged();
    }
}

void Cursor::endPendingEdit() {
    if (!isEditing())
        return;
    if (isModified())
        post();
    else
        cancel();
}

QString Cursor::orderClause() const {
    QStringList fields = def_->primary;
    if (!indexName_.isEmpty()) {
        const IndexDef* ix = def_->index(indexName_);
        fields = ix->fields + ix->covering;
    }
    QStringList parts;
    for (const QString& f : fields) parts << quoteIdent(f);
    parts << QStringLiteral("rowid");
    return parts.join(QStringLiteral(", "));
}

void Cursor::open() {
    if (isOpen())
        return;
    fire(Event::BeforeOpen);
    db_.checkTable(def_->name);
    QStringList cols;
    for (const FieldDef& f : def_->fields) cols << quoteIdent(f.name);
    readStmt_ =
        db_.connection().prepare(QStringLiteral("SELECT %1 FROM %2 WHERE rowid=?")
                                     .arg(cols.join(QLatin1Char(',')), quoteIdent(def_->name)));
    state_ = State::Browse;
    readView();
    moveTo(0);
    emit stateChanged();
    emit viewChanged();
    fire(Event::AfterOpen);
}

void Cursor::close() {
    if (!isOpen())
        return;
    fire(Event::BeforeClose);
    if (isEditing())
        cancel();
    readStmt_ = Statement();
    view_.clear();
    viewStale_ = true;
    pos_ = -1;
    rowid_ = 0;
    buf_.fill(QVariant());
    setState(State::Inactive);
    emit viewChanged();
}

void Cursor::readView() {
    QString sql = QStringLiteral("SELECT rowid FROM %1").arg(quoteIdent(def_->name));
    const bool useFilter = filtered_ && !filterSql_.sql.isEmpty();
    if (useFilter)
        sql += QStringLiteral(" WHERE ") + filterSql_.sql;
    sql += QStringLiteral(" ORDER BY ") + orderClause();
    Statement st = db_.connection().prepare(sql);
    if (useFilter)
        for (int i = 0; i < filterSql_.binds.size(); ++i) st.bind(i + 1, filterSql_.binds[i]);
    view_.clear();
    while (st.step()) view_.push_back(st.int64(0));
    viewStale_ = false;
}

void Cursor::ensureView() {
    if (!viewStale_)
        return;
    readView();
    auto it = std::find(view_.begin(), view_.end(), rowid_);
    if (it != view_.end()) {
        pos_ = int(it - view_.begin());
    } else {
        // the record left the view: stand on the record now at its place
        pos_ = view_.empty() ? -1 : std::clamp(pos_, 0, int(view_.size()) - 1);
        // a record being edited or entered keeps its values in the buffer
        if (state_ == State::Browse) {
            rowid_ = pos_ < 0 ? 0 : view_[size_t(pos_)];
            loadCurrent();
        }
    }
}

void Cursor::loadCurrent() {
    changed_.fill(false);
    buf_ = rowid_ == 0 ? QVector<QVariant>() : readRow(rowid_);
    if (buf_.isEmpty())
        buf_.resize(def_->fields.size());
}

QVector<QVariant> Cursor::readRow(qint64 rowid) {
    QVector<QVariant> row;
    readStmt_.reset();
    readStmt_.bind(1, rowid);
    if (readStmt_.step()) {
        row.resize(def_->fields.size());
        for (int i = 0; i < def_->fields.size(); ++i)
            row[i] = fromStore(def_->fields[i], readStmt_.value(i));
    }
    readStmt_.reset();
    return row;
}

QVector<QVariant> Cursor::recordAt(int recNo) {
    if (!isOpen())
        return {};
    ensureView();
    if (recNo < 1 || recNo > int(view_.size()))
        return {};
    return readRow(view_[size_t(recNo - 1)]);
}

void Cursor::moveTo(int index0) {
    if (view_.empty()) {
        pos_ = -1;
        rowid_ = 0;
        loadCurrent();
        setEnds(true, true);
    } else {
        pos_ = std::clamp(index0, 0, int(view_.size()) - 1);
        rowid_ = view_[size_t(pos_)];
        loadCurrent();
        setEnds(pos_ == 0 && index0 <= 0, false);
    }
    emit recordChanged();
}

int Cursor::recordCount() {
    if (!isOpen())
        return 0;
    ensureView();
    return int(view_.size()) + (state_ == State::Insert ? 1 : 0);
}

int Cursor::recNo() {
    if (!isOpen())
        return 0;
    ensureView();
    return pos_ + 1;
}

void Cursor::setRecNo(int n) {
    requireOpen();
    endPendingEdit();
    ensureView();
    if (!view_.empty() && n - 1 == pos_) {
        setEnds(false, false);
        return;
    }
    fire(Event::BeforeScroll);
    moveTo(n - 1);
    if (!view_.empty())
        setEnds(false, false);
    fire(Event::AfterScroll);
}

QVariant Cursor::value(int field) const {
    if (field < 0 || field >= buf_.size())
        return QVariant();
    return buf_[field];
}

void Cursor::setValue(int field, const QVariant& v) {
    if (!isEditing())
        throw Error(Error::Code::State,
                    QString::fromUtf8("Kayıt değiştirilmiyor: önce Ekle veya Değiş'e basın."));
    if (field < 0 || field >= buf_.size())
        throw Error(Error::Code::NoField, QString::fromUtf8("Böyle bir alan yok."));
    const QVariant c = coerce(def_->fields[field], v);
    if (c == buf_[field] && c.isNull() == buf_[field].isNull())
        return;
    buf_[field] = c;
    changed_[field] = true;
    emit fieldChanged(field);
}

bool Cursor::isModified() const {
    return isEditing() && std::find(changed_.begin(), changed_.end(), true) != changed_.end();
}

void Cursor::append() {
    requireOpen();
    endPendingEdit();
    fire(Event::BeforeInsert);
    orig_ = buf_;
    buf_.fill(QVariant());
    changed_.fill(false);
    for (int i = 0; i < def_->fields.size(); ++i)
        if (def_->fields[i].defaultValue.isValid())
            buf_[i] = def_->fields[i].defaultValue;
    setState(State::Insert);
    emit recordChanged();
    fire(Event::AfterInsert);
}

void Cursor::edit() {
    requireOpen();
    if (isEditing())
        return;
    ensureView();
    if (view_.empty()) {
        append();
        return;
    }
    fire(Event::BeforeEdit);
    loadCurrent();  // the latest stored values
    orig_ = buf_;
    setState(State::Edit);
    fire(Event::AfterEdit);
}

void Cursor::post() {
    requireOpen();
    if (!isEditing())
        return;
    fire(Event::BeforePost);  // a handler may throw; the record stays in editing
    Connection& c = db_.connection();
    Transaction tx(c);
    qint64 newRowid = rowid_;
    if (state_ == State::Insert) {
        const int ai = def_->autoIncField();
        QVector<QVariant> row = buf_;
        if (ai >= 0) {
            if (row[ai].isNull())
                row[ai] = db_.nextCounter(def_->name);
            else
                db_.raiseCounter(def_->name, row[ai].toLongLong());
        }
        QStringList cols, marks;
        for (const FieldDef& f : def_->fields) {
            cols << quoteIdent(f.name);
            marks << QStringLiteral("?");
        }
        Statement st = c.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                     .arg(quoteIdent(def_->name), cols.join(QLatin1Char(',')),
                                          marks.join(QLatin1Char(','))));
        for (int i = 0; i < row.size(); ++i) st.bind(i + 1, row[i]);
        st.exec();
        newRowid = c.lastInsertRowid();
    } else {
        QStringList sets;
        QVariantList vals;
        for (int i = 0; i < def_->fields.size(); ++i) {
            if (!changed_[i])
                continue;
            sets << quoteIdent(def_->fields[i].name) + QStringLiteral("=?");
            vals << buf_[i];
        }
        if (!sets.isEmpty()) {
            Statement st = c.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE rowid=?")
                                         .arg(quoteIdent(def_->name), sets.join(QLatin1Char(','))));
            int n = 1;
            for (const QVariant& v : vals) st.bind(n++, v);
            st.bind(n, rowid_);
            st.exec();
            // an auto-increment key changed by hand moves the counter along
            const int ai = def_->autoIncField();
            if (ai >= 0 && changed_[ai] && !buf_[ai].isNull())
                db_.raiseCounter(def_->name, buf_[ai].toLongLong());
            // the key of a table whose row id is its key may have changed
            if (ai >= 0 && changed_[ai] && def_->primary.size() == 1 &&
                def_->primary[0] == def_->fields[ai].name)
                newRowid = buf_[ai].toLongLong();
        }
    }
    tx.commit();
    rowid_ = newRowid;
    viewStale_ = true;
    loadCurrent();
    setState(State::Browse);
    emit recordChanged();
    fire(Event::AfterPost);
}

void Cursor::cancel() {
    if (!isEditing())
        return;
    fire(Event::BeforeCancel);
    setState(State::Browse);
    loadCurrent();
    emit recordChanged();
    fire(Event::AfterCancel);
}

void Cursor::remove() {
    requireOpen();
    if (state_ == State::Insert) {
        cancel();
        return;
    }
    if (state_ == State::Edit)
        cancel();
    ensureView();
    if (view_.empty())
        throw Error(Error::Code::State, QString::fromUtf8("Silinecek kayıt yok."));
    fire(Event::BeforeDelete);
    {
        Statement st = db_.connection().prepare(
            QStringLiteral("DELETE FROM %1 WHERE rowid=?").arg(quoteIdent(def_->name)));
        st.bind(1, rowid_);
        st.exec();
    }
    view_.erase(view_.begin() + pos_);
    moveTo(pos_ < int(view_.size()) ? pos_ : pos_ - 1);
    if (!view_.empty())
        setEnds(false, false);
    emit viewChanged();
    fire(Event::AfterDelete);
}

bool Cursor::locate(const QStringList& fields, const QVariantList& values, LocateOptions o) {
    requireOpen();
    if (fields.size() != values.size() || fields.isEmpty())
        throw Error(Error::Code::State,
                    QString::fromUtf8("Arama alanları ve değerleri uyuşmuyor."));
    QStringList conds;
    QVariantList binds;
    if (filtered_ && !filterSql_.sql.isEmpty()) {
        conds << filterSql_.sql;
        binds << filterSql_.binds;
    }
    for (int i = 0; i < fields.size(); ++i) {
        const int fi = def_->fieldIndex(fields[i]);
        if (fi < 0)
            throw Error(Error::Code::NoField,
                        QString::fromUtf8("%1 adlı alan yok.").arg(fields[i]));
        const FieldDef& f = def_->fields[fi];
        const QString col = quoteIdent(f.name);
        const QVariant v = values[i];
        if (v.isNull() || (f.type != FieldType::Text && v.toString().isEmpty())) {
            conds << col + QStringLiteral(" IS NULL");
            continue;
        }
        if (f.type == FieldType::Text) {
            QString s = v.toString();
            QString lhs = QStringLiteral("coalesce(%1,'')").arg(col);
            if (o.caseInsensitive) {
                lhs = QStringLiteral("TR_LOWER(%1)").arg(lhs);
                s = turkishLower(s);
            }
            if (o.partialKey) {
                conds << QStringLiteral("substr(%1,1,%2)=?").arg(lhs).arg(s.size());
            } else {
                conds << lhs + QStringLiteral("=?");
            }
            binds << s;
        } else {
            conds << col + QStringLiteral("=?");
            QVariant c = coerce(f, v);
            if (c.typeId() == QMetaType::QDate)
                c = c.toDate().toString(Qt::ISODate);
            binds << c;
        }
    }
    Statement st = db_.connection().prepare(
        QStringLiteral("SELECT rowid FROM %1 WHERE %2 ORDER BY %3 LIMIT 1")
            .arg(quoteIdent(def_->name), conds.join(QStringLiteral(" AND ")), orderClause()));
    for (int i = 0; i < binds.size(); ++i) st.bind(i + 1, binds[i]);
    if (!st.step())
        return false;
    const qint64 found = st.int64(0);
    endPendingEdit();
    ensureView();
    auto it = std::find(view_.begin(), view_.end(), found);
    if (it == view_.end())
        return false;
    fire(Event::BeforeScroll);
    moveTo(int(it - view_.begin()));
    setEnds(false, false);
    fire(Event::AfterScroll);
    return true;
}

void Cursor::refresh() {
    requireOpen();
    endPendingEdit();
    viewStale_ = true;
    ensureView();
    loadCurrent();
    emit viewChanged();
    emit recordChanged();
}

}  // namespace data
