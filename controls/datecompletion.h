#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

namespace controls {

/// What leaving a date field makes of the typed text.
struct DateCompletion {
    /// The text to store: the completed date, an empty text (the date is cleared), or the text
    /// as typed when it was refused.
    QString text;
    bool refused = false;
    /// The refusal's own message box (empty when there is none) and its caption (empty: the
    /// program's title).
    QString message;
    QString caption;
    /// The text cannot be read as a date: a conversion error is reported after the message.
    bool conversionError = false;
};

/// Completes a date typed in a short, loose form, as it is done when a date field is left while
/// its record is edited: empty gives today, "+n"/"-n" today moved by n days, blanks clear the
/// date, "1503" or "15.3" the 15 March of this year, "150305" 15 March 2005. Day, month and
/// year are read in that order whatever the locale; the result is written in the locale's
/// short date format with a two-digit day and month and a four-digit year.
DateCompletion completeDate(const QString& typed, const QDate& today, const QLocale& locale);

/// The locale's short date format with two-digit day and month and a four-digit year
/// ("dd.MM.yyyy" for Turkish).
QString shortDateFormat(const QLocale& locale);
/// The date in that format.
QString shortDateText(const QDate& date, const QLocale& locale);
/// Reads a text in that format (the locale's own short format is also taken); an invalid date
/// when it is not one.
QDate readShortDate(const QString& text, const QLocale& locale);

/// Days of a month (1 to 12) of a year, by the Gregorian rule.
int daysInMonth(int month, int year);

}  // namespace controls
