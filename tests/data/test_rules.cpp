#include "data/datamodule.h"
#include "data/rules.h"
#include "data/seeds.h"
#include "tests/support/scripted.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace data;

class TestRules : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void matching_data();
    void matching();
    void producerCardCannotBeChanged();
    void producerCardCannotBeDeleted();
    void otherCardsPassTheGuard();
    void picturesShownInKeywordOrder();
    void missingPictureShowsNothing();
    void moduleStartsOnFreshFolder();
    void conversionErrorMessage();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<testsupport::ScriptedDialogs> dlg_;
    std::unique_ptr<TDMKuvPro> dm_;
    QString oldCwd_;
    QStringList shown_;
};

void TestRules::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    oldCwd_ = QDir::currentPath();
    QDir::setCurrent(dir_->path());
    dlg_ = std::make_unique<testsupport::ScriptedDialogs>();
    dm_ = std::make_unique<TDMKuvPro>(dir_->path());
    shown_.clear();
    dm_->showSponsorPicture = [this](const QString& p) { shown_ << QFileInfo(p).fileName(); };
    dm_->MustFirmaTanTbl->setIndexName("IndIsim");
    dm_->MustFirmaTanTbl->open();
}

void TestRules::cleanup() {
    dm_.reset();
    dlg_.reset();
    QDir::setCurrent(oldCwd_);
    dir_.reset();
}

void TestRules::matching_data() {
    QTest::addColumn<QStringList>("fields");  // Meslek, Firma, Isim, Adres, EvAdres, Kariyer, Hitap
    QTest::addColumn<QVector<int>>("pictures");
    QTest::newRow("nothing") << QStringList{"Öğretmen", "Okul", "Ali", "", "", "", "Sayın"}
                             << QVector<int>{};
    QTest::newRow("lower-case firm matches")
        << QStringList{"", "yilmaz emlak", "", "", "", "", ""} << QVector<int>{1};
    QTest::newRow("two groups in keyword order")
        << QStringList{"Avukat", "Beton Yapı", "", "", "", "", ""} << QVector<int>{5, 6};
    QTest::newRow("one group twice")
        << QStringList{"", "Emlak Gayrimenkul", "", "", "", "", ""} << QVector<int>{1, 1};
    QTest::newRow("keyword in address")
        << QStringList{"", "", "", "Eczane yanı", "", "", ""} << QVector<int>{3};
    QTest::newRow("turkish letters left alone: ş is no S, ı no I")
        << QStringList{"", "Bilişim Yapı", "", "", "", "", ""} << QVector<int>{};
    QTest::newRow("turkish keyword, same letters")
        << QStringList{"MÜTEAHHİT", "", "", "", "", "", ""} << QVector<int>{5};
    QTest::newRow("turkish keyword, other case")
        << QStringList{"Müteahhit", "", "", "", "", "", ""} << QVector<int>{};
}

void TestRules::matching() {
    QFETCH(QStringList, fields);
    QFETCH(QVector<int>, pictures);
    QCOMPARE(advertisementMatches(fields), pictures);
}

void TestRules::producerCardCannotBeChanged() {
    Cursor* c = dm_->MustFirmaTanTbl;
    QVERIFY(c->locate("Kod", 5));
    c->edit();
    c->setValue("Firma", "Başka Firma");
    QVERIFY_THROWS_EXCEPTION(Abort, c->post());
    QCOMPARE(dlg_->messages.size(), 1);
    QCOMPARE(dlg_->messages[0].caption, QString("Değiştirilemez"));
    QCOMPARE(
        dlg_->messages[0].text,
        QString("Bu programın üreticisini değiştirmek istediniz. Program doğru çalışmayabilir."));
    QCOMPARE(dlg_->messages[0].buttons, dialogs::Ok);
    QCOMPARE(c->state(), State::Edit);
    QCOMPARE(c->text("Firma"), QString("Başka Firma"));
    c->cancel();
    QCOMPARE(c->text("Firma"), data::Producer::firm());
    // moving the card off its key is a change of the card as well
    c->edit();
    c->setValue("Kod", 77);
    QVERIFY_THROWS_EXCEPTION(Abort, c->post());
    c->cancel();
    // nor can a new card take the producer's key
    c->append();
    c->setValue("Kod", 5);
    QVERIFY_THROWS_EXCEPTION(Abort, c->post());
    QCOMPARE(dlg_->messages.size(), 3);
}

void TestRules::producerCardCannotBeDeleted() {
    Cursor* c = dm_->MustFirmaTanTbl;
    QVERIFY(c->locate("Kod", 5));
    const int count = c->recordCount();
    QVERIFY_THROWS_EXCEPTION(Abort, c->remove());
    QCOMPARE(dlg_->captions(), QStringList{"Silinemez"});
    QCOMPARE(dlg_->messages[0].text,
             QString("Bu programın üreticisini silmek istediniz. Program doğru çalışmayabilir."));
    QCOMPARE(c->recordCount(), count);
    QCOMPARE(c->value("Kod").toInt(), 5);
}

void TestRules::otherCardsPassTheGuard() {
    Cursor* c = dm_->MustFirmaTanTbl;
    c->append();
    c->setValue("Isim", "Mehmet");
    c->post();
    c->edit();
    c->setValue("Firma", "Yeni");
    c->post();
    c->remove();
    QVERIFY(dlg_->messages.isEmpty());
}

static void writePicture(const QString& path) {
    QImage img(40, 30, QImage::Format_RGB32);
    img.fill(Qt::blue);
    QVERIFY(img.save(path, "JPG"));
}

void TestRules::picturesShownInKeywordOrder() {
    writePicture("Reklam5.jpg");
    writePicture("Reklam6.jpg");
    Cursor* c = dm_->MustFirmaTanTbl;
    c->append();
    c->setValue("Meslek", "Avukat");
    c->setValue("Firma", "Beton Ltd");
    c->post();
    QCOMPARE(shown_, (QStringList{"Reklam5.jpg", "Reklam6.jpg"}));
    shown_.clear();
    c->edit();
    c->setValue("Meslek", "Öğretmen");
    c->setValue("Firma", "Okul");
    c->post();
    QVERIFY(shown_.isEmpty());
}

void TestRules::missingPictureShowsNothing() {
    writePicture("Reklam6.jpg");
    Cursor* c = dm_->MustFirmaTanTbl;
    c->append();
    c->setValue("Meslek", "Avukat");
    c->setValue("Firma", "Beton Ltd");  // picture 5 is missing
    c->post();
    QCOMPARE(shown_, QStringList{"Reklam6.jpg"});
}

void TestRules::moduleStartsOnFreshFolder() {
    // the module made the tables; the settings cursor finds the row in use
    Cursor* a = dm_->AyarTbl;
    a->open();
    QVERIFY(a->locate("Default", true));
    QCOMPARE(a->text("TizgenSec"), QString("Tizgen Formu"));
    QCOMPARE(dm_->localeValues.currencyDigits, 2);
    QCOMPARE(dm_->localeValues.decimalSeparator, QChar(','));
    QVERIFY(QFileInfo::exists(dir_->filePath("ANA.db")));
}

void TestRules::conversionErrorMessage() {
    dialogs::resetAppException();
    const ConversionError e("'x' bir sayı değil.");
    dialogs::setApplicationTitle("Orvu Tizgen Programı- 1");
    dialogs::showException(e);
    dialogs::installAppException();
    dialogs::showException(e);
    dialogs::showException(Error(Error::Code::Store, "Disk dolu"));
    dialogs::resetAppException();
    QCOMPARE(dlg_->texts_shown(),
             (QStringList{"'x' bir sayı değil.", "Yanlış girdiniz!", "Disk dolu"}));
    QCOMPARE(dlg_->messages[0].caption, QString("Orvu Tizgen Programı- 1"));
    QCOMPARE(dlg_->messages[1].icon, dialogs::Icon::Error);
}

QTEST_GUILESS_MAIN(TestRules)
#include "test_rules.moc"
