#include "controls/fieldtext.h"

#include "controls/datecompletion.h"
#include "data/errors.h"

#include <QDate>

namespace controls {

QString fieldText(const data::FieldDef* def, const QVariant& value, const QLocale& locale) {
    if (value.isNull() || !value.isValid())
        return QString();
    switch (def ? def->type : data::FieldType::Text) {
        case data::FieldType::Date:
            return shortDateText(value.toDate(), locale);
        case data::FieldType::Money:
            return locale.toString(value.toDouble(), 'f', 2);
        case data::FieldType::Float:
            return locale.toString(value.toDouble(), 'g', QLocale::FloatingPointShortest);
        case data::FieldType::Boolean:
            return value.toBool() ? QStringLiteral("Evet") : QStringLiteral("Hayır");
        default:
            return value.toString();
    }
}

QVariant fieldValue(const data::FieldDef* def, const QString& text, const QLocale& locale) {
    const data::FieldType type = def ? def->type : data::FieldType::Text;
    if (type == data::FieldType::Text)
        return text;
    const QString t = text.trimmed();
    if (t.isEmpty())
        return QVariant();
    auto bad = [&] {
        return data::ConversionError(QStringLiteral("'%1' geçerli bir değer değil.").arg(t));
    };
    switch (type) {
        case data::FieldType::Date: {
            const QDate d = readShortDate(t, locale);
            if (!d.isValid())
                throw data::ConversionError(QStringLiteral("'%1' geçerli bir tarih değil.").arg(t));
            return d;
        }
        case data::FieldType::Money:
        case data::FieldType::Float: {
            bool ok = false;
            double v = locale.toDouble(t, &ok);
            if (!ok)
                v = QLocale::c().toDouble(t, &ok);
            if (!ok)
                throw bad();
            return v;
        }
        case data::FieldType::SmallInt:
        case data::FieldType::Integer:
        case data::FieldType::AutoInc: {
            bool ok = false;
            const qlonglong v = locale.toLongLong(t, &ok);
            if (!ok)
                throw bad();
            return v;
        }
        default:
            return t;  // the data layer reads truth values
    }
}

bool isNumberField(const data::FieldDef* def) {
    return def && (def->type == data::FieldType::Money || def->type == data::FieldType::Float);
}

}  // namespace controls
