#include "batch/csv.h"
#include "batch/import.h"
#include "data/datamodule.h"
#include "data/errors.h"
#include "tests/support/scripted.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace batch;

class TestImport : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void csv_data();
    void csv();
    void unclosedQuoteRefused();
    void goodFileAddsCards();
    void badLinesReportedOthersAdded();
    void unknownHeaderFieldAddsNothing();
    void storeFailureAddsNothing();
    void killedImportLeavesNothingHalfWritten();
    void exitStatus_data();
    void exitStatus();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<testsupport::ScriptedDialogs> dlg_;
    std::unique_ptr<TDMKuvPro> dm_;
    int count(const QString& sql);
};

void TestImport::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    dlg_ = std::make_unique<testsupport::ScriptedDialogs>();
    dm_ = std::make_unique<TDMKuvPro>(dir_->path());
    dm_->MustFirmaTanTbl->open();
}

void TestImport::cleanup() {
    dm_.reset();
    dlg_.reset();
    dir_.reset();
}

int TestImport::count(const QString& sql) {
    data::Statement st = dm_->Tizgen().connection().prepare(sql);
    st.step();
    return int(st.int64(0));
}

void TestImport::csv_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<QStringList>>("records");
    QTest::addColumn<QList<int>>("lines");
    QTest::newRow("plain") << "a,b\n1,2\n"
                           << QList<QStringList>{{"a", "b"}, {"1", "2"}} << QList<int>{1, 2};
    QTest::newRow("crlf and bom") << "\xEF\xBB\xBF"
                                     "a,b\r\n1,2\r\n"
                                  << QList<QStringList>{{"a", "b"}, {"1", "2"}} << QList<int>{1, 2};
    QTest::newRow("quoted comma and quote")
        << "a,b\n\"x, y\",\"he said \"\"hi\"\"\"\n"
        << QList<QStringList>{{"a", "b"}, {"x, y", "he said \"hi\""}} << QList<int>{1, 2};
    QTest::newRow("line break inside quotes")
        << "Isim,Telefon\nAli,\"0312 111\n0532 222\"\nVeli,1\n"
        << QList<QStringList>{{"Isim", "Telefon"}, {"Ali", "0312 111\r\n0532 222"}, {"Veli", "1"}}
        << QList<int>{1, 2, 4};
    QTest::newRow("semicolons from a Turkish spreadsheet")
        << "Isim;Ucret\nAli;1.234,50\n"
        << QList<QStringList>{{"Isim", "Ucret"}, {"Ali", "1.234,50"}} << QList<int>{1, 2};
    QTest::newRow("blank lines skipped, no final newline")
        << "a\n\n  \nx" << QList<QStringList>{{"a"}, {"x"}} << QList<int>{1, 4};
    QTest::newRow("empty fields kept")
        << "a,b,c\n,,z\n"
        << QList<QStringList>{{"a", "b", "c"}, {"", "", "z"}} << QList<int>{1, 2};
}

void TestImport::csv() {
    QFETCH(QString, text);
    QFETCH(QList<QStringList>, records);
    QFETCH(QList<int>, lines);
    const auto got = parseCsv(text);
    QCOMPARE(got.size(), records.size());
    for (int i = 0; i < got.size(); ++i) {
        QCOMPARE(got[i].fields, records[i]);
        QCOMPARE(got[i].line, lines[i]);
    }
}

void TestImport::unclosedQuoteRefused() {
    QVERIFY_THROWS_EXCEPTION(data::ConversionError, parseCsv("a,b\n1,\"open\n2,3\n"));
}

void TestImport::goodFileAddsCards() {
    const QString text =
        "isim,FIRMA,MF,Telefon,PostaKodu,KisiKurum,Gizli,DogumT,Baslama,Ucret\n"
        "Şule Çınar,Çınar Ltd,M,\"0312 111 22 33\n0532 444 55 "
        "66\",06420,Evet,0,09.03.1975,2005-01-31,1500.5\n"
        "İsmail Öz,,F,,,hayır,true,,,\n";
    const ImportResult r = importCards(*dm_->MustFirmaTanTbl, text);
    QVERIFY2(r.fatal.isEmpty(), qPrintable(r.fatal));
    QCOMPARE(r.added, 2);
    QVERIFY(r.refused.isEmpty());
    data::Cursor c(dm_->Tizgen(), "Mustfirmadata");
    c.open();
    QVERIFY(c.locate("Isim", "Şule Çınar"));
    QCOMPARE(c.value("Kod").toInt(), 6);
    QCOMPARE(c.text("Telefon"), QString("0312 111 22 33\r\n0532 444 55 66"));
    QCOMPARE(c.value("PostaKodu").toInt(), 6420);
    QCOMPARE(c.value("KisiKurum"), QVariant(true));
    QCOMPARE(c.value("Gizli"), QVariant(false));
    QCOMPARE(c.value("DogumT").toDate(), QDate(1975, 3, 9));
    QCOMPARE(c.value("Baslama").toDate(), QDate(2005, 1, 31));
    QCOMPARE(c.value("Ucret").toDouble(), 1500.5);
    QCOMPARE(c.value("CariAldiToplam").toDouble(), 0.0);  // defaults of a new card
    QVERIFY(c.locate("Isim", "İsmail Öz"));
    QCOMPARE(c.value("Kod").toInt(), 7);
    QCOMPARE(c.value("Gizli"), QVariant(true));
    QVERIFY(c.value("Firma").isNull());
}

void TestImport::badLinesReportedOthersAdded() {
    const QString text =
        "Isim,PostaKodu,Ay,DogumT,Kod,MF\n"
        "Ali,06100,,,,M\n"
        "Veli,Ankara,,,,M\n"     // line 3: not a number
        "Ayşe,,40000,,,M\n"      // line 4: out of the small-integer range
        "Can,,,31.02.1980,,M\n"  // line 5: no such date
        "Üretici,,,,5,F\n"       // line 6: the producer's key
        "Uzun " +
        QString("x").repeated(80) +
        ",,,,,MM\n"             // cut to size, added
        "Fazla,1,2,3,4,5,6\n";  // line 8: more fields than the header
    const ImportResult r = importCards(*dm_->MustFirmaTanTbl, text);
    QVERIFY(r.fatal.isEmpty());
    QCOMPARE(r.added, 2);
    QList<int> lines;
    for (const auto& p : r.refused) lines << p.line;
    QCOMPARE(lines, (QList<int>{3, 4, 5, 6, 8}));
    QVERIFY(r.refused[0].reason.contains("PostaKodu"));
    QVERIFY(r.refused[0].reason.contains("Ankara"));
    QCOMPARE(count("select count(*) from Mustfirmadata"), 7);
    QCOMPARE(count("select length(Isim) from Mustfirmadata where Isim like 'Uzun%'"), 50);
    QCOMPARE(count("select count(*) from Mustfirmadata where Kod=5 and Isim='Üretici'"), 0);
    QCOMPARE(dlg_->captions(), QStringList{"Değiştirilemez"});
}

void TestImport::unknownHeaderFieldAddsNothing() {
    const ImportResult r = importCards(*dm_->MustFirmaTanTbl, "Isim,Sehir\nAli,Ankara\n");
    QVERIFY(r.fatal.contains("Sehir"));
    QVERIFY(r.fatal.startsWith("1. satır"));
    QCOMPARE(r.added, 0);
    QCOMPARE(count("select count(*) from Mustfirmadata"), 5);
}

void TestImport::storeFailureAddsNothing() {
    // a database that cannot grow beyond a few pages fails part-way through the import
    const int pages = count("pragma page_count");
    dm_->Tizgen().connection().exec(QString("pragma max_page_count=%1").arg(pages + 3));
    QString text = "Isim,Istihbarat,Adres\n";
    for (int i = 0; i < 400; ++i)
        text += QString("Kişi %1,%2,%3\n")
                    .arg(i)
                    .arg(QString("not ").repeated(25))
                    .arg(QString("adres ").repeated(15));
    const ImportResult r = importCards(*dm_->MustFirmaTanTbl, text);
    QVERIFY(!r.fatal.isEmpty());
    QCOMPARE(r.added, 0);
    QCOMPARE(dm_->MustFirmaTanTbl->state(), data::State::Browse);
    dm_->Tizgen().connection().exec("pragma max_page_count=1073741823");
    QCOMPARE(count("select count(*) from Mustfirmadata"), 5);
    // the counter was rolled back too: the next card still gets Kod 6
    data::Cursor* c = dm_->MustFirmaTanTbl;
    c->append();
    c->setValue("Isim", "Sonra");
    c->post();
    QCOMPARE(c->value("Kod").toInt(), 6);
}

void TestImport::killedImportLeavesNothingHalfWritten() {
    dm_.reset();
    const QString file = dir_->filePath("cok.csv");
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Isim,Firma,Adres\n");
        for (int i = 0; i < 60000; ++i)
            f.write(QString("Kişi %1,Firma %1,\"Uzun bir adres satırı %1\nikinci satır\"\n")
                        .arg(i)
                        .toUtf8());
    }
    QProcess p;
    p.start(TIZGEN_BATCH, {"--data", dir_->path(), "import", file});
    QVERIFY(p.waitForStarted());
    // kill it while its transaction is being written: the journal is there
    const QString journal = dir_->filePath("ANA.db-journal");
    QElapsedTimer t;
    t.start();
    while (!QFileInfo::exists(journal) && t.elapsed() < 20000 && p.state() == QProcess::Running)
        QThread::msleep(2);
    QVERIFY2(p.state() == QProcess::Running, "the import ended before it could be killed");
    QThread::msleep(100);
    p.kill();
    p.waitForFinished();
    dm_ = std::make_unique<TDMKuvPro>(dir_->path());
    data::Statement check = dm_->Tizgen().connection().prepare("pragma integrity_check");
    QVERIFY(check.step());
    QCOMPARE(check.text(0), QString("ok"));
    QCOMPARE(count("select count(*) from Mustfirmadata"), 5);
}

void TestImport::exitStatus_data() {
    QTest::addColumn<QString>("csv");  // empty: no such file
    QTest::addColumn<QStringList>("extraArgs");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("cards");
    QTest::newRow("all added") << "Isim\nAli\nVeli\n" << QStringList{} << 0 << 7;
    QTest::newRow("some refused") << "Isim,PostaKodu\nAli,1\nVeli,x\n" << QStringList{} << 1 << 6;
    QTest::newRow("unknown field") << "Isim,Yok\nAli,1\n" << QStringList{} << 2 << 5;
    QTest::newRow("missing file") << "" << QStringList{} << 2 << 5;
    QTest::newRow("usage") << "Isim\nAli\n" << QStringList{"fazla"} << 2 << 5;
}

void TestImport::exitStatus() {
    QFETCH(QString, csv);
    QFETCH(QStringList, extraArgs);
    QFETCH(int, status);
    QFETCH(int, cards);
    dm_.reset();
    const QString file = dir_->filePath("kartlar.csv");
    if (!csv.isEmpty()) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(csv.toUtf8());
    }
    QProcess p;
    p.start(TIZGEN_BATCH, QStringList{"--data", dir_->path(), "import", file} + extraArgs);
    QVERIFY(p.waitForFinished(20000));
    QCOMPARE(p.exitCode(), status);
    if (status == 0)
        QVERIFY(QString::fromUtf8(p.readAllStandardOutput()).contains("2 kart eklendi"));
    if (status == 1)
        QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains("3. satır eklenmedi"));
    dm_ = std::make_unique<TDMKuvPro>(dir_->path());
    QCOMPARE(count("select count(*) from Mustfirmadata"), cards);
}

QTEST_GUILESS_MAIN(TestImport)
#include "test_import.moc"
