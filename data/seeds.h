#pragma once

#include "data/schema.h"

#include <QVector>

namespace data {

/// The producer's own card (contact row Kod 5) and its details.
struct Producer {
    static QString contact();   ///< Isim
    static QString firm();      ///< Firma
    static QString phone();     ///< the first number, also in the application title
    static QString areaCode();  ///< YerelKod of the settings row
};

/// The seed rows of a table, in insertion order, one value per field in table order
/// (null where the row names no value).
QVector<QVector<QVariant>> seedRows(const TableDef& table);

}  // namespace data
