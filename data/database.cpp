#include "data/database.h"

#include "data/errors.h"
#include "data/seeds.h"

#include <QDir>

namespace data {

namespace {

const char* kInfo = "TabloBilgisi";

QString columnType(const TableDef& t, const FieldDef& f) {
    switch (f.type) {
        case FieldType::Text:
            return QStringLiteral("VARCHAR(%1)").arg(f.size) +
                   (t.turkish ? QStringLiteral(" COLLATE TURKISH") : QString());
        case FieldType::SmallInt:
            return QStringLiteral("SMALLINT");
        case FieldType::Integer:
            return QStringLiteral("INTEGER");
        case FieldType::AutoInc:
            return QStringLiteral("INTEGER");
        case FieldType::Boolean:
            return QStringLiteral("BOOLEAN");
        case FieldType::Float:
            return QStringLiteral("REAL");
        case FieldType::Money:
            return QStringLiteral("REAL");
        case FieldType::Date:
            return QStringLiteral("DATE");
    }
    return QString();
}

QString sqlLiteral(const QVariant& v) {
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    if (v.typeId() == QMetaType::QString) {
        QString s = v.toString();
        s.replace(QLatin1Char('\''), QStringLiteral("''"));
        return QLatin1Char('\'') + s + QLatin1Char('\'');
    }
    return v.toString();
}

}  // namespace

QString createTableSql(const TableDef& def, const QString& asName) {
    QStringList cols;
    const bool singleIntKey = def.primary.size() == 1 && def.field(def.primary[0]) &&
                              def.field(def.primary[0])->type == FieldType::AutoInc;
    for (const FieldDef& f : def.fields) {
        QString c = quoteIdent(f.name) + QLatin1Char(' ') + columnType(def, f);
        if (def.primary.size() == 1 && def.primary[0] == f.name) {
            // an auto-increment key is the row id itself, so locating a card by Kod is direct
            c = singleIntKey ? quoteIdent(f.name) + QStringLiteral(" INTEGER PRIMARY KEY")
                             : c + QStringLiteral(" PRIMARY KEY");
        }
        if (f.defaultValue.isValid())
            c += QStringLiteral(" DEFAULT ") + sqlLiteral(f.defaultValue);
        cols << c;
    }
    return QStringLiteral("CREATE TABLE %1 (%2)")
        .arg(quoteIdent(asName.isEmpty() ? def.name : asName), cols.join(QStringLiteral(", ")));
}

QStringList createIndexSql(const TableDef& def) {
    QStringList out;
    for (const IndexDef& ix : def.indexes) {
        QStringList cols;
        for (const QString& f : ix.fields + ix.covering) cols << quoteIdent(f);
        out << QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                   .arg(ix.unique ? QStringLiteral("UNIQUE ") : QString(),
                        quoteIdent(def.name + QLatin1Char('_') + ix.name), quoteIdent(def.name),
                        cols.join(QStringLiteral(", ")));
    }
    return out;
}

Database::Database(const QString& folder) : folder_(folder) {
    QDir().mkpath(folder);
    conn_ = std::make_unique<Connection>(QDir(folder).filePath(fileName()));
    ensureInfoTable();
}

Database::~Database() = default;

void Database::ensureInfoTable() {
    conn_->exec(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (Tablo TEXT PRIMARY KEY COLLATE "
                               "NOCASE, Surum TEXT, Sayac INTEGER, KullaniciSurumu TEXT)")
                    .arg(QLatin1String(kInfo)));
}

bool Database::tableExists(const QString& table) {
    return conn_->tableExists(table);
}

QString Database::formatVersion(const QString& table) {
    Statement st = conn_->prepare(
        QStringLiteral("SELECT Surum FROM %1 WHERE Tablo=?").arg(QLatin1String(kInfo)));
    st.bind(1, table);
    return st.step() ? st.text(0) : QString();
}

QStringList Database::createMissingTables() {
    QStringList made;
    for (const TableDef* def : allTables()) {
        if (tableExists(def->name))
            continue;
        Transaction tx(*conn_);
        createTable(*def);
        seedTable(*def);
        tx.commit();
        made << def->name;
    }
    return made;
}

void Database::createTable(const TableDef& def) {
    conn_->exec(createTableSql(def));
    for (const QString& sql : createIndexSql(def)) conn_->exec(sql);
    Statement st = conn_->prepare(
        QStringLiteral("INSERT OR REPLACE INTO %1 (Tablo, Surum, Sayac, KullaniciSurumu) "
                       "VALUES (?, ?, ?, ?)")
            .arg(QLatin1String(kInfo)));
    st.bind(1, def.name).bind(2, QString::fromLatin1(currentFormat()));
    st.bind(3, def.counterStart).bind(4, def.userVersion);
    st.exec();
}

void Database::seedTable(const TableDef& def) {
    const QVector<QVector<QVariant>> rows = seedRows(def);
    if (rows.isEmpty())
        return;
    QStringList cols, marks;
    for (const FieldDef& f : def.fields) {
        cols << quoteIdent(f.name);
        marks << QStringLiteral("?");
    }
    Statement st = conn_->prepare(
        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
            .arg(quoteIdent(def.name), cols.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
    for (const auto& row : rows) {
        st.reset();
        for (int i = 0; i < def.fields.size(); ++i) st.bind(i + 1, coerce(def.fields[i], row[i]));
        st.exec();
    }
}

void Database::checkTable(const QString& table) {
    const TableDef* def = findTable(table);
    if (!def)
        throw Error(Error::Code::NoTable, QString::fromUtf8("%1 adlı tablo yok.").arg(table));
    if (checked_.contains(def->name) && tableExists(def->name))
        return;
    if (!tableExists(def->name))
        createMissingTables();
    else if (formatVersion(def->name) != QLatin1String(currentFormat()))
        convertTable(*def);
    checked_.insert(def->name);
}

void Database::convertTable(const TableDef& def) {
    // the columns the old table has, by name without regard to case
    QStringList oldCols;
    {
        Statement st =
            conn_->prepare(QStringLiteral("PRAGMA table_info(%1)").arg(quoteIdent(def.name)));
        while (st.step()) oldCols << st.text(1);
    }
    QStringList common;
    for (const FieldDef& f : def.fields)
        for (const QString& c : oldCols)
            if (c.compare(f.name, Qt::CaseInsensitive) == 0)
                common << quoteIdent(c);

    Transaction tx(*conn_);
    const QString tmp = def.name + QStringLiteral("_yeni");
    conn_->exec(QStringLiteral("DROP TABLE IF EXISTS %1").arg(quoteIdent(tmp)));
    conn_->exec(createTableSql(def, tmp));
    // keeping the row ids keeps the insertion order (the primary order of the label table)
    QStringList target;
    for (const QString& c : common) {
        const QString bare =
            c.mid(1, c.size() - 2).replace(QStringLiteral("\"\""), QStringLiteral("\""));
        target << quoteIdent(def.fields[def.fieldIndex(bare)].name);
    }
    const bool rowidIsKey = def.autoIncField() >= 0 && def.primary.size() == 1 &&
                            def.primary[0] == def.fields[def.autoIncField()].name;
    const bool keyCopied =
        rowidIsKey && common.size() && target.contains(quoteIdent(def.primary[0]));
    if (keyCopied) {
        conn_->exec(QStringLiteral("INSERT INTO %1 (%2) SELECT %3 FROM %4")
                        .arg(quoteIdent(tmp), target.join(QLatin1Char(',')),
                             common.join(QLatin1Char(',')), quoteIdent(def.name)));
    } else {
        conn_->exec(
            QStringLiteral("INSERT INTO %1 (rowid%2) SELECT rowid%3 FROM %4")
                .arg(
                    quoteIdent(tmp),
                    target.isEmpty() ? QString() : QLatin1Char(',') + target.join(QLatin1Char(',')),
                    common.isEmpty() ? QString() : QLatin1Char(',') + common.join(QLatin1Char(',')),
                    quoteIdent(def.name)));
    }
    conn_->exec(QStringLiteral("DROP TABLE %1").arg(quoteIdent(def.name)));
    conn_->exec(
        QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(quoteIdent(tmp), quoteIdent(def.name)));
    for (const QString& sql : createIndexSql(def)) conn_->exec(sql);

    qint64 counterNow = def.counterStart;
    {
        Statement st = conn_->prepare(
            QStringLiteral("SELECT Sayac FROM %1 WHERE Tablo=?").arg(QLatin1String(kInfo)));
        st.bind(1, def.name);
        if (st.step() && !st.isNull(0))
            counterNow = std::max(counterNow, st.int64(0));
    }
    const int ai = def.autoIncField();
    if (ai >= 0) {
        Statement st =
            conn_->prepare(QStringLiteral("SELECT max(%1) FROM %2")
                               .arg(quoteIdent(def.fields[ai].name), quoteIdent(def.name)));
        if (st.step() && !st.isNull(0))
            counterNow = std::max(counterNow, st.int64(0));
    }
    Statement up = conn_->prepare(
        QStringLiteral("INSERT OR REPLACE INTO %1 (Tablo, Surum, Sayac, KullaniciSurumu) "
                       "VALUES (?, ?, ?, ?)")
            .arg(QLatin1String(kInfo)));
    up.bind(1, def.name).bind(2, QString::fromLatin1(currentFormat()));
    up.bind(3, counterNow).bind(4, def.userVersion);
    up.exec();
    tx.commit();
}

qint64 Database::counter(const QString& table) {
    Statement st = conn_->prepare(
        QStringLiteral("SELECT Sayac FROM %1 WHERE Tablo=?").arg(QLatin1String(kInfo)));
    st.bind(1, table);
    if (st.step() && !st.isNull(0))
        return st.int64(0);
    const TableDef* def = findTable(table);
    return def ? def->counterStart : 0;
}

qint64 Database::nextCounter(const QString& table) {
    const qint64 next = counter(table) + 1;
    raiseCounter(table, next);
    return next;
}

void Database::raiseCounter(const QString& table, qint64 value) {
    if (value <= counter(table))
        return;
    const TableDef* def = findTable(table);
    Statement st = conn_->prepare(
        QStringLiteral("INSERT INTO %1 (Tablo, Surum, Sayac, KullaniciSurumu) VALUES (?, ?, ?, ?) "
                       "ON CONFLICT(Tablo) DO UPDATE SET Sayac=excluded.Sayac")
            .arg(QLatin1String(kInfo)));
    st.bind(1, def ? def->name : table).bind(2, QString::fromLatin1(currentFormat()));
    st.bind(3, value).bind(4, def ? def->userVersion : QStringLiteral("1.0"));
    st.exec();
}

}  // namespace data
