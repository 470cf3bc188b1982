#pragma once

#include "data/schema.h"

#include <QLocale>
#include <QString>
#include <QVariant>

namespace controls {

/// The text that shows a field's value in an edit or a grid cell (def may be null: plain text).
QString fieldText(const data::FieldDef* def, const QVariant& value, const QLocale& locale);
/// The value a typed text stands for in a field; an empty text is null for every field but a
/// text field. Throws data::ConversionError.
QVariant fieldValue(const data::FieldDef* def, const QString& text, const QLocale& locale);
/// True for the money and floating-point fields (the fields that take the thousands key).
bool isNumberField(const data::FieldDef* def);

}  // namespace controls
