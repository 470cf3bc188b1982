#include "dialogs/qt/asktext.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <cmath>

using dialogs::AskText;

class TestAskText : public QObject {
    Q_OBJECT
private slots:
    void layoutInDialogUnits();
    void answers_data();
    void answers();
};

void TestAskText::layoutInDialogUnits() {
    AskText dlg(QStringLiteral("Posta gönderilecek adres"),
                QStringLiteral("e-Posta adresini yazınız"), QStringLiteral("ali@example.com"));
    const QSizeF du = AskText::dialogUnits(dlg.font());
    QVERIFY(du.width() > 1 && du.height() > 1);
    auto dx = [&](int v) { return int(std::lround(v * du.width())); };
    auto dy = [&](int v) { return int(std::lround(v * du.height())); };
    QCOMPARE(dlg.width(), dx(180));
    QCOMPARE(dlg.promptLabel()->pos(), QPoint(dx(8), dy(8)));
    QVERIFY(dlg.promptLabel()->width() <= dx(164));
    QVERIFY(dlg.promptLabel()->wordWrap());
    QCOMPARE(dlg.edit()->x(), dx(8));
    QCOMPARE(dlg.edit()->width(), dx(164));
    QCOMPARE(dlg.edit()->y(), dlg.promptLabel()->geometry().bottom() + 1 + 5);
    QCOMPARE(dlg.okButton()->geometry(),
             QRect(dx(38), dlg.edit()->geometry().bottom() + 1 + 15, dx(50), dy(14)));
    QCOMPARE(dlg.cancelButton()->geometry(), QRect(dx(92), dlg.okButton()->y(), dx(50), dy(14)));
    QCOMPARE(dlg.height(), dlg.okButton()->geometry().bottom() + 1 + 13);
    QCOMPARE(dlg.minimumSize(), dlg.maximumSize());  // fixed border
    QCOMPARE(dlg.okButton()->text(), QStringLiteral("Tamam"));
    QCOMPARE(dlg.cancelButton()->text(), QStringLiteral("İptal"));
    QVERIFY(dlg.okButton()->isDefault());
    QCOMPARE(dlg.edit()->maxLength(), 255);
    QCOMPARE(dlg.edit()->selectedText(), QStringLiteral("ali@example.com"));
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Posta gönderilecek adres"));
    // a long prompt wraps within its width
    AskText wide(QString(),
                 QString(60, QLatin1Char('x')).replace(QLatin1Char('x'), QStringLiteral("kelime ")),
                 QString());
    QVERIFY(wide.promptLabel()->width() <= dx(164));
    QVERIFY(wide.promptLabel()->height() > QFontMetrics(wide.font()).height() * 2);
}

void TestAskText::answers_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("Enter confirms") << int(Qt::Key_Return) << true;
    QTest::newRow("Esc cancels") << int(Qt::Key_Escape) << false;
}

void TestAskText::answers() {
    QFETCH(int, key);
    QFETCH(bool, accepted);
    dialogs::TextRequest r{QStringLiteral("Sayfa numarası seçin 1 - 3"),
                           QStringLiteral("Gidilecek Sayfa >>"), QStringLiteral("2")};
    QTimer::singleShot(0, [key] {
        auto* dlg = qobject_cast<AskText*>(QApplication::activeModalWidget());
        QVERIFY(dlg);
        QTest::keyClicks(dlg->edit(), QStringLiteral("3x"));  // replaces the selected text
        QTest::keyClick(dlg->edit(), Qt::Key(key));
    });
    QCOMPARE(AskText::ask(r), accepted);
    QCOMPARE(r.value, accepted ? QStringLiteral("3x") : QStringLiteral("2"));
}

QTEST_MAIN(TestAskText)
#include "test_asktext.moc"
