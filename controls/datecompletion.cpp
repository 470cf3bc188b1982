#include "controls/datecompletion.h"

#include <QRegularExpression>

namespace controls {
namespace {

const QString kBadDate = QStringLiteral("Yanlış tarih girdiniz");
const QString kBadDateCaption = QStringLiteral("Tarih yanlış");

// A digit group as a number; a group too long for any date counts as too large.
int groupValue(const QString& digits) {
    if (digits.isEmpty())
        return 0;
    if (digits.size() > 9)
        return 999999999;
    return digits.toInt();
}

int digitAt(const QString& s, int i) {
    return s.at(i).digitValue();
}

DateCompletion refuse(const QString& typed, const QString& message, const QString& caption,
                      bool conversionError) {
    DateCompletion r;
    r.text = typed;
    r.refused = true;
    r.message = message;
    r.caption = caption;
    r.conversionError = conversionError;
    return r;
}

DateCompletion done(const QString& text) {
    DateCompletion r;
    r.text = text;
    return r;
}

}  // namespace

int daysInMonth(int month, int year) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    if (month == 2 && QDate::isLeapYear(year))
        return 29;
    return days[month - 1];
}

QString shortDateFormat(const QLocale& locale) {
    QString f = locale.dateFormat(QLocale::ShortFormat);
    f.replace(QRegularExpression(QStringLiteral("(?<!d)d(?!d)")), QStringLiteral("dd"));
    f.replace(QRegularExpression(QStringLiteral("(?<!M)M(?!M)")), QStringLiteral("MM"));
    f.replace(QRegularExpression(QStringLiteral("(?<!y)yy(?!y)")), QStringLiteral("yyyy"));
    return f;
}

QString shortDateText(const QDate& date, const QLocale& locale) {
    return date.isValid() ? locale.toString(date, shortDateFormat(locale)) : QString();
}

QDate readShortDate(const QString& text, const QLocale& locale) {
    const QString t = text.trimmed();
    QDate d = locale.toDate(t, shortDateFormat(locale));
    if (!d.isValid())
        d = locale.toDate(t, locale.dateFormat(QLocale::ShortFormat));
    return d;
}

DateCompletion completeDate(const QString& typed, const QDate& today, const QLocale& locale) {
    const int Y0 = today.year(), M0 = today.month(), D0 = today.day();

    if (typed.isEmpty())
        return done(shortDateText(today, locale));

    if (typed.startsWith(QLatin1Char('+')) || typed.startsWith(QLatin1Char('-'))) {
        QString digits;
        for (int i = 1; i < typed.size() && typed.at(i).isDigit() && typed.at(i).unicode() < 128;
             ++i)
            digits.append(typed.at(i));
        // Beyond a few million days no date can be formed.
        if (digits.isEmpty() || digits.size() > 7)
            return refuse(typed, {}, {}, true);
        const qint64 n =
            typed.startsWith(QLatin1Char('-')) ? -digits.toLongLong() : digits.toLongLong();
        const QDate d = today.addDays(n);
        if (!d.isValid() || d.year() < 1 || d.year() > 9999)
            return refuse(typed, {}, {}, true);
        return done(shortDateText(d, locale));
    }

    if (typed.trimmed().isEmpty())
        return done(QString());

    QString g[3];
    int group = 0;
    for (QChar c : typed) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            if (group < 3)
                g[group].append(c);
        } else {
            ++group;
        }
    }

    int day = 0, month = 0, year = 0;
    if (g[1].isEmpty() && g[2].isEmpty() && g[0].size() >= 3) {
        const QString& s = g[0];
        const int d1 = digitAt(s, 0), d2 = digitAt(s, 1), d3 = digitAt(s, 2);
        const int d1d2 = d1 * 10 + d2;
        // the first two digits are the day when the month that follows has that many days
        const bool twoDigitDay = d1 <= 3 && (d3 == 0 || d1d2 <= daysInMonth(d3, Y0));
        if (s.size() == 3) {
            if (twoDigitDay) {
                day = d1d2;
                month = d3;
            } else {
                day = d1;
                const int d2d3 = d2 * 10 + d3;
                if (d2d3 <= 12 && 2000 + d3 != Y0) {
                    month = d2d3;
                } else {
                    month = d2;
                    year = d3;
                }
            }
        } else {
            day = twoDigitDay ? d1d2 : d1;
            const QString rest = s.mid(twoDigitDay ? 2 : 1);
            if (rest.left(2).toInt() <= 12) {
                month = rest.left(2).toInt();
                year = groupValue(rest.mid(2, 4));
            } else {
                month = digitAt(rest, 0);
                year = groupValue(rest.mid(1, 4));
            }
        }
    } else {
        day = groupValue(g[0]);
        month = groupValue(g[1]);
        year = groupValue(g[2]);
    }

    // A year past 9999 cannot be written as a date either.
    if (day > 31 || month > 12 || year > 9999)
        return refuse(typed, kBadDate, {}, true);

    if (year == 0)
        year = Y0;
    else if (year < 80)
        year += 2000;
    else if (year < 100)
        year += 1900;
    else if (year < 1000)
        year += 1000;
    if (month == 0)
        month = M0;
    // A day taken from today may be missing in the chosen month (the 31st, month 4): that is
    // refused with the same message as a typed day.
    if (day == 0)
        day = D0;

    if (daysInMonth(month, year) < day)
        return refuse(
            typed, QStringLiteral("%1 yılının %2.ayında %3 gün yok.").arg(year).arg(month).arg(day),
            kBadDateCaption, false);
    return done(shortDateText(QDate(year, month, day), locale));
}

}  // namespace controls
