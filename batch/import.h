#pragma once

#include <QString>
#include <QVector>

namespace data {
class Cursor;
}

namespace batch {

struct ImportProblem {
    int line = 0;
    QString reason;
};

struct ImportResult {
    int added = 0;
    QVector<ImportProblem> refused;  ///< lines that were not added, and why
    QString fatal;                   ///< a file or store error: nothing was added
};

/// Appends one card per CSV record through the contact cursor, in one transaction: the record
/// rules and field sizes apply, and new cards get new Kod values. A line that cannot be read
/// (a number field that is not a number, a refused post) is reported and skipped; an unknown
/// field in the header or a failure of the store adds nothing.
ImportResult importCards(data::Cursor& cards, const QString& csvText);

}  // namespace batch
