#pragma once

#include "data/errors.h"
#include "data/schema.h"

#include <QObject>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <vector>

namespace data {

enum class State { Inactive, Browse, Edit, Insert };

/// Events of a data set. A Before handler may throw Abort (or any error) to stop the
/// operation; the data set then stays as it was (a refused post stays in Edit/Insert).
enum class Event {
    BeforeOpen,
    AfterOpen,
    BeforeClose,
    BeforeInsert,
    AfterInsert,
    BeforeEdit,
    AfterEdit,
    BeforePost,
    AfterPost,
    BeforeCancel,
    AfterCancel,
    BeforeDelete,
    AfterDelete,
    BeforeScroll,
    AfterScroll
};

struct LocateOptions {
    bool caseInsensitive = false;  ///< Turkish case rules
    bool partialKey = false;       ///< the field begins with the value
};

/// A navigable set of records: a table cursor or the result of a query. Records are numbered
/// from 1 in the order of the view; an empty view has record number 0 and is at eof and bof.
class DataSet : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(DataSet&)>;

    explicit DataSet(QObject* parent = nullptr) : QObject(parent) {}
    ~DataSet() override = default;

    virtual void open() = 0;
    virtual void close() = 0;
    bool isOpen() const { return state_ != State::Inactive; }
    State state() const { return state_; }
    bool isEditing() const { return state_ == State::Edit || state_ == State::Insert; }

    virtual int recordCount() = 0;
    /// 1-based position of the current record; 0 when the view is empty; in Insert state the
    /// position the new record was appended at.
    virtual int recNo() = 0;
    /// Moves to the record at a 1-based position (clamped into the view).
    virtual void setRecNo(int n) = 0;
    void first() { setRecNo(1); }
    void last() { setRecNo(recordCount()); }
    void next();
    void prior();
    /// Moves by n records; sets eof or bof when the move runs past an end.
    void moveBy(int n);
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }
    bool isEmpty() { return recordCount() == 0; }

    virtual int fieldCount() const = 0;
    virtual QString fieldName(int i) const = 0;
    /// Field index by name without regard to letter case, or -1.
    virtual int fieldIndex(const QString& name) const = 0;
    /// The field's definition when the data set is a table cursor, else nullptr.
    virtual const FieldDef* fieldDef(int) const { return nullptr; }
    QStringList fieldNames() const;

    /// The values of the record at a 1-based position, read without moving the data set (and
    /// without its events); empty when there is no such record.
    virtual QVector<QVariant> recordAt(int recNo) = 0;

    /// The value of a field of the current record (null when there is none).
    virtual QVariant value(int field) const = 0;
    QVariant value(const QString& name) const;
    QString text(const QString& name) const { return value(name).toString(); }
    /// Sets a field of the current record (Edit or Insert state); throws Error otherwise.
    virtual void setValue(int field, const QVariant& v);
    void setValue(const QString& name, const QVariant& v);

    virtual bool canModify() const { return false; }
    virtual void append();
    virtual void edit();
    virtual void post();
    virtual void cancel();
    /// Deletes the current record; in Insert state only drops the new record.
    virtual void remove();
    /// True when a field was changed since edit/append.
    virtual bool isModified() const { return false; }

    /// Finds the first record of the view whose fields hold the values; moves there and
    /// returns true, or stays and returns false.
    virtual bool locate(const QStringList& fields, const QVariantList& values,
                        LocateOptions options = {}) = 0;
    bool locate(const QString& field, const QVariant& v, LocateOptions options = {}) {
        return locate(QStringList{field}, QVariantList{v}, options);
    }

    /// Reads the view anew (other writers, a changed filter), keeping the current record.
    virtual void refresh() = 0;

    /// Adds a handler for an event; handlers run in the order added.
    void on(Event e, Handler h) { handlers_[static_cast<int>(e)].push_back(std::move(h)); }

signals:
    void stateChanged();
    /// The current record moved or its values changed.
    void recordChanged();
    /// One field of the current record was set.
    void fieldChanged(int field);
    /// The set of records (count, order) changed.
    void viewChanged();

protected:
    void fire(Event e);
    void setState(State s);
    void setEnds(bool bof, bool eof) {
        bof_ = bof;
        eof_ = eof;
    }
    [[noreturn]] void readOnly() const;

    State state_ = State::Inactive;
    bool bof_ = true;
    bool eof_ = true;

private:
    std::vector<Handler> handlers_[static_cast<int>(Event::AfterScroll) + 1];
};

}  // namespace data
