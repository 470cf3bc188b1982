#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

namespace data {

enum class FieldType { Text, SmallInt, Integer, AutoInc, Boolean, Float, Money, Date };

struct FieldDef {
    QString name;
    FieldType type = FieldType::Text;
    int size = 0;           ///< characters, for text fields
    QVariant defaultValue;  ///< value of a new row when the field is not set
};

struct IndexDef {
    QString name;  ///< empty for the primary index
    QStringList fields;
    bool unique = false;
    /// Columns stored in the index after its fields, so that filters on them are answered
    /// from the index alone; equal keys are ordered by them too.
    QStringList covering = {};
};

struct TableDef {
    QString name;
    QVector<FieldDef> fields;
    QStringList primary;        ///< fields of the primary order; empty: insertion order
    QVector<IndexDef> indexes;  ///< secondary indexes
    bool turkish = true;        ///< text sorts and compares by Turkish rules
    qint64 counterStart = 0;    ///< last auto-increment value already used
    QString userVersion = QStringLiteral("1.0");

    /// Index of a field by name without regard to letter case, or -1.
    int fieldIndex(const QString& name) const;
    const FieldDef* field(const QString& name) const;
    const IndexDef* index(const QString& name) const;
    /// The auto-increment field, or -1.
    int autoIncField() const;
};

/// The current storage-format version every table carries.
inline const char* currentFormat() {
    return "4.00";
}

const TableDef& mustfirmadata();
const TableDef& datanames();
const TableDef& ayarlar();
const TableDef& etiket();

/// The four tables in creation order: ayarlar, datanames, etiket, mustfirmadata.
const QVector<const TableDef*>& allTables();

/// A table by name without regard to letter case, or nullptr.
const TableDef* findTable(const QString& name);

/// The value as the field stores it: text cut to the field's size, numbers checked against
/// their range, text read as a number, date or truth value. Null stays null.
/// Throws ConversionError for a text that is not a value of the field's type, and
/// Error(Range) for a number outside the field's range.
QVariant coerce(const FieldDef& field, const QVariant& value);

/// Reads a truth value: 1/0, true/false, Evet/Hayır (any case); throws ConversionError.
bool parseBool(const QString& text);
/// Reads a date written dd.mm.yyyy or yyyy-mm-dd; throws ConversionError.
QDate parseDate(const QString& text);

}  // namespace data
