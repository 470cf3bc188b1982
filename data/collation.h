#pragma once

#include <QString>

struct sqlite3;

namespace data {

/// Compares two texts by Turkish alphabetical rules (ICU, locale "tr"): <0, 0, >0.
int turkishCompare(const QString& a, const QString& b);

/// Upper- and lower-cases by Turkish rules (i → İ, ı → I).
QString turkishUpper(const QString& s);
QString turkishLower(const QString& s);

/// Registers on a connection the collation TURKISH and the functions TR_UPPER and TR_LOWER.
void registerTurkish(sqlite3* db);

}  // namespace data
