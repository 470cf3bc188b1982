#include "data/cursor.h"
#include "data/errors.h"
#include "data/filter.h"
#include "data/schema.h"
#include "tests/support/tempdb.h"

#include <QTest>

using namespace data;

class TestFilter : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void selects_data();
    void selects();
    void refused_data();
    void refused();
    void quotesCannotInject();
    void badFilterKeepsOldView();

private:
    std::unique_ptr<testsupport::TempDb> t_;
    QStringList names(const QString& filter);
};

void TestFilter::initTestCase() {
    t_ = std::make_unique<testsupport::TempDb>();
    Cursor c(t_->db(), "Mustfirmadata");
    c.open();
    struct Card {
        const char *isim, *mf, *ili, *adres;
        QVariant posta;
    };
    const Card cards[] = {
        {"Ali", "M", "Ankara", "Kızılay", 6420},
        {"Ayşe", "F", "ANKARA", "", 6100},
        {"Can", "I", "İzmir", nullptr, QVariant()},
        {"O'Neil", "M", "Antalya", "Lara", 7100},
        {"Deniz", nullptr, "Ankara", "Çankaya", QVariant()},
    };
    for (const Card& k : cards) {
        c.append();
        c.setValue("Isim", QString::fromUtf8(k.isim));
        if (k.mf)
            c.setValue("MF", k.mf);
        c.setValue("Ili", QString::fromUtf8(k.ili));
        if (k.adres)
            c.setValue("Adres", QString::fromUtf8(k.adres));
        c.setValue("PostaKodu", k.posta);
        c.post();
    }
}

QStringList TestFilter::names(const QString& filter) {
    Cursor c(t_->db(), "Mustfirmadata");
    c.setIndexName("IndIsim");
    c.setFilter(filter);
    c.open();
    QStringList out;
    for (int i = 1; i <= c.recordCount(); ++i) {
        c.setRecNo(i);
        out << c.text("Isim");
    }
    return out;
}

void TestFilter::selects_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("address book hides reserved rows")
        << "MF<>'K' And MF<>'E' And MF<>'Y' And MF<>'H'"
        << QStringList{"Ali", "Ayşe", "Can", "Deniz", "O'Neil", "Orhan Vural"};
    QTest::newRow("firm mode, no blank before Or")
        << "MF='F'Or MF='I'" << QStringList{"Ayşe", "Can", "Orhan Vural"};
    QTest::newRow("key") << "Kod=5" << QStringList{"Orhan Vural"};
    QTest::newRow("like prefix") << "Ili Like 'Ank%'"
                                 << QStringList{"Ali", "Ayşe", "Deniz", "Orhan Vural"};
    QTest::newRow("not empty") << "Adres<>''"
                               << QStringList{"Ali", "Deniz", "O'Neil", "Orhan Vural"};
    QTest::newRow("empty") << "Adres=''"
                           << QStringList{"", " Hepsi", " Kasa", "Ayşe", "Can", "Yazar Kasa"};
    QTest::newRow("combined with like")
        << "Adres<>'' And Ili Like 'Ank%'" << QStringList{"Ali", "Deniz", "Orhan Vural"};
    QTest::newRow("field names without case") << "mf='m' or MF='M'" << QStringList{"Ali", "O'Neil"};
    QTest::newRow("keywords without case") << "mf='M' AND ili='Ankara'" << QStringList{"Ali"};
    QTest::newRow("doubled quote") << "Isim='O''Neil'" << QStringList{"O'Neil"};
    QTest::newRow("parentheses and not")
        << "Not (MF='M' Or MF='F') And Kod>5" << QStringList{"Can", "Deniz"};
    QTest::newRow("number compare")
        << "PostaKodu>=6420 And PostaKodu<7100" << QStringList{"Ali", "Orhan Vural"};
    QTest::newRow("empty number differs")
        << "PostaKodu<>6420 And Kod>5" << QStringList{"Ayşe", "Can", "Deniz", "O'Neil"};
    QTest::newRow("turkish order compare")
        << "Isim>'Ç' And Kod>5" << QStringList{"Deniz", "O'Neil"};
    QTest::newRow("empty filter") << "" << QStringList{"",          " Hepsi", " Kasa",
                                                       "Ali",       "Ayşe",   "Can",
                                                       "Deniz",     "O'Neil", "Orhan Vural",
                                                       "Yazar Kasa"};
}

void TestFilter::selects() {
    QFETCH(QString, filter);
    QFETCH(QStringList, names);
    QStringList got = this->names(filter);
    QCOMPARE(got, names);
}

void TestFilter::refused_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("position");
    QTest::newRow("unknown field") << "MF='M' And Sehir='Ankara'" << 12;
    QTest::newRow("unclosed quote") << "MF='M" << 4;
    QTest::newRow("missing operator") << "MF 'M'" << 4;
    QTest::newRow("dangling and") << "MF='M' And" << 11;
    QTest::newRow("unclosed parenthesis") << "(MF='M'" << 8;
    QTest::newRow("two literals") << "'a'='a'" << 1;
    QTest::newRow("stray character") << "MF='M'; DROP TABLE Etiket" << 7;
    QTest::newRow("number into date") << "DogumT=5" << 8;
    QTest::newRow("text into number") << "PostaKodu='abc'" << 11;
}

void TestFilter::refused() {
    QFETCH(QString, filter);
    QFETCH(int, position);
    try {
        compileFilter(filter, mustfirmadata());
        QFAIL("accepted");
    } catch (const FilterError& e) {
        QCOMPARE(e.position(), position);
        QVERIFY2(e.message().contains(QString::number(position)), qPrintable(e.message()));
    }
}

void TestFilter::quotesCannotInject() {
    const CompiledFilter f = compileFilter("Isim='x'' OR 1=1 --' And Firma=''''", mustfirmadata());
    QVERIFY(!f.sql.contains("1=1"));
    QVERIFY(!f.sql.contains("x"));
    QCOMPARE(f.binds, (QVariantList{"x' OR 1=1 --", "'"}));
    QVERIFY(names("Isim='x'' OR 1=1 --'").isEmpty());
    QVERIFY(names("Isim='x'' OR ''1''=''1'").isEmpty());
}

void TestFilter::badFilterKeepsOldView() {
    Cursor c(t_->db(), "Mustfirmadata");
    c.setIndexName("IndIsim");
    c.setFilter("MF='M'");
    c.open();
    c.setRecNo(2);
    QVERIFY_THROWS_EXCEPTION(FilterError, c.setFilter("MF=='M'"));
    QCOMPARE(c.filter(), QString("MF='M'"));
    QCOMPARE(c.recordCount(), 2);
    QCOMPARE(c.text("Isim"), QString("O'Neil"));
}

QTEST_GUILESS_MAIN(TestFilter)
#include "test_filter.moc"
