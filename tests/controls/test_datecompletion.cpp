#include "controls/datecompletion.h"

#include <QTest>

using controls::completeDate;

class TestDateCompletion : public QObject {
    Q_OBJECT
private slots:
    void completion_data() {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");  // the text stored, or the text kept when refused
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<bool>("conversionError");

        const QDate d(2005, 3, 10);
        const QString day = QStringLiteral("Tarih yanlış");
        auto ok = [&](const char* name, const QDate& today, const QString& typed,
                      const QString& result) {
            QTest::addRow("%s", name)
                << today << typed << result << QString() << QString() << false << false;
        };
        ok("empty is today", d, "", "10.03.2005");
        ok("+7", d, "+7", "17.03.2005");
        ok("-10 over February", d, "-10", "28.02.2005");
        ok("day only", d, "15", "15.03.2005");
        ok("day and month", d, "15.4", "15.04.2005");
        ok("two-digit year of the last century", d, "15/4/85", "15.04.1985");
        ok("three-digit year", d, "15.4.205", "15.04.1205");
        ok("three digits, month has the day", d, "311", "31.01.2005");
        ok("three digits, April lacks the 31st", d, "314", "03.01.2004");
        ok("512 in 2005", d, "512", "05.12.2005");
        ok("512 in 2002: rule R", QDate(2002, 6, 1), "512", "05.01.2002");
        ok("four digits", d, "1503", "15.03.2005");
        ok("six digits", d, "150305", "15.03.2005");
        ok("six digits, 1990", d, "010190", "01.01.1990");
        ok("304 is the 30th of April", d, "304", "30.04.2005");
        ok("three digits, month over 12", d, "515", "05.01.2005");
        ok("d3 zero passes the test", d, "150", "15.03.2005");
        ok("d3 zero, but d1 over 3", d, "500", "05.03.2005");
        ok("four digits, one-digit day", d, "5123", "05.12.2003");
        ok("four digits, one-digit month", d, "4567", "04.05.2067");
        ok("long digits, four-digit year", d, "3512345", "03.05.1234");
        ok("eight digits", d, "15031999", "15.03.1999");
        ok("zeros are not given", d, "15.0.0", "15.03.2005");
        ok("year 0 is this year, 79 is 2079", d, "1.1.79", "01.01.2079");
        ok("year 80 is 1980", d, "1.1.80", "01.01.1980");
        ok("four-digit year as typed", d, "1.1.1000", "01.01.1000");
        ok("two separators leave a group empty", d, "15..2006", "15.03.2006");
        ok("digits after the third group ignored", d, "1.2.2003.44", "01.02.2003");
        ok("any separator", d, "1 2 3", "01.02.2003");
        ok("+1 on 28 February of a leap year", QDate(2004, 2, 28), "+1", "29.02.2004");
        ok("-1 on 1 March of a leap year", QDate(2004, 3, 1), "-1", "29.02.2004");
        ok("sign, digits, then text", d, "+3gün", "13.03.2005");
        ok("-0", d, "-0", "10.03.2005");
        ok("blanks clear the date", d, "   ", "");
        ok("29 February of a leap year", d, "29.2.2004", "29.02.2004");
        ok("leading zeros in a group", d, "0015.0004", "15.04.2005");

        auto refused = [&](const char* name, const QDate& today, const QString& typed,
                           const QString& message, const QString& caption, bool conversion) {
            QTest::addRow("%s", name)
                << today << typed << typed << message << caption << true << conversion;
        };
        const QString bad = QStringLiteral("Yanlış tarih girdiniz");
        refused("day over 31", d, "32.1.2005", bad, "", true);
        refused("month over 12", d, "1.13", bad, "", true);
        refused("a long group", d, "99999999999999.1", bad, "", true);
        refused("year past 9999", d, "1.1.10000", bad, "", true);
        refused("d3 zero takes 35 as the day", d, "350", bad, "", true);
        refused("30 February", d, "30.2.2005", "2005 yılının 2.ayında 30 gün yok.", day, false);
        refused("29 February this year", d, "29.2", "2005 yılının 2.ayında 29 gün yok.", day,
                false);
        refused("31 April by four digits", d, "3104", "2005 yılının 4.ayında 31 gün yok.", day,
                false);
        refused("today's 31st in April", QDate(2005, 3, 31), ".4",
                "2005 yılının 4.ayında 31 gün yok.", day, false);
        refused("sign alone", d, "+", "", "", true);
        refused("sign without digits", d, "-x", "", "", true);
        refused("days beyond any date", d, "+99999999", "", "", true);
    }
    void completion() {
        QFETCH(QDate, today);
        QFETCH(QString, typed);
        QFETCH(QString, result);
        QFETCH(QString, message);
        QFETCH(QString, caption);
        QFETCH(bool, refused);
        QFETCH(bool, conversionError);
        const controls::DateCompletion c =
            completeDate(typed, today, QLocale(QStringLiteral("tr_TR")));
        QCOMPARE(c.text, result);
        QCOMPARE(c.refused, refused);
        QCOMPARE(c.message, message);
        QCOMPARE(c.caption, caption);
        QCOMPARE(c.conversionError, conversionError);
    }

    void otherShortFormats() {
        // The groups are day, month, year whatever the format; only the result follows it.
        const QLocale us(QStringLiteral("en_US"));
        QCOMPARE(controls::shortDateFormat(us), QStringLiteral("MM/dd/yyyy"));
        QCOMPARE(completeDate(QStringLiteral("15.4"), QDate(2005, 3, 10), us).text,
                 QStringLiteral("04/15/2005"));
        QCOMPARE(controls::shortDateFormat(QLocale(QStringLiteral("tr_TR"))),
                 QStringLiteral("dd.MM.yyyy"));
        QCOMPARE(
            controls::readShortDate(QStringLiteral("5.03.2005"), QLocale(QStringLiteral("tr_TR"))),
            QDate(2005, 3, 5));
        QVERIFY(
            !controls::readShortDate(QStringLiteral("30.02.2005"), QLocale(QStringLiteral("tr_TR")))
                 .isValid());
    }
};

QTEST_GUILESS_MAIN(TestDateCompletion)
#include "test_datecompletion.moc"
