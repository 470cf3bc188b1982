#include "data/collation.h"
#include "data/cursor.h"
#include "data/database.h"
#include "data/errors.h"
#include "data/query.h"
#include "data/schema.h"
#include "tests/support/tempdb.h"

#include <QDate>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

using namespace data;
using testsupport::TempDb;

class TestTables : public QObject {
    Q_OBJECT
private slots:
    void freshFolderGetsFourSeededTables();
    void seedRowsAreAsTabled();
    void countersGiveCard6AndLayout29();
    void explicitKeyMovesCounter();
    void existingTableIsNeverReseeded();
    void onlyMissingTableIsCreated();
    void turkishOrder();
    void sqlQueriesSortTurkish();
    void queriesBindValues();
    void coerce_data();
    void coerce();
    void textIsCutToFieldSize();
    void oldFormatIsConvertedKeepingRows();
    void currentFormatOpensUnchanged();
    void sqliteShellReadsFile();
};

static QStringList column(Database& db, const QString& sql) {
    Query q(db);
    q.setSql(sql);
    q.open();
    QStringList out;
    for (q.first(); !q.eof(); q.next()) {
        out << q.value(0).toString();
        if (q.recNo() == q.recordCount())
            break;
    }
    return out;
}

void TestTables::freshFolderGetsFourSeededTables() {
    TempDb t(false);
    const QStringList made = t.db().createMissingTables();
    QCOMPARE(made, (QStringList{"AYARLAR", "Datanames", "Etiket", "Mustfirmadata"}));
    QCOMPARE(column(t.db(), "select count(*) from ayarlar"), QStringList{"2"});
    QCOMPARE(column(t.db(), "select count(*) from DataNames"), QStringList{"1"});
    QCOMPARE(column(t.db(), "select count(*) from etiket"), QStringList{"27"});
    QCOMPARE(column(t.db(), "select count(*) from MustFirmaData"), QStringList{"5"});
    for (const TableDef* def : allTables())
        QCOMPARE(t.db().formatVersion(def->name), QString("4.00"));
    QVERIFY(t.db().createMissingTables().isEmpty());
}

void TestTables::seedRowsAreAsTabled() {
    TempDb t;
    Cursor ayar(t.db(), "datanames");
    ayar.open();
    QVERIFY(ayar.locate("Default", true));
    QVERIFY(ayar.value("DataNames").isNull());
    QCOMPARE(ayar.value("Stok"), QVariant(true));
    QCOMPARE(ayar.value("Fatura"), QVariant(false));  // explicit false over the default
    QCOMPARE(ayar.value("ComPort").toInt(), 2);
    QCOMPARE(ayar.text("Hat"), QString("9"));
    QVERIFY(QRegularExpression("^\\d{4}-$").match(ayar.text("YerelKod")).hasMatch());
    QCOMPARE(ayar.text("TizgenSec"), QString("Tizgen Formu"));
    QVERIFY(ayar.value("Y2").isNull());

    Cursor et(t.db(), "Etiket");
    et.open();
    QCOMPARE(et.recordCount(), 27);
    QCOMPARE(et.text("Data"), QString("Hitap / Çerçeve"));  // insertion order
    QCOMPARE(et.value("Altalta").toInt(), 12);
    et.setRecNo(5);
    QCOMPARE(et.text("Data"), QString("Ayar"));
    QVERIFY(et.value("Satır (mm)").isNull());
    QCOMPARE(et.value("Sütun (mm)").toDouble(), 12.0);
    QCOMPARE(et.value("Altalta").toInt(), 7);
    et.setRecNo(22);
    QCOMPARE(et.text("Data"), QString("Ticaret Sicil N"));
    QCOMPARE(et.text("Başlık"), QString("Yok"));
    QCOMPARE(et.text("Yeri"), QString("Önce"));

    Cursor forms(t.db(), "ayarlar");
    forms.open();
    QVERIFY(forms.locate("Isim", "Etiket Formu"));
    QCOMPARE(forms.value("Kod").toInt(), 21);
    QCOMPARE(forms.text("Str17"), QString("2.Kolon;187;35;100;15;MS Sans Serif;8"));
    QVERIFY(forms.locate("Isim", "Tizgen Formu"));
    QCOMPARE(forms.text("Str16"), QString("Türü;316;17;25;10;MS Sans Serif;6"));

    Cursor cards(t.db(), "mustfirmadata");
    cards.open();
    QCOMPARE(cards.recordCount(), 5);
    QVERIFY(cards.locate("Kod", 5));
    QCOMPARE(cards.text("MF"), QString("F"));
    QCOMPARE(cards.value("KisiKurum"), QVariant(true));
    QCOMPARE(cards.text("Hitap"), QString("Sayın"));
    QCOMPARE(cards.text("Telefon").split("\r\n").size(), 4);
    QVERIFY(cards.locate("Kod", 1));
    QCOMPARE(cards.text("Isim"), QString(" Kasa"));
    QCOMPARE(cards.value("Gizli"), QVariant(false));
    QCOMPARE(cards.value("CariAldiToplam").toDouble(), 0.0);
    QVERIFY(cards.value("KisiKurum").isNull());
}

void TestTables::countersGiveCard6AndLayout29() {
    TempDb t;
    Cursor cards(t.db(), "Mustfirmadata");
    cards.open();
    cards.append();
    cards.setValue("Isim", "Ayşe Yılmaz");
    cards.post();
    QCOMPARE(cards.value("Kod").toInt(), 6);
    cards.append();
    cards.setValue("Isim", "Bora");
    cards.post();
    QCOMPARE(cards.value("Kod").toInt(), 7);

    Cursor forms(t.db(), "AYARLAR");
    forms.open();
    forms.append();
    forms.setValue("Isim", "Yeni Form");
    forms.post();
    QCOMPARE(forms.value("Kod").toInt(), 29);
}

void TestTables::explicitKeyMovesCounter() {
    TempDb t;
    Cursor cards(t.db(), "Mustfirmadata");
    cards.open();
    cards.append();
    cards.setValue("Kod", 100);
    cards.setValue("Isim", "Elle");
    cards.post();
    cards.append();
    cards.setValue("Isim", "Sonraki");
    cards.post();
    QCOMPARE(cards.value("Kod").toInt(), 101);
    // a key that is already there is refused and the new card stays in editing
    cards.append();
    cards.setValue("Kod", 100);
    QVERIFY_THROWS_EXCEPTION(Error, cards.post());
    QCOMPARE(cards.state(), State::Insert);
}

void TestTables::existingTableIsNeverReseeded() {
    TempDb t;
    t.db().connection().exec("DELETE FROM AYARLAR");
    QVERIFY(t.db().createMissingTables().isEmpty());
    t.db().checkTable("ayarlar");
    QCOMPARE(column(t.db(), "select count(*) from AYARLAR"), QStringList{"0"});
}

void TestTables::onlyMissingTableIsCreated() {
    TempDb t;
    t.db().connection().exec("DROP TABLE Mustfirmadata");
    t.db().connection().exec("UPDATE Datanames SET Hat='0'");
    Cursor cards(t.db(), "MustFirmaData");
    cards.open();  // the check before opening makes the missing table
    QCOMPARE(cards.recordCount(), 5);
    QCOMPARE(column(t.db(), "select Hat from datanames"), QStringList{"0"});
}

void TestTables::turkishOrder() {
    TempDb t;
    Cursor cards(t.db(), "Mustfirmadata");
    cards.open();
    const QStringList names = {"Zeynep", "Ümit",  "Şule",   "Sibel", "Özgür", "Osman",
                               "İsmail", "Irmak", "Ilgın",  "Hakan", "Ğ",     "Gül",
                               "Çağla",  "Cem",   "Üzeyir", "ismet", "ıslak"};
    for (const QString& n : names) {
        cards.append();
        cards.setValue("Isim", n);
        cards.setValue("MF", "M");
        cards.post();
    }
    cards.setIndexName("IndIsim");
    cards.setFilter("MF='M'");
    QStringList got;
    for (int i = 1; i <= cards.recordCount(); ++i) {
        cards.setRecNo(i);
        got << cards.text("Isim");
    }
    QCOMPARE(got,
             (QStringList{"Cem", "Çağla", "Gül", "Ğ", "Hakan", "Ilgın", "Irmak", "ıslak", "İsmail",
                          "ismet", "Osman", "Özgür", "Sibel", "Şule", "Ümit", "Üzeyir", "Zeynep"}));
    QVERIFY(turkishCompare("Çiçek", "Cuma") > 0);
    QVERIFY(turkishCompare("Dilek", "Çiçek") > 0);
}

void TestTables::sqlQueriesSortTurkish() {
    TempDb t;
    Cursor cards(t.db(), "Mustfirmadata");
    cards.open();
    for (const char* f : {"Zirve", "Çınar", "Bora", "Öz"}) {
        cards.append();
        cards.setValue("Firma", QString::fromUtf8(f));
        cards.post();
    }
    QCOMPARE(
        column(t.db(), "Select firma,MF,Kod from mustfirmaData where firma<>'' Order By Firma"),
        (QStringList{"Bora", "Çınar", "Orvu Bilgisayar Yazılım Ltd. Şti.", "Öz", "Zirve"}));
}

void TestTables::queriesBindValues() {
    TempDb t;
    Cursor cards(t.db(), "Mustfirmadata");
    cards.open();
    for (const char* h : {"Sayın", "Sayın", "Dr.", "Av."}) {
        cards.append();
        cards.setValue("Hitap", QString::fromUtf8(h));
        cards.setValue("Isim", QString::fromUtf8("O'Kişi"));
        cards.post();
    }
    QCOMPARE(
        column(t.db(), "Select distinct Hitap from mustfirmadata where Hitap<>'' order by Hitap"),
        (QStringList{"Av.", "Dr.", "Sayın"}));
    Query q(t.db());
    q.setSql("SELECT Kod FROM Mustfirmadata WHERE Isim LIKE ? ORDER BY Kod");
    q.setParams({"%'Ki%"});
    q.open();
    QCOMPARE(q.recordCount(), 4);
    QVERIFY(q.locate("Kod", 8));
    QCOMPARE(q.recNo(), 3);
    QVERIFY_THROWS_EXCEPTION(Error, q.edit());
    Query bad(t.db());
    bad.setSql("SELECT nope FROM Mustfirmadata");
    QVERIFY_THROWS_EXCEPTION(Error, bad.open());
    QVERIFY(!bad.isOpen());
}

void TestTables::coerce_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("in");
    QTest::addColumn<QVariant>("out");  // invalid: refused
    QTest::newRow("text cut") << "MF" << QVariant("MX") << QVariant("M");
    QTest::newRow("empty text kept") << "Isim" << QVariant("") << QVariant("");
    QTest::newRow("integer from text") << "PostaKodu" << QVariant(" 06420 ") << QVariant(6420);
    QTest::newRow("integer bad text") << "PostaKodu" << QVariant("Ankara") << QVariant();
    QTest::newRow("integer fraction") << "PostaKodu" << QVariant(1.5) << QVariant();
    QTest::newRow("empty number is null")
        << "PostaKodu" << QVariant("  ") << QVariant(QVariant::fromValue(nullptr));
    QTest::newRow("small in range") << "Ay" << QVariant(-32768) << QVariant(-32768);
    QTest::newRow("small too big") << "Ay" << QVariant(32768) << QVariant();
    QTest::newRow("integer too big") << "Iskonto" << QVariant(qint64(3000000000LL)) << QVariant();
    QTest::newRow("money turkish text") << "Ucret" << QVariant("1.234,5") << QVariant(1234.5);
    QTest::newRow("money dot text") << "Ucret" << QVariant("12.75") << QVariant(12.75);
    QTest::newRow("bool evet") << "Gizli" << QVariant("Evet") << QVariant(true);
    QTest::newRow("bool hayır") << "Gizli" << QVariant("hayır") << QVariant(false);
    QTest::newRow("bool 0") << "Gizli" << QVariant("0") << QVariant(false);
    QTest::newRow("bool bad") << "Gizli" << QVariant("belki") << QVariant();
    QTest::newRow("date dotted") << "DogumT" << QVariant("9.3.2005") << QVariant(QDate(2005, 3, 9));
    QTest::newRow("date iso") << "DogumT" << QVariant("2005-03-09") << QVariant(QDate(2005, 3, 9));
    QTest::newRow("date impossible") << "DogumT" << QVariant("30.02.2005") << QVariant();
}

void TestTables::coerce() {
    QFETCH(QString, field);
    QFETCH(QVariant, in);
    QFETCH(QVariant, out);
    const FieldDef* f = mustfirmadata().field(field);
    QVERIFY(f);
    if (!out.isValid()) {
        QVERIFY_THROWS_EXCEPTION(Error, data::coerce(*f, in));
        return;
    }
    const QVariant got = data::coerce(*f, in);
    if (out.typeId() == QMetaType::Nullptr)
        QVERIFY(got.isNull());
    else
        QCOMPARE(got, out);
}

void TestTables::textIsCutToFieldSize() {
    TempDb t;
    Cursor cards(t.db(), "Mustfirmadata");
    cards.open();
    cards.append();
    const QString longName = QString("Şükrü ").repeated(12);  // 72 characters
    cards.setValue("Isim", longName);
    cards.setValue("Semt", "Kavaklıdere Mahallesi");
    cards.post();
    const qint64 id = cards.rowId();
    t.reopen();
    Cursor again(t.db(), "Mustfirmadata");
    again.open();
    QVERIFY(again.locate("Kod", id));
    QCOMPARE(again.text("Isim"), longName.left(50));
    QCOMPARE(again.text("Semt"), QString("Kavaklıdere Mah"));
}

void TestTables::oldFormatIsConvertedKeepingRows() {
    TempDb t(false);
    Connection& c = t.db().connection();
    // a contact table of an older layout: fewer columns, no Turkish collation, no format row
    c.exec(
        "CREATE TABLE Mustfirmadata (Kod INTEGER PRIMARY KEY, Isim TEXT, MF TEXT, firma TEXT, "
        "PostaKodu INTEGER, DogumT DATE)");
    c.exec("INSERT INTO Mustfirmadata VALUES (3, 'Zafer', 'M', 'Zet', 6100, '1970-05-01')");
    c.exec("INSERT INTO Mustfirmadata VALUES (40, 'Çetin', 'M', 'Çe', NULL, NULL)");
    c.exec("INSERT INTO Mustfirmadata VALUES (12, 'Cengiz', 'F', 'O''Brien', 34000, NULL)");
    c.exec("CREATE TABLE Etiket (Data TEXT, \"Satır (mm)\" REAL)");
    c.exec("INSERT INTO Etiket VALUES ('ikinci', 2)");
    c.exec("INSERT INTO Etiket VALUES ('birinci', 1)");
    c.exec("INSERT OR REPLACE INTO TabloBilgisi VALUES ('Etiket', '3.00', 27, '1.0')");
    t.db().createMissingTables();  // makes the other two, leaves these

    Cursor cards(t.db(), "Mustfirmadata");
    cards.open();
    QCOMPARE(t.db().formatVersion("Mustfirmadata"), QString("4.00"));
    QCOMPARE(cards.fieldCount(), 63);
    QCOMPARE(cards.recordCount(), 3);
    cards.setIndexName("IndIsim");
    QStringList got;
    for (int i = 1; i <= 3; ++i) {
        cards.setRecNo(i);
        got << cards.text("Isim");
    }
    QCOMPARE(got, (QStringList{"Cengiz", "Çetin", "Zafer"}));
    QVERIFY(cards.locate("Kod", 3));
    QCOMPARE(cards.text("Firma"), QString("Zet"));
    QCOMPARE(cards.value("PostaKodu").toInt(), 6100);
    QCOMPARE(cards.value("DogumT").toDate(), QDate(1970, 5, 1));
    QVERIFY(cards.locate("Kod", 12));
    QCOMPARE(cards.text("Firma"), QString("O'Brien"));
    cards.append();
    cards.setValue("Isim", "Yeni");
    cards.post();
    QCOMPARE(cards.value("Kod").toInt(), 41);  // past the highest key kept

    Cursor labels(t.db(), "etiket");
    labels.open();
    QCOMPARE(labels.fieldCount(), 14);
    QCOMPARE(labels.recordCount(), 2);
    QCOMPARE(labels.text("Data"), QString("ikinci"));  // insertion order kept
    labels.next();
    QCOMPARE(labels.text("Data"), QString("birinci"));
}

void TestTables::currentFormatOpensUnchanged() {
    TempDb t;
    Connection& c = t.db().connection();
    Statement before = c.prepare("SELECT sql FROM sqlite_master WHERE name='Mustfirmadata'");
    before.step();
    const QString sql = before.text(0);
    t.db().checkTable("mustfirmadata");
    Statement after = c.prepare("SELECT sql FROM sqlite_master WHERE name='Mustfirmadata'");
    after.step();
    QCOMPARE(after.text(0), sql);
}

void TestTables::sqliteShellReadsFile() {
    if (QStandardPaths::findExecutable("sqlite3").isEmpty())
        QSKIP("sqlite3 shell not installed");
    TempDb t;
    const QString file = t.folder() + "/ANA.db";
    QProcess p;
    p.start("sqlite3",
            {file, "SELECT Isim FROM Mustfirmadata WHERE Kod=5; SELECT count(*) FROM Etiket;"});
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitCode(), 0);
    const QStringList lines =
        QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[1], QString("27"));
}

QTEST_GUILESS_MAIN(TestTables)
#include "test_tables.moc"
