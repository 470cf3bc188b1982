#include "batch/csv.h"

#include "data/errors.h"

namespace batch {

static QChar separatorOf(const QString& text) {
    // the header line decides: semicolons are what Turkish spreadsheet programs write
    const qsizetype end = text.indexOf(QLatin1Char('\n'));
    const QString head = text.left(end < 0 ? text.size() : end);
    bool inQuote = false;
    int commas = 0, semis = 0;
    for (QChar c : head) {
        if (c == QLatin1Char('"'))
            inQuote = !inQuote;
        if (inQuote)
            continue;
        if (c == QLatin1Char(','))
            ++commas;
        if (c == QLatin1Char(';'))
            ++semis;
    }
    return semis > commas ? QLatin1Char(';') : QLatin1Char(',');
}

QVector<CsvRecord> parseCsv(const QString& input) {
    QString text = input;
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QChar sep = separatorOf(text);
    QVector<CsvRecord> out;
    CsvRecord rec;
    QString field;
    bool inQuote = false;
    bool quotedField = false;
    int line = 1;
    int quoteLine = 0;
    rec.line = 1;
    auto endField = [&] {
        rec.fields << field;
        field.clear();
        quotedField = false;
    };
    auto endRecord = [&] {
        endField();
        bool blank = true;
        for (const QString& f : rec.fields)
            if (!f.trimmed().isEmpty())
                blank = false;
        if (!blank)
            out << rec;
        rec = CsvRecord();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (inQuote) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    inQuote = false;
                }
            } else {
                if (c == QLatin1Char('\n'))
                    ++line;
                // a line break inside a value is kept as the card's own CR LF
                if (c == QLatin1Char('\r') && i + 1 < text.size() &&
                    text[i + 1] == QLatin1Char('\n'))
                    continue;
                if (c == QLatin1Char('\n'))
                    field += QStringLiteral("\r\n");
                else
                    field += c;
            }
            continue;
        }
        if (c == QLatin1Char('"') && field.trimmed().isEmpty() && !quotedField) {
            field.clear();
            inQuote = true;
            quotedField = true;
            quoteLine = line;
        } else if (c == sep) {
            endField();
        } else if (c == QLatin1Char('\r')) {
            // CR LF or a lone CR end the record alike
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                continue;
            endRecord();
            rec.line = ++line;
        } else if (c == QLatin1Char('\n')) {
            endRecord();
            rec.line = ++line;
        } else {
            field += c;
        }
    }
    if (inQuote)
        throw data::ConversionError(
            QString::fromUtf8("%1. satırda açılan tırnak kapanmamış.").arg(quoteLine));
    if (!field.isEmpty() || !rec.fields.isEmpty())
        endRecord();
    return out;
}

}  // namespace batch
