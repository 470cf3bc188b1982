#include "data/locale.h"

namespace data {

LocaleValues localeValues(const QLocale& locale) {
    LocaleValues v;
    v.decimalSeparator =
        locale.decimalPoint().isEmpty() ? QLatin1Char('.') : locale.decimalPoint().at(0);
    // Qt gives no digit count: read it off a formatted amount ("₺1,00" → 2, "¥1" → 0)
    const QString s = locale.toCurrencyString(1.0);
    const int sep = s.lastIndexOf(v.decimalSeparator);
    int digits = 0;
    if (sep >= 0)
        for (int i = sep + 1; i < s.size() && s.at(i).isDigit(); ++i) ++digits;
    v.currencyDigits = digits;
    return v;
}

}  // namespace data
