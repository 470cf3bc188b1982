#include "app/bekle.h"
#include "calc/calculator.h"
#include "calc/hspmakina.h"
#include "card/firmatan.h"
#include "data/datamodule.h"
#include "dialogs/qt/qtdialogs.h"
#include "tests/support/scripted.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void firstActivationOpensSettingsAndCard();
    void settingsRow_data();
    void settingsRow();
    void f5InCardWindowOpensCalculator();
    void escClosesSponsorWindowOnly();
    void sponsorWindowSizesToPicture();
    void qtSpeaksTurkish();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<testsupport::ScriptedDialogs> dlg_;
    TDMKuvPro* dm_ = nullptr;
    /// Shows the start-up window and waits until the card window is up; closes it with Esc.
    void runOnce(const std::function<void()>& whileCardIsOpen);
};

void TestStartup::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    dlg_ = std::make_unique<testsupport::ScriptedDialogs>();
    dm_ = new TDMKuvPro(dir_->path());
}

void TestStartup::cleanup() {
    delete Bekle;
    Bekle = nullptr;
    FirmaTan = nullptr;
    delete dm_;
    dm_ = nullptr;
    dlg_.reset();
    dir_.reset();
}

void TestStartup::runOnce(const std::function<void()>& whileCardIsOpen) {
    Bekle = new TBekle;
    QCOMPARE(Bekle->windowTitle(), QString("Program Yükleniyor... Lütfen Bekleyiniz."));
    bool checked = false;
    QTimer probe;
    probe.setInterval(20);
    connect(&probe, &QTimer::timeout, [&] {
        if (!FirmaTan || !FirmaTan->isVisible() || checked)
            return;
        checked = true;
        whileCardIsOpen();
        FirmaTan->close();
    });
    probe.start();
    int rc = -1;
    QTimer::singleShot(0, [&] { Bekle->show(); });
    QTimer::singleShot(10000, [] { QCoreApplication::exit(99); });
    rc = QCoreApplication::exec();
    QVERIFY(checked);
    QCOMPARE(rc, 0);
}

void TestStartup::firstActivationOpensSettingsAndCard() {
    runOnce([&] {
        QVERIFY(dm_->AyarTbl->isOpen());
        QCOMPARE(dm_->AyarTbl->value("Default"), QVariant(true));
        QCOMPARE(FirmaTan->Tag, 0);
        QCOMPARE(FirmaTan->windowTitle(), QString("Adres ve Telefon Tizgeni"));
        QVERIFY(FirmaTan->isModal());
        QCOMPARE(FirmaTan->parentWidget(), Bekle);
        QCOMPARE(Bekle->windowTitle(),
                 QString("Bizi seçtiğiniz için teşekkürler. Orvu Bilgisayar"));
        QVERIFY(dm_->MustFirmaTanTbl->isOpen());
        QCOMPARE(dm_->MustFirmaTanTbl->recordCount(), 1);  // the reserved rows are hidden
    });
    QVERIFY(Bekle->activated());
    QVERIFY(QFileInfo::exists(dir_->filePath("ANA.db")));
    QVERIFY(dlg_->messages.isEmpty());
}

void TestStartup::settingsRow_data() {
    QTest::addColumn<QStringList>("sql");
    QTest::addColumn<QString>("expected");  // Hat of the row the cursor stands on
    QTest::newRow("seed row") << QStringList{} << "9";
    QTest::newRow("two rows in use: first by name")
        << QStringList{"UPDATE Datanames SET DataNames='Merkez', Hat='1'",
                       "INSERT INTO Datanames (DataNames, \"Default\", Hat) VALUES ('Büro', 1, "
                       "'2')",
                       "INSERT INTO Datanames (DataNames, \"Default\", Hat) VALUES ('Ara', 0, '3')"}
        << "2";
    QTest::newRow("no row in use: first row")
        << QStringList{"UPDATE Datanames SET DataNames='Merkez', \"Default\"=0, Hat='1'",
                       "INSERT INTO Datanames (DataNames, \"Default\", Hat) VALUES ('Ara', 0, '3')"}
        << "3";
}

void TestStartup::settingsRow() {
    QFETCH(QStringList, sql);
    QFETCH(QString, expected);
    for (const QString& s : sql) dm_->Tizgen().connection().exec(s);
    runOnce([&] { QCOMPARE(dm_->AyarTbl->text("Hat"), expected); });
    QVERIFY(dlg_->messages.isEmpty());
}

void TestStartup::f5InCardWindowOpensCalculator() {
    calc::installCalculator();
    bool seen = false;
    runOnce([&] {
        QTimer::singleShot(50, [&] {
            calc::THspMakina* m = calc::calculator();
            seen = m && m->isVisible() && m->windowTitle() == QString("Hesap Makinası");
            if (m)
                m->close();
        });
        QTest::keyClick(FirmaTan, Qt::Key_F5);
    });
    QVERIFY(seen);
    calc::destroyCalculator();
}

void TestStartup::escClosesSponsorWindowOnly() {
    QWidget owner;
    owner.show();
    TForm1 sponsor(&owner);
    QCOMPARE(sponsor.windowTitle(), QString("Sponsorumuz"));
    sponsor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sponsor));
    QTest::keyClick(&sponsor, Qt::Key_Escape);
    QVERIFY(!sponsor.isVisible());
    QVERIFY(owner.isVisible());
}

void TestStartup::sponsorWindowSizesToPicture() {
    const QString pic = dir_->filePath("Reklam1.jpg");
    QImage img(120, 80, QImage::Format_RGB32);
    img.fill(Qt::darkGreen);
    QVERIFY(img.save(pic, "JPG"));
    TForm1 sponsor;
    QTimer::singleShot(50, [&] {
        QCOMPARE(sponsor.size(), QSize(128, 118));
        QVERIFY(!sponsor.Image1->pixmap().isNull());
        sponsor.close();
    });
    sponsor.showPicture(pic);
}

void TestStartup::qtSpeaksTurkish() {
    QVERIFY2(dialogs::loadQtTurkish(), "qt6-translations-l10n is not installed");
    QMessageBox box(QMessageBox::Question, "Soru", "Emin misiniz?",
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(box.button(QMessageBox::Yes)->text().remove('&'), QString("Evet"));
    QCOMPARE(box.button(QMessageBox::No)->text().remove('&'), QString("Hayır"));
    QCOMPARE(box.button(QMessageBox::Ok)->text().remove('&'), QString("Tamam"));
    QCOMPARE(box.button(QMessageBox::Cancel)->text().remove('&'), QString("İptal"));
}

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
