#include "report/fonts.h"

#include <QHash>

namespace report {

QString mapFontFamily(const QString& family) {
    static const QHash<QString, QString> map = {
        {QStringLiteral("arial"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("ms sans serif"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("microsoft sans serif"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("ms shell dlg"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("ms shell dlg 2"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("tahoma"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("verdana"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("helvetica"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("sans serif"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("system"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("times new roman"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("times"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("ms serif"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("courier new"), QStringLiteral("Liberation Mono")},
        {QStringLiteral("courier"), QStringLiteral("Liberation Mono")},
    };
    const QString key = family.trimmed().toLower();
    if (key.isEmpty())
        return QStringLiteral("Liberation Sans");
    return map.value(key, family.trimmed());
}

QFont reportFont(const QString& family, double pointSize, bool bold, bool italic) {
    QFont f(mapFontFamily(family));
    f.setPointSizeF(pointSize > 0 ? pointSize : 10.0);
    f.setBold(bold);
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    return f;
}

}  // namespace report
