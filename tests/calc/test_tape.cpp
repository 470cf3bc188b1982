#include "calc/tape.h"
#include "data/errors.h"

#include <QTest>

using calc::Op;
using calc::Tape;

namespace {

// Keys as typed on the tape; '\b' is Backspace, '\x01' is Insert, '\r' is Enter.
Tape::After feed(Tape& t, const QString& keys) {
    Tape::After after = Tape::After::Nothing;
    for (QChar c : keys) {
        if (c == QLatin1Char('\b'))
            t.backspace();
        else if (c == QChar(1))
            t.insertThousands();
        else
            after = t.key(c);
    }
    return after;
}

Tape tapeIn(const QString& name) {
    return Tape(calc::tapeLocale(QLocale(name)));
}

const QString nb = QString(QChar(0x00A0));  // the blank inside "12 €"

}  // namespace

class TestTape : public QObject {
    Q_OBJECT
private slots:
    void init() { calc::setRememberedResult(0); }

    void symbolPositions() {
        // Qt's data puts the lira sign before the amount and the euro sign after it; the tests
        // below cover both positions with tr_TR and de_DE.
        QCOMPARE(QLocale(QStringLiteral("tr_TR")).toCurrencyString(12.0, QString(), 0),
                 QStringLiteral("₺12"));
        QCOMPARE(QLocale(QStringLiteral("de_DE")).toCurrencyString(12.0, QString(), 0),
                 QStringLiteral("12") + nb + QStringLiteral("€"));
        QCOMPARE(calc::tapeLocale(QLocale(QStringLiteral("tr_TR"))).currencyDigits, 2);
        QCOMPARE(calc::tapeLocale(QLocale(QStringLiteral("tr_TR"))).decimalSeparator,
                 QLatin1Char(','));
    }

    void calculations_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<double>("total");

        const QString eur = nb + QStringLiteral("€");
        QTest::addRow("5+7 Enter, tr")
            << "tr_TR"
            << "5+7\r" << QStringList{"₺5 + ", "₺7 = ", "===== ", "₺12 ≡ ", " < "} << 12.0;
        QTest::addRow("5+7 Enter, de") << "de_DE"
                                       << "5+7\r"
                                       << QStringList{"5" + eur + " + ", "7" + eur + " = ",
                                                      "====== ", "12" + eur + " ≡ ", " < "}
                                       << 12.0;
        QTest::addRow("5+ Enter on the empty line")
            << "tr_TR"
            << "5+\r" << QStringList{"₺5= ", "==== ", "₺5 = ", " < "} << 5.0;
        QTest::addRow("5+ Enter on the empty line, de")
            << "de_DE"
            << "5+\r" << QStringList{"5" + eur + "= ", "===== ", "5" + eur + " = ", " < "} << 5.0;
        QTest::addRow("second + repeats the total")
            << "tr_TR"
            << "2++" << QStringList{"₺2 + ", "₺2 + ", " < "} << 4.0;
        QTest::addRow("10÷4: trailing zeros dropped")
            << "tr_TR"
            << "10/4\r" << QStringList{"₺10 ÷ ", "₺4 = ", "====== ", "₺2,5 ≡ ", " < "} << 2.5;
        QTest::addRow("10÷4: symbol after, nothing dropped")
            << "de_DE"
            << "10:4="
            << QStringList{"10" + eur + " ÷ ", "4" + eur + " = ",
                           "=========== ", "2,50000" + eur + " ≡ ", " < "}
            << 2.5;
        QTest::addRow("3-5.5: negative total")
            << "tr_TR"
            << "3-5.5\r" << QStringList{"₺3 - ", "₺5,5 = ", "============ ", "(₺2,50000) ≡ ", " < "}
            << -2.5;
        QTest::addRow("3-5.5: negative total, de")
            << "de_DE"
            << "3-5,5\r"
            << QStringList{"3" + eur + " - ", "5,5" + eur + " = ",
                           "============ ", "-2,50000" + eur + " ≡ ", " < "}
            << -2.5;
        QTest::addRow("times with x, X and *")
            << "tr_TR"
            << "2x3X4*5\r"
            << QStringList{"₺2 × ", "₺3 × ", "₺4 × ", "₺5 = ", "====== ", "₺120 ≡ ", " < "}
            << 120.0;
        QTest::addRow("Temizle forgets the pending minus")
            << "tr_TR"
            << "7-t5+3\r" << QStringList{"₺5 + ", "₺3 = ", "==== ", "₺8 ≡ ", " < "} << 8.0;
        QTest::addRow("after a total a new calculation starts")
            << "tr_TR"
            << "2+3\r4+" << QStringList{"₺2 + ", "₺3 = ", "==== ", "₺5 ≡ ", "₺4 + ", " < "} << 4.0;
        QTest::addRow("thousands in the amounts")
            << "tr_TR"
            << "1234,5+1\r"
            << QStringList{"₺1.234,5 + ", "₺1 = ", "========== ", "₺1.235,5 ≡ ", " < "} << 1235.5;
        QTest::addRow("rule at most 19 long")
            << "tr_TR"
            << "12345678901234+\r"
            << QStringList{"₺12.345.678.901.234= ", "===================== ",
                           "₺12.345.678.901.234 = ", " < "}
            << 12345678901234.0;
        QTest::addRow("rule cut at 19 after an entry")
            << "tr_TR"
            << "12345678901234*1\r"
            << QStringList{"₺12.345.678.901.234 × ",
                           "₺1 = ", "=================== ", "₺12.345.678.901.234 ≡ ", " < "}
            << 12345678901234.0;
        QTest::addRow("= on an empty tape does nothing") << "tr_TR"
                                                         << "\r" << QStringList{} << 0.0;
        QTest::addRow("+ on an empty tape enters the total 0")
            << "tr_TR"
            << "+" << QStringList{"₺0 + ", " < "} << 0.0;
    }
    void calculations() {
        QFETCH(QString, locale);
        QFETCH(QString, keys);
        QFETCH(QStringList, lines);
        QFETCH(double, total);
        Tape t = tapeIn(locale);
        feed(t, keys);
        QCOMPARE(t.lines(), lines);
        QCOMPARE(t.total(), total);
        QCOMPARE(t.currentLine(), qMax(0, int(lines.size()) - 1));
    }

    void typing_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("shown");  // the current line after each key

        QTest::addRow("1 2 DS 5 0")
            << "tr_TR"
            << "12,50" << QStringList{"₺1 < ", "₺12 < ", "₺12, < ", "₺12,5 < ", "₺12,50 < "};
        QTest::addRow("point becomes the separator")
            << "tr_TR"
            << "3.2" << QStringList{"₺3 < ", "₺3, < ", "₺3,2 < "};
        QTest::addRow("symbol after the amount")
            << "de_DE"
            << "12.5"
            << QStringList{"1" + nb + "€ < ", "12" + nb + "€ < ", "12" + nb + "€, < ",
                           "12,5" + nb + "€ < "};
        QTest::addRow("Backspace back to the bare mark")
            << "tr_TR"
            << "12,50\b\b\b\b"
            << QStringList{"₺1 < ",    "₺12 < ", "₺12, < ", "₺12,5 < ", "₺12,50 < ",
                           "₺12,5 < ", "₺12 < ", "₺1 < ",   " < "};
        QTest::addRow("Backspace on an empty line") << "tr_TR"
                                                    << "\b" << QStringList{" < "};
        QTest::addRow("Insert after 12")
            << "tr_TR"
            << "12\x01" << QStringList{"₺1 < ", "₺12 < ", "₺12.000 < "};
        QTest::addRow("Insert after the separator")
            << "tr_TR"
            << "12,\x01" << QStringList{"₺1 < ", "₺12 < ", "₺12, < ", "₺12,000 < "};
        QTest::addRow("a letter after digits only rewrites")
            << "tr_TR"
            << "12q" << QStringList{"₺1 < ", "₺12 < ", "₺12 < "};
        QTest::addRow("leading zero separator")
            << "tr_TR"
            << "0,5" << QStringList{"₺0 < ", "₺0, < ", "₺0,5 < "};
    }
    void typing() {
        QFETCH(QString, locale);
        QFETCH(QString, keys);
        QFETCH(QStringList, shown);
        Tape t = tapeIn(locale);
        QStringList seen;
        for (QChar c : keys) {
            feed(t, QString(c));
            seen << t.currentText();
        }
        QCOMPARE(seen, shown);
    }

    void refusalsLeaveEverything_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("conversion");

        QTest::addRow("division by zero") << "10/0"
                                          << "\r" << false;
        QTest::addRow("division by zero with +") << "10/0"
                                                 << "+" << false;
        QTest::addRow("zero after the separator") << "10/0,00"
                                                  << "=" << false;
        QTest::addRow("a letter on an empty line") << ""
                                                   << "q" << true;
        QTest::addRow("a letter on the input line") << "5+"
                                                    << "k" << true;
        QTest::addRow("separator alone") << "5+"
                                         << "," << true;
        QTest::addRow("second separator") << "1,5"
                                          << "," << true;
        QTest::addRow("overflow") << "1" + QString(300, '0') + "*" + "1" + QString(300, '0') << "\r"
                                  << false;
    }
    void refusalsLeaveEverything() {
        QFETCH(QString, before);
        QFETCH(QString, key);
        QFETCH(bool, conversion);
        Tape t = tapeIn(QStringLiteral("tr_TR"));
        feed(t, before);
        const QStringList lines = t.lines();
        const double total = t.total();
        const Op pending = t.pending();
        try {
            feed(t, key);
            QFAIL("no error");
        } catch (const data::Error& e) {
            QCOMPARE(e.code() == data::Error::Code::Conversion, conversion);
            QVERIFY(!e.message().isEmpty());
        }
        QCOMPARE(t.lines(), lines);
        QCOMPARE(t.total(), total);
        QCOMPARE(t.pending(), pending);
    }

    void earlierLineUsedAgain() {
        Tape t = tapeIn(QStringLiteral("tr_TR"));
        feed(t, QStringLiteral("5+7+"));
        QCOMPARE(t.lines(), (QStringList{"₺5 + ", "₺7 + ", " < "}));
        t.setCurrentLine(0);  // the caret put back on the 5
        feed(t, QStringLiteral("+"));
        QCOMPARE(t.total(), 17.0);
        QCOMPARE(t.lines(), (QStringList{"₺5 + ", "₺7 + ", "₺5 + ", " < "}));
        QCOMPARE(t.currentLine(), 3);
    }

    void negativeTotalReadBackKeepsItsSign_data() {
        QTest::addColumn<QString>("locale");
        QTest::addRow("parentheses") << "tr_TR";
        QTest::addRow("minus sign") << "de_DE";
    }
    void negativeTotalReadBackKeepsItsSign() {
        QFETCH(QString, locale);
        Tape t = tapeIn(locale);
        feed(t, QStringLiteral("3-5,5\r"));
        t.setCurrentLine(3);  // the total line
        feed(t, QStringLiteral("+1\r"));
        QCOMPARE(t.total(), -1.5);
        // and the remembered result written back on the tape
        calc::setRememberedResult(-2.5);
        Tape u = tapeIn(locale);
        u.showRemembered(calc::rememberedResult());
        feed(u, QStringLiteral("*2\r"));
        QCOMPARE(u.total(), -5.0);
    }

    void handOverAndShow() {
        Tape t = tapeIn(QStringLiteral("tr_TR"));
        feed(t, QStringLiteral("5+7\r"));
        QCOMPARE(feed(t, QStringLiteral("a")), Tape::After::Close);
        QCOMPARE(calc::rememberedResult(), 12.0);
        QCOMPARE(t.lines().size(), 5);  // "Aktar" leaves the tape alone
        t.showRemembered(calc::rememberedResult());
        QCOMPARE(t.currentText(), QStringLiteral("₺12,00"));
        feed(t, QStringLiteral("+1\r"));  // the written amount is the next entry
        QCOMPARE(t.total(), 13.0);
        QCOMPARE(t.lines().at(4), QStringLiteral("₺12,00 + "));

        Tape empty = tapeIn(QStringLiteral("tr_TR"));
        feed(empty, QStringLiteral("A"));
        QCOMPARE(calc::rememberedResult(), 0.0);
        empty.showRemembered(0);
        QVERIFY(empty.lines().isEmpty());
    }

    void tapeFromTheWindow() {
        Tape t = tapeIn(QStringLiteral("tr_TR"));
        // a trailing empty line does not count; the caret is kept inside the tape
        t.setLines({"₺5 + ", " < ", ""}, 2);
        QCOMPARE(t.lines().size(), 2);
        QCOMPARE(t.currentLine(), 1);
        feed(t, QStringLiteral("1\r"));
        QCOMPARE(t.lines().at(1), QStringLiteral("₺1 = "));
    }

    void totalTexts_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::addRow("whole") << "tr_TR" << 1234.0 << "₺1.234";
        QTest::addRow("five decimals") << "tr_TR" << 1.23456 << "₺1,23456";
        QTest::addRow("rounded to five") << "tr_TR" << 2.0 / 3.0 << "₺0,66667";
        QTest::addRow("all five zeros keep the separator") << "tr_TR" << 2.000001 << "₺2,";
        QTest::addRow("symbol after") << "de_DE" << 0.25 << "0,25000" + nb + "€";
    }
    void totalTexts() {
        QFETCH(QString, locale);
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(tapeIn(locale).totalText(value), text);
    }
};

QTEST_GUILESS_MAIN(TestTape)
#include "test_tape.moc"
