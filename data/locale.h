#pragma once

#include <QChar>
#include <QLocale>

namespace data {

/// The two values of the user's currency format the calculator works with.
struct LocaleValues {
    int currencyDigits = 2;                     ///< decimal digits of a money amount
    QChar decimalSeparator = QLatin1Char(',');  ///< the monetary decimal separator
};

/// Reads the currency's decimal digits and decimal separator from a locale.
LocaleValues localeValues(const QLocale& locale);

}  // namespace data
