#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

namespace batch {

/// One record of a CSV text and the line it starts on (1-based).
struct CsvRecord {
    int line = 0;
    QStringList fields;
};

/// Splits CSV text (comma or semicolon separated, as the header line shows) into records.
/// Quoted values may hold separators, doubled quotes and line breaks; a record of only blanks
/// is skipped. Throws data::ConversionError for a quote that is never closed.
QVector<CsvRecord> parseCsv(const QString& text);

}  // namespace batch
