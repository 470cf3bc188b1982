#include "data/sqlite.h"

#include "data/collation.h"
#include "data/errors.h"

#include <sqlite3.h>
#include <QDate>
#include <QFileInfo>
#include <atomic>

namespace data {

void check(sqlite3* db, int rc, const char* what) {
    if (rc == SQLITE_OK || rc == SQLITE_ROW || rc == SQLITE_DONE)
        return;
    const QString detail = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::number(rc);
    const int primary = rc & 0xff;
    if (primary == SQLITE_CONSTRAINT) {
        QString msg = QString::fromUtf8("Aynı anahtar değerine sahip bir kayıt zaten var.");
        if (!detail.contains(QLatin1String("UNIQUE")))
            msg = QString::fromUtf8("Kayıt kurala uymuyor: %1").arg(detail);
        throw Error(Error::Code::Constraint, msg);
    }
    if (primary == SQLITE_FULL)
        throw Error(Error::Code::Store, QString::fromUtf8("Disk dolu: kayıt yazılamadı."));
    if (primary == SQLITE_READONLY || primary == SQLITE_PERM || primary == SQLITE_CANTOPEN)
        throw Error(
            Error::Code::Store,
            QString::fromUtf8("Veri dosyası yazılamıyor veya açılamıyor (%1).").arg(detail));
    throw Error(
        Error::Code::Store,
        QString::fromUtf8("Veri tabanı hatası (%1): %2").arg(QString::fromUtf8(what), detail));
}

Statement::Statement(sqlite3* db, const QString& sql) : db_(db) {
    const QByteArray utf8 = sql.toUtf8();
    check(db, sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &stmt_, nullptr),
          "prepare");
}

Statement::Statement(Statement&& o) noexcept : db_(o.db_), stmt_(o.stmt_) {
    o.stmt_ = nullptr;
}

Statement& Statement::operator=(Statement&& o) noexcept {
    if (this != &o) {
        if (stmt_)
            sqlite3_finalize(stmt_);
        db_ = o.db_;
        stmt_ = o.stmt_;
        o.stmt_ = nullptr;
    }
    return *this;
}

Statement::~Statement() {
    if (stmt_)
        sqlite3_finalize(stmt_);
}

Statement& Statement::bind(int pos, const QVariant& v) {
    int rc;
    if (v.isNull() || !v.isValid()) {
        rc = sqlite3_bind_null(stmt_, pos);
    } else {
        switch (v.typeId()) {
            case QMetaType::Bool:
                rc = sqlite3_bind_int(stmt_, pos, v.toBool() ? 1 : 0);
                break;
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::LongLong:
            case QMetaType::Short:
            case QMetaType::UShort:
            case QMetaType::Long:
                rc = sqlite3_bind_int64(stmt_, pos, v.toLongLong());
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                rc = sqlite3_bind_double(stmt_, pos, v.toDouble());
                break;
            case QMetaType::QDate: {
                const QByteArray d = v.toDate().toString(Qt::ISODate).toUtf8();
                rc = sqlite3_bind_text(stmt_, pos, d.constData(), int(d.size()), SQLITE_TRANSIENT);
                break;
            }
            default: {
                const QByteArray s = v.toString().toUtf8();
                rc = sqlite3_bind_text(stmt_, pos, s.constData(), int(s.size()), SQLITE_TRANSIENT);
            }
        }
    }
    check(db_, rc, "bind");
    return *this;
}

bool Statement::step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const int err = rc;
    sqlite3_reset(stmt_);
    check(db_, err, "step");
    return false;
}

void Statement::exec() {
    while (step()) {
    }
}

void Statement::reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

int Statement::columnCount() const {
    return sqlite3_column_count(stmt_);
}
QString Statement::columnName(int col) const {
    return QString::fromUtf8(sqlite3_column_name(stmt_, col));
}
bool Statement::isNull(int col) const {
    return sqlite3_column_type(stmt_, col) == SQLITE_NULL;
}
qint64 Statement::int64(int col) const {
    return sqlite3_column_int64(stmt_, col);
}
double Statement::real(int col) const {
    return sqlite3_column_double(stmt_, col);
}
QString Statement::text(int col) const {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, col));
    return p ? QString::fromUtf8(p, sqlite3_column_bytes(stmt_, col)) : QString();
}

QVariant Statement::value(int col) const {
    switch (sqlite3_column_type(stmt_, col)) {
        case SQLITE_INTEGER:
            return QVariant(qint64(sqlite3_column_int64(stmt_, col)));
        case SQLITE_FLOAT:
            return QVariant(sqlite3_column_double(stmt_, col));
        case SQLITE_TEXT:
            return QVariant(text(col));
        case SQLITE_BLOB:
            return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt_, col)),
                                       sqlite3_column_bytes(stmt_, col)));
        default:
            return QVariant();
    }
}

Connection::Connection(const QString& path) : path_(path) {
    const QByteArray p = QFileInfo(path).absoluteFilePath().toUtf8();
    // one thread uses a connection, so SQLite need not lock around every call
    const int rc =
        sqlite3_open_v2(p.constData(), &db_,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString();
        sqlite3_close(db_);
        db_ = nullptr;
        throw Error(Error::Code::Store,
                    QString::fromUtf8("Veri tabanı açılamadı: %1 (%2)").arg(path, msg));
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, 2000);
    registerTurkish(db_);
    // The rollback journal keeps every write whole when the program is killed.
    exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
    exec(QStringLiteral("PRAGMA synchronous=FULL"));
    exec(QStringLiteral("PRAGMA foreign_keys=OFF"));
    exec(QStringLiteral("PRAGMA cache_size=-8000"));
}

Connection::~Connection() {
    if (db_)
        sqlite3_close_v2(db_);
}

void Connection::exec(const QString& sql) {
    char* err = nullptr;
    const QByteArray s = sql.toUtf8();
    const int rc = sqlite3_exec(db_, s.constData(), nullptr, nullptr, &err);
    if (err)
        sqlite3_free(err);
    check(db_, rc, "exec");
}

qint64 Connection::lastInsertRowid() const {
    return sqlite3_last_insert_rowid(db_);
}

bool Connection::tableExists(const QString& name) {
    Statement st(
        db_,
        QStringLiteral("SELECT 1 FROM sqlite_master WHERE type='table' AND name=? COLLATE NOCASE"));
    st.bind(1, name);
    return st.step();
}

static std::atomic<int> savepointCounter{0};

Transaction::Transaction(Connection& c)
    : c_(c), name_(QStringLiteral("tz%1").arg(++savepointCounter)) {
    c_.exec(QStringLiteral("SAVEPOINT ") + name_);
}

Transaction::~Transaction() {
    if (done_)
        return;
    char* err = nullptr;
    const QByteArray sql = ("ROLLBACK TO " + name_ + "; RELEASE " + name_).toUtf8();
    sqlite3_exec(c_.handle(), sql.constData(), nullptr, nullptr, &err);
    if (err)
        sqlite3_free(err);
}

void Transaction::commit() {
    c_.exec(QStringLiteral("RELEASE ") + name_);
    done_ = true;
}

QString quoteIdent(const QString& name) {
    QString q = name;
    q.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

}  // namespace data
