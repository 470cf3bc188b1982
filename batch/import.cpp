#include "batch/import.h"

#include "batch/csv.h"
#include "data/cursor.h"
#include "data/database.h"
#include "data/errors.h"

namespace batch {

ImportResult importCards(data::Cursor& cards, const QString& csvText) {
    ImportResult r;
    QVector<CsvRecord> records;
    try {
        records = parseCsv(csvText);
    } catch (const data::Error& e) {
        r.fatal = e.message();
        return r;
    }
    if (records.isEmpty()) {
        r.fatal = QString::fromUtf8("Dosyada başlık satırı yok.");
        return r;
    }
    const CsvRecord header = records.takeFirst();
    QVector<int> columns;
    for (const QString& name : header.fields) {
        const int i = cards.table().fieldIndex(name.trimmed());
        if (i < 0) {
            r.fatal = QString::fromUtf8("%1. satır: '%2' adlı alan kart tablosunda yok.")
                          .arg(header.line)
                          .arg(name.trimmed());
            return r;
        }
        columns << i;
    }
    data::Connection& conn = cards.database().connection();
    try {
        data::Transaction all(conn);
        for (const CsvRecord& rec : records) {
            if (rec.fields.size() > columns.size()) {
                r.refused.push_back(
                    {rec.line, QString::fromUtf8("başlıkta %1 alan var, bu satırda %2.")
                                   .arg(columns.size())
                                   .arg(rec.fields.size())});
                continue;
            }
            data::Transaction one(conn);
            try {
                cards.append();
                for (int k = 0; k < rec.fields.size(); ++k) {
                    const QString& v = rec.fields[k];
                    if (v.isEmpty())
                        continue;
                    try {
                        cards.setValue(columns[k], v);
                    } catch (const data::Error& e) {
                        throw data::Error(e.code(),
                                          QStringLiteral("%1: %2").arg(
                                              cards.table().fields[columns[k]].name, e.message()));
                    }
                }
                cards.post();
                one.commit();
                ++r.added;
            } catch (const data::Abort&) {
                cards.cancel();
                r.refused.push_back({rec.line, QString::fromUtf8("kayıt kuralı kabul etmedi.")});
            } catch (const data::Error& e) {
                cards.cancel();
                if (e.code() == data::Error::Code::Store)
                    throw;
                r.refused.push_back({rec.line, e.message()});
            }
        }
        all.commit();
    } catch (const data::Error& e) {
        if (cards.isEditing())
            cards.cancel();
        r.fatal = e.message();
        r.added = 0;
        r.refused.clear();
    }
    return r;
}

}  // namespace batch
