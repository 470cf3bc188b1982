#include "controls/newdbdateedit.h"
#include "data/cursor.h"
#include "dialogs/service.h"
#include "tests/support/keys.h"
#include "tests/support/scripted.h"
#include "tests/support/tempdb.h"

#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

using controls::TNewDBDateEdit;

// A card window in miniature: the date field, a name field and a field to move on to.
class Fixture {
public:
    Fixture() : cursor(db.db(), QStringLiteral("Mustfirmadata")) {
        cursor.setFiltered(false);
        cursor.open();
        cursor.first();
        auto* lay = new QVBoxLayout(&window);
        date = new TNewDBDateEdit(&window);
        date->setObjectName(QStringLiteral("DogumT"));
        date->setToday([] { return QDate(2005, 3, 10); });
        date->setDataSet(&cursor, QStringLiteral("dogumt"));
        name = new controls::DBEdit(&window);
        name->setDataSet(&cursor, QStringLiteral("Isim"));
        other = new QLineEdit(&window);
        lay->addWidget(date);
        lay->addWidget(name);
        lay->addWidget(other);
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            qWarning("window not active");
    }
    /// Types into the date field and moves the focus on.
    void typeAndLeave(const QString& text) {
        date->setFocus();
        date->selectAll();
        QTest::keyClick(date, Qt::Key_Delete);
        testsupport::typeText(date, text);
        other->setFocus();
        QCoreApplication::processEvents();
    }
    QVariant stored() const { return cursor.value(QStringLiteral("DogumT")); }

    testsupport::TempDb db;
    data::Cursor cursor;
    QWidget window;
    TNewDBDateEdit* date;
    controls::DBEdit* name;
    QLineEdit* other;
};

class TestNewDBDateEdit : public QObject {
    Q_OBJECT
private slots:
    void init() { dialogs::resetAppException(); }

    void browsingLeavesTheFieldAlone() {
        testsupport::ScriptedDialogs dialogs;
        Fixture f;
        QVERIFY(f.date->isReadOnly());
        f.date->setFocus();
        f.other->setFocus();
        QCOMPARE(f.date->text(), QString());
        QVERIFY(f.stored().isNull());
        QVERIFY(dialogs.messages.isEmpty());
    }

    void completesOnLeaving_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QDate>("stored");
        QTest::addRow("empty is today") << "" << QDate(2005, 3, 10);
        QTest::addRow("+7") << "+7" << QDate(2005, 3, 17);
        QTest::addRow("1503") << "1503" << QDate(2005, 3, 15);
        QTest::addRow("15/4/85") << "15/4/85" << QDate(1985, 4, 15);
        QTest::addRow("blanks clear") << "  " << QDate();
    }
    void completesOnLeaving() {
        QFETCH(QString, typed);
        QFETCH(QDate, stored);
        testsupport::ScriptedDialogs dialogs;
        Fixture f;
        f.cursor.edit();
        f.cursor.setValue(QStringLiteral("DogumT"), QDate(2000, 1, 1));
        QVERIFY(!f.date->isReadOnly());
        QCOMPARE(f.date->text(), QStringLiteral("01.01.2000"));
        f.typeAndLeave(typed);
        QCOMPARE(f.stored().toDate(), stored);
        QCOMPARE(f.stored().isNull(), stored.isNull());
        QCOMPARE(f.date->text(), stored.isNull() ? QString() : stored.toString("dd.MM.yyyy"));
        QVERIFY(dialogs.messages.isEmpty());
        f.cursor.post();
        QCOMPARE(f.stored().toDate(), stored);
    }

    void refusals_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("captions");
        QTest::addRow("day over 31: message and the conversion error")
            << "32.1.2005" << QStringList{"Yanlış tarih girdiniz", "Yanlış girdiniz!"}
            << QStringList{"Tizgen", ""};
        QTest::addRow("missing day")
            << "30.2.2005" << QStringList{"2005 yılının 2.ayında 30 gün yok."}
            << QStringList{"Tarih yanlış"};
        QTest::addRow("sign alone") << "+" << QStringList{"Yanlış girdiniz!"} << QStringList{""};
    }
    void refusals() {
        QFETCH(QString, typed);
        QFETCH(QStringList, texts);
        QFETCH(QStringList, captions);
        testsupport::ScriptedDialogs dialogs;
        dialogs::setApplicationTitle(QStringLiteral("Tizgen"));
        dialogs::installAppException();
        Fixture f;
        f.cursor.edit();
        f.typeAndLeave(typed);
        QCOMPARE(dialogs.texts_shown(), texts);
        QCOMPARE(dialogs.captions(), captions);
        QTRY_VERIFY(f.date->hasFocus());
        QCOMPARE(f.date->text(), typed);
        QCOMPARE(f.date->selectedText(), typed);
        QVERIFY(f.stored().isNull());
        QVERIFY(!f.cursor.isModified());
    }

    void postingWithTheFocusInside() {
        testsupport::ScriptedDialogs dialogs;
        Fixture f;
        f.cursor.edit();
        f.date->setFocus();
        testsupport::typeText(f.date, QStringLiteral("1503"));
        f.cursor.post();  // a shortcut: the field is not left
        QCOMPARE(f.cursor.state(), data::State::Browse);
        QCOMPARE(f.stored().toDate(), QDate(2005, 3, 15));

        f.cursor.edit();
        f.date->setFocus();
        f.date->selectAll();
        testsupport::typeText(f.date, QStringLiteral("31.4"));
        try {
            f.cursor.post();
            QFAIL("posted");
        } catch (const data::Abort&) {
        }
        QCOMPARE(f.cursor.state(), data::State::Edit);
        QCOMPARE(dialogs.texts_shown(), QStringList{"2005 yılının 4.ayında 31 gün yok."});
        QCOMPARE(f.stored().toDate(), QDate(2005, 3, 15));
    }

    void followsTheRecord() {
        testsupport::ScriptedDialogs dialogs;
        Fixture f;
        f.cursor.edit();
        f.cursor.setValue(QStringLiteral("DogumT"), QDate(1970, 5, 6));
        f.cursor.post();
        const QString first = f.cursor.text(QStringLiteral("Isim"));
        QCOMPARE(f.date->text(), QStringLiteral("06.05.1970"));
        QCOMPARE(f.name->text(), first);
        f.cursor.next();
        QCOMPARE(f.date->text(), QString());
        QCOMPARE(f.name->text(), f.cursor.text(QStringLiteral("Isim")));
        f.cursor.prior();
        QCOMPARE(f.date->text(), QStringLiteral("06.05.1970"));

        // a text field writes as it is typed; Esc gives back the stored value
        f.cursor.edit();
        f.name->setFocus();
        f.name->selectAll();
        testsupport::typeText(f.name, QStringLiteral("Şükrü"));
        QCOMPARE(f.cursor.text(QStringLiteral("Isim")), QStringLiteral("Şükrü"));
        f.cursor.cancel();
        QCOMPARE(f.name->text(), first);
        QVERIFY(f.name->isReadOnly());
    }

    void autoEditPutsTheRecordIntoEdit() {
        testsupport::ScriptedDialogs dialogs;
        Fixture f;
        f.name->setAutoEdit(true);
        QVERIFY(!f.name->isReadOnly());
        f.name->setFocus();
        f.name->end(false);
        testsupport::typeText(f.name, QStringLiteral("x"));
        QCOMPARE(f.cursor.state(), data::State::Edit);
        QVERIFY(f.cursor.text(QStringLiteral("Isim")).endsWith(QLatin1Char('x')));
    }
};

QTEST_MAIN(TestNewDBDateEdit)
#include "test_newdbdateedit.moc"
