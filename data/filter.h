#pragma once

#include "data/schema.h"

#include <QString>
#include <QVariantList>

namespace data {

/// A filter compiled to an SQL condition with its bound values (no user text in the SQL).
struct CompiledFilter {
    QString sql;  ///< empty: every row
    QVariantList binds;
};

/// Parses a filter text ("MF<>'K' And MF<>'E'", "Kod=5", "Ili Like 'Ank%'", "Adres<>''")
/// against a table and compiles it. Operators = <> < > <= >= Like, And, Or, Not, parentheses;
/// quoted strings with doubled quotes; numbers; field names without regard to case.
/// An empty text compiles to an empty condition. Throws FilterError with the 1-based position.
CompiledFilter compileFilter(const QString& text, const TableDef& table);

}  // namespace data
