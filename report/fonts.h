#pragma once

#include <QFont>
#include <QString>

namespace report {

/// The installed family that prints a family name of the old forms: "Arial", "MS Sans Serif"
/// and the other sans faces become Liberation Sans, "Times New Roman" Liberation Serif,
/// "Courier New" Liberation Mono; an empty name is the sans face; any other name is kept.
QString mapFontFamily(const QString& family);

/// A font for printing: the mapped family at the size in points, without hinting so that
/// text measured at 96 pixels per inch keeps its width on every device.
QFont reportFont(const QString& family, double pointSize, bool bold = false, bool italic = false);

}  // namespace report
